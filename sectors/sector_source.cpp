#include "sectors/sector_source.h"

#include "app/prompt.h"
#include "app/recovery_job.h"
#include "platform/device_paths.h"
#include "platform/folders.h"
#include "sectors/device_backend.h"
#include "sectors/disk32.h"

#include <cstring>

std::array<std::string, kDeviceNameCount> DeviceNameTable = [] {
    std::array<std::string, kDeviceNameCount> names;
    for (int i = 0; i < kDeviceNameCount; ++i) names[i] = PhysicalDriveName(i);
    return names;
}();

std::string PhysicalDriveName(int number) { return "\\\\.\\PhysicalDrive" + std::to_string(number); }

namespace {

constexpr uint64_t kPartBytes = uint64_t{kImagePartSectors} * kSectorSize;

DeviceBackend* backendInUse = nullptr;
const Disk32Library* disk32 = &BuiltInDisk32();

// One open handle and the name it was opened for. A failed open is kept too
// (handle -1), so a missing device is not reopened on every call.
struct CachedHandle {
    std::string name;
    int handle = -1;
    bool valid = false;  // holds a name at all

    void Drop() {
        if (handle >= 0) CurrentDeviceBackend().Close(handle);
        *this = CachedHandle();
    }
};

CachedHandle deviceHandle;  // keyed by device name
CachedHandle imageHandle;   // keyed by the image file path as built

void ZeroFill(uint8_t* buffer, uint32_t sectors) { std::memset(buffer, 0, size_t{sectors} * kSectorSize); }

// The remembered answer, or the user's answer to the prompt. True: retry.
bool AskRetry() {
    int action = theJob.badSectorAction;
    if (action != kBadSectorRetryAll && action != kBadSectorSkipAll) {
        action = CurrentPrompt().AskBadSectors();
        theJob.badSectorAction = action;
    }
    return action == kBadSectorRetry || action == kBadSectorRetryAll;
}

// One request: true when every byte arrived. Bytes that did not are zeroed.
bool ReadRequest(int handle, uint64_t sector, uint32_t count, uint8_t* buffer) {
    size_t len = size_t{count} * kSectorSize;
    ssize_t n = CurrentDeviceBackend().ReadAt(handle, buffer, len, sector * kSectorSize);
    size_t got = n > 0 ? static_cast<size_t>(n) : 0;
    std::memset(buffer + got, 0, len - got);
    return got == len;
}

// A request that failed is taken again sector by sector when `retry()` says
// so; a sector that still fails stays as the transfer left it.
template <typename Byte, typename Transfer, typename Retry>
auto WithSectorRetry(Transfer transfer, Retry retry) {
    return [transfer, retry](uint64_t sector, uint32_t n, Byte* at) {
        bool ok = transfer(sector, n, at);
        if (!ok && retry())
            for (uint32_t i = 0; i < n; ++i) transfer(sector + i, 1, at + size_t{i} * kSectorSize);
        return ok;
    };
}

bool AlwaysRetry() { return true; }

// Runs a transfer of `count` sectors as the device layer issues it: up to 40
// sectors in one request; otherwise blocks of 40, then the remainder in one
// request. `block` carries the failure handling of a request (prompt or
// fallback); `rest` is the plain remainder request. The result is that of the
// single request, else of the last block, and 0 when a remainder that
// counts failed.
template <typename Byte, typename Block, typename Rest>
int InBlocks(uint64_t start, uint32_t count, Byte* buffer, Block block, Rest rest, bool restCounts) {
    if (count <= kSectorsPerRequest) return block(start, count, buffer) ? 1 : 0;
    bool lastBlock = false;
    uint32_t blocks = count / kSectorsPerRequest;
    for (uint32_t b = 0; b < blocks; ++b) {
        uint64_t offset = uint64_t{b} * kSectorsPerRequest;
        lastBlock = block(start + offset, kSectorsPerRequest, buffer + offset * kSectorSize);
    }
    uint32_t remainder = count % kSectorsPerRequest;
    uint64_t done = uint64_t{blocks} * kSectorsPerRequest;
    if (remainder && !rest(start + done, remainder, buffer + done * kSectorSize) && restCounts) return 0;
    return lastBlock ? 1 : 0;
}

int ReadDevice(const std::string& name, uint64_t start, uint32_t count, uint8_t* buffer) {
    if (!deviceHandle.valid || deviceHandle.name != name) {
        deviceHandle.Drop();
        auto path = platform::ResolveDeviceName(name);
        deviceHandle.handle = path ? CurrentDeviceBackend().Open(*path, false) : -1;
        deviceHandle.name = name;
        deviceHandle.valid = true;
    }
    int handle = deviceHandle.handle;
    if (handle < 0) {
        ZeroFill(buffer, count);
        return 0;
    }
    auto plain = [handle](uint64_t sector, uint32_t n, uint8_t* at) { return ReadRequest(handle, sector, n, at); };
    return InBlocks(start, count, buffer, WithSectorRetry<uint8_t>(plain, AskRetry), plain, true);
}

// BIOS drive number of the 9x disk library: 0x80 + N for PhysicalDrive0 to
// PhysicalDrive3; -1 for any other name (a logical drive has none).
int BiosDriveNumber(const std::string& name) {
    for (int n = 0; n <= 3; ++n)
        if (name == PhysicalDriveName(n)) return 0x80 + n;
    return -1;
}

int ReadDisk32Device(const std::string& name, uint64_t start, uint32_t count, uint8_t* buffer) {
    int drive = BiosDriveNumber(name);
    if (!disk32 || !disk32->readDisk32 || drive < 0) {
        ZeroFill(buffer, count);
        return 0;
    }
    auto plain = [&](uint64_t sector, uint32_t n, uint8_t* at) {
        bool ok = disk32->readDisk32(drive, 0, 0, 1, n, at, static_cast<uint32_t>(sector), 1) != 0;
        if (!ok) ZeroFill(at, n);
        return ok;
    };
    return InBlocks(start, count, buffer, WithSectorRetry<uint8_t>(plain, AskRetry), plain, false);
}

// ----- image sets -----

enum class PieceResult { Failed, Read, NotOpened };

// Opens (or keeps open) the image file; -1 when it cannot be opened.
int OpenImage(const std::string& path, bool reopen) {
    if (reopen || !imageHandle.valid || imageHandle.name != path) {
        imageHandle.Drop();
        imageHandle.handle = CurrentDeviceBackend().Open(path, false);
        imageHandle.name = path;
        imageHandle.valid = true;
    }
    return imageHandle.handle;
}

// Reads `count` sectors at `sector` of one image file. An offset beyond the
// end of the file takes the prompt, with one retry; bytes beyond the end of
// the file are zeroed.
PieceResult ReadImagePiece(const std::string& path, uint64_t sector, uint32_t count, uint8_t* buffer) {
    DeviceBackend& backend = CurrentDeviceBackend();
    uint64_t offset = sector * kSectorSize;
    int handle = OpenImage(path, false);
    uint64_t size = 0;
    bool retried = false;
    for (;;) {
        if (handle < 0 || !backend.Size(handle, size)) return PieceResult::NotOpened;
        if (offset <= size) break;
        if (retried || !AskRetry()) {
            ZeroFill(buffer, count);
            return PieceResult::Failed;
        }
        retried = true;
        handle = OpenImage(path, true);
    }
    size_t len = size_t{count} * kSectorSize;
    ssize_t n = backend.ReadAt(handle, buffer, len, offset);
    size_t got = n > 0 ? static_cast<size_t>(n) : 0;
    std::memset(buffer + got, 0, len - got);
    return n < 0 && len > 0 ? PieceResult::Failed : PieceResult::Read;
}

// The path of an image file, found without regard to case. A missing file
// takes the prompt, with one retry.
std::string FindImageFile(const std::string& name) {
    for (bool retried = false;; retried = true) {
        if (auto path = platform::FindFileNoCase(theJob.imageFolder, name)) return *path;
        if (retried || !AskRetry()) return {};
    }
}

std::string PartName(uint64_t part) { return "image" + std::to_string(part) + ".img"; }

int ReadImage(uint64_t start, uint32_t count, uint8_t* buffer) {
    uint64_t part = theJob.imageMultiPart ? start / kImagePartSectors : 0;
    uint64_t sector = theJob.imageMultiPart ? start % kImagePartSectors : start;
    std::string path = FindImageFile(theJob.imageMultiPart ? PartName(part) : "Image0.img");
    if (path.empty()) {
        ZeroFill(buffer, count);
        return 0;
    }
    if (!theJob.imageMultiPart || sector + count < kImagePartSectors) {
        PieceResult result = ReadImagePiece(path, sector, count, buffer);
        if (result == PieceResult::NotOpened) ZeroFill(buffer, count);
        return result == PieceResult::Read ? 1 : 0;
    }
    // The request runs into the next part: split it at the part boundary. A
    // piece whose file cannot be opened is passed over without a prompt.
    uint32_t first = static_cast<uint32_t>(kImagePartSectors - sector);
    PieceResult result = ReadImagePiece(path, sector, first, buffer);
    if (result == PieceResult::NotOpened) ZeroFill(buffer, first);
    int outcome = result == PieceResult::Read ? 1 : 0;
    if (first == count) return outcome;
    uint8_t* second = buffer + size_t{first} * kSectorSize;
    auto nextPath = platform::FindFileNoCase(theJob.imageFolder, PartName(part + 1));
    PieceResult next = nextPath ? ReadImagePiece(*nextPath, 0, count - first, second) : PieceResult::NotOpened;
    if (next == PieceResult::NotOpened) {
        ZeroFill(second, count - first);
        return outcome;
    }
    return next == PieceResult::Read ? 1 : 0;
}

// ----- writing -----

int WriteDevice(const std::string& name, uint64_t start, uint32_t count, const uint8_t* data) {
    DeviceBackend& backend = CurrentDeviceBackend();
    auto path = platform::ResolveDeviceName(name);
    int handle = path ? backend.Open(*path, true) : -1;
    if (handle < 0) return 0;
    auto write = [&](uint64_t sector, uint32_t n, const uint8_t* at) {
        size_t len = size_t{n} * kSectorSize;
        return backend.WriteAt(handle, at, len, sector * kSectorSize) == static_cast<ssize_t>(len);
    };
    int result = InBlocks(start, count, data, WithSectorRetry<const uint8_t>(write, AlwaysRetry), write, true);
    backend.Close(handle);
    return result;
}

int WriteDisk32Device(const std::string& name, uint64_t start, uint32_t count, const uint8_t* data) {
    int drive = BiosDriveNumber(name);
    if (!disk32 || !disk32->writeDisk32 || drive < 0) return 0;
    auto write = [&](uint64_t sector, uint32_t n, const uint8_t* at) {
        return disk32->writeDisk32(drive, 0, 0, 1, n, const_cast<uint8_t*>(at), static_cast<uint32_t>(sector), 1) != 0;
    };
    return InBlocks(start, count, data, WithSectorRetry<const uint8_t>(write, AlwaysRetry), write, true);
}

}  // namespace

int ReadSectors(const std::string& deviceName, uint64_t startSector, uint32_t count, void* buffer) {
    auto* bytes = static_cast<uint8_t*>(buffer);
    if (theJob.rangeEnd != 0 && startSector > theJob.rangeEnd) {
        ZeroFill(bytes, count);
        return 0;
    }
    if (theJob.sourceIsImage) return ReadImage(startSector, count, bytes);
    if (theJob.platformTag == 'F') return ReadDisk32Device(deviceName, startSector, count, bytes);
    return ReadDevice(deviceName, startSector, count, bytes);
}

int WriteSectors(const std::string& deviceName, uint64_t startSector, uint32_t count, const void* data) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (theJob.platformTag == 'F') return WriteDisk32Device(deviceName, startSector, count, bytes);
    return WriteDevice(deviceName, startSector, count, bytes);
}

ImagePart ImagePartPath(uint64_t startSector) {
    uint64_t part = startSector * kSectorSize / kPartBytes;
    uint64_t within = startSector * kSectorSize % kPartBytes / kSectorSize;
    return {platform::JoinPath(theJob.imageFolder, PartName(part)), within};
}

DeviceBackend& CurrentDeviceBackend() { return backendInUse ? *backendInUse : PosixDeviceBackend(); }

void SetDeviceBackend(DeviceBackend* backend) {
    deviceHandle.Drop();
    imageHandle.Drop();
    backendInUse = backend;
}

void SetDisk32Library(const Disk32Library* library) { disk32 = library; }
