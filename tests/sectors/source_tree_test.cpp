#include "sectors/source_tree.h"

#include "app/installation.h"
#include "app/recovery_job.h"
#include "platform/device_paths.h"
#include "platform/folders.h"
#include "sectors/device_enumeration.h"
#include "sectors/geometry_cache.h"
#include "sectors/sector_source.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"
#include "wizard/step1_next.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace {

void MakeFile(const std::string& path, uint64_t bytes) {
    { std::ofstream create(path, std::ios::binary); }
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(bytes)), 0);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class SourceTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRecoveryJob();
        theJob.productTitle = "Vornix for Windows";
        EnsureInstallationFolder();
        disk0 = settings.folder / "disk0.img";
        disk1 = settings.folder / "disk1.img";
        MakeFile(disk0, 1'000'000'000);
        MakeFile(disk1, 8'225'280);
        setenv("VORNIX_DISKS", (disk0 + ":" + disk1).c_str(), 1);
        setenv("VORNIX_DRIVES", "", 1);
    }
    void TearDown() override { unsetenv("VORNIX_DISKS"); }

    IsolatedSettings settings;
    ScriptedPrompt prompt;
    std::string disk0, disk1;
};

TEST_F(SourceTreeTest, EnumerationRebuildsTheCacheFromTheDiskList) {
    DeviceInfo stale;
    stale.number = 5;
    stale.present = "old";
    stale.model = "old disk";
    WriteDeviceInfo(stale);

    SourceDevices devices = EnumerateDevices();
    EXPECT_EQ(devices.exitCode, -1);
    EXPECT_EQ(devices.diskItems, (std::vector<std::string>{"Disk0", "Disk1"}));
    EXPECT_TRUE(devices.driveItems.empty());
    EXPECT_TRUE(ReadDeviceInfo(5).model.empty());  // values of an earlier run are gone

    DeviceInfo info = ReadDeviceInfo(1);
    EXPECT_EQ(info.cylinders, "1");
    EXPECT_EQ(info.heads, "255");
    EXPECT_EQ(info.sectorsPerTrack, "63");
    EXPECT_EQ(info.size, "8225280");
    EXPECT_EQ(info.model, disk1);
    EXPECT_EQ(info.mediaType, "Fixed hard disk media");
    EXPECT_EQ(info.displayDevice, disk1);
}

TEST_F(SourceTreeTest, DevicePanelRowsAndSize) {
    EnumerateDevices();
    InfoPanel panel = DeviceInfoPanel(0, true);
    EXPECT_EQ(panel.title, "                   Device Information");
    ASSERT_GE(panel.rows.size(), 7u);
    EXPECT_EQ(panel.rows[0], "Physical Disk Number : 0");
    EXPECT_EQ(panel.rows[1], "Model   : " + disk0);
    EXPECT_EQ(panel.rows[2], "Media Type   : Fixed hard disk media");
    EXPECT_EQ(panel.rows[3], "Cylinder   : 121");
    EXPECT_EQ(panel.rows[6], "Disk Size  : 953 MB");
    EXPECT_EQ(panel.rows[7], "Linux Device   : " + disk0);
    EXPECT_EQ(theJob.diskModel, disk0);
}

TEST_F(SourceTreeTest, UnreadableDiskSaysWhy) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    EnumerateDevices();
    chmod(disk1.c_str(), 0);
    InfoPanel panel = DeviceInfoPanel(1, false);
    EXPECT_EQ(panel.rows[8], "Cannot be read   : Permission denied");
}

TEST(DriveSpace, Formats) {
    EXPECT_EQ(FormatDriveSpace(1610612736.0), "1.5 GB");
    EXPECT_EQ(FormatDriveSpace(1048576.0 * 3.25), "3.2 MB");
    EXPECT_EQ(FormatDriveSpace(2048.0), "2.0 KB");
    EXPECT_EQ(FormatDriveSpace(0.0), "0");
}

struct ImageSetCase {
    const char* name;
    std::vector<std::pair<const char*, uint64_t>> files;
    int multiPart;
};

class ImageSetTest : public SourceTreeTest, public ::testing::WithParamInterface<ImageSetCase> {};

TEST_P(ImageSetTest, OpensAsTheNextDiskWithItsGeometry) {
    EnumerateDevices();
    std::string folder = settings.folder / "set";
    platform::CreateFolderPath(folder);
    for (auto [name, size] : GetParam().files) MakeFile(folder + "/" + name, size);
    std::string item = ImageSetItemText(folder);
    EXPECT_EQ(item, folder + "/Image0.img");

    SourcePanelChoice choice = PickSourceItem(SourceItemKind::Image, item, true);
    EXPECT_EQ(choice.kind, SourcePanelChoice::Device);
    EXPECT_EQ(choice.disk, 2);
    EXPECT_EQ(theJob.sourceName, "Disk2");
    EXPECT_EQ(theJob.sourceIsImage, 1);
    EXPECT_EQ(theJob.imageFolder, folder + "/");
    EXPECT_EQ(theJob.imageMultiPart, GetParam().multiPart);
    InfoPanel panel = DeviceInfoPanel(2, true);
    EXPECT_EQ(panel.rows[1], "Model   : " + item);
    EXPECT_EQ(panel.rows[2], "Media Type   : Image");
    EXPECT_EQ(ReadDeviceInfo(2).heads, "255");
    // No presence mark: a second image gets the same number.
    EXPECT_EQ(CountPresentDisks(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, ImageSetTest,
    ::testing::Values(ImageSetCase{"onePart", {{"image0.img", 100u << 20}}, 1},
                      ImageSetCase{"oneBigFile", {{"Image0.img", 3ull << 30}}, 0},
                      ImageSetCase{"twoParts", {{"image0.img", 681574400}, {"IMAGE1.IMG", 1u << 20}}, 1}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(SourceTreeTest, MissingImageIsRefused) {
    EnumerateDevices();
    SourcePanelChoice choice = PickSourceItem(SourceItemKind::Image, settings.folder / "gone/Image0.img", true);
    EXPECT_EQ(choice.kind, SourcePanelChoice::Failed);
    EXPECT_EQ(prompt.messages, (std::vector<std::string>{"Image path not found. Please specify image path."}));
    EXPECT_TRUE(theJob.sourceName.empty());
}

TEST_F(SourceTreeTest, RawImageFileBecomesADiskOfItsOwn) {
    EnumerateDevices();
    std::string raw = settings.folder / "card.dd";
    {
        std::ofstream out(raw, std::ios::binary);
        out << std::string(512, 'R') << std::string(512, 'S');
    }
    ASSERT_TRUE(OpenImageItem(raw));
    EXPECT_EQ(theJob.sourceName, "Disk2");
    EXPECT_EQ(theJob.sourceIsImage, 0);
    EXPECT_EQ(platform::ResolveDeviceName(PhysicalDriveName(2)), raw);
    std::vector<uint8_t> sector(512);
    EXPECT_EQ(ReadSectors(PhysicalDriveName(2), 1, 1, sector.data()), 1);
    EXPECT_EQ(sector[0], 'S');
}

TEST_F(SourceTreeTest, ArrowKeysRecordTheChoiceWithoutOpening) {
    EnumerateDevices();
    EXPECT_EQ(StepSourceItem(SourceItemKind::Disk, "Disk1").kind, SourcePanelChoice::Device);
    EXPECT_EQ(theJob.sourceName, "Disk1");
    EXPECT_EQ(StepSourceItem(SourceItemKind::SelectDisk, "Select Disk").kind, SourcePanelChoice::Empty);
    SourcePanelChoice image = StepSourceItem(SourceItemKind::Image, disk1);
    EXPECT_EQ(image.kind, SourcePanelChoice::ImageFile);
    EXPECT_EQ(theJob.sourceIsImage, 0);
    InfoPanel info = ImageFileInfoPanel(disk1);
    EXPECT_EQ(info.title, "                   Image File Information");
    ASSERT_EQ(info.rows.size(), 3u);
    EXPECT_EQ(info.rows[2].rfind("Modified : ", 0), 0u);
}

// ----- Step 1 Next -----

struct NextCase {
    const char* name;
    Step1Kind kind;
    std::string sourceName;
    const char* message;  // nullptr: goes on
};

class Step1NextTest : public SourceTreeTest, public ::testing::WithParamInterface<NextCase> {};

TEST_P(Step1NextTest, MissingChoiceShowsItsMessage) {
    theJob.sourceName = GetParam().sourceName;
    bool proceed = Step1Next(GetParam().kind, {});
    EXPECT_EQ(proceed, GetParam().message == nullptr);
    if (GetParam().message) {
        EXPECT_EQ(prompt.messages, (std::vector<std::string>{GetParam().message}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, Step1NextTest,
    ::testing::Values(NextCase{"nothing", Step1Kind::QuickScan, "", "Select Logical Drive"},
                      NextCase{"driveCategory", Step1Kind::RawRecovery, "Select Logical Drive", "Select Logical Drive"},
                      NextCase{"diskCategory", Step1Kind::DiskImaging, "Select Disk", "Select Hard Disk"},
                      NextCase{"imageCategory", Step1Kind::ExhaustiveScan, "Select Image", "Select Image"},
                      NextCase{"imageCategoryRaw", Step1Kind::RawRecovery, "Select Image", nullptr},
                      NextCase{"disk", Step1Kind::QuickScan, "Disk1", nullptr}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(Step1NextTest, DiskChoiceSetsTheDiskAndWritesTheReportBlock) {
    theJob.sourceName = "Disk1";
    theJob.imagingJob = 1;
    theJob.jobMode = kJobImaging;
    theJob.badSectorAction = kBadSectorSkipAll;
    DeviceNameTable[0] = "\\\\.\\D:";
    ASSERT_TRUE(Step1Next(Step1Kind::QuickScan, {"Physical Disk Number : 1", "Disk Size  : 7 MB"}));
    EXPECT_EQ(theJob.diskNumber, 1);
    EXPECT_EQ(theJob.driveLetter, 0);
    EXPECT_EQ(DeviceNameTable[0], "\\\\.\\PhysicalDrive0");
    EXPECT_EQ(theJob.imagingJob, 0);
    EXPECT_EQ(theJob.jobMode, kJobScan);
    EXPECT_EQ(theJob.badSectorAction, kBadSectorRetry);
    EXPECT_EQ(ReadFile(settings.folder / "data/Activity Log.txt"),
              "\r\n\r\nStep 1 : Quick Scan\r\n-------\r\nDevice Information : \r\nPhysical Disk Number : 1"
              "\r\nDisk Size  : 7 MB");
}

TEST_F(Step1NextTest, DriveChoiceSetsTheDriveDevice) {
    theJob.sourceName = "Local Disk (D:)";
    theJob.diskNumber = 3;
    ASSERT_TRUE(Step1Next(Step1Kind::RawRecovery, {}));
    EXPECT_EQ(theJob.driveLetter, 'D');
    EXPECT_EQ(theJob.diskNumber, 0);
    EXPECT_EQ(DeviceNameTable[0], "\\\\.\\D:");
    EXPECT_EQ(theJob.jobMode, kJobRaw);
    DeviceNameTable[0] = PhysicalDriveName(0);
}

TEST_F(Step1NextTest, DiskImagingSetsItsModeAndKeepsTheBadSectorAnswer) {
    theJob.sourceName = "Disk25";
    theJob.badSectorAction = kBadSectorSkipAll;
    ASSERT_TRUE(Step1Next(Step1Kind::DiskImaging, {}));
    EXPECT_EQ(theJob.jobMode, kJobImaging);
    EXPECT_EQ(theJob.imagingJob, 1);
    EXPECT_EQ(theJob.diskNumber, 25);
    EXPECT_EQ(DeviceNameTable[theJob.diskNumber], "\\\\.\\PhysicalDrive25");
    EXPECT_EQ(theJob.badSectorAction, kBadSectorSkipAll);
}

TEST(Step1Titles, EachModeHasItsTitleAndTreeOwner) {
    ResetRecoveryJob();
    theJob.productTitle = "Vornix for Windows";
    EnterStep1(Step1Kind::ExhaustiveScan);
    EXPECT_EQ(theJob.windowTitle, "Vornix for Windows - Exhaustive Scan");
    EXPECT_EQ(theJob.activeStep, 1);
    EnterStep1(Step1Kind::RawRecovery);
    EXPECT_EQ(theJob.windowTitle, "Vornix for Windows - Raw Recovery");
    EXPECT_EQ(theJob.activeStep, 9);
    EnterStep1(Step1Kind::DiskImaging);
    EXPECT_EQ(theJob.activeStep, 6);
}

}  // namespace
