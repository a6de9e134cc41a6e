// vornix-cli scan SOURCE (--partition N | --range FIRST END --fs NAME) [--json]
// Chooses the volume as Step 2 does (a listed partition goes through Step 2's
// Next, with its report block), runs the worker Step 3 would choose and
// prints what was found as Step 4 shows it.
#include "app/recovery_job.h"
#include "cli/cli_prompt.h"
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/scan_source.h"
#include "cli/found_output.h"
#include "cli/source_option.h"
#include "fat/fat_volume.h"
#include "found/scan_choice.h"
#include "ntfs/ntfs_boot_sector.h"
#include "partitions/partition_table.h"
#include "partitions/step2_logic.h"
#include "sectors/sector_source.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <thread>
#include <unistd.h>

namespace {

}  // namespace

bool ParseScanOptions(const Arguments& args, CliPrompt& prompt, ScanOptions& options, const char* usage,
                      const ExtraArgument& extra) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        size_t left = args.size() - i - 1;
        uint64_t number = 0;
        if (arg == "--partition" && left >= 1 && ParseUnsigned(args[i + 1], number) && number >= 1 &&
            number <= kMaxPartitions) {
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
        } else if (!extra || !extra(args, i)) {
            std::cerr << "vornix-cli: unexpected or invalid argument '" << arg << "'\n";
            return false;
        }
    }
    bool byRange = !options.fileSystem.empty();
    if (options.source.empty() || byRange == (options.partition != 0)) {
        std::cerr << "usage: " << usage << "\n";
        return false;
    }
    return true;
}

namespace {

// A partition of the table, through Step 2's Next.
bool ChoosePartition(const ScanOptions& options) {
    const DiskPartitionTable& table = ReadPartitionTable(theJob.diskNumber, DeviceNameTable[theJob.diskNumber]);
    if (options.partition > table.count) {
        std::cerr << "vornix-cli: " << options.source << " has no partition " << options.partition
                  << " (see vornix-cli partitions)\n";
        return false;
    }
    const PartitionEntry& entry = table.entries[static_cast<size_t>(options.partition - 1)];
    theJob.selectedPartition = options.partition - 1;
    theJob.selectedLabel = PartitionLabel(options.partition, entry.fileSystemName);
    Step2Choice choice;
    for (const PanelRow& row : PartitionView(theJob.selectedLabel, entry).rows) choice.values.push_back(row.value);
    return Step2Next(choice) == Step2Outcome::Scan;
}

// A range given by hand: the job fields and the validation, without Step 2.
bool ChooseRange(const ScanOptions& options) {
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
    bool valid = fs == "NTFS" ? ValidateNtfsBootSector() : ValidateFatBootSector(fs, theJob.rangeStart);
    if (!valid)
        std::cerr << "vornix-cli: the " << fs << " boot sector at sector " << theJob.rangeStart
                  << " is not valid; scanning with the geometry known so far\n";
    return true;
}

int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Runs the worker Step 3 chooses; a terminal sees the counts as they grow.
bool RunScan() {
    WorkerChoice choice = ChooseWorker();
    if (!WorkerAvailable(choice.kind)) {
        std::cerr << "vornix-cli: no scan for this job\n";
        return false;
    }
    ElapsedClock clock(NowMs);
    clock.Start();
    ScanProgress progress;
    ScanRunner runner;
    runner.Start(choice.kind, theStore, progress);
    bool terminal = isatty(STDERR_FILENO);
    while (!runner.Finished()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(terminal ? 200 : 5));
        clock.Tick();
        if (terminal)
            std::fprintf(stderr, "\r%s  %d folders  %d files  %s   ", clock.Text().c_str(), theStore.folderCount.load(),
                         theStore.fileCount.load(), FormatScanSize(theStore.totalSize).c_str());
    }
    runner.Cancel();
    if (terminal) std::fprintf(stderr, "\r%*s\r", 60, "");
    clock.Tick();
    if (progress.stopRequested) WriteStep3Summary(clock.Text(), theStore);
    return true;
}

}  // namespace

bool ScanSource(const ScanOptions& options) {
    std::string error;
    if (!OpenSource(options.source, error)) {
        std::cerr << "vornix-cli: " << error << '\n';
        return false;
    }
    theJob.sourceName = "Disk0";
    if (!(options.partition ? ChoosePartition(options) : ChooseRange(options))) return false;
    return RunScan();
}

int RunScanCommand(const Arguments& args, CliPrompt& prompt) {
    ScanOptions options;
    const char* usage = "vornix-cli scan SOURCE (--partition N | --range FIRST END --fs FAT12|FAT16|FAT32|NTFS) [--json]";
    if (!ParseScanOptions(args, prompt, options, usage, {})) return 2;
    if (!ScanSource(options)) return 1;
    bool ntfs = theJob.fileSystemName == "NTFS";
    if (options.json) PrintFoundJson(theStore, ntfs, std::cout);
    else PrintFoundTree(theStore, ntfs, std::cout);
    return 0;
}
