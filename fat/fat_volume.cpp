#include "fat/fat_volume.h"

#include "app/recovery_job.h"
#include "sectors/byte_view.h"
#include "sectors/sector_source.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace {

using Sector = std::array<uint8_t, kSectorSize>;

constexpr size_t kSectorsPerCluster = 0x0D;
constexpr size_t kReservedSectors = 0x0E;
constexpr size_t kRootEntries = 0x11;
constexpr size_t kSectorsPerFat16 = 0x16;
constexpr size_t kSectorsPerFat32 = 0x24;
constexpr size_t kRootCluster32 = 0x2C;
constexpr uint8_t kMediaByte = 0xF8;
constexpr uint32_t kBackupBootOffset = 6;
constexpr size_t kChainCap = 26;  // the first cluster and 25 successors

bool ReadSector(uint64_t sector, Sector& buffer) {
    return ReadSectors(JobDevice(), sector, 1, buffer.data()) != 0;
}

bool HasSignature(const Sector& sector) { return sector[510] == 0x55 && sector[511] == 0xAA; }

bool IsPowerOfTwoUpTo128(uint32_t value) { return value >= 1 && value <= 128 && (value & (value - 1)) == 0; }

// The first byte of the second FAT copy must be the hard-disk media byte;
// for FAT12, whose volumes are floppies as often as not, any media byte
// (0xF0, 0xF8-0xFF).
bool SecondFatStartsWithMedia(uint32_t sector, bool anyMedia = false) {
    Sector fat{};
    ReadSector(sector, fat);
    return fat[0] == kMediaByte || (anyMedia && (fat[0] == 0xF0 || fat[0] >= 0xF8));
}

int ValidateFat16(uint64_t start, bool fat12) {
    Sector boot{};
    ReadSector(start, boot);
    if (!HasSignature(boot)) return 0;
    ByteView view(boot.data(), boot.size());
    uint32_t s = static_cast<uint32_t>(start);
    uint32_t reserved = view.u16(kReservedSectors), spf = view.u16(kSectorsPerFat16);
    uint32_t spc = view.u8(kSectorsPerCluster), rootEntries = view.u16(kRootEntries);
    if (!IsPowerOfTwoUpTo128(spc) || !SecondFatStartsWithMedia(s + reserved + spf, fat12)) return 0;
    VolumeGeometry& g = theJob.jobGeometry;
    g.sectorsPerFat = spf;
    g.sectorsPerCluster = spc;
    g.rootDirSectors = rootEntries / 16;
    g.rootDirStart = s + reserved + 2 * spf;
    g.reservedSectors = reserved;
    g.cluster0Sector = s + reserved + 2 * spf + rootEntries / 16 - 2 * spc;
    g.fat1Start = s + reserved;
    g.fat2Start = s + reserved + spf;
    return 1;
}

int ValidateFat32(uint64_t start) {
    uint32_t s = static_cast<uint32_t>(start);
    Sector boot{};
    ReadSector(start, boot);
    if (!HasSignature(boot)) {
        ReadSector(s + kBackupBootOffset, boot);
        if (!HasSignature(boot)) return 0;
    }
    VolumeGeometry& g = theJob.jobGeometry;
    auto take = [&](const Sector& copy, uint32_t& reserved, uint32_t& spf, uint32_t& spc) {
        ByteView view(copy.data(), copy.size());
        reserved = view.u16(kReservedSectors);
        spf = view.u32(kSectorsPerFat32);
        spc = view.u8(kSectorsPerCluster);
        g.rootDirStart = view.u32(kRootCluster32);
    };
    uint32_t reserved = 0, spf = 0, spc = 0;
    take(boot, reserved, spf, spc);
    if (!IsPowerOfTwoUpTo128(spc) || !SecondFatStartsWithMedia(s + reserved + spf)) {
        ReadSector(s + kBackupBootOffset, boot);
        take(boot, reserved, spf, spc);
        if (!IsPowerOfTwoUpTo128(spc) || !SecondFatStartsWithMedia(s + reserved + spf)) return 0;
    }
    g.sectorsPerFat = spf;
    g.sectorsPerCluster = spc;
    g.rootDirSectors = 0;
    g.reservedSectors = reserved;
    g.cluster0Sector = s + reserved + 2 * spf - 2 * spc;
    g.fat1Start = s + reserved;
    g.fat2Start = s + reserved + spf;
    return 1;
}

// Reads FAT sectors, keeping the last ones read: consecutive entries of a
// chain mostly lie in the same sector.
class FatReader {
public:
    explicit FatReader(uint32_t fatStart) : m_start(fatStart) {}

    // Two sectors from fatStart + index (FAT12 entries may straddle them).
    const uint8_t* Pair(uint32_t index, bool& ok) {
        if (!m_valid || m_index != index) {
            m_ok = ReadSectors(JobDevice(), uint64_t{m_start} + index, 2, m_buffer.data()) != 0;
            m_index = index;
            m_valid = true;
        }
        ok = m_ok;
        return m_buffer.data();
    }

private:
    uint32_t m_start;
    std::array<uint8_t, 2 * kSectorSize> m_buffer{};
    uint32_t m_index = 0;
    bool m_valid = false, m_ok = false;
};

void FollowFat12(const VolumeGeometry& g, uint32_t c, std::vector<uint32_t>& chain, uint32_t limit) {
    FatReader fat(g.fat1Start);
    std::unordered_set<uint32_t> seen{c};
    for (;;) {
        uint32_t offset = c * 3 / 2;
        bool ok = false;
        const uint8_t* pair = fat.Pair(offset / kSectorSize, ok);
        uint32_t at = offset % kSectorSize;
        uint32_t word = pair[at] | uint32_t{pair[at + 1]} << 8;
        c = (c & 1) ? word >> 4 : word & 0x0FFF;
        if (c < 1 || c > 0xFFE || !seen.insert(c).second || chain.size() >= limit) return;
        chain.push_back(c);
    }
}

// FAT16 (16-bit entries, 256 a sector) and FAT32 (32-bit, 128 a sector).
void FollowFat16Or32(const VolumeGeometry& g, uint32_t c, bool fat32, bool cap, std::vector<uint32_t>& chain,
                     uint32_t limit) {
    uint32_t perSector = fat32 ? 128 : 256;
    FatReader fat(g.fat1Start);
    std::unordered_set<uint32_t> seen{c};
    for (;;) {
        if (g.fat1Start == 0 || c / perSector > g.sectorsPerFat) return;
        bool ok = false;
        ByteView sector(fat.Pair(c / perSector, ok), kSectorSize);
        if (!ok) return;
        uint32_t e = fat32 ? sector.u32(c % perSector * 4) : sector.u16(c % perSector * 2);
        if (e < 2 || (fat32 ? e >= 0x0FFFFFFF : e == 0xFFFF)) return;
        if (!seen.insert(e).second || chain.size() >= limit) return;
        chain.push_back(e);
        if (cap && chain.size() >= kChainCap) return;
        c = e;
    }
}

}  // namespace

int ValidateFatBootSector(const std::string& fileSystemName, uint64_t startSector) {
    if (fileSystemName == "FAT32") return ValidateFat32(startSector);
    return ValidateFat16(startSector, fileSystemName == "FAT12");
}

bool IsWalkableGeometry(const VolumeGeometry& g) {
    return IsPowerOfTwoUpTo128(g.sectorsPerCluster) && g.fat1Start != 0;
}

uint32_t ClusterSector(const VolumeGeometry& g, uint32_t cluster) {
    return g.cluster0Sector + cluster * g.sectorsPerCluster;
}

uint32_t ClusterCapacity(const VolumeGeometry& g) {
    uint64_t bits = uint64_t{g.sectorsPerFat} * kSectorSize * 8;
    uint64_t entries = g.fileSystemName == "FAT32" ? bits / 32 : g.fileSystemName == "FAT16" ? bits / 16 : bits / 12;
    return static_cast<uint32_t>(std::min<uint64_t>(entries, 0x0FFFFFFF));
}

std::vector<uint32_t> FollowClusterChain(const VolumeGeometry& g, uint32_t first, bool cap) {
    std::vector<uint32_t> chain{first};
    uint32_t limit = std::max<uint32_t>(ClusterCapacity(g), 1);
    if (g.fileSystemName == "FAT12") FollowFat12(g, first, chain, limit);
    else FollowFat16Or32(g, first, g.fileSystemName == "FAT32", cap, chain, limit);
    return chain;
}

ClusterPieces PiecesOf(const VolumeGeometry& g) {
    uint32_t spc = g.sectorsPerCluster;
    return spc >= 8 ? ClusterPieces{8, spc / 8} : ClusterPieces{spc, 1};
}

const std::string& JobDevice() { return DeviceNameTable[theJob.jobDiskNumber % kDeviceNameCount]; }
