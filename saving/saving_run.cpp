#include "saving/saving_run.h"

#include "app/recovery_job.h"
#include "app/report.h"
#include "platform/folders.h"
#include "platform/text_codec.h"
#include "saving/file_extraction.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

SavingRun theSavingRun;

namespace {

bool IsScannedFileSystem(const std::string& fs) {
    return fs == "FAT12" || fs == "FAT16" || fs == "FAT32" || fs == "NTFS";
}

// The files of one folder that pass the walk's tests, in store order.
template <typename Visit>
void ForEachTakenFile(uint32_t folderId, const std::string& fs, Visit visit) {
    for (uint32_t index : theStore.ChildFiles(folderId)) {
        const FoundFile& file = theStore.Files()[index];
        if (!FileSelectedByOptions(file, theSavingOptions) || !PassesDateRanges(file, fs, theSavingOptions)) continue;
        if (!visit(file)) return;
    }
}

void CountFolderFiles(uint32_t folderId, const std::string& fs) {
    ForEachTakenFile(folderId, fs, [&](const FoundFile& file) {
        std::u16string name = DisplayNameOf(file.shortName, file.longName);
        if (PassesDeletedFilter(file.deleted, theSavingOptions) && PassesExtensionFilter(name, theSavingOptions)) {
            ++theSavingRun.selectedCount;
            theSavingRun.selectedBytes += file.size;
        }
        return true;
    });
}

void CountNode(FolderTree& tree, size_t node, const std::string& fs, const std::atomic<bool>& stop) {
    const FolderNode& n = tree.Node(node);
    if (stop || (theSavingOptions.filesToSave == FilesToSave::Selected && !n.ticked)) return;
    if (node == 0) CountFolderFiles(tree.RootId(), fs);
    for (size_t child : n.children) {
        if (!ItemTakenByOptions(tree.Node(child).ticked, theSavingOptions)) continue;
        if (IsScannedFileSystem(fs)) CountFolderFiles(tree.FolderId(child), fs);
        CountNode(tree, child, fs, stop);
    }
}

void SaveFolderFiles(const std::string& folder, uint32_t folderId, const std::string& fs) {
    SavingRun& run = theSavingRun;
    if (run.abort || folderId == kLostFolderId) return;
    ForEachTakenFile(folderId, fs, [&](const FoundFile& file) {
        SaveTarget target{folder, SafeFileName(DisplayNameOf(file.shortName, file.longName))};
        if (fs == "NTFS") SaveNtfsFile(target, file, RecordSectorOf(file), true);
        else SaveFatFile(target, file, true);
        return !run.abort;
    });
}

// The folders of the walk: a folder's own files, then its subfolders.
void SaveNode(FolderTree& tree, size_t node, const std::string& folder, const std::string& fs) {
    SavingRun& run = theSavingRun;
    const FolderNode& n = tree.Node(node);
    if (theSavingOptions.filesToSave == FilesToSave::Selected && !n.ticked) return;
    if (node == 0) {
        platform::CreateFolderPath(folder);
        SaveFolderFiles(folder, tree.RootId(), fs);
    }
    for (size_t child : n.children) {
        if (run.abort) return;
        if (!ItemTakenByOptions(tree.Node(child).ticked, theSavingOptions)) continue;
        std::string name = platform::Utf16ToUtf8(SafeFileName(platform::Utf8ToUtf16(tree.Label(child))));
        std::string childFolder = platform::JoinPath(folder, name);
        if (!platform::FolderExists(childFolder)) platform::CreateFolderPath(childFolder);
        uint32_t id = tree.FolderId(child);
        if (IsScannedFileSystem(fs) && id != 0) SaveFolderFiles(childFolder, id, fs);
        SaveNode(tree, child, childFolder, fs);
    }
}

std::string MinutesSeconds(int64_t seconds) {
    return std::to_string(seconds / 60) + " Min " + std::to_string(seconds % 60) + " Sec";
}

}  // namespace

SavingRun::Texts SavingRun::Shown() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_texts;
}

void SavingRun::SetShown(const Texts& texts) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_texts = texts;
}

void SavingRun::Reset() {
    destination.clear();
    selectedCount = 0;
    selectedBytes = 0;
    bytesCopied = 0;
    filesSaved = 0;
    replaceChoice = ReplaceChoice::Yes;
    skipCurrent = false;
    skipAllWriteErrors = false;
    abort = false;
    currentPercent = 0;
    overallPercent = 0;
    refreshCounter = 0;
    pausedSeconds = 0;
    elapsedBase = static_cast<int64_t>(std::time(nullptr));
    SetShown(Texts());
    control.Rearm();
}

std::string SavingSizeText(uint64_t bytes) {
    char text[48];
    if (bytes <= (1ull << 30)) std::snprintf(text, sizeof text, "%.3f MB size in", bytes / 1048576.0);
    else std::snprintf(text, sizeof text, "%.3f GB size in", bytes / 1073741824.0);
    return text;
}

std::string FreeSpaceQuestion(uint64_t bytes) {
    std::string size = SavingSizeText(bytes);
    return "Insufficient free space on destination drive. Selected file/folder requires " +
           size.substr(0, size.find(" size")) + " of free space. Press Yes if you want continue with it.";
}

void CountSelection(FolderTree& tree, const std::string& fs, const std::atomic<bool>& stop) {
    theSavingRun.selectedCount = 0;
    theSavingRun.selectedBytes = 0;
    CountNode(tree, 0, fs, stop);
}

void SaveSelection(FolderTree& tree, const std::string& fs) {
    theSavingRun.elapsedBase = static_cast<int64_t>(std::time(nullptr));
    SaveNode(tree, 0, theSavingRun.destination, fs);
}

void UpdateSavingProgress(uint64_t written, uint64_t fileSize) {
    SavingRun& run = theSavingRun;
    int current = run.currentPercent;
    if (written != 0 && fileSize != 0) current = static_cast<int>(std::min<uint64_t>(written * 100 / fileSize, 100));
    run.currentPercent = current;
    uint64_t copied = run.bytesCopied;
    if (copied != 0 && run.selectedBytes != 0)
        run.overallPercent = static_cast<int>(std::min<uint64_t>(copied * 100 / run.selectedBytes, 100));
    if (++run.refreshCounter <= 999 && current != 100) return;
    run.refreshCounter = 0;
    if (run.detailsHidden) return;
    SavingRun::Texts shown = run.Shown();
    shown.sizeCopied = SavingSizeText(copied);
    int64_t elapsed = static_cast<int64_t>(std::time(nullptr)) - run.pausedSeconds - run.elapsedBase;
    if (elapsed <= 0) {
        shown.timeElapsed = shown.timeRemaining = "00:00:00";
    } else if (uint64_t rate = copied / static_cast<uint64_t>(elapsed); rate != 0) {
        uint64_t left = run.selectedBytes > copied ? run.selectedBytes - copied : 0;
        shown.timeRemaining = MinutesSeconds(static_cast<int64_t>(left / rate));
        shown.timeElapsed = MinutesSeconds(elapsed);
    }
    run.SetShown(shown);
}

void WriteSavingHeader() {
    AppendReportLine(kRecoveryHistory, "-----------------------Start--------------------------");
    AppendReportLine(kRecoveryHistory, theJob.windowTitle);
    AppendReportLine(kRecoveryHistory, theJob.versionText);
    AppendReportLine(kRecoveryHistory, theJob.startStamp);
}

std::string SavingResult() {
    return theSavingRun.bytesCopied == theSavingRun.selectedBytes ? "Saving completed successfully."
                                                                    : "Saving not completed successfully.";
}

void WriteSavingReport() {
    SavingRun::Texts shown = theSavingRun.Shown();
    auto line = [](const std::string& text) { AppendReportLine(kRecoveryHistory, text); };
    line("");
    line("Saving Report :");
    line("--------------");
    line("Time Elapsed : " + shown.timeElapsed);
    line("Time Remaining : " + shown.timeRemaining);
    line("Size Required : " + shown.sizeRequired);
    line("Size Copied : " + shown.sizeCopied);
    line("Last Name : " + shown.lastName);
    line("Directory Name : " + shown.directoryName);
}
