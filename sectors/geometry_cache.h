#pragma once
// The geometry cache: per disk, the geometry, size, model and media type
// strings the Step 1 panel, Step 2 and Disk Imaging read. It lives in the
// settings file, one key per fact, value names "Disk0" to "Disk25":
//
//   [HV Windows]                presence mark, non-empty for each disk present
//   [HV Windows\Cylinder]       cylinders, decimal
//   [HV Windows\Head]           heads, decimal
//   [HV Windows\SectorsPerTrack]
//   [HV Windows\Size]           size in bytes, decimal
//   [HV Windows\Model]
//   [HV Windows\MediaType]      "Image" for an opened image set
//   [HV Windows\DisplayDevice]  the Linux path of the disk
#include <cstdint>
#include <string>

constexpr int kMaxDisks = 26;

// "Disk" + number.
std::string DiskValueName(int number);
// The number after the first four characters of a disk item's text
// ("Disk12" -> 12); 0 for a shorter text.
int DiskNumberOfName(const std::string& name);

// The strings cached for one disk; missing values read as empty strings and
// every value is cut to 260 characters.
struct DeviceInfo {
    int number = 0;
    std::string present, cylinders, heads, sectorsPerTrack, size, model, mediaType, displayDevice;
    uint64_t SizeBytes() const;
};

DeviceInfo ReadDeviceInfo(int number);
void WriteDeviceInfo(const DeviceInfo& info);

// Deletes every key of the cache and the values Disk0 to Disk25, then
// creates "HV Windows" again. False when it cannot be created.
bool ClearGeometryCache();
// "HV Windows" and its subkeys; false when one cannot be created.
bool CreateGeometryKeys();
// Disks with a non-empty presence mark.
int CountPresentDisks();
