#pragma once
// The disks and logical drives Step 1 lists, and the information panel shown
// for the one the user points at.
#include <string>
#include <vector>

struct SourceDevices {
    std::vector<std::string> driveItems;  // "Data (D:)", "Local Disk (E:)" ...
    std::vector<std::string> diskItems;   // "Disk0", "Disk1" ...
    // >= 0: the geometry cache could not be created; the program ends with this code.
    int exitCode = -1;
};

// Rebuilds the geometry cache from the disk list (size, geometry, model,
// media type and Linux path of each disk, at most 26) and lists the items of
// the Step 1 tree.
SourceDevices EnumerateDevices();

// The panel of a disk: a column title and its rows. A disk that exists but
// cannot be read says why and what the user can do about it.
struct InfoPanel {
    std::string title;
    std::vector<std::string> rows;
};
// The Step 1 dialog of the scans also keeps the model as the job's diskModel.
InfoPanel DeviceInfoPanel(int diskNumber, bool storeModel);
// The panel of a logical drive item ("Data (D:)"). Fills the job's
// driveFileSystem and driveSpace. Only the title when the drive cannot be
// read or holds no file system.
InfoPanel DriveInfoPanel(const std::string& itemText, bool& recognised);

// Capacity, used or free space: "%.1f GB" / "%.1f MB" / "%.1f KB" or "0".
std::string FormatDriveSpace(double bytes);

// The column title of a panel, indented by 19 blanks.
std::string PanelTitle(const char* title);
