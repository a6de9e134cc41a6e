#pragma once
// The prompt of the GUI: the program's own dialogs. A question asked on a
// worker thread is handed to the user-interface thread, and the worker
// waits there until the user has answered.
#include "app/prompt.h"

class DialogPrompt : public Prompt {
public:
    bool ShowMessage(const std::string& text, bool offerViewReport) override;
    bool AskQuestion(const std::string& text) override;
    BadSectorAction AskBadSectors() override;
    void ShowSystemError(const std::string& text) override;
    ReplaceChoice AskReplace() override;
    WriteErrorChoice AskWriteError() override;
    void ShowTextFile(const std::string& path) override;
};
