#include "platform/disk_probe.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <linux/fs.h>
#include <linux/hdreg.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace platform {
namespace {

std::string Trim(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n')) text.pop_back();
    size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string ReadSysfs(const std::string& path) {
    std::ifstream in(path);
    std::string text;
    std::getline(in, text);
    return Trim(text);
}

// /sys/dev/block/MAJ:MIN: the sysfs folder of a block device node.
std::string SysfsFolder(const struct stat& st) {
    return "/sys/dev/block/" + std::to_string(major(st.st_rdev)) + ":" + std::to_string(minor(st.st_rdev));
}

void FillBlockDeviceFacts(const std::string& path, const struct stat& st, DiskFacts& facts) {
    std::string sys = SysfsFolder(st);
    facts.sizeBytes = std::strtoull(ReadSysfs(sys + "/size").c_str(), nullptr, 10) * 512;
    facts.removable = ReadSysfs(sys + "/removable") == "1";
    facts.model = Trim(ReadSysfs(sys + "/device/vendor") + " " + ReadSysfs(sys + "/device/model"));
    if (facts.model.empty()) facts.model = path;
    if (group* g = getgrgid(st.st_gid)) facts.ownerGroup = g->gr_name;

    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return;
    uint64_t size = 0;
    if (ioctl(fd, BLKGETSIZE64, &size) == 0 && size) facts.sizeBytes = size;
    hd_geometry geo {};
    if (ioctl(fd, HDIO_GETGEO, &geo) == 0 && geo.heads && geo.sectors) {
        facts.heads = geo.heads;
        facts.sectorsPerTrack = geo.sectors;
        facts.cylinders = static_cast<uint32_t>(facts.sizeBytes / 512 / (uint64_t{geo.heads} * geo.sectors));
    }
    close(fd);
}

}  // namespace

std::string ReadErrorOf(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::strerror(errno);
    close(fd);
    return {};
}

DiskFacts ProbeDisk(const std::string& path) {
    DiskFacts facts;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        facts.readError = std::strerror(errno);
        return facts;
    }
    facts.exists = true;
    if (S_ISBLK(st.st_mode)) {
        FillBlockDeviceFacts(path, st, facts);
    } else {
        facts.sizeBytes = static_cast<uint64_t>(st.st_size);
        facts.model = path;
    }
    if (!facts.heads) {
        facts.heads = 255;
        facts.sectorsPerTrack = 63;
        facts.cylinders = static_cast<uint32_t>(facts.sizeBytes / 512 / 16065);
    }
    facts.readError = ReadErrorOf(path);
    return facts;
}

}  // namespace platform
