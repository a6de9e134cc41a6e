#pragma once
// "Replace": a file of that name exists at the destination. The six
// answers; the close box counts as No.
#include "app/program_box_dialog.h"
#include "app/prompt.h"

class Replace1 : public ProgramBoxDialog {
    Q_OBJECT
public:
    explicit Replace1(QWidget* parent = nullptr);
    ReplaceChoice Choice() const { return m_choice; }

private:
    ReplaceChoice m_choice = ReplaceChoice::No;
};

// "Error Writing Destination": Abort, Skip or Skip All; closing is Skip.
class FileCreation : public ProgramBoxDialog {
    Q_OBJECT
public:
    explicit FileCreation(QWidget* parent = nullptr);
    WriteErrorChoice Choice() const { return m_choice; }

private:
    WriteErrorChoice m_choice = WriteErrorChoice::Skip;
};
