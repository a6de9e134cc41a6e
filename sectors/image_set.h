#pragma once
// What a folder holds of an image set: the parts image0.img, image1.img ...
// without gaps (found without regard to case; "Image0.img" is part 0).
#include <cstdint>
#include <string>

struct ImageSetInfo {
    int parts = 0;            // 0: the folder holds no image set
    uint64_t totalBytes = 0;
    // Split in parts, except when one part file larger than a whole part was
    // found: that is one big "Image0.img".
    int multiPart = 0;
};

ImageSetInfo InspectImageSet(const std::string& folder);
