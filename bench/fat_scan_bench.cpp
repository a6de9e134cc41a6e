// Benchmark: the FAT quick scan of an image, in-process.
//   vornix_fat_bench IMAGE FAT12|FAT16|FAT32
// Prints the items found, files per second and the peak memory.
#include "app/recovery_job.h"
#include "fat/fat_quick_scan.h"
#include "fat/fat_volume.h"
#include "platform/device_paths.h"
#include "sectors/sector_source.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sys/resource.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vornix_fat_bench IMAGE FAT12|FAT16|FAT32\n");
        return 2;
    }
    theJob.platformTag = 'N';
    platform::SetDiskListOverride(std::vector<std::string>{argv[1]});
    theJob.fileSystemName = argv[2];
    theJob.rangeEnd = std::filesystem::file_size(argv[1]) / kSectorSize;
    if (!ValidateFatBootSector(argv[2], 0)) {
        std::fprintf(stderr, "not a valid %s volume\n", argv[2]);
        return 1;
    }
    theJob.workerGeometry = theJob.jobGeometry;
    theJob.workerGeometry.fileSystemName = argv[2];

    ScanProgress progress;
    auto start = std::chrono::steady_clock::now();
    RunFatQuickScan(theStore, progress);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("fat quick scan: %d folders, %d files in %.3f s: %.0f files/s, peak memory %.1f MB\n",
                theStore.folderCount.load(), theStore.fileCount.load(), seconds,
                (theStore.folderCount + theStore.fileCount) / seconds, usage.ru_maxrss / 1024.0);
    return 0;
}
