#include "sectors/geometry_cache.h"

#include "platform/registry_file.h"

#include <cstdlib>

namespace {

constexpr size_t kValueCharacters = 260;
const char kRootKey[] = "HV Windows";
const char* const kSubkeys[] = {"Cylinder", "Head", "SectorsPerTrack", "Size", "Model", "MediaType", "DisplayDevice"};

std::string Subkey(const char* name) { return std::string(kRootKey) + "\\" + name; }

std::string Query(const std::string& key, int number) {
    std::string value = platform::RegistryFile().QueryValue(key, DiskValueName(number)).value_or("");
    return value.substr(0, kValueCharacters);
}

}  // namespace

std::string DiskValueName(int number) { return "Disk" + std::to_string(number); }

int DiskNumberOfName(const std::string& name) { return name.size() > 4 ? std::atoi(name.c_str() + 4) : 0; }

uint64_t DeviceInfo::SizeBytes() const { return std::strtoull(size.c_str(), nullptr, 10); }

DeviceInfo ReadDeviceInfo(int number) {
    DeviceInfo info;
    info.number = number;
    info.present = Query(kRootKey, number);
    info.cylinders = Query(Subkey("Cylinder"), number);
    info.heads = Query(Subkey("Head"), number);
    info.sectorsPerTrack = Query(Subkey("SectorsPerTrack"), number);
    info.size = Query(Subkey("Size"), number);
    info.model = Query(Subkey("Model"), number);
    info.mediaType = Query(Subkey("MediaType"), number);
    info.displayDevice = Query(Subkey("DisplayDevice"), number);
    return info;
}

void WriteDeviceInfo(const DeviceInfo& info) {
    platform::RegistryFile registry;
    std::string name = DiskValueName(info.number);
    const std::pair<const char*, const std::string*> values[] = {
        {"Cylinder", &info.cylinders}, {"Head", &info.heads},   {"SectorsPerTrack", &info.sectorsPerTrack},
        {"Size", &info.size},          {"Model", &info.model}, {"MediaType", &info.mediaType},
        {"DisplayDevice", &info.displayDevice}};
    if (!info.present.empty()) registry.SetValue(kRootKey, name, info.present);
    for (const auto& [key, value] : values) registry.SetValue(Subkey(key), name, *value);
}

bool ClearGeometryCache() {
    platform::RegistryFile registry;
    for (const char* key : kSubkeys) registry.DeleteKey(Subkey(key));
    registry.DeleteKey(kRootKey);
    return registry.CreateKey(kRootKey);
}

bool CreateGeometryKeys() {
    platform::RegistryFile registry;
    if (!registry.CreateKey(kRootKey)) return false;
    for (const char* key : kSubkeys)
        if (!registry.CreateKey(Subkey(key))) return false;
    return true;
}

int CountPresentDisks() {
    int count = 0;
    for (int n = 0; n < kMaxDisks; ++n) count += !Query(kRootKey, n).empty();
    return count;
}
