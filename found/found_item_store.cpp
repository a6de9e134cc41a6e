#include "found/found_item_store.h"

#include "app/prompt.h"
#include "found/scan_progress.h"
#include "platform/text_codec.h"

#include <algorithm>
#include <cstdlib>
#include <new>

FoundItemStore theStore;

namespace {

const std::vector<uint32_t> kNoChildren;

template <typename Append>
void Guarded(Append append) {
    try {
        append();
    } catch (const std::bad_alloc&) {
        OutOfMemory("Out Of Memory");
    }
}

// A record holds the 8-bit name when it has one, else the UTF-16 name.
template <typename Record>
void SetNames(Record& record, const std::string& name8, const std::u16string& name16) {
    record.shortName = name8;
    record.longName = name8.empty() ? name16 : std::u16string();
}

int Percent(size_t done, size_t total) {
    return total == 0 ? 100 : static_cast<int>(std::min<size_t>(done * 100 / total, 100));
}

}  // namespace

void FoundItemStore::IndexFolder(uint32_t index) {
    const FoundFolder& folder = m_folders[index];
    m_folderById.emplace(Key(folder.ownId, folder.fileSystemNumber), index);
    m_folderChildren[folder.parentId].push_back(index);
}

void FoundItemStore::MoveFolderParent(uint32_t index, uint32_t newParent) {
    FoundFolder& folder = m_folders[index];
    if (folder.parentId == newParent) return;
    std::vector<uint32_t>& siblings = m_folderChildren[folder.parentId];
    siblings.erase(std::find(siblings.begin(), siblings.end(), index));
    folder.parentId = newParent;
    std::vector<uint32_t>& children = m_folderChildren[newParent];
    children.insert(std::lower_bound(children.begin(), children.end(), index), index);
}

void FoundItemStore::AddFolder(const std::string& name8, const std::u16string& name16, char deleted,
                               uint32_t parentId, uint32_t ownId, uint32_t sector, const FoundTimes& times,
                               uint16_t fileSystemNumber) {
    if (ownId != 0) {
        auto existing = m_folderById.find(Key(ownId, fileSystemNumber));
        if (existing != m_folderById.end()) {
            // An existing folder takes the place of a deleted record of itself.
            uint32_t index = existing->second;
            FoundFolder& folder = m_folders[index];
            if (folder.deleted != 'y' || deleted == 'y') return;
            SetNames(folder, name8, name16);
            folder.deleted = deleted;
            folder.kind = 'D';
            folder.times = times;
            folder.sector = sector;
            folder.selected = 'n';
            MoveFolderParent(index, parentId);
            return;
        }
    }
    Guarded([&] {
        FoundFolder folder;
        SetNames(folder, name8, name16);
        folder.deleted = deleted;
        folder.times = times;
        folder.parentId = parentId;
        folder.ownId = ownId;
        folder.sector = sector;
        folder.fileSystemNumber = fileSystemNumber;
        m_folders.push_back(std::move(folder));
        IndexFolder(static_cast<uint32_t>(m_folders.size() - 1));
    });
    ++folderCount;
}

void FoundItemStore::AddFile(const std::string& name8, const std::u16string& name16, char deleted,
                             uint32_t sizeLow, uint32_t sizeHigh, uint32_t parentId, uint32_t ownId,
                             uint32_t sector, const FoundTimes& times) {
    Guarded([&] {
        FoundFile file;
        SetNames(file, name8, name16);
        file.deleted = deleted;
        file.times = times;
        file.serial = static_cast<uint32_t>(fileCount.load());
        file.size = uint64_t{sizeHigh} << 32 | sizeLow;
        file.parentId = parentId;
        file.ownId = ownId;
        file.sector = sector;
        m_files.push_back(std::move(file));
        m_fileChildren[parentId].push_back(static_cast<uint32_t>(m_files.size() - 1));
    });
    ++fileCount;
}

void FoundItemStore::ClearFoundItems() {
    m_folders.clear();
    m_files.clear();
    m_folderById.clear();
    m_folderChildren.clear();
    m_fileChildren.clear();
    folderCount = 0;
    fileCount = 0;
}

int64_t FoundItemStore::FindFolder(uint32_t ownId, uint16_t fileSystemNumber) const {
    auto it = m_folderById.find(Key(ownId, fileSystemNumber));
    return it == m_folderById.end() ? -1 : int64_t{it->second};
}

const std::vector<uint32_t>& FoundItemStore::ChildFolders(uint32_t parentId) const {
    auto it = m_folderChildren.find(parentId);
    return it == m_folderChildren.end() ? kNoChildren : it->second;
}

const std::vector<uint32_t>& FoundItemStore::ChildFiles(uint32_t parentId) const {
    auto it = m_fileChildren.find(parentId);
    return it == m_fileChildren.end() ? kNoChildren : it->second;
}

void FoundItemStore::AddDirectoryHit(const DirectoryHit& hit) {
    Guarded([&] { directoryHits.push_back(hit); });
}

void FoundItemStore::AddDirectoryHit(std::vector<DirectoryHit>& scratch, const DirectoryHit& hit) {
    Guarded([&] { scratch.push_back(hit); });
}

void FoundItemStore::AddMftFileHit(MftFileHit hit) {
    hit.fileCount = static_cast<uint32_t>(fileCount.load());
    Guarded([&] { mftFileHits.push_back(std::move(hit)); });
}

void FoundItemStore::AddIndexBlockHit(std::vector<IndexBlockHit>& list, const IndexBlockHit& hit) {
    Guarded([&] { list.push_back(hit); });
    ++indexBlockHitCount;
}

void FoundItemStore::AddNtfsBootHit(std::vector<NtfsBootHit>& list, const NtfsBootHit& hit) {
    Guarded([&] { list.push_back(hit); });
    ++bootHitCount;
}

void FoundItemStore::AddFatBootHit(std::vector<FatBootHit>& list, const FatBootHit& hit) {
    Guarded([&] { list.push_back(hit); });
    ++bootHitCount;
}

void FoundItemStore::AddFileSystemCandidate(std::vector<FileSystemCandidate>& list,
                                            const FileSystemCandidate& candidate) {
    Guarded([&] { list.push_back(candidate); });
}

void FoundItemStore::TransferHits(int32_t chosen, const std::string& fileSystemType, ScanProgress& progress) {
    bool ntfs = fileSystemType == "NTFS";
    auto number = static_cast<uint16_t>(chosen);
    progress.SetStatus(ntfs ? "Step 4.3/5 :- Dumping Files/Folders information for Selected File System. Please Wait...  "
                            : "Step 4/5 :- Dumping Folders information for Selected File System. Please Wait...  ");
    if (!directoryHits.empty()) {
        FoundTimes none{};
        if (ntfs) AddFolder("", u"Lost", 'n', 5, kLostFolderId, 0, none, number);
        else AddFolder("Lost", u"", 'n', 0, kLostFolderId, 0, none, number);
    } else if (!m_folders.empty()) {
        // Re-key the "Lost" folder of an earlier transfer.
        FoundFolder& first = m_folders.front();
        m_folderById.erase(Key(first.ownId, first.fileSystemNumber));
        first.fileSystemNumber = number;
        m_folderById.emplace(Key(first.ownId, number), 0);
    }

    size_t total = directoryHits.size() + mftFileHits.size(), done = 0;
    int counter = 0;
    for (const DirectoryHit& hit : directoryHits) {
        if (progress.stopRequested) break;
        ++done;
        if (ntfs && hit.ownId == 5) continue;
        std::string name8 = ntfs ? std::string() : "Dir" + std::to_string(folderCount.load());
        AddFolder(name8, ntfs ? hit.name : std::u16string(), hit.deleted, hit.parentId, hit.ownId, hit.sector,
                  hit.times, static_cast<uint16_t>(hit.mark));
        UpdateScanProgress(progress, totalSize, folderCount, fileCount, DisplayName(name8, hit.name), counter, 'c');
        progress.progressValue = Percent(done, total);
    }
    directoryHits.clear();
    if (ntfs) {
        for (const MftFileHit& hit : mftFileHits) {
            if (progress.stopRequested) break;
            AddFile("", hit.name, hit.deleted, static_cast<uint32_t>(hit.size), static_cast<uint32_t>(hit.size >> 32),
                    hit.parentId, hit.ownId, hit.sector, hit.times);
            totalSize += hit.size;
            UpdateScanProgress(progress, totalSize, folderCount, fileCount, DisplayName("", hit.name), counter, 'c');
            progress.progressValue = Percent(++done, total);
        }
        mftFileHits.clear();
    }
    progress.SetStatus("Step 5/5 :- Searching lost directories. Please Wait...  ");
    AdoptOrphans(chosen, ntfs ? 5 : 0, progress);
}

void FoundItemStore::AdoptOrphans(int32_t chosen, uint32_t rootId, ScanProgress& progress) {
    auto number = static_cast<uint16_t>(chosen);
    size_t count = m_folders.size();
    bool moved = false;
    for (size_t i = 0; i < count; ++i) {
        FoundFolder& folder = m_folders[i];
        if (folder.fileSystemNumber == number && folder.parentId != rootId &&
            FindFolder(folder.parentId, number) < 0) {
            folder.parentId = kLostFolderId;
            moved = true;
        }
        progress.progressValue = Percent(i + 1, count);
    }
    if (!moved) return;
    // Many orphans may leave one parent: index the children afresh, once.
    m_folderChildren.clear();
    for (uint32_t i = 0; i < count; ++i) m_folderChildren[m_folders[i].parentId].push_back(i);
}

std::string DisplayName(const std::string& name8, const std::u16string& name16) {
    return name8.empty() ? platform::Utf16ToUtf8(name16) : name8;
}

void OutOfMemory(const char* text) {
    CurrentPrompt().ShowSystemError(text);
    ExitProgram();
    std::_Exit(0);
}
