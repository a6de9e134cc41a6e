#include "found/step4_selection.h"

#include "found/found_dates.h"
#include "found/scan_progress.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace {

// The sort keys of a record's dates: NTFS FILETIMEs, FAT date then time.
template <typename Record>
void SetDateKeys(const Record& r, bool ntfs, ListRow& row) {
    const FoundTimes& t = r.times;
    if (ntfs) {
        for (int i = 0; i < 3; ++i) row.dateKeys[i] = uint64_t{t[2 * i]} | uint64_t{t[2 * i + 1]} << 32;
    } else {
        row.dateKeys[0] = uint64_t{t[0]} << 16 | t[1];
        row.dateKeys[1] = uint64_t{t[2]} << 16 | t[3];
        row.dateKeys[2] = uint64_t{t[4]} << 16;
    }
}

FoundFolder& FolderOf(FolderTree& tree, size_t node) {
    return theStore.Folder(static_cast<size_t>(tree.Node(node).folder));
}

// Selects or unselects the files of a folder id.
void SelectFiles(uint32_t folderId, bool tick) {
    for (uint32_t index : theStore.ChildFiles(folderId)) theStore.File(index).selected = tick ? 'y' : 'n';
}

// Up from `node` (a folder that may now hold nothing ticked) to the root:
// unticks every folder that holds nothing, stopping at one that does.
void UntickEmptyAncestors(FolderTree& tree, size_t node) {
    for (size_t at = node; at != 0; at = tree.Node(at).parent) {
        if (HoldsAnythingTicked(tree, at)) return;
        tree.Node(at).ticked = false;
        FolderOf(tree, at).selected = 'n';
    }
    if (!HoldsAnythingTicked(tree, 0)) tree.Node(0).ticked = false;
}

}  // namespace

std::vector<ListRow> ListRowsOf(const FolderTree& tree, size_t node, bool ntfs) {
    std::vector<ListRow> rows;
    for (size_t child : tree.Nodes()[node].children) {
        const FoundFolder& f = theStore.Folders()[static_cast<size_t>(tree.Nodes()[child].folder)];
        ListRow row;
        row.folder = true;
        row.index = tree.Nodes()[child].folder;
        row.name = DisplayName(f.shortName, f.longName);
        row.deleted = f.deleted == 'y';
        row.type = row.deleted ? "Deleted Folder" : "Folder";
        row.modified = ListDate(f.times, DateColumn::Modified, ntfs);
        row.created = ListDate(f.times, DateColumn::Created, ntfs);
        row.accessed = ListDate(f.times, DateColumn::Accessed, ntfs);
        row.id = child;
        row.ticked = f.selected == 'y';
        SetDateKeys(f, ntfs, row);
        rows.push_back(row);
    }
    for (uint32_t index : theStore.ChildFiles(tree.FolderId(node))) {
        const FoundFile& f = theStore.Files()[index];
        ListRow row;
        row.index = index;
        row.name = DisplayName(f.shortName, f.longName);
        row.deleted = f.deleted == 'y';
        row.type = row.deleted ? "Deleted File" : "File";
        row.size = f.size;
        row.modified = ListDate(f.times, DateColumn::Modified, ntfs);
        row.created = ListDate(f.times, DateColumn::Created, ntfs);
        row.accessed = ListDate(f.times, DateColumn::Accessed, ntfs);
        row.id = f.serial;
        row.ticked = f.selected == 'y';
        SetDateKeys(f, ntfs, row);
        rows.push_back(row);
    }
    return rows;
}

void TickFolder(FolderTree& tree, size_t node, bool tick, ScanProgress* progress) {
    char mark = tick ? 'y' : 'n';
    if (node == 0) {
        for (size_t i = 0; i < tree.Nodes().size(); ++i) tree.Node(i).ticked = tick;
        for (size_t i = 1; i < tree.Nodes().size(); ++i) FolderOf(tree, i).selected = mark;
        for (size_t i = 0; i < theStore.Files().size(); ++i) theStore.File(i).selected = mark;
        return;
    }
    // The boxes of the folders above a ticked folder are ticked too (only the
    // boxes), as for a ticked file: the saving walk must reach it.
    if (tick)
        for (size_t at = tree.Node(node).parent;; at = tree.Node(at).parent) {
            tree.Node(at).ticked = true;
            if (at == 0) break;
        }
    std::vector<size_t> pending{node};
    size_t visited = 0, total = tree.Nodes().size();
    while (!pending.empty()) {
        if (progress) {
            if (!progress->SafePoint()) return;
            progress->progressValue = static_cast<int>(std::min<size_t>(++visited * 100 / total, 100));
        }
        size_t at = pending.back();
        pending.pop_back();
        tree.Node(at).ticked = tick;
        FolderOf(tree, at).selected = mark;
        SelectFiles(tree.FolderId(at), tick);
        for (size_t child : tree.Node(at).children) pending.push_back(child);
    }
}

void UntickFolderRow(FolderTree& tree, size_t node) {
    TickFolder(tree, node, false);
    UntickEmptyAncestors(tree, tree.Node(node).parent);
}

void TickFileRow(FolderTree& tree, size_t node, size_t fileIndex, bool tick) {
    theStore.File(fileIndex).selected = tick ? 'y' : 'n';
    if (tick) {
        for (size_t at = node;; at = tree.Node(at).parent) {
            tree.Node(at).ticked = true;
            if (at == 0) return;
        }
    }
    UntickEmptyAncestors(tree, node);
}

bool HoldsAnythingTicked(const FolderTree& tree, size_t node) {
    for (size_t child : tree.Nodes()[node].children)
        if (theStore.Folders()[static_cast<size_t>(tree.Nodes()[child].folder)].selected == 'y') return true;
    for (uint32_t index : theStore.ChildFiles(tree.FolderId(node)))
        if (theStore.Files()[index].selected == 'y') return true;
    return false;
}

bool IsValidNewName(const std::u16string& name) {
    if (name.empty() || name == u"." || name == u"..") return false;
    for (char16_t c : name)
        if (c < 0x20 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos) return false;
    return true;
}

std::string SummaryText(const FoundItemStore& store) {
    char text[160];
    uint64_t total = store.totalSize;
    if (total <= 0x40000000ull) std::snprintf(text, sizeof text, "%.3f MB size in", total / 1048576.0);
    else std::snprintf(text, sizeof text, "%.3f GB size in", total / 1073741824.0);
    return std::string(text) + " " + std::to_string(store.folderCount.load()) + " Directories " +
           std::to_string(store.fileCount.load()) + " Files";
}
