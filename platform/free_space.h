#pragma once
// Capacity and free space of volumes, the stand-in for GetDiskFreeSpaceEx.
#include <cstdint>
#include <string>

namespace platform {

struct SpaceInfo {
    bool ok = false;          // false: the call failed, the numbers are 0
    uint64_t totalBytes = 0;
    uint64_t freeBytes = 0;   // free for the caller (not counting reserved blocks)
};

// The file system holding path, or its nearest existing ancestor.
SpaceInfo SpaceForPath(const std::string& path);
// The file system of a mounted volume given by its device path; an unmounted
// volume answers as a failed call.
SpaceInfo SpaceOfVolume(const std::string& devicePath);

}  // namespace platform
