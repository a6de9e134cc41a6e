#include "platform/free_space.h"

#include "platform/folders.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/statvfs.h>

namespace platform {
namespace {

SpaceInfo Statvfs(const std::string& path) {
    struct statvfs st {};
    if (statvfs(path.c_str(), &st) != 0) return {};
    return {true, static_cast<uint64_t>(st.f_blocks) * st.f_frsize,
            static_cast<uint64_t>(st.f_bavail) * st.f_frsize};
}

std::string RealPath(const std::string& path) {
    char buffer[PATH_MAX];
    return realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

}  // namespace

SpaceInfo SpaceForPath(const std::string& path) {
    std::string existing = path.empty() ? "/" : path;
    while (!FolderExists(existing) && !FileExists(existing)) {
        size_t slash = existing.find_last_of('/');
        if (slash == std::string::npos) return Statvfs(".");
        existing = slash == 0 ? "/" : existing.substr(0, slash);
    }
    return Statvfs(existing);
}

SpaceInfo SpaceOfVolume(const std::string& devicePath) {
    std::string device = RealPath(devicePath);
    std::ifstream mounts("/proc/self/mounts");
    std::string line;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string source, target;
        fields >> source >> target;
        if (!source.empty() && source[0] == '/' && RealPath(source) == device) return Statvfs(target);
    }
    return {};
}

}  // namespace platform
