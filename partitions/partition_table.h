#pragma once
// The partition table of a disk as Step 2 reads it.
#include <cstdint>
#include <optional>
#include <string>

struct PartitionEntry {
    std::string fileSystemName;  // "FAT16", "FAT32" or "NTFS"
    uint32_t startSector = 0;
    uint32_t endSector = 0;      // the first sector after the partition
};

// Sector 0 of a disk formatted without a partition table: a FAT16, FAT32 or
// NTFS volume starting at sector 0, told by its type text ("16" at 0x39,
// "32" at 0x55, "NTFS" at 3; the later test wins) and ending at the total
// sector count of its boot sector (0x20 for FAT, 0x28 for NTFS).
std::optional<PartitionEntry> SingleVolume(const uint8_t* sector0);
