#pragma once
// Step 4 without its window: the rows of the list, the ticking rules of the
// tree and the list, the rename check and the summary text.
#include "found/folder_tree.h"
#include "found/scan_progress.h"

#include <string>
#include <vector>

struct ListRow {
    bool folder = false;
    int64_t index = -1;        // in the store's folders or files
    std::string name;
    std::string type;          // "Folder", "Deleted Folder", "File", "Deleted File"
    uint64_t size = 0;
    std::string modified, created, accessed;
    uint64_t dateKeys[3] = {};  // sort keys of the three dates (FILETIME, or DOS date and time)
    uint64_t id = 0;           // the folder's tree node, or the file's serial
    bool ticked = false;
    bool deleted = false;
};

// The rows of the folder shown by `node`: its folders, then its files.
std::vector<ListRow> ListRowsOf(const FolderTree& tree, size_t node, bool ntfs);

// Ticking a tree folder ticks its subtree and selects their files, and ticks
// the boxes of the folders above it; unticking unticks the subtree and its
// files. The root acts on every folder and file at once.
// `progress` (optional) gets the share of folders done and can stop the work.
void TickFolder(FolderTree& tree, size_t node, bool tick, ScanProgress* progress = nullptr);
// A folder row unticked in the list: the folder as above, then its parents
// that hold nothing ticked any more.
void UntickFolderRow(FolderTree& tree, size_t node);
// A file row of the folder `node`: ticking ticks the boxes of the folder and
// its ancestors; unticking unticks those that hold nothing ticked any more.
void TickFileRow(FolderTree& tree, size_t node, size_t fileIndex, bool tick);
// A folder holds something ticked: one of its folders or files is selected.
bool HoldsAnythingTicked(const FolderTree& tree, size_t node);

// A new name for a found item: not empty, not "." or "..", none of the
// characters Windows refuses in file names (\ / : * ? " < > | and controls).
bool IsValidNewName(const std::u16string& name);

// "12.345 MB size in 3 Directories 42 Files".
std::string SummaryText(const FoundItemStore& store);
