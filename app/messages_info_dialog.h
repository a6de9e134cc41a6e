#pragma once
// The program's message box: the information picture, the text, OK, and on
// request a "View Report" box whose state the caller reads afterwards.
#include "app/program_box_dialog.h"

class QCheckBox;

class MessagesInfo : public ProgramBoxDialog {
    Q_OBJECT
public:
    MessagesInfo(const QString& caption, const QString& text, bool offerViewReport, QWidget* parent = nullptr);
    bool ViewReportTicked() const;

private:
    QCheckBox* m_viewReport = nullptr;
};
