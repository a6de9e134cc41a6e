#pragma once
// The geometry of the volume being scanned, as the validation of its boot
// sector computed it. All sector numbers are disk-relative.
#include <cstdint>
#include <string>

struct VolumeGeometry {
    uint32_t sectorsPerFat = 0;      // sectors in one FAT copy
    uint32_t sectorsPerCluster = 0;
    uint32_t rootDirSectors = 0;     // FAT12/16: sectors of the fixed root directory; FAT32: 0
    uint32_t rootDirStart = 0;       // FAT12/16: first root sector; FAT32: first root cluster
    uint32_t reservedSectors = 0;
    uint32_t cluster0Sector = 0;     // where cluster 0 would begin; NTFS: the volume's first sector
    uint32_t fat1Start = 0;
    uint32_t fat2Start = 0;
    std::string fileSystemName;      // "FAT12", "FAT16", "FAT32" or "NTFS"; worker copy only
    uint32_t mftSector = 0;          // NTFS: first sector of the MFT
    uint32_t mftMirrorSector = 0;    // NTFS: first sector of the MFT mirror
    uint32_t sectorsPerMftRecord = 0;
    uint32_t sectorsPerIndexRecord = 0;
};
