#include "platform/folders.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : fallback;
}

std::string HomeFolder() { return EnvOr("HOME", "/"); }

}  // namespace

std::string ConfigFolder() {
    if (const char* dir = std::getenv("VORNIX_CONFIG_DIR"); dir && *dir) return dir;
    return JoinPath(EnvOr("XDG_CONFIG_HOME", JoinPath(HomeFolder(), ".config")), "vornix");
}

std::string DefaultInstallationFolder() {
    if (const char* dir = std::getenv("VORNIX_DATA_DIR"); dir && *dir) return dir;
    return JoinPath(EnvOr("XDG_DATA_HOME", JoinPath(HomeFolder(), ".local/share")), "vornix");
}

std::string TemporaryFolder() {
    std::string path = JoinPath(EnvOr("TMPDIR", "/tmp"), "vornix-" + std::to_string(getuid()));
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return {};
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() ||
        (st.st_mode & 077) != 0)
        return {};
    return path;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

bool CreateFolderPath(const std::string& path) {
    if (path.empty() || FolderExists(path)) return !path.empty();
    size_t slash = path.find_last_of('/', path.size() - 2);
    if (slash != std::string::npos && slash > 0 && !CreateFolderPath(path.substr(0, slash)))
        return false;
    return mkdir(path.c_str(), 0755) == 0 || (errno == EEXIST && FolderExists(path));
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::optional<uint64_t> FileSize(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}

std::optional<std::string> FindFileNoCase(const std::string& folder, const std::string& name) {
    std::string exact = JoinPath(folder, name);
    if (FileExists(exact)) return exact;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return std::nullopt;
    std::optional<std::string> found;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0 && FileExists(JoinPath(folder, entry->d_name))) {
            found = JoinPath(folder, entry->d_name);
            break;
        }
    }
    closedir(dir);
    return found;
}

bool IsReadOnly(const std::string& path) {
    return access(path.c_str(), W_OK) != 0 && errno == EACCES;
}

bool ClearReadOnly(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return false;
    if (!(st.st_mode & S_IWUSR)) chmod(path.c_str(), st.st_mode | S_IWUSR);
    return access(path.c_str(), W_OK) == 0;
}

}  // namespace platform
