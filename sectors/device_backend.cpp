#include "sectors/device_backend.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class PosixBackend : public DeviceBackend {
public:
    int Open(const std::string& path, bool forWriting) override {
        return open(path.c_str(), (forWriting ? O_WRONLY : O_RDONLY) | O_CLOEXEC);
    }

    void Close(int handle) override { close(handle); }

    ssize_t ReadAt(int handle, void* buffer, size_t len, uint64_t offset) override {
        size_t done = 0;
        while (done < len) {
            ssize_t n = pread(handle, static_cast<char*>(buffer) + done, len - done,
                              static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return done ? static_cast<ssize_t>(done) : -1;
            if (n == 0) break;
            done += static_cast<size_t>(n);
        }
        return static_cast<ssize_t>(done);
    }

    ssize_t WriteAt(int handle, const void* data, size_t len, uint64_t offset) override {
        size_t done = 0;
        while (done < len) {
            ssize_t n = pwrite(handle, static_cast<const char*>(data) + done, len - done,
                               static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return done ? static_cast<ssize_t>(done) : -1;
            done += static_cast<size_t>(n);
        }
        return static_cast<ssize_t>(done);
    }

    bool Size(int handle, uint64_t& size) override {
        struct stat st {};
        if (fstat(handle, &st) != 0) return false;
        size = static_cast<uint64_t>(st.st_size);
        return true;
    }
};

}  // namespace

DeviceBackend& PosixDeviceBackend() {
    static PosixBackend backend;
    return backend;
}
