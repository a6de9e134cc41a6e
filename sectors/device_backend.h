#pragma once
// Raw access to a disk, a volume or an image file by its Linux path. The
// sector source reads only through this interface, so tests can put a
// medium with failing sectors in the place of a real disk.
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

class DeviceBackend {
public:
    virtual ~DeviceBackend() = default;
    // A handle >= 0, or -1 when the path cannot be opened. Reading opens
    // read-only; nothing but writing a disk opens it for writing.
    virtual int Open(const std::string& path, bool forWriting) = 0;
    virtual void Close(int handle) = 0;
    // Bytes transferred: fewer than len at the end of the medium, -1 on an
    // error before any byte moved.
    virtual ssize_t ReadAt(int handle, void* buffer, size_t len, uint64_t offset) = 0;
    virtual ssize_t WriteAt(int handle, const void* data, size_t len, uint64_t offset) = 0;
    // Size in bytes of an open image file (files only).
    virtual bool Size(int handle, uint64_t& size) = 0;
};

// Files and block devices through POSIX calls.
DeviceBackend& PosixDeviceBackend();
