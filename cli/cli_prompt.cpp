#include "cli/cli_prompt.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

bool CliPrompt::SetBadSectorPolicy(const std::string& policy) {
    static const struct {
        const char* name;
        BadSectorAction answer;
    } kPolicies[] = {{"retry", kBadSectorRetry}, {"skip", kBadSectorSkip},
                     {"retry-all", kBadSectorRetryAll}, {"skip-all", kBadSectorSkipAll}};
    m_ask = policy == "ask";
    if (m_ask) return true;
    for (const auto& p : kPolicies)
        if (policy == p.name) {
            m_answer = p.answer;
            return true;
        }
    return false;
}

bool CliPrompt::Interactive() const { return isatty(STDIN_FILENO) && isatty(STDERR_FILENO); }

bool CliPrompt::ShowMessage(const std::string& text, bool) {
    std::cerr << text << '\n';
    return false;
}

bool CliPrompt::AskQuestion(const std::string& text) {
    if (!Interactive()) {
        std::cerr << text << " [no]\n";
        return false;
    }
    std::cerr << text << " [y/N] " << std::flush;
    std::string answer;
    std::getline(std::cin, answer);
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

BadSectorAction CliPrompt::AskBadSectors() {
    if (!m_ask) return m_answer;
    if (!Interactive()) return kBadSectorSkipAll;
    for (;;) {
        std::cerr << "Encountered Bad Sector(s) while reading disk.\n"
                     "[r]etry, [s]kip, retry [a]ll, skip a[l]l? " << std::flush;
        std::string answer;
        if (!std::getline(std::cin, answer)) return kBadSectorSkipAll;
        if (answer == "r") return kBadSectorRetry;
        if (answer == "s") return kBadSectorSkip;
        if (answer == "a") return kBadSectorRetryAll;
        if (answer == "l") return kBadSectorSkipAll;
    }
}

void CliPrompt::ShowTextFile(const std::string& path) { std::cerr << path << '\n'; }
