#pragma once
// The prompt of the command-line program: messages go to stderr; questions
// and the Bad Sectors prompt are asked on the terminal when there is one,
// and otherwise take the answers the command line gave.
#include "app/prompt.h"

#include <string>

class CliPrompt : public Prompt {
public:
    // policy: "ask", "retry", "skip", "retry-all" or "skip-all". "ask" on a
    // non-interactive input acts as "skip-all". False for an unknown policy.
    bool SetBadSectorPolicy(const std::string& policy);

    // policy: "ask", "yes", "no" or "rename" for files that exist at the
    // destination; "ask" on a non-interactive input acts as "no".
    bool SetClashPolicy(const std::string& policy);

    bool ShowMessage(const std::string& text, bool offerViewReport) override;
    ReplaceChoice AskReplace() override;
    WriteErrorChoice AskWriteError() override;
    bool AskQuestion(const std::string& text) override;
    BadSectorAction AskBadSectors() override;
    void ShowTextFile(const std::string& path) override;

private:
    bool Interactive() const;
    bool m_ask = true;
    BadSectorAction m_answer = kBadSectorSkipAll;
    bool m_askClash = true;
    ReplaceChoice m_clash = ReplaceChoice::NoToAll;
};
