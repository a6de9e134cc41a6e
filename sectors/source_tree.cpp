#include "sectors/source_tree.h"

#include "app/prompt.h"
#include "app/recovery_job.h"
#include "platform/device_paths.h"
#include "platform/folders.h"
#include "sectors/geometry_cache.h"
#include "sectors/image_set.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>

const char kMyComputerItem[] = "My Computer";
const char kSelectDriveItem[] = "Select Logical Drive";
const char kSelectDiskItem[] = "Select Disk";
const char kSelectImageItem[] = "Select Image";

namespace {

const char kImageSetFile[] = "Image0.img";

bool EndsWithNoCase(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && strcasecmp(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

// The panel for an item whose choice is recorded in sourceName.
SourcePanelChoice PanelFor(SourceItemKind kind, const std::string& text) {
    if (kind == SourceItemKind::Drive) return {SourcePanelChoice::Drive, 0, text};
    if (theJob.sourceName == kSelectDiskItem || theJob.sourceName == kSelectDriveItem)
        return {SourcePanelChoice::Empty, 0, {}};
    if (kind == SourceItemKind::Disk || kind == SourceItemKind::Image)
        return {SourcePanelChoice::Device, DiskNumberOfName(theJob.sourceName), {}};
    return {};
}

// Gives an opened image the next disk number and writes its geometry.
void RegisterImageDisk(const std::string& model, uint64_t totalBytes) {
    int k = CountPresentDisks();
    DeviceInfo info;
    info.number = k;
    info.cylinders = std::to_string(totalBytes / 512 / 16065);
    info.heads = "255";
    info.sectorsPerTrack = "63";
    info.mediaType = "Image";
    info.model = model;
    info.size = std::to_string(totalBytes);
    WriteDeviceInfo(info);
    theJob.sourceName = DiskValueName(k);
}

// Image file names are matched without regard to case.
bool ExistsNoCase(const std::string& path) {
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    return platform::FindFileNoCase(folder, path.substr(slash + 1)).has_value();
}

bool ImagePathMissing(const std::string& path) {
    if (ExistsNoCase(path)) return false;
    ShowMessage("Image path not found. Please specify image path.");
    theJob.sourceName.clear();
    return true;
}

}  // namespace

SourcePanelChoice PickSourceItem(SourceItemKind kind, const std::string& text, bool scanRole) {
    if (kind != SourceItemKind::MyComputer && !text.empty()) theJob.sourceName = text;
    theJob.sourceIsImage = 0;
    if (scanRole && kind == SourceItemKind::Image && !OpenImageItem(theJob.sourceName))
        return {SourcePanelChoice::Failed, 0, {}};
    return PanelFor(kind, text);
}

SourcePanelChoice StepSourceItem(SourceItemKind kind, const std::string& text) {
    if (kind == SourceItemKind::MyComputer) return {};
    theJob.sourceName = text;
    if (kind == SourceItemKind::Image) return {SourcePanelChoice::ImageFile, 0, text};
    return PanelFor(kind, text);
}

std::string ImageSetItemText(const std::string& folder) { return platform::JoinPath(folder, kImageSetFile); }

bool OpenImageSet(const std::string& itemText) {
    if (ImagePathMissing(itemText)) return false;
    theJob.imageFolder = itemText.substr(0, itemText.size() - (sizeof kImageSetFile - 1));
    ImageSetInfo set = InspectImageSet(theJob.imageFolder);
    theJob.imageMultiPart = set.multiPart;
    theJob.sourceIsImage = 1;
    RegisterImageDisk(itemText, set.totalBytes);
    return true;
}

bool OpenRawImageFile(const std::string& path) {
    if (ImagePathMissing(path)) return false;
    theJob.sourceIsImage = 0;
    platform::SetOpenedImageDisk(CountPresentDisks(), path);
    RegisterImageDisk(path, platform::FileSize(path).value_or(0));
    return true;
}

bool OpenImageItem(const std::string& path) {
    return EndsWithNoCase(path, kImageSetFile) && (path.size() == 10 || path[path.size() - 11] == '/')
               ? OpenImageSet(path)
               : OpenRawImageFile(path);
}

InfoPanel ImageFileInfoPanel(const std::string& path) {
    static const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
    InfoPanel panel{PanelTitle("Image File Information"), {}};
    struct statx st {};
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_ATIME | STATX_MTIME, &st) != 0) return panel;
    auto row = [&](const char* label, int64_t seconds) {
        time_t when = static_cast<time_t>(seconds);
        std::tm tm{};
        localtime_r(&when, &tm);
        char text[96];
        std::snprintf(text, sizeof text, "%s : %s, %s %d, %d", label, kDays[tm.tm_wday], kMonths[tm.tm_mon],
                      tm.tm_mday, tm.tm_year + 1900);
        panel.rows.push_back(text);
    };
    // A file system that keeps no birth time: the time of the last status change instead.
    row("Created", (st.stx_mask & STATX_BTIME) ? st.stx_btime.tv_sec : st.stx_ctime.tv_sec);
    row("Accessed", st.stx_atime.tv_sec);
    row("Modified", st.stx_mtime.tv_sec);
    return panel;
}
