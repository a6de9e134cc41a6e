#include "app/program_box_dialog.h"

#include "widgets/pictures.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

ProgramBoxDialog::ProgramBoxDialog(const QString& caption, const char* picture, const QString& text,
                                   QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(this);
    icon->setPixmap(LoadPicture(picture));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    icon->setAccessibleName(tr("Picture"));

    auto* message = new QLabel(text, this);
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message->setMinimumWidth(280);
    message->setMaximumWidth(520);
    message->setAccessibleName(tr("Message"));
    message->setObjectName("messageText");

    m_body = new QVBoxLayout;
    m_body->addWidget(message);
    m_body->addStretch(1);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(icon);
    top->addLayout(m_body, 1);

    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->setSpacing(18);
    layout->addLayout(top, 1);
    layout->addLayout(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* ProgramBoxDialog::AddButton(const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setMinimumWidth(88);
    button->setAccessibleName(QString(text).remove('&'));
    m_buttons->addWidget(button);
    return button;
}

void ProgramBoxDialog::paintEvent(QPaintEvent* event) {
    m_background.Paint(this);
    QDialog::paintEvent(event);
}
