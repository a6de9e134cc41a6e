#pragma once
// The disks and logical drives the program can read, and the mapping of the
// program's device names onto Linux paths:
//   "\\.\PhysicalDriveN"  the Nth entry of ListDisks()
//   "\\.\X:"              the volume that ListLogicalDrives() letters X
#include <optional>
#include <string>
#include <vector>

namespace platform {

// When VORNIX_DISKS is set (not empty): its ':'-separated entries (block devices or raw
// image files), in that order. Otherwise the whole disks of /sys/block with a
// size above 0, sorted by name, without ram*, zram*, sr*, fd* and loop
// devices that have no backing file.
std::vector<std::string> ListDisks();

// Replaces the disk list for this process (the command-line program names its
// source this way); nothing restores the usual list.
void SetDiskListOverride(std::optional<std::vector<std::string>> disks);

// A raw image file opened as a source takes a disk number of its own
// (the number after the listed disks); "\\.\PhysicalDriveN" of that number
// then names the file. Opening another file under the same number replaces it.
void SetOpenedImageDisk(int number, const std::string& path);

struct LogicalDrive {
    char letter = 0;   // 'C' .. 'Z'
    std::string path;  // block device or raw volume image
};

// When VORNIX_DRIVES is set (not empty): its ','-separated "X=path" entries. Otherwise the
// partitions of the listed block-device disks, lettered from C: in list order.
std::vector<LogicalDrive> ListLogicalDrives();

// The Linux path behind one of the program's device names; nothing when the
// name is unknown or no such disk or drive exists.
std::optional<std::string> ResolveDeviceName(const std::string& name);

}  // namespace platform
