// vornix-cli list: the disks and logical drives as Step 1 lists them, each
// with the rows of its information panel.
#include "cli/commands.h"
#include "sectors/geometry_cache.h"
#include "sectors/device_enumeration.h"

#include <cstdlib>
#include <iostream>

namespace {

void PrintPanel(const std::string& item, const InfoPanel& panel) {
    std::cout << item << '\n';
    for (const std::string& row : panel.rows) std::cout << "  " << row << '\n';
}

}  // namespace

int RunList(const Arguments& args) {
    if (!args.empty()) {
        std::cerr << "usage: vornix-cli list\n";
        return 2;
    }
    SourceDevices devices = EnumerateDevices();
    if (devices.exitCode >= 0) {
        std::cerr << "vornix-cli: the settings file cannot be written\n";
        return 1;
    }
    std::cout << "Select Disk\n";
    for (const std::string& disk : devices.diskItems)
        PrintPanel(disk, DeviceInfoPanel(DiskNumberOfName(disk), false));
    std::cout << "Select Logical Drive\n";
    for (const std::string& drive : devices.driveItems) {
        bool recognised = false;
        PrintPanel(drive, DriveInfoPanel(drive, recognised));
    }
    return 0;
}
