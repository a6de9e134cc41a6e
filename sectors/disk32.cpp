#include "sectors/disk32.h"

#include "sectors/device_backend.h"
#include "sectors/sector_source.h"
#include "platform/device_paths.h"

#include <cstring>

namespace {

template <typename Transfer>
int OnDisk(int drive, bool forWriting, Transfer transfer) {
    if (drive < 0x80) return 0;
    auto path = platform::ResolveDeviceName(PhysicalDriveName(drive - 0x80));
    if (!path) return 0;
    DeviceBackend& backend = CurrentDeviceBackend();
    int handle = backend.Open(*path, forWriting);
    if (handle < 0) return 0;
    bool ok = transfer(backend, handle);
    backend.Close(handle);
    return ok ? 1 : 0;
}

int ReadDisk32(int drive, int, int, int, uint32_t count, void* buffer, uint32_t start, int) {
    size_t len = static_cast<size_t>(count) * kSectorSize;
    return OnDisk(drive, false, [&](DeviceBackend& backend, int handle) {
        ssize_t n = backend.ReadAt(handle, buffer, len, uint64_t{start} * kSectorSize);
        size_t got = n > 0 ? static_cast<size_t>(n) : 0;
        std::memset(static_cast<char*>(buffer) + got, 0, len - got);
        return got == len;
    });
}

int WriteDisk32(int drive, int, int, int, uint32_t count, void* buffer, uint32_t start, int) {
    size_t len = static_cast<size_t>(count) * kSectorSize;
    return OnDisk(drive, true, [&](DeviceBackend& backend, int handle) {
        return backend.WriteAt(handle, buffer, len, uint64_t{start} * kSectorSize) == static_cast<ssize_t>(len);
    });
}

}  // namespace

const Disk32Library& BuiltInDisk32() {
    static const Disk32Library library{ReadDisk32, WriteDisk32};
    return library;
}
