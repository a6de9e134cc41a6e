// The NTFS validation, the MFT extent table and the quick scan on a real
// volume made by mkntfs and filled through ntfs-3g.
#include "ntfs/ntfs_quick_scan.h"

#include "app/recovery_job.h"
#include "ntfs/ntfs_boot_sector.h"
#include "ntfs/ntfs_record.h"
#include "platform/device_paths.h"
#include "sectors/sector_source.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace {

std::string Fixture(const std::string& name) { return std::string(VORNIX_FIXTURE_DIR) + "/" + name; }
std::string Source(const std::string& name) { return std::string(VORNIX_FIXTURE_SOURCE_DIR) + "/" + name; }

class NtfsFixtureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRecoveryJob();
        theJob.platformTag = 'N';
        store.ClearFoundItems();
    }
    void TearDown() override {
        platform::SetDiskListOverride(std::nullopt);
        theMftExtents.clear();
    }
    // Step 2's validation and Step 3's preparation for a volume at sector 0
    // whose backup boot sector is its last sector.
    bool Prepare(const std::string& path) {
        platform::SetDiskListOverride(std::vector<std::string>{path});
        theJob.fileSystemName = "NTFS";
        theJob.rangeStart = 0;
        theJob.rangeEnd = std::filesystem::file_size(path) / kSectorSize - 1;
        if (!ValidateNtfsBootSector()) return false;
        theJob.workerGeometry = theJob.jobGeometry;
        theJob.workerGeometry.fileSystemName = "NTFS";
        const VolumeGeometry& g = theJob.workerGeometry;
        BuildMftExtentTable(g.cluster0Sector, g.mftSector, g.sectorsPerCluster);
        return true;
    }
    const FoundFile* FileNamed(const std::u16string& name) const {
        for (const FoundFile& f : store.Files())
            if (f.longName == name) return &f;
        return nullptr;
    }
    uint32_t FileSector(const std::u16string& name) { return MftRecordSector(FileNamed(name)->ownId); }

    FoundItemStore store;
    ScanProgress progress;
    ScriptedPrompt prompt;
};

// kind<TAB>deleted<TAB>path<TAB>size of everything but the system files.
std::multiset<std::string> Listing(const FoundItemStore& store) {
    std::multiset<std::string> rows;
    auto path = [&](uint32_t parent, std::string name) {
        for (int depth = 0; parent != kRootRecord && depth < 64; ++depth) {
            int64_t index = store.FindFolder(parent, 0);
            if (index < 0) return "?/" + name;
            const FoundFolder& f = store.Folders()[size_t(index)];
            name = DisplayName(f.shortName, f.longName) + "/" + name;
            parent = f.parentId;
        }
        return name;
    };
    auto add = [&](const char* kind, char deleted, uint32_t parent, const std::string& name, uint64_t size) {
        std::string full = path(parent, name);
        if (full[0] != '$' && full.rfind("Links/", 0) != 0)
            rows.insert(std::string(kind) + "\t" + deleted + "\t" + full + "\t" + std::to_string(size));
    };
    for (const FoundFolder& f : store.Folders()) add("folder", f.deleted, f.parentId, DisplayName("", f.longName), 0);
    for (const FoundFile& f : store.Files()) add("file", f.deleted, f.parentId, DisplayName("", f.longName), f.size);
    return rows;
}

TEST_F(NtfsFixtureTest, ValidationFindsTheMftAndItsMirror) {
    ASSERT_TRUE(Prepare(Fixture("ntfs.img")));
    const VolumeGeometry& g = theJob.jobGeometry;
    EXPECT_EQ(g.sectorsPerCluster, 8u);
    EXPECT_EQ(g.sectorsPerMftRecord, 2u);
    EXPECT_EQ(g.sectorsPerIndexRecord, 8u);
    EXPECT_EQ(g.cluster0Sector, 0u);
    EXPECT_NE(g.mftSector, 0u);
    EXPECT_NE(g.mftMirrorSector, 0u);
    EXPECT_FALSE(theMftExtents.empty());
}

TEST_F(NtfsFixtureTest, ListsEveryLiveFileAndEveryDeletedOneWithItsName) {
    ASSERT_TRUE(Prepare(Fixture("ntfs.img")));
    ASSERT_EQ(RunNtfsQuickScan(store, progress), ScanEnd::Found);
    EXPECT_TRUE(progress.stopRequested);
    EXPECT_GT(progress.progressValue, 0);
    EXPECT_LE(progress.progressValue, 100);

    std::ifstream in(Source("ntfs.img.expected"));
    std::multiset<std::string> expected;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) expected.insert(line);
    EXPECT_EQ(Listing(store), expected);

    EXPECT_LT(store.FindFolder(kRootRecord, 0), 0);  // the root is never a folder of its own
    EXPECT_TRUE(FileNamed(u"$MFT"));
    // One record with 301 names is one file.
    int64_t links = -1;
    for (size_t i = 0; i < store.Folders().size(); ++i)
        if (store.Folders()[i].longName == u"Links") links = int64_t(i);
    ASSERT_GE(links, 0);
    const auto& linked = store.ChildFiles(store.Folders()[size_t(links)].ownId);
    ASSERT_EQ(linked.size(), 1u);
    EXPECT_EQ(store.Files()[linked[0]].size, 3000u);
}

TEST_F(NtfsFixtureTest, RunListsOfFragmentedAndSparseFiles) {
    ASSERT_TRUE(Prepare(Fixture("ntfs.img")));
    ASSERT_EQ(RunNtfsQuickScan(store, progress), ScanEnd::Found);
    const VolumeGeometry& g = theJob.workerGeometry;
    auto total = [](const RunTable& runs) {
        uint64_t sectors = 0;
        for (const ::Run& r : runs) sectors += r.sectors;
        return sectors;
    };
    RunTable fragmented = BuildFileRunList(0, FileSector(u"fragmented.bin"), g.sectorsPerCluster);
    EXPECT_GT(fragmented.size(), 1u);
    EXPECT_EQ(total(fragmented), 2621440u / kSectorSize);
    RunTable sparse = BuildFileRunList(0, FileSector(u"sparse.bin"), g.sectorsPerCluster);
    bool hasSparse = false;
    for (const ::Run& r : sparse) hasSparse = hasSparse || r.startSector == 0;
    EXPECT_TRUE(hasSparse);
    EXPECT_EQ(total(sparse), 10485760u / kSectorSize);
    EXPECT_TRUE(BuildFileRunList(0, FileSector(u"tiny.txt"), g.sectorsPerCluster).empty());  // resident
}

TEST_F(NtfsFixtureTest, ADamagedBootSectorIsReadFromItsBackup) {
    TempFolder folder;
    std::string path = folder / "ntfs.img";
    std::filesystem::copy_file(Fixture("ntfs.img"), path);
    {
        std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
        std::string zeros(kSectorSize, '\0');
        out.write(zeros.data(), kSectorSize);
    }
    ASSERT_TRUE(Prepare(path));
    EXPECT_EQ(theJob.jobGeometry.sectorsPerCluster, 8u);
    EXPECT_EQ(RunNtfsQuickScan(store, progress), ScanEnd::Found);
}

TEST_F(NtfsFixtureTest, AnUnreadableMftSwitchesToTheExhaustiveScan) {
    ASSERT_TRUE(Prepare(Fixture("ntfs.img")));
    theMftExtents = {{1, 64}};  // sectors that hold no FILE record
    EXPECT_EQ(RunNtfsQuickScan(store, progress), ScanEnd::NothingFound);
    EXPECT_EQ(prompt.messages,
              std::vector<std::string>{"Switching to Exhaustive Scan for Lost files & folders. This will take long time."});
}

}  // namespace
