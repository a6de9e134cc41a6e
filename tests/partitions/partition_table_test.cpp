#include "partitions/partition_table.h"

#include "app/installation.h"
#include "app/recovery_job.h"
#include "partitions/step2_logic.h"
#include "platform/device_paths.h"
#include "sectors/geometry_cache.h"
#include "support/bytes.h"
#include "support/memory_disk_test.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

class PartitionTableTest : public MemoryDiskTest<> {
protected:

    void Entry(uint32_t recordSector, int slot, uint8_t type, uint32_t start, uint32_t count) {
        size_t at = size_t{recordSector} * kSectorSize + 0x1BE + 16 * size_t(slot);
        disk()[at + 4] = type;
        Put32(disk(), at + 8, start);
        Put32(disk(), at + 12, count);
        disk()[size_t{recordSector} * kSectorSize + 510] = 0x55;
        disk()[size_t{recordSector} * kSectorSize + 511] = 0xAA;
    }
    void Text(uint32_t sector, size_t offset, const char* text) {
        std::memcpy(&disk()[size_t{sector} * kSectorSize + offset], text, std::strlen(text));
    }
    const DiskPartitionTable& Read() { return ReadPartitionTable(0, PhysicalDriveName(0)); }

};

TEST_F(PartitionTableTest, ASectorWithoutSignatureListsNothing) {
    EXPECT_EQ(Read().count, 0);
}

TEST_F(PartitionTableTest, AVolumeWithoutATableIsPartitionOne) {
    Text(0, 0x52, "FAT32   ");
    Put32(disk(), 0x20, 81920);
    disk()[510] = 0x55;  // one signature byte is enough
    const DiskPartitionTable& table = Read();
    ASSERT_EQ(table.count, 1);
    EXPECT_EQ(table.entries[0].fileSystemName, "FAT32");
    EXPECT_EQ(table.entries[0].startSector, 0u);
    EXPECT_EQ(table.entries[0].endSector, 81920u);
}

TEST_F(PartitionTableTest, TextWinsOverTypeAndTypeDecidesWithoutText) {
    Entry(0, 0, 0x07, 100, 50);  // says NTFS, holds FAT32
    Text(100, 0x52, "FAT32");
    Entry(0, 1, 0x0C, 200, 50);  // FAT32 by its type
    Entry(0, 2, 0x01, 300, 50);  // FAT12: not listed as a primary entry
    Text(300, 0x36, "FAT12");
    Entry(0, 3, 0x83, 400, 50);  // Linux: not listed
    const DiskPartitionTable& table = Read();
    ASSERT_EQ(table.count, 2);
    EXPECT_EQ(table.entries[0].fileSystemName, "FAT32");
    EXPECT_EQ(table.entries[1].fileSystemName, "FAT32");
    EXPECT_EQ(table.entries[1].endSector, 250u);
    EXPECT_EQ(PartitionLabel(2, "FAT32"), "Partition - 2 ( FAT32 )");
}

TEST_F(PartitionTableTest, LogicalPartitionsCountFromTheirRecord) {
    Entry(0, 0, 0x0C, 63, 100);
    Entry(0, 1, 0x0F, 1000, 2000);
    Entry(1000, 0, 0x01, 10, 100);  // FAT16 inside the chain, though type 0x01
    Entry(1000, 1, 0x05, 500, 600);  // link: relative to the extended start
    Entry(1500, 0, 0x06, 20, 100);
    const DiskPartitionTable& table = Read();
    ASSERT_EQ(table.count, 3);
    EXPECT_EQ(table.entries[1].fileSystemName, "FAT16");
    EXPECT_EQ(table.entries[1].startSector, 1010u);
    EXPECT_EQ(table.entries[1].endSector, 1110u);
    EXPECT_EQ(table.entries[2].startSector, 1520u);
}

TEST_F(PartitionTableTest, AChainThatPointsBackAtItselfStops) {
    Entry(0, 0, 0x0F, 1000, 2000);
    Entry(1000, 0, 0x06, 10, 100);
    Entry(1000, 1, 0x05, 0, 2000);  // back to the first record
    EXPECT_EQ(Read().count, 1);
}

TEST_F(PartitionTableTest, AtMost26Partitions) {
    Entry(0, 0, 0x0F, 100, 4000);
    for (uint32_t i = 0; i < 40; ++i) {
        Entry(100 + 10 * i, 0, 0x06, 1, 5);
        Entry(100 + 10 * i, 1, 0x05, 10 * (i + 1), 10);
    }
    EXPECT_EQ(Read().count, kMaxPartitions);
}

TEST(Step2Sizes, PartitionSizesAndCharts) {
    EXPECT_EQ(PartitionSizeText(0, 2097152), "1 GB");
    EXPECT_EQ(PartitionSizeText(0, 2048), "1 MB");
    EXPECT_EQ(PartitionSizeText(0, 2047), "");  // 1,048,064 bytes
    DiskPartitionTable table;
    table.count = 3;
    table.entries[0] = {"FAT32", 0, 250000, 0};    // 25.6 % of 500,000,000 bytes
    table.entries[1] = {"NTFS", 250000, 500000, 0};
    table.entries[2] = {"NTFS", 500000, 900000, 0};
    IsolatedSettings settings;
    DeviceInfo info;
    info.number = 0;
    info.present = "x";
    info.size = "500000000";
    info.model = "Model X";
    WriteDeviceInfo(info);
    Step2View view = DiskView("Disk0", table);
    EXPECT_EQ(view.heading, "You have selected Disk0 with following properties :");
    EXPECT_EQ(view.rows[0].value, "Model X");
    EXPECT_EQ(view.diskSizeBytes, 500000000u);
    ASSERT_EQ(view.chart.slices.size(), 3u);
    EXPECT_EQ(view.chart.title, "Partitions");
    EXPECT_EQ(view.chart.slices[0].label, "Partition1");
    EXPECT_EQ(view.chart.slices[0].value, 25);
    EXPECT_EQ(view.chart.slices[1].value, 25);
    EXPECT_EQ(view.chart.slices[2].value, 50);  // 100 minus the others
}

struct NextCase {
    const char* name;
    std::vector<std::string> values;
    bool exhaustive;
    int jobMode;
    int imaging;
    int image;
    Step2Outcome outcome;
    const char* message;
    uint64_t rangeStart;
};

class Step2NextTest : public ::testing::TestWithParam<NextCase> {};

TEST_P(Step2NextTest, Decides) {
    IsolatedSettings settings;
    EnsureInstallationFolder();
    ResetRecoveryJob();
    ScriptedPrompt prompt;
    const NextCase& c = GetParam();
    theJob.jobMode = c.jobMode;
    theJob.imagingJob = c.imaging;
    theJob.sourceIsImage = c.image;
    Step2Choice choice{c.values, 1000 * 512, c.exhaustive};
    EXPECT_EQ(Step2Next(choice), c.outcome);
    if (c.message) {
        EXPECT_EQ(prompt.messages, std::vector<std::string>{c.message});
    } else {
        EXPECT_TRUE(prompt.messages.empty());
        EXPECT_EQ(theJob.rangeStart, c.rangeStart);
    }
}

const std::vector<std::string> kFat32 = {"FAT32", "40 MB", "2048", "83968"};
const std::vector<std::string> kDiskRows = {"Model", "Fixed hard disk media", "512000"};

INSTANTIATE_TEST_SUITE_P(
    Cases, Step2NextTest,
    ::testing::Values(
        NextCase{"partition", kFat32, false, 0, 0, 0, Step2Outcome::Scan, nullptr, 2048},
        NextCase{"partitionSearch", kFat32, true, 0, 0, 0, Step2Outcome::PartitionRange, nullptr, 2048},
        NextCase{"badStart", {"NTFS", "", "x12", "99"}, false, 0, 0, 0, Step2Outcome::Stay, "Start sector is not valid", 0},
        NextCase{"badEnd", {"NTFS", "", "12", ""}, false, 0, 0, 0, Step2Outcome::Stay, "End sector is not valid", 0},
        NextCase{"endBeforeStart", {"FAT16", "", "500", "400"}, false, 0, 0, 0, Step2Outcome::Stay,
                 "End sector should be bigger than Start sector", 0},
        NextCase{"diskWithoutSearch", kDiskRows, false, 0, 0, 0, Step2Outcome::Stay, "Select partition type", 0},
        NextCase{"diskSearch", kDiskRows, true, 0, 0, 0, Step2Outcome::PartitionRange, nullptr, 63},
        NextCase{"imageSearch", kDiskRows, true, 0, 0, 1, Step2Outcome::PartitionRange, nullptr, 0},
        NextCase{"imaging", kDiskRows, false, kJobImaging, 1, 0, Step2Outcome::PartitionRange, nullptr, 0},
        NextCase{"raw", kDiskRows, false, kJobRaw, 0, 0, Step2Outcome::PartitionRange, nullptr, 63}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Step2Report, NextWritesTheStep2Block) {
    IsolatedSettings settings;
    EnsureInstallationFolder();
    ResetRecoveryJob();
    ScriptedPrompt prompt;
    theJob.selectedLabel = "Partition - 1 ( FAT32 )";
    theJob.diskNumber = 3;
    Step2Next(Step2Choice{kFat32, 0, false});
    EXPECT_EQ(theJob.fileSystemName, "FAT32");
    EXPECT_EQ(theJob.rangeEnd, 83968u);
    EXPECT_EQ(theJob.jobDiskNumber, 3);
    EXPECT_EQ(theJob.lostFsSearch, 0);
    std::ifstream in(settings.folder / "data/Activity Log.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "\r\n\r\nStep 2 :\r\n-------\r\nSelected Information : Partition - 1 ( FAT32 )"
                          "\r\nPartition Type : FAT32\r\nPartition Size : 40 MB\r\nStart Sector : 2048"
                          "\r\nEnd Sector : 83968\r\nSearch Exhaustive : Not Checked");
}

}  // namespace
