#pragma once
// A device backend over in-memory media, with sectors that fail to read and
// a log of every request, for testing the sector source without real disks.
#include "sectors/device_backend.h"
#include "sectors/sector_source.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class MemoryDevice : public DeviceBackend {
public:
    struct Request {
        uint64_t sector;
        uint32_t count;
        bool operator==(const Request& o) const { return sector == o.sector && count == o.count; }
    };

    MemoryDevice() { SetDeviceBackend(this); }
    ~MemoryDevice() override { SetDeviceBackend(nullptr); }

    // A medium of `sectors` sectors; sector n is filled with the byte (n & 0xFF) ^ fill.
    void AddMedium(const std::string& path, uint64_t sectors, uint8_t fill = 0) {
        std::vector<uint8_t>& data = media[path];
        data.resize(sectors * kSectorSize);
        for (uint64_t n = 0; n < sectors; ++n)
            std::memset(data.data() + n * kSectorSize, static_cast<int>((n & 0xFF) ^ fill), kSectorSize);
    }

    int Open(const std::string& path, bool forWriting) override {
        ++opens;
        if (!media.count(path) || (forWriting && readOnly.count(path))) return -1;
        handles.push_back(path);
        return static_cast<int>(handles.size() - 1);
    }
    void Close(int) override { ++closes; }

    // A request that touches a failing sector moves nothing past it and fails.
    ssize_t ReadAt(int handle, void* buffer, size_t len, uint64_t offset) override {
        if (beforeRead) beforeRead();
        reads.push_back({offset / kSectorSize, static_cast<uint32_t>(len / kSectorSize)});
        const std::vector<uint8_t>& data = media[handles[handle]];
        if (offset >= data.size()) return 0;
        size_t n = std::min<size_t>(len, data.size() - offset);
        for (uint64_t s = offset / kSectorSize; s * kSectorSize < offset + n; ++s)
            if (failing.count(s)) {
                size_t good = (s * kSectorSize > offset) ? s * kSectorSize - offset : 0;
                std::memcpy(buffer, data.data() + offset, good);
                return good ? static_cast<ssize_t>(good) : -1;
            }
        std::memcpy(buffer, data.data() + offset, n);
        return static_cast<ssize_t>(n);
    }

    ssize_t WriteAt(int handle, const void* src, size_t len, uint64_t offset) override {
        writes.push_back({offset / kSectorSize, static_cast<uint32_t>(len / kSectorSize)});
        std::vector<uint8_t>& data = media[handles[handle]];
        for (uint64_t s = offset / kSectorSize; s * kSectorSize < offset + len; ++s)
            if (failing.count(s)) return -1;
        if (offset + len > data.size()) return -1;
        std::memcpy(data.data() + offset, src, len);
        return static_cast<ssize_t>(len);
    }

    bool Size(int handle, uint64_t& size) override {
        size = media[handles[handle]].size();
        return true;
    }

    std::map<std::string, std::vector<uint8_t>> media;
    std::function<void()> beforeRead;  // runs on the reading thread before every read
    std::set<uint64_t> failing;        // sectors that fail, on every medium
    std::set<std::string> readOnly;
    std::vector<std::string> handles;  // index = handle
    std::vector<Request> reads, writes;
    int opens = 0, closes = 0;
};
