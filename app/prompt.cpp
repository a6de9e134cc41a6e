#include "app/prompt.h"

#include <atomic>
#include <cstdlib>

namespace {

class SilentPrompt : public Prompt {
public:
    bool ShowMessage(const std::string&, bool) override { return false; }
    bool AskQuestion(const std::string&) override { return false; }
    BadSectorAction AskBadSectors() override { return kBadSectorSkip; }
    void ShowTextFile(const std::string&) override {}
};

std::atomic<Prompt*> currentPrompt{nullptr};

}  // namespace

void Prompt::ExitProcess() { std::_Exit(0); }

Prompt& CurrentPrompt() {
    static SilentPrompt silent;
    Prompt* prompt = currentPrompt.load();
    return prompt ? *prompt : silent;
}

void SetPrompt(Prompt* prompt) { currentPrompt = prompt; }

bool ShowMessage(const std::string& text, bool offerViewReport) {
    return CurrentPrompt().ShowMessage(text, offerViewReport);
}

bool AskQuestion(const std::string& text) { return CurrentPrompt().AskQuestion(text); }

void ExitProgram() { CurrentPrompt().ExitProcess(); }
