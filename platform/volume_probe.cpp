#include "platform/volume_probe.h"

#include <blkid/blkid.h>
#include <cstring>

namespace platform {
namespace {

std::string Tag(blkid_probe probe, const char* name) {
    const char* value = nullptr;
    size_t length = 0;
    if (blkid_probe_lookup_value(probe, name, &value, &length) != 0 || !value) return {};
    return std::string(value, strnlen(value, length));
}

}  // namespace

VolumeFacts ProbeVolume(const std::string& path) {
    VolumeFacts facts;
    blkid_probe probe = blkid_new_probe_from_filename(path.c_str());
    if (!probe) return facts;
    blkid_probe_enable_superblocks(probe, 1);
    blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_LABEL | BLKID_SUBLKS_TYPE | BLKID_SUBLKS_VERSION);
    if (blkid_do_safeprobe(probe) == 0) {
        std::string type = Tag(probe, "TYPE");
        facts.label = Tag(probe, "LABEL");
        if (type == "ntfs") facts.fileSystem = "NTFS";
        else if (type == "vfat") facts.fileSystem = Tag(probe, "VERSION") == "FAT32" ? "FAT32" : "FAT";
        else facts.fileSystem = type;
        facts.ok = !type.empty();
    }
    blkid_free_probe(probe);
    return facts;
}

}  // namespace platform
