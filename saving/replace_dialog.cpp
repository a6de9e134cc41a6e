#include "saving/replace_dialog.h"

#include <QPushButton>

Replace1::Replace1(QWidget* parent)
    : ProgramBoxDialog(tr("Replace"), "\\Question.bmp",
                       tr("The File Already Exists. Do you want to replace the existing file."), parent) {
    const std::pair<const char*, ReplaceChoice> kButtons[] = {
        {"&Yes", ReplaceChoice::Yes},          {"&No", ReplaceChoice::No},     {"Yes to &All", ReplaceChoice::YesToAll},
        {"N&o to All", ReplaceChoice::NoToAll}, {"&Rename", ReplaceChoice::Rename}, {"R&ename All", ReplaceChoice::RenameAll}};
    for (const auto& [text, choice] : kButtons) {
        ReplaceChoice answer = choice;
        connect(AddButton(tr(text)), &QPushButton::clicked, this, [this, answer] {
            m_choice = answer;
            accept();
        });
    }
}

FileCreation::FileCreation(QWidget* parent)
    : ProgramBoxDialog(tr("Error Writing Destination"), "\\Warning.bmp",
                       tr("Error copying current file :\nThere may be bad sectors or error in file system or not "
                          "enough space in destination."),
                       parent) {
    const std::pair<const char*, WriteErrorChoice> kButtons[] = {
        {"&Abort", WriteErrorChoice::Abort}, {"&Skip", WriteErrorChoice::Skip}, {"S&kip All", WriteErrorChoice::SkipAll}};
    for (const auto& [text, choice] : kButtons) {
        WriteErrorChoice answer = choice;
        connect(AddButton(tr(text)), &QPushButton::clicked, this, [this, answer] {
            m_choice = answer;
            accept();
        });
    }
}
