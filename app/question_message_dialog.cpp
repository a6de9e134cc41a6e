#include "app/question_message_dialog.h"

#include <QPushButton>

QuestionMessage::QuestionMessage(const QString& caption, const QString& text, QWidget* parent)
    : ProgramBoxDialog(caption, "\\Question.bmp", text, parent) {
    QPushButton* yes = AddButton(tr("&Yes"));
    QPushButton* no = AddButton(tr("&No"));
    yes->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
}
