#include "sectors/image_set.h"

#include "platform/folders.h"
#include "sectors/sector_source.h"

ImageSetInfo InspectImageSet(const std::string& folder) {
    ImageSetInfo info;
    // A set of more parts than this would be larger than any disk.
    constexpr int kMaxParts = 100000;
    while (info.parts < kMaxParts) {
        auto path = platform::FindFileNoCase(folder, "image" + std::to_string(info.parts) + ".img");
        if (!path) break;
        info.totalBytes += platform::FileSize(*path).value_or(0);
        ++info.parts;
    }
    constexpr uint64_t kPartBytes = uint64_t{kImagePartSectors} * kSectorSize;
    info.multiPart = info.parts == 1 && info.totalBytes > kPartBytes ? 0 : 1;
    return info;
}
