#include "platform/device_paths.h"

#include "platform/folders.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <map>
#include <sstream>

namespace platform {
namespace {

const char kDiskPrefix[] = "\\\\.\\PhysicalDrive";

std::optional<std::vector<std::string>>& DiskOverride() {
    static std::optional<std::vector<std::string>> disks;
    return disks;
}

std::map<int, std::string>& OpenedImages() {
    static std::map<int, std::string> images;
    return images;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, separator))
        if (!part.empty()) parts.push_back(part);
    return parts;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.') names.push_back(entry->d_name);
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

unsigned long long SysfsSize(const std::string& folder) {
    std::ifstream in(folder + "/size");
    unsigned long long sectors = 0;
    in >> sectors;
    return sectors;
}

bool IsListedBlockDisk(const std::string& name) {
    for (const char* skipped : {"ram", "zram", "sr", "fd"})
        if (StartsWith(name, skipped)) return false;
    std::string folder = "/sys/block/" + name;
    if (StartsWith(name, "loop") && !FileExists(folder + "/loop/backing_file")) return false;
    return SysfsSize(folder) > 0;
}

// Partitions of a disk given by its /dev path, as /dev paths, in name order.
std::vector<std::string> DiskPartitions(const std::string& diskPath) {
    if (!StartsWith(diskPath, "/dev/")) return {};
    std::string name = diskPath.substr(5);
    std::vector<std::string> parts;
    for (const std::string& entry : FolderEntries("/sys/block/" + name))
        if (StartsWith(entry, name) && FileExists("/sys/block/" + name + "/" + entry + "/partition"))
            parts.push_back("/dev/" + entry);
    return parts;
}

}  // namespace

std::vector<std::string> ListDisks() {
    if (DiskOverride()) return *DiskOverride();
    if (const char* env = std::getenv("VORNIX_DISKS"); env && *env) return Split(env, ':');
    std::vector<std::string> disks;
    for (const std::string& name : FolderEntries("/sys/block"))
        if (IsListedBlockDisk(name)) disks.push_back("/dev/" + name);
    return disks;
}

void SetDiskListOverride(std::optional<std::vector<std::string>> disks) {
    DiskOverride() = std::move(disks);
}

void SetOpenedImageDisk(int number, const std::string& path) { OpenedImages()[number] = path; }

std::vector<LogicalDrive> ListLogicalDrives() {
    std::vector<LogicalDrive> drives;
    if (const char* env = std::getenv("VORNIX_DRIVES"); env && *env) {
        for (const std::string& entry : Split(env, ',')) {
            char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(entry[0])));
            if (entry.size() > 2 && entry[1] == '=' && letter >= 'C' && letter <= 'Z')
                drives.push_back({letter, entry.substr(2)});
        }
        return drives;
    }
    char letter = 'C';
    for (const std::string& disk : ListDisks())
        for (const std::string& part : DiskPartitions(disk)) {
            if (letter > 'Z') return drives;
            drives.push_back({letter++, part});
        }
    return drives;
}

std::optional<std::string> ResolveDeviceName(const std::string& name) {
    if (StartsWith(name, kDiskPrefix)) {
        std::string digits = name.substr(sizeof kDiskPrefix - 1);
        if (digits.empty() || digits.size() > 3 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
            return std::nullopt;
        size_t index = std::stoul(digits);
        if (auto image = OpenedImages().find(static_cast<int>(index)); image != OpenedImages().end())
            return image->second;
        std::vector<std::string> disks = ListDisks();
        if (index >= disks.size()) return std::nullopt;
        return disks[index];
    }
    if (name.size() == 6 && StartsWith(name, "\\\\.\\") && name[5] == ':') {
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[4])));
        for (const LogicalDrive& drive : ListLogicalDrives())
            if (drive.letter == letter) return drive.path;
    }
    return std::nullopt;
}

}  // namespace platform
