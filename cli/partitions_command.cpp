// vornix-cli partitions SOURCE: the partitions as Step 2 lists them.
#include "app/recovery_job.h"
#include "cli/commands.h"
#include "cli/source_option.h"
#include "partitions/partition_table.h"
#include "partitions/step2_logic.h"
#include "sectors/sector_source.h"

#include <cstdio>
#include <iostream>

int RunPartitions(const Arguments& args) {
    if (args.size() != 1) {
        std::cerr << "usage: vornix-cli partitions SOURCE\n";
        return 2;
    }
    std::string error;
    if (!OpenSource(args[0], error)) {
        std::cerr << "vornix-cli: " << error << '\n';
        return 1;
    }
    const DiskPartitionTable& table = ReadPartitionTable(theJob.diskNumber, DeviceNameTable[theJob.diskNumber]);
    std::printf("%-3s %-26s %-6s %12s %12s  %s\n", "#", "Label", "FS", "Start", "End", "Size");
    for (int i = 0; i < table.count; ++i) {
        const PartitionEntry& e = table.entries[static_cast<size_t>(i)];
        std::printf("%-3d %-26s %-6s %12u %12u  %s\n", i + 1, PartitionLabel(i + 1, e.fileSystemName).c_str(),
                    e.fileSystemName.c_str(), e.startSector, e.endSector,
                    PartitionSizeText(e.startSector, e.endSector).c_str());
    }
    return 0;
}
