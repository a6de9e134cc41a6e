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

bool CliPrompt::SetClashPolicy(const std::string& policy) {
    m_askClash = policy == "ask";
    if (policy == "yes") m_clash = ReplaceChoice::YesToAll;
    else if (policy == "no") m_clash = ReplaceChoice::NoToAll;
    else if (policy == "rename") m_clash = ReplaceChoice::RenameAll;
    else return m_askClash;
    return true;
}

ReplaceChoice CliPrompt::AskReplace() {
    if (!m_askClash) return m_clash;
    if (!Interactive()) return ReplaceChoice::NoToAll;
    for (;;) {
        std::cerr << "The File Already Exists. Do you want to replace the existing file.\n"
                     "[y]es, [n]o, yes to [a]ll, n[o] to all, [r]ename, r[e]name all? " << std::flush;
        std::string answer;
        if (!std::getline(std::cin, answer)) return ReplaceChoice::NoToAll;
        static const std::pair<const char*, ReplaceChoice> kAnswers[] = {
            {"y", ReplaceChoice::Yes}, {"n", ReplaceChoice::No}, {"a", ReplaceChoice::YesToAll},
            {"o", ReplaceChoice::NoToAll}, {"r", ReplaceChoice::Rename}, {"e", ReplaceChoice::RenameAll}};
        for (const auto& [key, choice] : kAnswers)
            if (answer == key) return choice;
    }
}

WriteErrorChoice CliPrompt::AskWriteError() {
    std::cerr << "Error copying current file : There may be bad sectors or error in file system or not enough space "
                 "in destination.\n";
    if (!Interactive()) return WriteErrorChoice::Skip;
    std::cerr << "[a]bort, [s]kip, skip a[l]l? " << std::flush;
    std::string answer;
    std::getline(std::cin, answer);
    if (answer == "a") return WriteErrorChoice::Abort;
    return answer == "l" ? WriteErrorChoice::SkipAll : WriteErrorChoice::Skip;
}
