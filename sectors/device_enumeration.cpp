#include "sectors/device_enumeration.h"

#include "app/recovery_job.h"
#include "platform/device_paths.h"
#include "platform/disk_probe.h"
#include "platform/free_space.h"
#include "platform/volume_probe.h"
#include "sectors/geometry_cache.h"

#include <cstdio>
#include <unistd.h>

namespace {

// Writes what the disk list says of each disk into the geometry cache: the
// built-in stand-in for the outside geometry program.
void FillGeometryCache() {
    std::vector<std::string> disks = platform::ListDisks();
    for (size_t n = 0; n < disks.size() && n < kMaxDisks; ++n) {
        platform::DiskFacts facts = platform::ProbeDisk(disks[n]);
        if (!facts.exists) continue;
        DeviceInfo info;
        info.number = static_cast<int>(n);
        info.present = disks[n];
        info.cylinders = std::to_string(facts.cylinders);
        info.heads = std::to_string(facts.heads);
        info.sectorsPerTrack = std::to_string(facts.sectorsPerTrack);
        info.size = std::to_string(facts.sizeBytes);
        info.model = facts.model;
        info.mediaType = facts.removable ? "Removable media other than floppy" : "Fixed hard disk media";
        info.displayDevice = disks[n];
        WriteDeviceInfo(info);
    }
}

std::vector<std::string> ListDriveItems() {
    std::vector<std::string> items;
    for (const platform::LogicalDrive& drive : platform::ListLogicalDrives()) {
        std::string label = platform::ProbeVolume(drive.path).label;
        std::string letter = std::string(1, drive.letter) + ":";
        items.push_back((label.empty() ? "Local Disk" : label) + " (" + letter + ")");
    }
    return items;
}

std::vector<std::string> ListDiskItems() {
    std::vector<std::string> items;
    for (int n = 0; n < kMaxDisks; ++n)
        if (!ReadDeviceInfo(n).present.empty()) items.push_back(DiskValueName(n));
    return items;
}

}  // namespace

std::string PanelTitle(const char* title) { return std::string(19, ' ') + title; }

SourceDevices EnumerateDevices() {
    SourceDevices devices;
    if (!ClearGeometryCache()) {
        devices.exitCode = 0;
        return devices;
    }
    devices.driveItems = ListDriveItems();
    if (!CreateGeometryKeys()) {
        devices.exitCode = 1;
        return devices;
    }
    FillGeometryCache();
    devices.diskItems = ListDiskItems();
    return devices;
}

InfoPanel DeviceInfoPanel(int n, bool storeModel) {
    DeviceInfo info = ReadDeviceInfo(n);
    if (storeModel) theJob.diskModel = info.model;
    InfoPanel panel{PanelTitle("Device Information"), {}};
    panel.rows = {"Physical Disk Number : " + std::to_string(n),
                  "Model   : " + info.model,
                  "Media Type   : " + info.mediaType,
                  "Cylinder   : " + info.cylinders,
                  "Head   : " + info.heads,
                  "Sectors Per Track   : " + info.sectorsPerTrack,
                  "Disk Size  : " + std::to_string(static_cast<long long>(info.SizeBytes() / 1048576)) + " MB"};
    if (info.displayDevice.empty()) return panel;
    panel.rows.push_back("Linux Device   : " + info.displayDevice);
    std::string error = platform::ReadErrorOf(info.displayDevice);
    if (error.empty()) return panel;
    panel.rows.push_back("Cannot be read   : " + error);
    if (geteuid() != 0) {
        std::string group = platform::ProbeDisk(info.displayDevice).ownerGroup;
        panel.rows.push_back("Run Vornix as root" +
                             (group.empty() ? std::string() : " or as a member of the group \"" + group + "\""));
    }
    return panel;
}

std::string FormatDriveSpace(double bytes) {
    char text[64];
    if (bytes >= 1073741824.0) std::snprintf(text, sizeof text, "%.1f GB", bytes / 1073741824.0);
    else if (bytes >= 1048576.0) std::snprintf(text, sizeof text, "%.1f MB", bytes / 1048576.0);
    else if (bytes > 0) std::snprintf(text, sizeof text, "%.1f KB", bytes / 1024.0);
    else return "0";
    return text;
}

InfoPanel DriveInfoPanel(const std::string& itemText, bool& recognised) {
    InfoPanel panel{PanelTitle("Drive Information"), {}};
    recognised = false;
    if (itemText.size() < 4) return panel;
    char letter = itemText[itemText.size() - 3];
    std::string path;
    for (const platform::LogicalDrive& drive : platform::ListLogicalDrives())
        if (drive.letter == letter) path = drive.path;
    if (path.empty()) return panel;
    platform::VolumeFacts volume = platform::ProbeVolume(path);
    if (!volume.ok) return panel;

    platform::SpaceInfo space = platform::SpaceOfVolume(path);
    double total = static_cast<double>(space.totalBytes), free = static_cast<double>(space.freeBytes);
    double used = total - free;
    panel.rows = {"Volume Name : " + itemText.substr(0, itemText.size() - 4),
                  "File System : " + volume.fileSystem,
                  "Capacity : " + FormatDriveSpace(total),
                  "Used Space : " + FormatDriveSpace(used),
                  "Free Space : " + FormatDriveSpace(free),
                  "Linux Device : " + path};
    theJob.driveFileSystem = volume.fileSystem;
    theJob.driveSpace[0] = total;
    theJob.driveSpace[1] = used;
    theJob.driveSpace[2] = free;
    recognised = true;
    return panel;
}
