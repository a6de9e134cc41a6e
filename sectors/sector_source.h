#pragma once
// The only road by which the program reads the medium it recovers from (and
// by which disk-to-disk imaging writes a disk): 512-byte sectors of a whole
// disk, of one logical drive, or of an image set written by Disk Imaging.
//
// Image sets are raw sector dumps without a header: one file "Image0.img",
// or parts "image0.img", "image1.img" ... of 1,331,200 sectors (650 MiB)
// each but the last. Part names are matched without regard to case.
//
// Not for two threads at once: the cached handles and the remembered
// bad-sector answer are process-wide.
#include <array>
#include <cstdint>
#include <string>

class DeviceBackend;
struct Disk32Library;

constexpr size_t kSectorSize = 512;
constexpr uint32_t kImagePartSectors = 1'331'200;
// Device reads and writes go in requests of at most this many sectors.
constexpr uint32_t kSectorsPerRequest = 40;

// The device names callers pass: "\\.\PhysicalDrive0" to "\\.\PhysicalDrive25",
// one for every disk Step 1 can list; Step 1 puts "\\.\X:" into entry 0 for
// a logical drive.
constexpr int kDeviceNameCount = 26;
extern std::array<std::string, kDeviceNameCount> DeviceNameTable;
std::string PhysicalDriveName(int number);

// Nonzero on success, 0 on failure. Sectors that no data reached are zero-
// filled. A failed device read raises the Bad Sectors prompt unless the
// remembered answer is Retry All or Skip All. A start sector beyond a nonzero
// `rangeEnd` of the job reads nothing and returns 0.
int ReadSectors(const std::string& deviceName, uint64_t startSector, uint32_t count, void* buffer);
// Disk-to-disk imaging only; opens the device for writing on every call.
int WriteSectors(const std::string& deviceName, uint64_t startSector, uint32_t count, const void* data);

struct ImagePart {
    std::string path;        // folder + "image" + N + ".img"
    uint64_t sectorInPart;   // sector within that part
};
// The part of a multi-part image set that holds a sector.
ImagePart ImagePartPath(uint64_t startSector);

// The backend of device and image reads; tests put their own in its place
// (nullptr restores the POSIX one). Either call closes the cached handles.
void SetDeviceBackend(DeviceBackend* backend);
DeviceBackend& CurrentDeviceBackend();
// The disk library of the 9x path (nullptr: the library is missing).
void SetDisk32Library(const Disk32Library* library);
