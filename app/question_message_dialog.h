#pragma once
// The program's question box: the question picture, the text, "&Yes" and
// "&No". Accepted means Yes; closing it any other way means No.
#include "app/program_box_dialog.h"

class QuestionMessage : public ProgramBoxDialog {
    Q_OBJECT
public:
    QuestionMessage(const QString& caption, const QString& text, QWidget* parent = nullptr);
};
