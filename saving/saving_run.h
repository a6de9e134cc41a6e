#pragma once
// The state of one saving run and the walk that writes the ticked folders
// and files of the Step 4 tree to the destination.
#include "app/prompt.h"
#include "found/folder_tree.h"
#include "found/scan_progress.h"
#include "saving/saving_options.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>


struct SavingRun {
    std::string destination;
    int selectedCount = 0;
    uint64_t selectedBytes = 0;
    std::atomic<uint64_t> bytesCopied{0};
    std::atomic<int> filesSaved{0};
    ReplaceChoice replaceChoice = ReplaceChoice::Yes;
    std::atomic<bool> skipCurrent{false};
    std::atomic<bool> skipAllWriteErrors{false};
    std::atomic<bool> abort{false};
    // Pause between blocks (SafePoint) and the end of a stopped run (Cancel).
    ScanProgress control;

    // What the progress dialog shows.
    std::atomic<int> currentPercent{0};
    std::atomic<int> overallPercent{0};
    std::atomic<bool> detailsHidden{false};
    int refreshCounter = 0;
    int64_t elapsedBase = 0;      // seconds since 1970 at the start of the run
    int64_t pausedSeconds = 0;
    struct Texts {
        std::string timeElapsed = "00:00:00", timeRemaining = "00:00:00", sizeRequired, sizeCopied, lastName,
                    directoryName;
    };
    Texts Shown() const;
    void SetShown(const Texts& texts);

    // The state a new destination dialog starts from.
    void Reset();

private:
    mutable std::mutex m_mutex;
    Texts m_texts;
};

extern SavingRun theSavingRun;

// "%.3f MB size in" up to 2^30 bytes, else "%.3f GB size in".
std::string SavingSizeText(uint64_t bytes);

// "Insufficient free space on destination drive. Selected file/folder requires
// ... of free space. Press Yes if you want continue with it."
std::string FreeSpaceQuestion(uint64_t bytes);

// The size calculation: files and bytes the run will write, by the same
// tests as the walk. `stop` ends the count early.
void CountSelection(FolderTree& tree, const std::string& fileSystemName, const std::atomic<bool>& stop);
// The saving walk of the whole tree into theSavingRun.destination.
void SaveSelection(FolderTree& tree, const std::string& fileSystemName);
// The progress update after every block.
void UpdateSavingProgress(uint64_t writtenOfFile, uint64_t fileSize);

// Recovery History: the start lines, the run report and its result line.
void WriteSavingHeader();
std::string SavingResult();   // "Saving completed successfully." or "Saving not completed successfully."
void WriteSavingReport();
