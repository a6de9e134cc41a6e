// vornix-cli recover SOURCE (--partition N | --range FIRST END --fs NAME) --dest DIR
//     [--path GLOB]... [--deleted include|exclude|only] [--ext EXT]...
//     [--fat-mode auto|fat1|fat2|contiguous] [--on-clash ask|yes|no|rename]
// Scans as `scan` does, ticks the items whose path matches a pattern (all of
// them without one) and runs the saving walk with the options given, writing
// the Recovery History report. Exit code 0 only on "Saving completed successfully.".
#include "app/prompt.h"
#include "app/recovery_job.h"
#include "app/report.h"
#include "cli/cli_prompt.h"
#include "cli/commands.h"
#include "cli/scan_source.h"
#include "found/folder_tree.h"
#include "platform/free_space.h"
#include "platform/folders.h"
#include "platform/text_codec.h"
#include "saving/file_extraction.h"
#include "saving/saving_run.h"

#include <fnmatch.h>
#include <iostream>

namespace {

struct RecoverOptions {
    std::string destination;
    std::vector<std::string> patterns;
};

bool SetChoice(const std::string& value, const std::vector<std::string>& names, int& out) {
    for (size_t i = 0; i < names.size(); ++i)
        if (value == names[i]) {
            out = static_cast<int>(i);
            return true;
        }
    return false;
}

bool Matches(const std::vector<std::string>& patterns, const std::string& path) {
    if (patterns.empty()) return true;
    for (const std::string& p : patterns)
        if (fnmatch(p.c_str(), path.c_str(), 0) == 0) return true;
    return false;
}

// Ticks what the patterns name: a folder with everything below it, a file on
// its own, and the folders above a ticked item, so that the walk reaches it.
void TickMatches(FolderTree& tree, const std::vector<std::string>& patterns) {
    const auto& nodes = tree.Nodes();
    std::vector<bool> whole(nodes.size(), false);
    whole[0] = patterns.empty();
    for (size_t i = 1; i < nodes.size(); ++i)
        whole[i] = whole[nodes[i].parent] || Matches(patterns, tree.Path(i));
    auto tickUp = [&](size_t node) {
        for (size_t at = node;; at = nodes[at].parent) {
            tree.Node(at).ticked = true;
            if (at == 0) break;
        }
    };
    for (size_t i = 0; i < nodes.size(); ++i) {
        std::string folderPath = tree.Path(i);
        for (uint32_t index : theStore.ChildFiles(tree.FolderId(i))) {
            FoundFile& file = theStore.File(index);
            std::string name = DisplayName(file.shortName, file.longName);
            if (whole[i] || Matches(patterns, folderPath.empty() ? name : folderPath + "/" + name)) {
                file.selected = 'y';
                tickUp(i);
            }
        }
        if (whole[i]) tickUp(i);
    }
}

// The destination dialog's checks: the folder is created when missing.
bool PrepareDestination(const std::string& path) {
    if (path.empty() || (!platform::FolderExists(path) && !platform::CreateFolderPath(path)) ||
        !platform::FolderExists(path)) {
        ShowMessage("Not a valid Destination. Please specify destination.");
        return false;
    }
    return true;
}

}  // namespace

int RunRecover(const Arguments& args, CliPrompt& prompt) {
    ScanOptions scan;
    RecoverOptions recover;
    theSavingRun.Reset();
    SavingOptions& options = theSavingOptions;
    ExtraArgument extra = [&](const Arguments& a, size_t& i) {
        if (i + 1 >= a.size()) return false;
        const std::string& flag = a[i];
        const std::string& value = a[i + 1];
        int choice = 0;
        bool ok = true;
        if (flag == "--dest") recover.destination = value;
        else if (flag == "--path") recover.patterns.push_back(value);
        else if (flag == "--ext") options.extensions.push_back(platform::Utf8ToUtf16(value));
        else if (flag == "--deleted" && SetChoice(value, {"include", "exclude", "only"}, choice))
            options.deleted = static_cast<DeletedFilter>(choice);
        else if (flag == "--fat-mode" && SetChoice(value, {"auto", "fat1", "fat2", "contiguous"}, choice))
            options.fatMode = static_cast<FatSavingMode>(choice);
        else if (flag == "--on-clash") ok = prompt.SetClashPolicy(value);
        else ok = false;
        if (ok) ++i;
        return ok;
    };
    const char* usage =
        "vornix-cli recover SOURCE (--partition N | --range FIRST END --fs NAME) --dest DIR [--path GLOB]... "
        "[--deleted include|exclude|only] [--ext EXT]... [--fat-mode auto|fat1|fat2|contiguous] "
        "[--on-clash ask|yes|no|rename]";
    if (!ParseScanOptions(args, prompt, scan, usage, extra)) return 2;
    if (recover.destination.empty()) {
        std::cerr << "usage: " << usage << "\n";
        return 2;
    }
    if (!ScanSource(scan)) return 1;
    if (!PrepareDestination(recover.destination)) return 1;

    const std::string& fs = theJob.fileSystemName;
    FolderTree tree(theStore, static_cast<uint16_t>(theStore.currentFileSystem), RootIdOf(fs));
    TickMatches(tree, recover.patterns);
    std::atomic<bool> stop{false};
    CountSelection(tree, fs, stop);
    if (theSavingRun.selectedCount < 1) {
        ShowMessage("You have not selected any file/folder.");
        return 1;
    }
    if (theSavingRun.selectedBytes >= platform::SpaceForPath(recover.destination).freeBytes &&
        !AskQuestion(FreeSpaceQuestion(theSavingRun.selectedBytes)))
        return 1;

    theSavingRun.destination = recover.destination;
    WriteSavingHeader();
    SaveSelection(tree, fs);
    WriteSavingReport();
    std::string result = SavingResult();
    std::cout << result << '\n';
    AppendReportLine(kRecoveryHistory, result);
    return result == "Saving completed successfully." ? 0 : 1;
}
