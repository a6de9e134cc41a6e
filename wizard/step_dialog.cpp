#include "wizard/step_dialog.h"

#include "app/help_dialog.h"
#include "widgets/picture_button.h"
#include "widgets/pictures.h"
#include "wizard/menu_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

namespace {

QLabel* ToolPicture(const char* name, bool active, QWidget* parent) {
    auto* label = new QLabel(parent);
    std::string picture = std::string("\\") + name + (active ? ".bmp" : "-d.bmp");
    label->setPixmap(LoadPicture(picture));
    label->setEnabled(active);
    label->setAccessibleName(QString(name));
    return label;
}

}  // namespace

StepDialog::StepDialog(const char* banner, std::initializer_list<const char*> activeTools, QWidget* parent)
    : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_menu = new CMenuBarA([this](int command) { OnCommand(command); }, this);

    auto* bannerLabel = new QLabel(this);
    bannerLabel->setPixmap(LoadPicture(banner));
    bannerLabel->setAccessibleName(tr("Step"));
    auto* header = new QHBoxLayout;
    header->addWidget(bannerLabel);
    header->addStretch(1);
    for (const char* tool : {"LoadLog", "SaveLog", "Settings", "Search"}) {
        bool active = std::any_of(activeTools.begin(), activeTools.end(),
                                  [tool](const char* t) { return std::string(t) == tool; });
        header->addWidget(ToolPicture(tool, active, this));
    }

    m_content = new QVBoxLayout;
    m_instruction = new QLabel(this);
    m_instruction->setWordWrap(true);
    m_instruction->setObjectName("instruction");
    m_instruction->setAccessibleName(tr("Instruction"));

    auto* help = m_help = new CPictureButton("\\Help.bmp", "\\Help-A.bmp", tr("Help"), this);
    m_back = new CPictureButton("\\Back.bmp", "\\BackA.bmp", tr("Back"), this);
    m_next = new CPictureButton("\\Next.bmp", "\\NextA.bmp", tr("Next"), this);
    connect(help, &QAbstractButton::clicked, this, [] { OpenHelp(); });
    connect(m_back, &QAbstractButton::clicked, this, [this] { OnBack(); });
    connect(m_next, &QAbstractButton::clicked, this, [this] { OnNext(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(m_back);
    buttons->addSpacing(8);
    buttons->addWidget(m_next);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(m_menu);
    layout->setContentsMargins(18, 10, 18, 14);
    layout->setSpacing(12);
    layout->addLayout(header);
    layout->addSpacing(6);
    layout->addLayout(m_content, 1);
    layout->addWidget(m_instruction);
    layout->addLayout(buttons);

    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [] { OpenHelp(); });
    resize(780, 560);
}

void StepDialog::SetInstruction(const QString& text) { m_instruction->setText(text); }

void StepDialog::paintEvent(QPaintEvent* event) {
    m_background.Paint(this);
    QDialog::paintEvent(event);
}
