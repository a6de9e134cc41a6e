#pragma once
// "Bad Sectors Encountered": what to do about a read that failed. The
// answer is one of the BadSectorAction values; Escape or the close box
// count as Skip.
#include "app/program_box_dialog.h"
#include "app/recovery_job.h"

class BadSectorsDialog : public ProgramBoxDialog {
    Q_OBJECT
public:
    explicit BadSectorsDialog(QWidget* parent = nullptr);
    BadSectorAction Answer() const { return m_answer; }

private:
    BadSectorAction m_answer = kBadSectorSkip;
};
