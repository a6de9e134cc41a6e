#pragma once
// The disk library of the Windows 9x family, reduced to what the sector
// source calls. The built-in stand-in serves BIOS drive 0x80 + N from disk N
// of the disk list, through the same device backend as the NT path.
#include <cstdint>

// (drive, 0, 0, 1, sector count, buffer, start sector, 1) -> nonzero on success.
using Disk32Entry = int (*)(int drive, int, int, int, uint32_t count, void* buffer, uint32_t start, int);

struct Disk32Library {
    Disk32Entry readDisk32 = nullptr;   // missing entry: every call fails
    Disk32Entry writeDisk32 = nullptr;
};

// The built-in library.
const Disk32Library& BuiltInDisk32();
