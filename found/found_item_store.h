#pragma once
// Everything a scan finds: the browsable folders and files, and the work
// lists of the searches that find structures anywhere on the medium (moved
// into folders and files by TransferHits).
//
// Ids: FAT uses the start cluster (the root is 0), NTFS the MFT record
// number (the root is 5); the synthetic folder "Lost" is 0x0FFFFFFF.
// Folders carry the number of the file system they belong to (0 from the
// quick scans); Step 4 shows those of the current number.
//
// Folders and files stay in insertion order. Indexes by (own id, file-system
// number) and by parent id keep adding, finding and listing children
// independent of the store's size. One worker writes at a time; the counts
// and the total size may be read meanwhile from another thread.
#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

constexpr uint32_t kLostFolderId = 0x0FFFFFFF;

// Six 32-bit time slots. NTFS: three FILETIMEs, low word first
// (modified, created, accessed). FAT: write date, write time, creation date,
// creation time, last-access date, 0.
using FoundTimes = std::array<uint32_t, 6>;

struct FoundFolder {
    std::string shortName;      // 8-bit name, or empty
    std::u16string longName;    // UTF-16 name when there is no 8-bit one
    char deleted = 'n';
    char kind = 'D';
    FoundTimes times{};
    uintptr_t treeItem = 0;     // the Step 4 tree item, once inserted
    uint32_t parentId = 0;
    uint32_t ownId = 0;
    uint32_t sector = 0;        // where a search found it; 0 from quick scans
    uint16_t fileSystemNumber = 0;
    char selected = 'n';
};

struct FoundFile {
    std::string shortName;
    std::u16string longName;
    char deleted = 'n';
    char kind = 'F';
    FoundTimes times{};
    uint32_t serial = 0;        // the file count when it was added
    uint64_t size = 0;
    uint32_t parentId = 0;
    uint32_t ownId = 0;
    uint32_t sector = 0;        // NTFS searches: the MFT record's sector
    char selected = 'n';
};

struct DirectoryHit {
    std::u16string name;        // NTFS: the directory's name; FAT: empty
    char deleted = 'n';
    FoundTimes times{};
    uint32_t parentId = 0;
    uint32_t ownId = 0;         // NTFS: 0 until learned from the index root
    uint32_t sector = 0;
    uint32_t indexAllocationStart = 0;
    int32_t mark = 0;           // file system matched; 0 not yet, -1 unmatched
};

struct MftFileHit {
    std::u16string name;
    char deleted = 'n';
    FoundTimes times{};
    uint32_t fileCount = 0;     // the store's file count when the hit was added
    uint64_t size = 0;
    uint32_t parentId = 0;
    uint32_t ownId = 0;
    uint32_t sector = 0;
};

struct IndexBlockHit {
    uint32_t sector = 0;
    uint32_t ownerMft = 0;
    uint32_t vcn = 0;
    int32_t mark = -1;
};

struct NtfsBootHit {
    uint32_t sector = 0;
    uint32_t sectorsPerCluster = 0;
    uint32_t indexBlockSectors = 0;
    uint32_t indexBlockSectors2 = 0;
    uint32_t totalSectors = 0;
    uint32_t mftLcn = 0;
    uint32_t mirrorLcn = 0;
};

struct FatBootHit {
    std::array<uint32_t, 10> values{};
    std::u16string fileSystemName;  // at most 9 characters
};

struct FileSystemCandidate {
    std::u16string fileSystemName;  // at most 9 characters
    std::array<uint32_t, 11> values{};
};

class ScanProgress;

class FoundItemStore {
public:
    // Appends a folder. A folder with the same own id (not 0) and file-system
    // number as one listed replaces it when that one is deleted and this one
    // is not; otherwise it is dropped. Only an appended folder counts.
    void AddFolder(const std::string& name8, const std::u16string& name16, char deleted, uint32_t parentId,
                   uint32_t ownId, uint32_t sector, const FoundTimes& times, uint16_t fileSystemNumber);
    // Appends a file with serial = file count. The total size is the
    // caller's to add.
    void AddFile(const std::string& name8, const std::u16string& name16, char deleted, uint32_t sizeLow,
                 uint32_t sizeHigh, uint32_t parentId, uint32_t ownId, uint32_t sector, const FoundTimes& times);
    // Frees every folder and file and zeroes both counts.
    void ClearFoundItems();
    // Index of the first folder with this own id and file-system number, or -1.
    int64_t FindFolder(uint32_t ownId, uint16_t fileSystemNumber) const;

    const std::deque<FoundFolder>& Folders() const { return m_folders; }
    const std::deque<FoundFile>& Files() const { return m_files; }
    FoundFolder& Folder(size_t index) { return m_folders[index]; }
    FoundFile& File(size_t index) { return m_files[index]; }
    // Indexes of the folders and files whose parent id is `parentId`, in order.
    const std::vector<uint32_t>& ChildFolders(uint32_t parentId) const;
    const std::vector<uint32_t>& ChildFiles(uint32_t parentId) const;

    // ---- counts (readable from another thread) ----
    std::atomic<int32_t> folderCount{0};
    std::atomic<int32_t> fileCount{0};
    std::atomic<uint64_t> totalSize{0};
    int32_t currentFileSystem = 0;

    // ---- hit lists of the searches ----
    std::vector<DirectoryHit> directoryHits;
    std::vector<MftFileHit> mftFileHits;
    std::vector<FileSystemCandidate> fileSystems;
    int32_t fileSystemsEnumerated = 0;
    int32_t indexBlockHitCount = 0;
    int32_t bootHitCount = 0;

    void AddDirectoryHit(const DirectoryHit& hit);
    // The non-counting variant: onto a list the caller owns.
    static void AddDirectoryHit(std::vector<DirectoryHit>& scratch, const DirectoryHit& hit);
    void AddMftFileHit(MftFileHit hit);
    void AddIndexBlockHit(std::vector<IndexBlockHit>& list, const IndexBlockHit& hit);
    void AddNtfsBootHit(std::vector<NtfsBootHit>& list, const NtfsBootHit& hit);
    void AddFatBootHit(std::vector<FatBootHit>& list, const FatBootHit& hit);
    static void AddFileSystemCandidate(std::vector<FileSystemCandidate>& list, const FileSystemCandidate& candidate);

    // Moves every hit into folders (and, for NTFS, files) of the chosen file
    // system, then adopts the orphans. `fileSystemType` is "NTFS" or a FAT name.
    void TransferHits(int32_t chosen, const std::string& fileSystemType, ScanProgress& progress);
    // Re-parents to "Lost" every folder of the file system whose parent is
    // not the root and not a folder of the same file system.
    void AdoptOrphans(int32_t chosen, uint32_t rootId, ScanProgress& progress);

private:
    static uint64_t Key(uint32_t ownId, uint16_t fileSystemNumber) {
        return uint64_t{ownId} << 16 | fileSystemNumber;
    }
    void IndexFolder(uint32_t index);
    void MoveFolderParent(uint32_t index, uint32_t newParent);

    std::deque<FoundFolder> m_folders;
    std::deque<FoundFile> m_files;
    std::unordered_map<uint64_t, uint32_t> m_folderById;  // first folder of each (own id, number)
    std::unordered_map<uint32_t, std::vector<uint32_t>> m_folderChildren;
    std::unordered_map<uint32_t, std::vector<uint32_t>> m_fileChildren;
};

// The process-wide store.
extern FoundItemStore theStore;

// The name a reader shows: the 8-bit name when there is one, else the UTF-16
// one, as UTF-8.
std::string DisplayName(const std::string& name8, const std::u16string& name16);

// Ends the program after "Out Of Memory" (store records) or "Not Enough
// Memory" (cluster lists) under the program's message caption.
[[noreturn]] void OutOfMemory(const char* text);
