// vornix-cli scan SOURCE (--partition N | --range FIRST END --fs NAME) [--json]
// Validates the volume's boot sector as Step 2 does, runs the quick scan of
// its file system and prints what was found as Step 4 shows it.
#include "app/recovery_job.h"
#include "cli/cli_prompt.h"
#include "cli/commands.h"
#include "cli/found_output.h"
#include "cli/source_option.h"
#include "fat/fat_quick_scan.h"
#include "fat/fat_volume.h"
#include "ntfs/ntfs_boot_sector.h"
#include "ntfs/ntfs_quick_scan.h"
#include "ntfs/ntfs_record.h"
#include "partitions/partition_table.h"
#include "sectors/sector_source.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <thread>
#include <unistd.h>

namespace {

struct ScanOptions {
    std::string source;
    int partition = 0;
    uint64_t first = 0, end = 0;
    std::string fileSystem;
    bool json = false;
};

bool ParseUnsigned(const std::string& text, uint64_t& value) {
    if (text.empty() || text[0] == '-') return false;
    try {
        size_t used = 0;
        value = std::stoull(text, &used, 0);
        return used == text.size();
    } catch (...) {
        return false;
    }
}

bool ParseOptions(const Arguments& args, CliPrompt& prompt, ScanOptions& options) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        size_t left = args.size() - i - 1;
        uint64_t number = 0;
        if (arg == "--partition" && left >= 1 && ParseUnsigned(args[i + 1], number) && number >= 1 && number <= 26) {
            options.partition = static_cast<int>(number);
            ++i;
        } else if (arg == "--range" && left >= 2 && ParseUnsigned(args[i + 1], options.first) &&
                   ParseUnsigned(args[i + 2], options.end)) {
            i += 2;
        } else if (arg == "--fs" && left >= 1) {
            options.fileSystem = args[++i];
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--bad-sectors" && left >= 1 && prompt.SetBadSectorPolicy(args[i + 1])) {
            ++i;
        } else if (options.source.empty() && !arg.empty() && arg[0] != '-') {
            options.source = arg;
        } else {
            std::cerr << "vornix-cli scan: unexpected or invalid argument '" << arg << "'\n";
            return false;
        }
    }
    bool byRange = !options.fileSystem.empty();
    if (options.source.empty() || byRange == (options.partition != 0)) {
        std::cerr << "usage: vornix-cli scan SOURCE (--partition N | --range FIRST END --fs FAT12|FAT16|FAT32|NTFS) "
                     "[--json]\n";
        return false;
    }
    return true;
}

// Sets the job's file system and range from the options; false with a message when
// the volume cannot be found.
bool ChooseVolume(ScanOptions& options) {
    if (options.partition != 0) {
        std::vector<uint8_t> sector0(kSectorSize);
        ReadSectors(DeviceNameTable[theJob.diskNumber], 0, 1, sector0.data());
        std::optional<PartitionEntry> volume;
        if (sector0[510] == 0x55 || sector0[511] == 0xAA) volume = SingleVolume(sector0.data());
        if (!volume || options.partition != 1) {
            std::cerr << "vornix-cli: " << options.source << " has no partition " << options.partition << "\n";
            return false;
        }
        options.fileSystem = volume->fileSystemName;
        options.first = volume->startSector;
        options.end = volume->endSector;
    }
    const std::string& fs = options.fileSystem;
    if (fs != "FAT12" && fs != "FAT16" && fs != "FAT32" && fs != "NTFS") {
        std::cerr << "vornix-cli: unknown file system '" << fs << "' (FAT12, FAT16, FAT32 or NTFS)\n";
        return false;
    }
    if (options.end <= options.first) {
        std::cerr << "vornix-cli: End sector should be bigger than Start sector\n";
        return false;
    }
    theJob.fileSystemName = fs;
    theJob.rangeStart = options.first;
    theJob.rangeEnd = options.end;
    theJob.jobDiskNumber = theJob.diskNumber;
    return true;
}

// Validates the boot sector as Step 2 does and hands the geometry to the
// worker as Step 3 does; for NTFS, Step 3 also builds the MFT extent table.
void PrepareVolume() {
    const std::string& fs = theJob.fileSystemName;
    bool ntfs = fs == "NTFS";
    if (!(ntfs ? ValidateNtfsBootSector() : ValidateFatBootSector(fs, theJob.rangeStart)))
        std::cerr << "vornix-cli: the " << fs << " boot sector at sector " << theJob.rangeStart
                  << " is not valid; scanning with the geometry known so far\n";
    theJob.workerGeometry = theJob.jobGeometry;
    theJob.workerGeometry.fileSystemName = fs;
    const VolumeGeometry& g = theJob.workerGeometry;
    if (ntfs) BuildMftExtentTable(g.cluster0Sector, g.mftSector, g.sectorsPerCluster);
}

// Runs the scan on a worker thread; a terminal sees the counts as they grow.
ScanEnd RunScan() {
    ScanProgress progress;
    ScanEnd end = ScanEnd::Cancelled;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        end = theJob.fileSystemName == "NTFS" ? RunNtfsQuickScan(theStore, progress)
                                               : RunFatQuickScan(theStore, progress);
        done = true;
    });
    bool terminal = isatty(STDERR_FILENO);
    auto started = std::chrono::steady_clock::now();
    while (terminal && !done) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started);
        std::fprintf(stderr, "\r%lld s  %d folders  %d files  %s   ", static_cast<long long>(seconds.count()),
                     theStore.folderCount.load(), theStore.fileCount.load(),
                     FormatScanSize(theStore.totalSize).c_str());
    }
    worker.join();
    if (terminal) std::fprintf(stderr, "\r%*s\r", 60, "");
    return end;
}

}  // namespace

int RunScanCommand(const Arguments& args, CliPrompt& prompt) {
    ScanOptions options;
    if (!ParseOptions(args, prompt, options)) return 2;
    std::string error;
    if (!OpenSource(options.source, error)) {
        std::cerr << "vornix-cli: " << error << '\n';
        return 1;
    }
    if (!ChooseVolume(options)) return 1;
    PrepareVolume();
    ScanEnd end = RunScan();
    bool ntfs = theJob.fileSystemName == "NTFS";
    if (options.json) PrintFoundJson(theStore, ntfs, std::cout);
    else PrintFoundTree(theStore, ntfs, std::cout);
    return end == ScanEnd::Cancelled ? 1 : 0;
}
