// Benchmark: the NTFS quick scan of a volume image, in-process, with the
// validation and the MFT extent table that come before it.
//   vornix_ntfs_bench IMAGE
// Prints the records read per second and the peak memory.
#include "app/recovery_job.h"
#include "ntfs/ntfs_boot_sector.h"
#include "ntfs/ntfs_quick_scan.h"
#include "ntfs/ntfs_record.h"
#include "platform/device_paths.h"
#include "sectors/sector_source.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sys/resource.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vornix_ntfs_bench IMAGE\n");
        return 2;
    }
    theJob.platformTag = 'N';
    platform::SetDiskListOverride(std::vector<std::string>{argv[1]});
    theJob.fileSystemName = "NTFS";
    theJob.rangeEnd = std::filesystem::file_size(argv[1]) / kSectorSize - 1;
    auto start = std::chrono::steady_clock::now();
    if (!ValidateNtfsBootSector()) {
        std::fprintf(stderr, "not a valid NTFS volume\n");
        return 1;
    }
    theJob.workerGeometry = theJob.jobGeometry;
    theJob.workerGeometry.fileSystemName = "NTFS";
    const VolumeGeometry& g = theJob.workerGeometry;
    BuildMftExtentTable(g.cluster0Sector, g.mftSector, g.sectorsPerCluster);
    uint64_t records = 0;
    for (const Run& run : theMftExtents) records += run.sectors / 2;

    ScanProgress progress;
    RunNtfsQuickScan(theStore, progress);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("ntfs quick scan: %llu MFT records, %d folders, %d files in %.3f s: %.0f records/s, "
                "peak memory %.1f MB\n",
                static_cast<unsigned long long>(records), theStore.folderCount.load(), theStore.fileCount.load(),
                seconds, records / seconds, usage.ru_maxrss / 1024.0);
    return 0;
}
