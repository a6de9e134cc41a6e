#pragma once
// A prompt for tests: answers from queues given beforehand, and a record of
// everything that was shown or asked.
#include "app/prompt.h"

#include <deque>
#include <string>
#include <vector>

class ScriptedPrompt : public Prompt {
public:
    ScriptedPrompt() { SetPrompt(this); }
    ~ScriptedPrompt() override { SetPrompt(nullptr); }

    bool ShowMessage(const std::string& text, bool offerViewReport) override {
        messages.push_back(text);
        return offerViewReport && tickViewReport;
    }
    bool AskQuestion(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) return false;
        bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    BadSectorAction AskBadSectors() override {
        ++badSectorPrompts;
        if (badSectorAnswers.empty()) return kBadSectorSkip;
        BadSectorAction answer = badSectorAnswers.front();
        badSectorAnswers.pop_front();
        return answer;
    }
    void ShowTextFile(const std::string& path) override { shownFiles.push_back(path); }
    void ExitProcess() override { ++exits; }

    std::deque<bool> answers;                    // Yes/No answers in order; No when empty
    std::deque<BadSectorAction> badSectorAnswers;  // Skip when empty
    bool tickViewReport = false;

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> shownFiles;
    int badSectorPrompts = 0;
    int exits = 0;
};
