#include "partitions/step2_logic.h"

#include "app/prompt.h"
#include "app/recovery_job.h"
#include "app/report.h"
#include "fat/fat_volume.h"
#include "ntfs/ntfs_boot_sector.h"
#include "sectors/device_enumeration.h"
#include "sectors/geometry_cache.h"

#include <cerrno>
#include <cstdlib>

namespace {

constexpr uint64_t kMiB = 1ull << 20, kGiB = 1ull << 30;

std::string Heading(const std::string& name) { return "You have selected " + name + " with following properties :"; }

PieChart DiskChart(const DiskPartitionTable& table, uint64_t diskBytes) {
    PieChart chart{"Partitions", {}};
    int n = table.count;
    if (n <= 1 || diskBytes == 0) {
        chart.slices.push_back({"Partition1", 100});
        return chart;
    }
    int64_t sum = 0;
    for (int i = 0; i < n - 1; ++i) {
        const PartitionEntry& e = table.entries[static_cast<size_t>(i)];
        int64_t value = static_cast<int64_t>(uint64_t{e.endSector - e.startSector} * 512 * 100 / diskBytes);
        chart.slices.push_back({"Partition" + std::to_string(i + 1), static_cast<int>(value)});
        sum += value;
    }
    chart.slices.push_back({"Partition" + std::to_string(n), static_cast<int>(sum < 100 ? 100 - sum : sum)});
    return chart;
}

// An unsigned 32-bit number written in decimal, nothing else.
bool ParseSector(const std::string& text, uint32_t& value) {
    if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long parsed = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed > 0xFFFFFFFFull) return false;
    value = static_cast<uint32_t>(parsed);
    return true;
}

void Report(const std::string& line) { AppendReportLine(kActivityReport, line); }

void WriteReportBlock(const Step2Choice& choice, bool wholeDisk) {
    Report("");
    Report("Step 2 :");
    Report("-------");
    Report("Selected Information : " + (theJob.driveLetter ? theJob.sourceName : theJob.selectedLabel));
    static const char* const kDisk[] = {"Model Number : ", "Media Type : ", "Disk Size : "};
    static const char* const kPartition[] = {"Partition Type : ", "Partition Size : ", "Start Sector : ",
                                             "End Sector : "};
    size_t rows = wholeDisk ? 3 : 4;
    for (size_t i = 0; i < rows; ++i)
        Report(std::string(wholeDisk ? kDisk[i] : kPartition[i]) + (i < choice.values.size() ? choice.values[i] : ""));
    Report(choice.searchExhaustive ? "Search Exhaustive : Checked" : "Search Exhaustive : Not Checked");
}

}  // namespace

std::string PartitionSizeText(uint32_t startSector, uint32_t endSector) {
    uint64_t bytes = uint64_t{static_cast<uint32_t>(endSector - startSector)} * 512;
    if (bytes >= kGiB) return std::to_string(bytes / kGiB) + " GB";
    if (bytes >= kMiB) return std::to_string(bytes / kMiB) + " MB";
    return {};
}

Step2View DiskView(const std::string& sourceName, const DiskPartitionTable& table) {
    DeviceInfo info = ReadDeviceInfo(DiskNumberOfName(sourceName));
    Step2View view;
    view.heading = Heading(sourceName);
    view.rows = {{"Model Number   :", info.model}, {"Media Type       :", info.mediaType},
                 {"Disk Size           :", info.size}};
    view.diskSizeBytes = info.SizeBytes();
    view.hasChart = true;
    view.chart = DiskChart(table, view.diskSizeBytes);
    return view;
}

Step2View DriveView(const std::string& sourceName, const DiskPartitionTable& table) {
    const PartitionEntry& first = table.entries[0];
    Step2View view;
    view.heading = Heading(sourceName);
    view.rows = {{"File System   :", theJob.driveFileSystem},
                 {"Capacity      :", FormatDriveSpace(theJob.driveSpace[0])},
                 {"Start Sector     :", std::to_string(first.startSector), true},
                 {"End Sector      :", std::to_string(first.endSector), true}};
    double total = theJob.driveSpace[0];
    view.hasChart = true;
    int used = total > 0 ? static_cast<int>(theJob.driveSpace[1] * 100 / total) + 1 : 0;
    int free = total > 0 ? static_cast<int>(theJob.driveSpace[2] * 100 / total) : 0;
    view.chart = PieChart{"", {{"Used Space", used}, {"Free Space", free}}};
    return view;
}

Step2View PartitionView(const std::string& label, const PartitionEntry& entry) {
    Step2View view;
    view.heading = Heading(label);
    view.rows = {{"Partition Type  :", entry.fileSystemName},
                 {"Partition Size   :", PartitionSizeText(entry.startSector, entry.endSector)},
                 {"Start Sector     :", std::to_string(entry.startSector)},
                 {"End Sector      :", std::to_string(entry.endSector)}};
    return view;
}

void ResetStep2Fields() {
    theJob.jobDiskNumber = 0;
    theJob.selectedPartition = 0;
    theJob.rangeStart = 0;
    theJob.rangeEnd = 0;
    theJob.fileSystemName.clear();
}

Step2Outcome Step2Next(const Step2Choice& choice) {
    const std::string first = choice.values.empty() ? std::string() : choice.values[0];
    bool wholeDisk = !(first == "FAT32" || first == "FAT16" || first == "NTFS");
    if (!wholeDisk) {
        uint32_t start = 0, end = 0;
        if (choice.values.size() < 4 || !ParseSector(choice.values[2], start)) {
            ShowMessage("Start sector is not valid");
            return Step2Outcome::Stay;
        }
        if (!ParseSector(choice.values[3], end)) {
            ShowMessage("End sector is not valid");
            return Step2Outcome::Stay;
        }
        theJob.fileSystemName = first;
        theJob.rangeStart = start;
        theJob.rangeEnd = end;
    } else {
        theJob.fileSystemName = "UNKNOWN";
        theJob.rangeEnd = choice.diskSizeBytes / 512;
        if (theJob.imagingJob || (theJob.sourceIsImage && choice.searchExhaustive)) {
            theJob.rangeStart = 0;
        } else if (!choice.searchExhaustive && theJob.jobMode != kJobRaw) {
            ShowMessage("Select partition type");
            return Step2Outcome::Stay;
        } else {
            theJob.rangeStart = 63;
        }
    }
    if (static_cast<int64_t>(theJob.rangeEnd) <= static_cast<int64_t>(theJob.rangeStart)) {
        ShowMessage("End sector should be bigger than Start sector");
        return Step2Outcome::Stay;
    }
    WriteReportBlock(choice, wholeDisk);

    theJob.jobDiskNumber = theJob.diskNumber;
    const std::string& fs = theJob.fileSystemName;
    if (fs == "FAT32" || fs == "FAT16") ValidateFatBootSector(fs, theJob.rangeStart);
    else if (fs == "NTFS") ValidateNtfsBootSector();

    if (theJob.jobMode == kJobImaging || theJob.jobMode == kJobRaw) return Step2Outcome::PartitionRange;
    theJob.lostFsSearchPasses = 0;
    theJob.lostFsSearch = choice.searchExhaustive ? 1 : 0;
    return choice.searchExhaustive ? Step2Outcome::PartitionRange : Step2Outcome::Scan;
}
