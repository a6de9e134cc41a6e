#pragma once
// The partition table of a disk as Step 2 reads it: the master boot record at
// sector 0 and the chain of extended boot records, without the operating
// system's help. Only FAT16, FAT32 and NTFS partitions are listed.
//
// Master and extended boot records: four 16-byte entries at 0x1BE, each
//   +4 u8 type (0x05 / 0x0F: extended)  +8 u32 first sector  +12 u32 sectors
// and the signature 0x55 0xAA at 0x1FE. A logical entry counts from the
// extended boot record holding it; a link entry from the extended partition's
// start.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

constexpr int kMaxPartitions = 26;

struct PartitionEntry {
    std::string fileSystemName;  // "FAT16", "FAT32" or "NTFS"
    uint32_t startSector = 0;
    uint32_t endSector = 0;      // the first sector after the partition
    uintptr_t treeItem = 0;      // the Step 2 tree item, once shown
};

struct DiskPartitionTable {
    int count = 0;
    std::array<PartitionEntry, kMaxPartitions> entries;
};

// One table per disk number, rebuilt each time Step 2 reads the disk.
extern std::array<DiskPartitionTable, kMaxPartitions> theDiskPartitions;

// Sector 0 of a disk formatted without a partition table: a FAT16, FAT32 or
// NTFS volume starting at sector 0, told by its type text ("16" at 0x39,
// "32" at 0x55, "NTFS" at 3; the later test wins) and ending at the total
// sector count of its boot sector (0x20 for FAT, 0x28 for NTFS).
std::optional<PartitionEntry> SingleVolume(const uint8_t* sector0);

// Reads the partition table of the disk behind `deviceName` into
// theDiskPartitions[disk]. The extended chain stops at a record sector read
// before and at 26 partitions.
const DiskPartitionTable& ReadPartitionTable(int disk, const std::string& deviceName);

// "Partition - N ( FS )".
std::string PartitionLabel(int number, const std::string& fileSystemName);
