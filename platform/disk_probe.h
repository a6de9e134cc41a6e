#pragma once
// Facts about a disk or an image file of the disk list: what the outside
// geometry program of the original design reported, read here from the
// block-device calls and sysfs.
#include <cstdint>
#include <string>

namespace platform {

struct DiskFacts {
    bool exists = false;
    uint64_t sizeBytes = 0;
    uint32_t cylinders = 0;        // from HDIO_GETGEO, else size / 512 / 16,065
    uint32_t heads = 0;            // from HDIO_GETGEO, else 255
    uint32_t sectorsPerTrack = 0;  // from HDIO_GETGEO, else 63
    std::string model;             // sysfs vendor + model; an image file: its path
    bool removable = false;
    // Why the disk cannot be opened for reading (empty when it can).
    std::string readError;
    std::string ownerGroup;        // group that owns the device node
};

DiskFacts ProbeDisk(const std::string& path);

// Whether the path can be opened for reading now; the reason when not.
std::string ReadErrorOf(const std::string& path);

}  // namespace platform
