#include "cli/source_option.h"

#include "app/recovery_job.h"
#include "platform/device_paths.h"
#include "platform/folders.h"
#include "sectors/image_set.h"
#include "sectors/sector_source.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool OpenImageFolder(const std::string& folder, std::string& error) {
    ImageSetInfo info = InspectImageSet(folder);
    if (info.parts == 0) {
        error = folder + ": the folder holds no image set (Image0.img or image0.img, image1.img ...)";
        return false;
    }
    theJob.sourceIsImage = 1;
    theJob.imageFolder = platform::JoinPath(folder, "");
    theJob.imageMultiPart = info.multiPart;
    return true;
}

}  // namespace

bool OpenSource(const std::string& source, std::string& error) {
    struct stat st {};
    if (stat(source.c_str(), &st) != 0) {
        error = source + ": " + std::strerror(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) return OpenImageFolder(source, error);

    int fd = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        int code = errno;
        error = source + ": " + std::strerror(code);
        if (code == EACCES && S_ISBLK(st.st_mode))
            error += " (reading a disk needs root, or membership of the group that owns the device)";
        return false;
    }
    close(fd);
    platform::SetDiskListOverride(std::vector<std::string>{source});
    theJob.sourceIsImage = 0;
    theJob.diskNumber = 0;
    DeviceNameTable[0] = PhysicalDriveName(0);
    return true;
}
