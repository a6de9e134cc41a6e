#include "fat/fat_quick_scan.h"

#include "app/recovery_job.h"
#include "fat/directory_entry.h"
#include "fat/fat_volume.h"
#include "sectors/sector_source.h"

#include <vector>

namespace {

bool IsFat(const std::string& name) { return name == "FAT12" || name == "FAT16" || name == "FAT32"; }

// Reads a directory sector by sector and hands each entry to the store.
class DirectoryWalker {
public:
    DirectoryWalker(FoundItemStore& store, ScanProgress& progress, const VolumeGeometry& geometry)
        : m_store(store), m_progress(progress), m_geometry(geometry), m_pieces(PiecesOf(geometry)),
          m_buffer(size_t{m_pieces.sectorsPerPiece} * kSectorSize) {}

    // The FAT12/16 root: a fixed run of sectors.
    bool FixedRoot() {
        if (m_geometry.rootDirStart == 0) return true;
        for (uint32_t s = 0; s < m_geometry.rootDirSectors; ++s) {
            if (!m_progress.SafePoint()) return false;
            uint32_t sector = m_geometry.rootDirStart + s;
            ReadSectors(JobDevice(), sector, 1, m_buffer.data());
            uint32_t rootStart = m_geometry.rootDirStart;
            SectorEntries(m_buffer.data(), sector, [rootStart](uint32_t at) { return at > rootStart ? at - 1 : 0; },
                          0, 'n', FirstCluster::LowHalf);
        }
        return true;
    }

    // A directory held in a cluster chain: the FAT32 root (where an end
    // marker ends only its sector) or a subfolder (where it ends the folder).
    bool Chain(const std::vector<uint32_t>& clusters, uint32_t parentId, char parentDeleted, bool endEndsAll) {
        for (size_t k = 0; k < clusters.size(); ++k) {
            uint32_t start = ClusterSector(m_geometry, clusters[k]);
            uint32_t previousEnd = k == 0 ? 0 : ClusterSector(m_geometry, clusters[k - 1]) + m_geometry.sectorsPerCluster - 1;
            SectorBefore before = [start, previousEnd](uint32_t at) { return at > start ? at - 1 : previousEnd; };
            for (uint32_t p = 0; p < m_pieces.count; ++p) {
                if (!m_progress.SafePoint()) return false;
                uint32_t first = start + p * 8;
                ReadSectors(JobDevice(), first, m_pieces.sectorsPerPiece, m_buffer.data());
                for (uint32_t s = 0; s < m_pieces.sectorsPerPiece; ++s) {
                    bool ended = SectorEntries(m_buffer.data() + size_t{s} * kSectorSize, first + s, before, parentId,
                                               parentDeleted, FirstCluster::BothHalves);
                    if (ended && endEndsAll) return true;
                }
            }
        }
        return true;
    }

    // A subfolder's first piece must begin with its "." and ".." entries;
    // otherwise its cluster no longer holds a directory.
    bool HoldsDirectory(uint32_t cluster) {
        ReadSectors(JobDevice(), ClusterSector(m_geometry, cluster), m_pieces.sectorsPerPiece, m_buffer.data());
        const uint8_t* e = m_buffer.data();
        return e[0] == '.' && e[1] == ' ' && e[32] == '.' && e[33] == '.' && e[34] == ' ';
    }

private:
    // True when the sector holds the end marker.
    bool SectorEntries(const uint8_t* sector, uint32_t sectorNumber, const SectorBefore& before, uint32_t parentId,
                       char parentDeleted, FirstCluster mode) {
        for (size_t i = 0; i < kEntriesPerSector; ++i) {
            if (sector[i * kDirEntrySize] == 0x00) return true;
            DirectoryEntry entry;
            if (!DecodeDirectoryEntry(sector, i, sectorNumber, before, mode, entry)) continue;
            Add(entry, parentId, parentDeleted == 'y' || entry.deleted ? 'y' : 'n');
        }
        return false;
    }

    void Add(const DirectoryEntry& e, uint32_t parentId, char deleted) {
        FoundTimes times{e.writeDate, e.writeTime, e.createDate, e.createTime, e.accessDate, 0};
        if (e.folder) {
            m_store.AddFolder(e.shortName, e.name, deleted, parentId, e.firstCluster, 0, times, 0);
        } else {
            m_store.AddFile(e.shortName, e.name, deleted, e.size, 0, parentId, e.firstCluster, 0, times);
            m_store.totalSize += e.size;
        }
        UpdateScanProgress(m_progress, m_store.totalSize, m_store.folderCount, m_store.fileCount,
                           DisplayName(e.shortName, e.name), m_counter, 'c');
    }

    FoundItemStore& m_store;
    ScanProgress& m_progress;
    const VolumeGeometry& m_geometry;
    ClusterPieces m_pieces;
    std::vector<uint8_t> m_buffer;
    int m_counter = 0;
};

}  // namespace

ScanEnd RunFatQuickScan(FoundItemStore& store, ScanProgress& progress) {
    progress.marqueeWanted = true;
    store.folderCount = 0;
    store.fileCount = 0;
    const VolumeGeometry& g = theJob.workerGeometry;

    if (IsWalkableGeometry(g) && IsFat(g.fileSystemName)) {
        DirectoryWalker walker(store, progress, g);
        bool fat32 = g.fileSystemName == "FAT32";
        if (!(fat32 ? walker.Chain(FollowClusterChain(g, g.rootDirStart, false), 0, 'n', false) : walker.FixedRoot()))
            return ScanEnd::Cancelled;
        // The walk reaches the folders it appends, so the whole tree is covered.
        for (size_t i = 0; i < store.Folders().size(); ++i) {
            FoundFolder folder = store.Folders()[i];
            if (folder.ownId == kLostFolderId || !walker.HoldsDirectory(folder.ownId)) continue;
            std::vector<uint32_t> chain = FollowClusterChain(g, folder.ownId, folder.deleted == 'y');
            if (!walker.Chain(chain, folder.ownId, folder.deleted, true)) return ScanEnd::Cancelled;
        }
    }

    return EndQuickScan(store.folderCount + store.fileCount, progress);
}
