// The FAT quick scan on the real FAT12, FAT16 and FAT32 images made by
// mkfs.fat and mtools, checked against the record the fixture script wrote
// of what it put there.
#include "fat/fat_quick_scan.h"

#include "app/recovery_job.h"
#include "fat/fat_volume.h"
#include "found/found_dates.h"
#include "platform/device_paths.h"
#include "platform/text_codec.h"
#include "sectors/sector_source.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace {

std::string Fixture(const std::string& name) { return std::string(VORNIX_FIXTURE_DIR) + "/" + name; }
std::string Source(const std::string& name) { return std::string(VORNIX_FIXTURE_SOURCE_DIR) + "/" + name; }

// "kind<TAB>deleted<TAB>path<TAB>size" of every item the store holds, with
// the path built from the parent ids.
std::multiset<std::string> Listing(const FoundItemStore& store) {
    std::multiset<std::string> rows;
    auto pathOf = [&](uint32_t parent, const std::string& name) {
        std::string path = name;
        for (int depth = 0; parent != 0 && depth < 64; ++depth) {
            int64_t index = store.FindFolder(parent, 0);
            if (index < 0) return "?/" + path;
            const FoundFolder& f = store.Folders()[static_cast<size_t>(index)];
            path = DisplayName(f.shortName, f.longName) + "/" + path;
            parent = f.parentId;
        }
        return path;
    };
    for (const FoundFolder& f : store.Folders())
        rows.insert(std::string("folder\t") + f.deleted + "\t" + pathOf(f.parentId, DisplayName(f.shortName, f.longName)) + "\t0");
    for (const FoundFile& f : store.Files())
        rows.insert(std::string("file\t") + f.deleted + "\t" + pathOf(f.parentId, DisplayName(f.shortName, f.longName)) +
                    "\t" + std::to_string(f.size));
    return rows;
}

std::multiset<std::string> Expected(const std::string& image) {
    std::ifstream in(Source(image + ".expected"));
    std::multiset<std::string> rows;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) rows.insert(line);
    return rows;
}

class FatFixtureTest : public ::testing::TestWithParam<std::pair<const char*, const char*>> {
protected:
    void SetUp() override {
        ResetRecoveryJob();
        theJob.platformTag = 'N';
        store.ClearFoundItems();
    }
    void TearDown() override { platform::SetDiskListOverride(std::nullopt); }

    // Validates the volume of `path` as Step 2 would and runs the scan.
    ScanEnd Scan(const std::string& path, const std::string& fileSystem) {
        platform::SetDiskListOverride(std::vector<std::string>{path});
        SetDeviceBackend(nullptr);
        theJob.fileSystemName = fileSystem;
        theJob.rangeEnd = std::filesystem::file_size(path) / kSectorSize;
        EXPECT_EQ(ValidateFatBootSector(fileSystem, 0), 1);
        theJob.workerGeometry = theJob.jobGeometry;
        theJob.workerGeometry.fileSystemName = fileSystem;
        return RunFatQuickScan(store, progress);
    }

    FoundItemStore store;
    ScanProgress progress;
    ScriptedPrompt prompt;
};

TEST_P(FatFixtureTest, ListsEveryLiveAndDeletedItemTheImageHolds) {
    auto [image, fileSystem] = GetParam();
    ASSERT_EQ(Scan(Fixture(image), fileSystem), ScanEnd::Found);
    EXPECT_TRUE(progress.stopRequested);
    EXPECT_EQ(Listing(store), Expected(image));
    EXPECT_EQ(store.folderCount, static_cast<int32_t>(store.Folders().size()));
    uint64_t total = 0;
    for (const FoundFile& f : store.Files()) total += f.size;
    EXPECT_EQ(store.totalSize, total);
    // Every item was written at the fixture script's time stamp.
    for (const FoundFile& f : store.Files()) {
        EXPECT_EQ(IsoDate(f.times, DateColumn::Modified, false), "2008-03-05T17:09:32");
        EXPECT_EQ(IsoDate(f.times, DateColumn::Accessed, false), "2008-03-05");
    }
    EXPECT_TRUE(prompt.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Images, FatFixtureTest,
                         ::testing::Values(std::pair{"fat12.img", "FAT12"}, std::pair{"fat16.img", "FAT16"},
                                           std::pair{"fat32.img", "FAT32"}),
                         [](const auto& p) { return std::string(p.param.second); });

class FatDamageTest : public FatFixtureTest {
protected:
    // A writable copy of a fixture.
    std::string Copy(const std::string& image) {
        std::string path = folder / image;
        std::filesystem::copy_file(Fixture(image), path);
        return path;
    }
    void Zero(const std::string& path, uint64_t sector, uint32_t count) {
        std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(static_cast<std::streamoff>(sector * kSectorSize));
        std::string zeros(size_t{count} * kSectorSize, '\0');
        out.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
    }
    TempFolder folder;
};

TEST_F(FatDamageTest, AFolderWhoseClusterHoldsOtherDataKeepsNoChildren) {
    std::string path = Copy("fat16.img");
    ASSERT_EQ(Scan(path, "FAT16"), ScanEnd::Found);
    int64_t music = -1;
    for (size_t i = 0; i < store.Folders().size(); ++i)
        if (store.Folders()[i].shortName == "" && store.Folders()[i].longName == u"Music") music = int64_t(i);
    ASSERT_GE(music, 0);
    uint32_t cluster = store.Folders()[size_t(music)].ownId;
    EXPECT_FALSE(store.ChildFiles(cluster).empty());

    Zero(path, ClusterSector(theJob.workerGeometry, cluster), theJob.workerGeometry.sectorsPerCluster);
    store.ClearFoundItems();
    ASSERT_EQ(Scan(path, "FAT16"), ScanEnd::Found);
    EXPECT_GE(store.FindFolder(cluster, 0), 0);
    EXPECT_TRUE(store.ChildFiles(cluster).empty());
}

TEST_F(FatDamageTest, AnEmptyRootSwitchesToTheExhaustiveScan) {
    std::string path = Copy("fat16.img");
    platform::SetDiskListOverride(std::vector<std::string>{path});
    ASSERT_EQ(ValidateFatBootSector("FAT16", 0), 1);
    Zero(path, theJob.jobGeometry.rootDirStart, theJob.jobGeometry.rootDirSectors);
    EXPECT_EQ(Scan(path, "FAT16"), ScanEnd::NothingFound);
    EXPECT_FALSE(progress.stopRequested);
    EXPECT_EQ(prompt.messages,
              std::vector<std::string>{"Switching to Exhaustive Scan for Lost files & folders. This will take long time."});
}

TEST_F(FatDamageTest, UnwalkableGeometryReadsNothing) {
    platform::SetDiskListOverride(std::vector<std::string>{Fixture("fat32.img")});
    theJob.workerGeometry = VolumeGeometry{};
    theJob.workerGeometry.fileSystemName = "FAT32";
    EXPECT_EQ(RunFatQuickScan(store, progress), ScanEnd::NothingFound);
}

TEST_F(FatDamageTest, CancelLeavesAtTheNextSafePoint) {
    progress.Cancel();
    EXPECT_EQ(Scan(Fixture("fat32.img"), "FAT32"), ScanEnd::Cancelled);
}

}  // namespace
