#pragma once
// What picking an item of the Step 1 source tree does: the choice recorded
// in the job, image sets and raw image files opened as sources, and which
// information panel follows. The tree control itself only shows the items
// and the panel.
#include "sectors/device_enumeration.h"

#include <string>
#include <vector>

// The fixed items.
extern const char kMyComputerItem[];        // "My Computer"
extern const char kSelectDriveItem[];       // "Select Logical Drive"
extern const char kSelectDiskItem[];        // "Select Disk"
extern const char kSelectImageItem[];       // "Select Image"

enum class SourceItemKind { MyComputer, SelectDrive, SelectDisk, SelectImage, Drive, Disk, Image };

// What the panel shows after a pick.
struct SourcePanelChoice {
    enum Kind { Keep, Empty, Device, Drive, ImageFile, Failed } kind = Keep;
    int disk = 0;          // Device
    std::string text;      // Drive: item text; ImageFile: file path
};

// A click on an item other than "Select Image" (the dialog browses for a
// folder there). `scanRole`: the Step 1 of Quick Scan and Exhaustive Scan,
// where image items exist. Failed: the image could not be opened (a message
// was shown); the dialog selects "Select Disk" and empties the panel.
SourcePanelChoice PickSourceItem(SourceItemKind kind, const std::string& text, bool scanRole);
// The arrow keys reaching an item other than "Select Image": the choice is
// recorded and shown, but nothing is opened.
SourcePanelChoice StepSourceItem(SourceItemKind kind, const std::string& text);

// The item a folder chosen under "Select Image" becomes.
std::string ImageSetItemText(const std::string& folder);

// Opens the image set whose "Image0.img" item text is given: counts and
// sizes its parts, decides whether it is split, gives it the disk number k
// after the disks present and writes its geometry under "Disk" + k.
// `sourceName` becomes "Disk" + k. A missing file shows "Image path not
// found. Please specify image path." and fails.
bool OpenImageSet(const std::string& itemText);
// Opens a raw image file (.img, .dd, .raw) as disk k, the same way.
bool OpenRawImageFile(const std::string& path);
// Opens what an image item names: an image set when the file is named
// Image0.img (any case), else a raw image file.
bool OpenImageItem(const std::string& path);

// "Created : Monday, January 7, 2008" and the accessed and modified rows.
InfoPanel ImageFileInfoPanel(const std::string& path);
