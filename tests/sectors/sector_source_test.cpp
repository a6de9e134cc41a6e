#include "sectors/sector_source.h"

#include "app/recovery_job.h"
#include "platform/device_paths.h"
#include "sectors/disk32.h"
#include "support/memory_device.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

using Request = MemoryDevice::Request;

std::vector<uint8_t> Sectors(uint32_t count, uint8_t stale = 0xCC) {
    return std::vector<uint8_t>(size_t{count} * kSectorSize, stale);
}

// The byte a MemoryDevice medium holds in sector n.
uint8_t Fill(uint64_t n) { return static_cast<uint8_t>(n & 0xFF); }

bool SectorIs(const std::vector<uint8_t>& buffer, uint32_t index, uint8_t value) {
    for (size_t i = 0; i < kSectorSize; ++i)
        if (buffer[size_t{index} * kSectorSize + i] != value) return false;
    return true;
}

class DeviceReadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRecoveryJob();
        theJob.platformTag = 'N';
        platform::SetDiskListOverride(std::vector<std::string>{"disk0", "disk1"});
        device.AddMedium("disk0", 200);
        device.AddMedium("disk1", 200, 0xFF);
    }
    void TearDown() override { platform::SetDiskListOverride(std::nullopt); }

    int Read(uint64_t start, uint32_t count, std::vector<uint8_t>& buffer, int disk = 0) {
        buffer = Sectors(count);
        return ReadSectors(DeviceNameTable[disk], start, count, buffer.data());
    }

    MemoryDevice device;
    ScriptedPrompt prompt;
};

TEST_F(DeviceReadTest, ReadsSectorsOfTheNamedDisk) {
    std::vector<uint8_t> buffer;
    EXPECT_EQ(Read(10, 3, buffer), 1);
    EXPECT_TRUE(SectorIs(buffer, 0, Fill(10)));
    EXPECT_TRUE(SectorIs(buffer, 2, Fill(12)));
    EXPECT_EQ(Read(10, 1, buffer, 1), 1);
    EXPECT_TRUE(SectorIs(buffer, 0, Fill(10) ^ 0xFF));
}

TEST_F(DeviceReadTest, KeepsTheHandleOpenWhileTheNameStaysTheSame) {
    std::vector<uint8_t> buffer;
    Read(0, 1, buffer);
    Read(1, 1, buffer);
    EXPECT_EQ(device.opens, 1);
    Read(1, 1, buffer, 1);
    EXPECT_EQ(device.opens, 2);
    EXPECT_EQ(device.closes, 1);
}

TEST_F(DeviceReadTest, RangeGuardZeroFillsWithoutTouchingTheDevice) {
    theJob.rangeEnd = 50;
    std::vector<uint8_t> buffer;
    EXPECT_EQ(Read(51, 4, buffer), 0);
    EXPECT_EQ(buffer, std::vector<uint8_t>(4 * kSectorSize, 0));
    EXPECT_TRUE(device.reads.empty());
    // Only the start is compared: a request starting at rangeEnd reads on.
    EXPECT_EQ(Read(50, 4, buffer), 1);
    theJob.rangeEnd = 0;
    EXPECT_EQ(Read(150, 1, buffer), 1);
}

struct BlockingCase {
    uint32_t count;
    std::vector<Request> requests;
};

class DeviceBlockingTest : public DeviceReadTest, public ::testing::WithParamInterface<BlockingCase> {};

TEST_P(DeviceBlockingTest, IssuesRequestsOfAtMostFortySectors) {
    std::vector<uint8_t> buffer;
    EXPECT_EQ(Read(5, GetParam().count, buffer), 1);
    EXPECT_EQ(device.reads, GetParam().requests);
    for (uint32_t i = 0; i < GetParam().count; ++i) ASSERT_TRUE(SectorIs(buffer, i, Fill(5 + i))) << i;
}

INSTANTIATE_TEST_SUITE_P(Counts, DeviceBlockingTest,
                         ::testing::Values(BlockingCase{40, {{5, 40}}},
                                           BlockingCase{41, {{5, 40}, {45, 1}}},
                                           BlockingCase{80, {{5, 40}, {45, 40}}},
                                           BlockingCase{95, {{5, 40}, {45, 40}, {85, 15}}}),
                         [](const auto& p) { return "count" + std::to_string(p.param.count); });

TEST_F(DeviceReadTest, RetryReadsSectorBySectorAndZeroFillsWhatStillFails) {
    device.failing = {12};
    prompt.badSectorAnswers = {kBadSectorRetry};
    std::vector<uint8_t> buffer;
    EXPECT_EQ(Read(10, 4, buffer), 0);  // the first read failed
    EXPECT_EQ(prompt.badSectorPrompts, 1);
    EXPECT_EQ(device.reads, (std::vector<Request>{{10, 4}, {10, 1}, {11, 1}, {12, 1}, {13, 1}}));
    EXPECT_TRUE(SectorIs(buffer, 0, Fill(10)));
    EXPECT_TRUE(SectorIs(buffer, 1, Fill(11)));
    EXPECT_TRUE(SectorIs(buffer, 2, 0));
    EXPECT_TRUE(SectorIs(buffer, 3, Fill(13)));
    EXPECT_EQ(theJob.badSectorAction, kBadSectorRetry);
}

TEST_F(DeviceReadTest, SkipGivesUpAndZeroFillsWhatTheReadDidNotReach) {
    device.failing = {12};
    prompt.badSectorAnswers = {kBadSectorSkip};
    std::vector<uint8_t> buffer;
    EXPECT_EQ(Read(10, 4, buffer), 0);
    EXPECT_EQ(device.reads.size(), 1u);
    EXPECT_TRUE(SectorIs(buffer, 1, Fill(11)));
    EXPECT_TRUE(SectorIs(buffer, 2, 0));
    EXPECT_TRUE(SectorIs(buffer, 3, 0));
}

TEST_F(DeviceReadTest, RetryAllAndSkipAllAreRememberedWithoutAskingAgain) {
    device.failing = {3, 7};
    std::vector<uint8_t> buffer;

    prompt.badSectorAnswers = {kBadSectorRetryAll};
    EXPECT_EQ(Read(3, 1, buffer), 0);
    EXPECT_EQ(Read(7, 2, buffer), 0);
    EXPECT_EQ(prompt.badSectorPrompts, 1);
    EXPECT_TRUE(SectorIs(buffer, 1, Fill(8)));  // retried one by one

    theJob.badSectorAction = kBadSectorSkipAll;
    device.reads.clear();
    EXPECT_EQ(Read(7, 2, buffer), 0);
    EXPECT_EQ(prompt.badSectorPrompts, 1);
    EXPECT_EQ(device.reads.size(), 1u);  // no retry
}

TEST_F(DeviceReadTest, FailedBlockIsRetriedAndTheNextBlockFollows) {
    device.failing = {20};
    prompt.badSectorAnswers = {kBadSectorRetry};
    std::vector<uint8_t> buffer;
    // Blocks 0-39 (fails, retried one by one) and 40-79; the result is that of the last block.
    EXPECT_EQ(Read(0, 80, buffer), 1);
    EXPECT_EQ(device.reads.size(), 1u + 40u + 1u);
    EXPECT_TRUE(SectorIs(buffer, 20, 0));
    EXPECT_TRUE(SectorIs(buffer, 21, Fill(21)));
    EXPECT_TRUE(SectorIs(buffer, 79, Fill(79)));
}

TEST_F(DeviceReadTest, FailingLastBlockOrRemainderMakesTheCallFail) {
    std::vector<uint8_t> buffer;
    device.failing = {60};
    EXPECT_EQ(Read(0, 80, buffer), 0);  // last block failed, answered Skip
    EXPECT_EQ(prompt.badSectorPrompts, 1);

    device.failing = {81};
    EXPECT_EQ(Read(0, 85, buffer), 0);  // remainder: no prompt, no retry
    EXPECT_EQ(prompt.badSectorPrompts, 1);
    EXPECT_TRUE(SectorIs(buffer, 80, Fill(80)));
    EXPECT_TRUE(SectorIs(buffer, 81, 0));
}

TEST_F(DeviceReadTest, DeviceThatCannotBeOpenedFailsAtOnceWithoutPrompt) {
    std::vector<uint8_t> buffer;
    EXPECT_EQ(ReadSectors(PhysicalDriveName(7), 0, 2, Sectors(2).data()), 0);
    EXPECT_EQ(ReadSectors(PhysicalDriveName(7), 0, 2, Sectors(2).data()), 0);
    EXPECT_EQ(prompt.badSectorPrompts, 0);
    buffer = Sectors(1);
    device.media.erase("disk1");
    EXPECT_EQ(Read(0, 1, buffer, 1), 0);
    EXPECT_TRUE(SectorIs(buffer, 0, 0));
}

TEST_F(DeviceReadTest, LogicalDriveNamesResolveThroughTheDriveList) {
    setenv("VORNIX_DRIVES", "D=disk1", 1);
    DeviceNameTable[0] = "\\\\.\\D:";
    std::vector<uint8_t> buffer;
    EXPECT_EQ(Read(2, 1, buffer), 1);
    EXPECT_TRUE(SectorIs(buffer, 0, Fill(2) ^ 0xFF));
    DeviceNameTable[0] = PhysicalDriveName(0);
    unsetenv("VORNIX_DRIVES");
}

// ----- the Windows 9x path over its disk library -----

std::vector<Request> disk32Calls;
int FakeReadDisk32(int drive, int, int, int, uint32_t count, void* buffer, uint32_t start, int) {
    disk32Calls.push_back({start, count});
    std::memset(buffer, drive, size_t{count} * kSectorSize);
    bool fails = start <= 40 && start + count > 40;  // sector 40 fails
    if (fails) std::memset(buffer, 0xEE, size_t{count} * kSectorSize);
    return fails ? 0 : 1;
}

TEST_F(DeviceReadTest, WindowsNineXPathUsesTheDiskLibraryWithTheSameBlocking) {
    theJob.platformTag = 'F';
    Disk32Library library{FakeReadDisk32, nullptr};
    SetDisk32Library(&library);
    disk32Calls.clear();
    std::vector<uint8_t> buffer;
    EXPECT_EQ(Read(0, 41, buffer, 1), 1);  // the remainder's result is not used
    EXPECT_EQ(disk32Calls, (std::vector<Request>{{0, 40}, {40, 1}}));
    EXPECT_TRUE(SectorIs(buffer, 0, 0x81));
    EXPECT_EQ(prompt.badSectorPrompts, 0);

    disk32Calls.clear();
    prompt.badSectorAnswers = {kBadSectorRetry};
    EXPECT_EQ(Read(39, 2, buffer, 1), 0);  // the first call decides
    EXPECT_EQ(disk32Calls, (std::vector<Request>{{39, 2}, {39, 1}, {40, 1}}));
    EXPECT_TRUE(SectorIs(buffer, 0, 0x81));
    EXPECT_TRUE(SectorIs(buffer, 1, 0));

    SetDisk32Library(nullptr);  // library missing
    EXPECT_EQ(Read(0, 1, buffer), 0);
    SetDisk32Library(&BuiltInDisk32());
    EXPECT_EQ(Read(9, 1, buffer, 1), 1);  // the stand-in reads the disk list
    EXPECT_TRUE(SectorIs(buffer, 0, Fill(9) ^ 0xFF));
}

// ----- writing -----

TEST_F(DeviceReadTest, WritesInBlocksAndRewritesAFailedBlockSectorBySector) {
    std::vector<uint8_t> data(85 * kSectorSize, 0xAB);
    device.failing = {10};
    EXPECT_EQ(WriteSectors(DeviceNameTable[0], 0, 85, data.data()), 1);
    EXPECT_EQ(device.writes.front(), (Request{0, 40}));
    EXPECT_EQ(device.writes.size(), 1u + 40u + 1u + 1u);
    EXPECT_EQ(device.writes.back(), (Request{80, 5}));
    EXPECT_EQ(device.media["disk0"][11 * kSectorSize], 0xAB);
    EXPECT_EQ(prompt.badSectorPrompts, 0);

    device.readOnly = {"disk1"};
    EXPECT_EQ(WriteSectors(DeviceNameTable[1], 0, 1, data.data()), 0);
}

// ----- image sets -----

constexpr uint64_t kPartBytes = uint64_t{kImagePartSectors} * kSectorSize;

// Writes a sparse file of `bytes` bytes whose sectors listed in `marks` hold
// the byte given.
void WriteImageFile(const std::string& path, uint64_t bytes, std::map<uint64_t, uint8_t> marks) {
    { std::ofstream create(path, std::ios::binary); }
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(bytes)), 0);
    std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
    for (auto [sector, value] : marks) {
        std::string block(kSectorSize, static_cast<char>(value));
        out.seekp(static_cast<std::streamoff>(sector * kSectorSize));
        out.write(block.data(), kSectorSize);
    }
}

class ImageReadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRecoveryJob();
        theJob.platformTag = 'N';
        theJob.sourceIsImage = 1;
        theJob.imageFolder = folder.Path() + "/";
    }
    int Read(uint64_t start, uint32_t count, std::vector<uint8_t>& buffer) {
        buffer = Sectors(count);
        return ReadSectors(DeviceNameTable[0], start, count, buffer.data());
    }
    TempFolder folder;
    ScriptedPrompt prompt;
};

TEST_F(ImageReadTest, SingleFileEndAndBeyond) {
    theJob.imageMultiPart = 0;
    WriteImageFile(folder / "Image0.img", 10 * kSectorSize, {{9, 0x99}});
    std::vector<uint8_t> buffer;
    EXPECT_EQ(Read(9, 1, buffer), 1);
    EXPECT_TRUE(SectorIs(buffer, 0, 0x99));
    // Running past the end: the bytes the file does not hold are zero.
    EXPECT_EQ(Read(9, 2, buffer), 1);
    EXPECT_TRUE(SectorIs(buffer, 1, 0));
    // Starting at the end of the file passes; beyond it prompts.
    EXPECT_EQ(Read(10, 1, buffer), 1);
    EXPECT_TRUE(SectorIs(buffer, 0, 0));
    EXPECT_EQ(prompt.badSectorPrompts, 0);
    prompt.badSectorAnswers = {kBadSectorRetry};
    EXPECT_EQ(Read(11, 1, buffer), 0);
    EXPECT_EQ(prompt.badSectorPrompts, 1);  // one retry, then it gives up
    EXPECT_TRUE(SectorIs(buffer, 0, 0));
}

TEST_F(ImageReadTest, MissingFilePromptsAndZeroFills) {
    std::vector<uint8_t> buffer;
    prompt.badSectorAnswers = {kBadSectorRetry};
    EXPECT_EQ(Read(0, 2, buffer), 0);
    EXPECT_EQ(prompt.badSectorPrompts, 1);
    EXPECT_EQ(buffer, std::vector<uint8_t>(2 * kSectorSize, 0));
}

TEST_F(ImageReadTest, PartNamesAreMatchedWithoutRegardToCase) {
    theJob.imageMultiPart = 1;
    WriteImageFile(folder / "IMAGE0.IMG", 4 * kSectorSize, {{1, 0x11}});
    std::vector<uint8_t> buffer;
    EXPECT_EQ(Read(1, 1, buffer), 1);
    EXPECT_TRUE(SectorIs(buffer, 0, 0x11));
}

TEST_F(ImageReadTest, SplitsAReadAcrossTwoParts) {
    theJob.imageMultiPart = 1;
    WriteImageFile(folder / "image0.img", kPartBytes, {{kImagePartSectors - 1, 0xA0}});
    WriteImageFile(folder / "image1.img", 4 * kSectorSize, {{0, 0xB1}, {1, 0xB2}});
    std::vector<uint8_t> buffer;
    EXPECT_EQ(Read(kImagePartSectors - 1, 2, buffer), 1);
    EXPECT_TRUE(SectorIs(buffer, 0, 0xA0));
    EXPECT_TRUE(SectorIs(buffer, 1, 0xB1));
    EXPECT_EQ(Read(kImagePartSectors + 1, 1, buffer), 1);
    EXPECT_TRUE(SectorIs(buffer, 0, 0xB2));
    EXPECT_EQ(ImagePartPath(kImagePartSectors + 1).path, folder.Path() + "/image1.img");
    EXPECT_EQ(ImagePartPath(kImagePartSectors + 1).sectorInPart, 1u);
}

TEST_F(ImageReadTest, ReadEndingAtThePartEndNeedsNoNextPart) {
    theJob.imageMultiPart = 1;
    WriteImageFile(folder / "image0.img", kPartBytes, {{kImagePartSectors - 1, 0xA0}});
    std::vector<uint8_t> buffer;
    EXPECT_EQ(Read(kImagePartSectors - 2, 2, buffer), 1);
    EXPECT_TRUE(SectorIs(buffer, 1, 0xA0));
    // A missing next part is passed over without a prompt; its sectors are zero.
    EXPECT_EQ(Read(kImagePartSectors - 1, 3, buffer), 1);
    EXPECT_TRUE(SectorIs(buffer, 0, 0xA0));
    EXPECT_TRUE(SectorIs(buffer, 1, 0));
    EXPECT_EQ(prompt.badSectorPrompts, 0);
}

}  // namespace
