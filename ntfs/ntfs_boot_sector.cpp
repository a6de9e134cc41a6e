#include "ntfs/ntfs_boot_sector.h"

#include "app/recovery_job.h"
#include "fat/fat_volume.h"
#include "sectors/byte_view.h"
#include "sectors/sector_source.h"

#include <array>

namespace {

using Sector = std::array<uint8_t, kSectorSize>;

bool ReadBoot(uint32_t sector, Sector& boot) {
    ReadSectors(JobDevice(), sector, 1, boot.data());
    return boot[510] == 0x55 && boot[511] == 0xAA;
}

bool ValidClusterSize(uint32_t spc) { return spc >= 1 && spc <= 128 && (spc & (spc - 1)) == 0; }

// Sectors per MFT record: 2 for the 0xF6 code, else clusters x sectors per cluster.
bool MftRecordSectors(ByteView boot, uint32_t spc, uint32_t& sectors) {
    uint32_t value = boot.u32(0x40);
    sectors = value == 0xF6 ? 2 : spc * value;
    return sectors == 2 || sectors == 4 || sectors == 6 || sectors == 8;
}

// The sector the LCN at `field` points at, when a FILE record starts there.
uint32_t FileRecordSector(ByteView boot, size_t field, uint32_t start, uint32_t spc) {
    uint32_t sector = start + boot.u32(field) * spc;
    Sector record{};
    ReadSectors(JobDevice(), sector, 1, record.data());
    return ByteView(record.data(), record.size()).matches(0, "FILE") ? sector : 0;
}

}  // namespace

int ValidateNtfsBootSector() {
    uint32_t s = static_cast<uint32_t>(theJob.rangeStart), e = static_cast<uint32_t>(theJob.rangeEnd);
    // The copy in use: the first sector, else the backup at the range end.
    Sector inUse{}, other{};
    uint32_t otherSector = e;
    if (!ReadBoot(s, inUse)) {
        if (!ReadBoot(e, inUse)) return 0;
        otherSector = s;
    }
    ReadBoot(otherSector, other);
    ByteView a(inUse.data(), inUse.size()), b(other.data(), other.size());

    // The copy in use must hold a cluster size and a record size; else the other copy.
    uint32_t spc = a.u8(0x0D), recordSectors = 0;
    ByteView boot = a;
    if (!ValidClusterSize(spc) || !MftRecordSectors(a, spc, recordSectors)) {
        boot = b;
        spc = b.u8(0x0D);
        if (!ValidClusterSize(spc) || !MftRecordSectors(b, spc, recordSectors)) return 0;
    }
    ByteView second = boot.data() == a.data() ? b : a;
    uint32_t mft = FileRecordSector(boot, 0x30, s, spc);
    if (mft == 0) mft = FileRecordSector(second, 0x30, s, second.u8(0x0D));
    uint32_t mirror = FileRecordSector(boot, 0x38, s, spc);
    if (mirror == 0) mirror = FileRecordSector(second, 0x38, s, second.u8(0x0D));
    if (mft == 0 && mirror == 0) return 0;

    VolumeGeometry& g = theJob.jobGeometry;
    uint32_t indexValue = boot.u32(0x44);
    g.sectorsPerIndexRecord = indexValue == 0xF4 ? 8 : spc * indexValue;
    g.sectorsPerCluster = spc;
    g.cluster0Sector = s;
    g.mftMirrorSector = mirror;
    g.mftSector = mft;
    g.sectorsPerMftRecord = recordSectors;
    return 1;
}
