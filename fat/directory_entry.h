#pragma once
// FAT directory entries.
//
// Short entry (32 bytes):
//   0x00 8 bytes  name, space padded; first byte 0x00 = end of directory,
//                 0xE5 = deleted; bytes 0x80-0xFF are code page 850 characters
//   0x08 3 bytes  extension, space padded
//   0x0B u8       attributes: 0x10 directory, 0x0F a long-name piece
//   0x0C u8       0x08 name and 0x10 extension were lower case (no long name written)
//   0x0E u16 creation time      0x10 u16 creation date   0x12 u16 last-access date
//   0x14 u16 first cluster, high half (FAT32)
//   0x16 u16 last-write time    0x18 u16 last-write date
//   0x1A u16 first cluster, low half
//   0x1C u32 size in bytes
// Long-name piece (attribute 0x0F): 13 UTF-16 characters at 1-10, 14-25 and
// 28-31; the pieces lie just before their short entry, the piece holding the
// name's start nearest to it.
#include <cstdint>
#include <functional>
#include <string>

constexpr size_t kDirEntrySize = 32;
constexpr size_t kEntriesPerSector = 16;
constexpr size_t kMaxLongName = 255;

struct DirectoryEntry {
    std::string shortName;     // 8-bit name; empty when the name is held in UTF-16
    std::u16string name;       // the long name, or the short name as UTF-16
    bool deleted = false;
    bool folder = false;
    uint32_t firstCluster = 0;
    uint32_t size = 0;
    uint16_t writeDate = 0, writeTime = 0, createDate = 0, createTime = 0, accessDate = 0;
};

enum class FirstCluster { LowHalf, BothHalves };

// The directory sector before a given one (0: none). Within a cluster it is
// the sector before on disk; at a cluster's start, the last sector of the
// cluster before it in the directory's chain.
using SectorBefore = std::function<uint32_t(uint32_t sector)>;
// The sector before on disk, for directories found outside any chain.
uint32_t SectorBeforeOnDisk(uint32_t sector);

// Decodes entry `index` (0-15) of a copy of sector `sectorNumber`. Nothing
// for "." and "..", long-name pieces, entries whose name is not acceptable
// and entries without a first cluster (empty files). The caller handles the
// end marker. A long name is looked for in the entries before it, across
// into the directory's previous sector (read from the job's disk).
bool DecodeDirectoryEntry(const uint8_t* sector, size_t index, uint32_t sectorNumber, const SectorBefore& before,
                          FirstCluster mode, DirectoryEntry& entry);

// Refuses control characters U+0001-U+001F and " \ / ? * < > |.
bool IsAcceptableName(const std::u16string& name);

// The UTF-16 character of a code page 850 byte.
char16_t Cp850ToUtf16(uint8_t byte);
