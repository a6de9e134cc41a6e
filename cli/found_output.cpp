#include "cli/found_output.h"

#include "found/found_dates.h"

#include <cstdio>
#include <unordered_set>

namespace {

uint32_t RootId(bool ntfs) { return ntfs ? 5 : 0; }

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string JsonDate(const FoundTimes& times, DateColumn column, bool ntfs) {
    std::string date = IsoDate(times, column, ntfs);
    return date.empty() ? "null" : JsonString(date);
}

// The "/"-separated path of the folder with this id from the root; empty
// when its parent chain does not reach the root.
std::string FolderPath(const FoundItemStore& store, uint32_t id, uint16_t number, bool ntfs) {
    std::string path;
    std::unordered_set<uint32_t> seen;
    while (id != RootId(ntfs)) {
        int64_t index = store.FindFolder(id, number);
        if (index < 0 || !seen.insert(id).second) return {};
        const FoundFolder& folder = store.Folders()[static_cast<size_t>(index)];
        std::string name = DisplayName(folder.shortName, folder.longName);
        path = path.empty() ? name : name + "/" + path;
        id = folder.parentId;
    }
    return path;
}

template <typename Record>
void PrintRow(const Record& r, bool folder, uint64_t size, uint32_t id, bool ntfs, int depth, std::ostream& out) {
    const char* type = folder ? (r.deleted == 'y' ? "Deleted Folder" : "Folder")
                              : (r.deleted == 'y' ? "Deleted File" : "File");
    out << std::string(size_t(depth) * 2, ' ') << DisplayName(r.shortName, r.longName) << "  [" << type << "]  "
        << size << "  " << ListDate(r.times, DateColumn::Modified, ntfs)
        << "  " << ListDate(r.times, DateColumn::Created, ntfs) << "  "
        << ListDate(r.times, DateColumn::Accessed, ntfs) << "  id " << id << '\n';
}

void PrintChildren(const FoundItemStore& store, uint32_t parentId, bool ntfs, int depth,
                   std::unordered_set<uint32_t>& shown, std::ostream& out) {
    for (uint32_t index : store.ChildFolders(parentId)) {
        const FoundFolder& folder = store.Folders()[index];
        if (folder.fileSystemNumber != store.currentFileSystem || !shown.insert(folder.ownId).second) continue;
        PrintRow(folder, true, 0, folder.ownId, ntfs, depth, out);
        PrintChildren(store, folder.ownId, ntfs, depth + 1, shown, out);
    }
    for (uint32_t index : store.ChildFiles(parentId)) {
        const FoundFile& file = store.Files()[index];
        PrintRow(file, false, file.size, file.serial, ntfs, depth, out);
    }
}

}  // namespace

void PrintFoundTree(const FoundItemStore& store, bool ntfs, std::ostream& out) {
    out << "Root\n";
    std::unordered_set<uint32_t> shown{RootId(ntfs)};
    PrintChildren(store, RootId(ntfs), ntfs, 1, shown, out);
}

void PrintFoundJson(const FoundItemStore& store, bool ntfs, std::ostream& out) {
    auto number = static_cast<uint16_t>(store.currentFileSystem);
    auto print = [&](const auto& r, const char* kind, uint64_t size) {
        std::string name = DisplayName(r.shortName, r.longName);
        std::string parentPath = r.parentId == RootId(ntfs) ? std::string() : FolderPath(store, r.parentId, number, ntfs);
        bool reached = r.parentId == RootId(ntfs) || !parentPath.empty();
        std::string path = reached ? (parentPath.empty() ? name : parentPath + "/" + name) : std::string();
        out << "{\"kind\":\"" << kind << "\",\"name\":" << JsonString(name) << ",\"path\":" << JsonString(path)
            << ",\"deleted\":" << (r.deleted == 'y' ? "true" : "false") << ",\"size\":" << size
            << ",\"id\":" << r.ownId << ",\"parent\":" << r.parentId << ",\"sector\":" << r.sector
            << ",\"modified\":" << JsonDate(r.times, DateColumn::Modified, ntfs)
            << ",\"created\":" << JsonDate(r.times, DateColumn::Created, ntfs)
            << ",\"accessed\":" << JsonDate(r.times, DateColumn::Accessed, ntfs) << "}\n";
    };
    for (const FoundFolder& folder : store.Folders()) print(folder, "folder", 0);
    for (const FoundFile& file : store.Files()) print(file, "file", file.size);
}
