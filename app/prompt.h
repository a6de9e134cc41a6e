#pragma once
// How the engine asks the user. The GUI answers with the program's dialogs,
// the command-line program with the terminal and its options, tests with
// scripted answers. Any thread may ask: a worker's question waits until the
// user has answered on the user-interface thread.
#include "app/recovery_job.h"

enum class ReplaceChoice : int { Yes = 0, No = 1, YesToAll = 2, NoToAll = 3, Rename = 4, RenameAll = 5 };
enum class WriteErrorChoice : int { Abort, Skip, SkipAll };

#include <string>

class Prompt {
public:
    virtual ~Prompt() = default;
    // The program's message box; returns whether the offered "View Report"
    // box was ticked (false when it was not offered).
    virtual bool ShowMessage(const std::string& text, bool offerViewReport) = 0;
    // The Yes/No question box; true for Yes.
    virtual bool AskQuestion(const std::string& text) = 0;
    // The "Bad Sectors Encountered" prompt.
    virtual BadSectorAction AskBadSectors() = 0;
    // The Replace dialog for a file that exists at the destination.
    virtual ReplaceChoice AskReplace() { return ReplaceChoice::No; }
    // "Error Writing Destination" for a file that cannot be created.
    virtual WriteErrorChoice AskWriteError() { return WriteErrorChoice::Skip; }
    // A system-modal error box under the program's message caption, shown
    // just before the program ends (memory exhaustion).
    virtual void ShowSystemError(const std::string& text) { ShowMessage(text, false); }
    // Shows a report file when the desktop has no handler for text files.
    virtual void ShowTextFile(const std::string& path) = 0;
    // Ends the process at once with exit code 0.
    virtual void ExitProcess();
};

// The prompt in use; until one is set, a prompt that shows nothing, answers
// No and Skip, and exits for real.
Prompt& CurrentPrompt();
void SetPrompt(Prompt* prompt);

// Shorthands over CurrentPrompt().
bool ShowMessage(const std::string& text, bool offerViewReport = false);
bool AskQuestion(const std::string& text);

// Ends the process at once with exit code 0: no cleanup runs, nothing is
// saved (every report line is already closed on disk).
void ExitProgram();
