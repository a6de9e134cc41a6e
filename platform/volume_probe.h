#pragma once
// Label and file system of a volume, read from the volume itself (libblkid).
#include <string>

namespace platform {

struct VolumeFacts {
    bool ok = false;           // false: no file system recognised, or unreadable
    std::string label;
    std::string fileSystem;    // as Windows names it: "NTFS", "FAT32", "FAT" (FAT12/16), else blkid's name
};

VolumeFacts ProbeVolume(const std::string& path);

}  // namespace platform
