#include "found/found_item_store.h"

#include "found/found_dates.h"
#include "found/scan_progress.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

FoundTimes Times(uint32_t first) { return {first, 0, 0, 0, 0, 0}; }

TEST(FoundItemStore, ALiveFolderReplacesADeletedRecordOfItself) {
    FoundItemStore store;
    store.AddFolder("OLD", u"", 'y', 0, 9, 0, Times(1), 0);
    store.AddFolder("", u"New name", 'n', 4, 9, 77, Times(2), 0);
    ASSERT_EQ(store.Folders().size(), 1u);
    const FoundFolder& folder = store.Folders()[0];
    EXPECT_EQ(folder.deleted, 'n');
    EXPECT_EQ(folder.shortName, "");
    EXPECT_EQ(folder.longName, u"New name");
    EXPECT_EQ(folder.times[0], 2u);
    EXPECT_EQ(folder.sector, 77u);
    EXPECT_EQ(folder.parentId, 4u);
    EXPECT_EQ(store.folderCount, 1);
    EXPECT_EQ(store.ChildFolders(0).size(), 0u);
    EXPECT_EQ(store.ChildFolders(4), std::vector<uint32_t>{0});
}

TEST(FoundItemStore, DuplicatesAreDroppedButIdZeroAndOtherFileSystemsAreKept) {
    FoundItemStore store;
    store.AddFolder("LIVE", u"", 'n', 0, 9, 0, Times(1), 0);
    store.AddFolder("DEAD", u"", 'y', 0, 9, 0, Times(2), 0);
    store.AddFolder("LIVE2", u"", 'n', 0, 9, 0, Times(3), 0);
    store.AddFolder("A", u"", 'n', 0, 0, 0, Times(0), 0);
    store.AddFolder("B", u"", 'n', 0, 0, 0, Times(0), 0);
    store.AddFolder("OTHER", u"", 'n', 0, 9, 0, Times(0), 2);
    EXPECT_EQ(store.folderCount, 4);
    EXPECT_EQ(store.Folders()[0].shortName, "LIVE");
    EXPECT_EQ(store.FindFolder(9, 0), 0);
    EXPECT_EQ(store.FindFolder(0, 0), 1);
    EXPECT_EQ(store.FindFolder(9, 2), 3);
    EXPECT_EQ(store.FindFolder(9, 1), -1);
}

TEST(FoundItemStore, FilesAreNumberedInOrderAndKeepOneName) {
    FoundItemStore store;
    store.AddFile("A.TXT", u"A.TXT", 'n', 10, 1, 0, 3, 0, Times(0));
    store.AddFile("", u"long name.txt", 'y', 5, 0, 3, 4, 0, Times(0));
    ASSERT_EQ(store.Files().size(), 2u);
    EXPECT_EQ(store.Files()[0].serial, 0u);
    EXPECT_EQ(store.Files()[1].serial, 1u);
    EXPECT_EQ(store.Files()[0].size, (uint64_t{1} << 32) + 10);
    EXPECT_TRUE(store.Files()[0].longName.empty());
    EXPECT_EQ(store.Files()[1].longName, u"long name.txt");
    EXPECT_EQ(store.totalSize, 0u);  // the workers add sizes themselves
    EXPECT_EQ(store.ChildFiles(3), std::vector<uint32_t>{1});
    store.ClearFoundItems();
    EXPECT_EQ(store.fileCount, 0);
    EXPECT_TRUE(store.Files().empty());
    EXPECT_TRUE(store.ChildFiles(3).empty());
}

TEST(FoundItemStore, TransferNamesFatDirectoriesAndAdoptsOrphans) {
    FoundItemStore store;
    ScanProgress progress;
    for (int i = 0; i < 6; ++i) store.AddFolder("F" + std::to_string(i), u"", 'n', 0, 100 + i, 0, Times(0), 1);
    // A hit whose parent exists, one whose parent is missing, one at the root.
    store.AddDirectoryHit({u"", 'n', {}, 100, 200, 5000, 0, 1});
    store.AddDirectoryHit({u"", 'y', {}, 999, 201, 6000, 0, 1});
    store.AddDirectoryHit({u"", 'n', {}, 0, 202, 7000, 0, 1});
    store.TransferHits(1, "FAT16", progress);
    EXPECT_TRUE(store.directoryHits.empty());
    ASSERT_EQ(store.Folders().size(), 10u);
    EXPECT_EQ(store.Folders()[6].shortName, "Lost");
    EXPECT_EQ(store.Folders()[6].ownId, kLostFolderId);
    EXPECT_EQ(store.Folders()[7].shortName, "Dir7");
    EXPECT_EQ(store.Folders()[7].parentId, 100u);
    EXPECT_EQ(store.Folders()[8].parentId, kLostFolderId);  // its parent 999 is nowhere
    EXPECT_EQ(store.Folders()[9].parentId, 0u);
    EXPECT_EQ(store.ChildFolders(kLostFolderId), std::vector<uint32_t>{8});
    EXPECT_EQ(store.Folders()[8].sector, 6000u);
    EXPECT_EQ(progress.Status(), "Step 5/5 :- Searching lost directories. Please Wait...  ");
    for (const FoundFolder& f : store.Folders())
        EXPECT_TRUE(f.parentId == 0 || f.parentId == kLostFolderId || store.FindFolder(f.parentId, 1) >= 0);
}

TEST(FoundItemStore, NtfsTransferMovesFileHitsAndSkipsTheRoot) {
    FoundItemStore store;
    ScanProgress progress;
    store.AddDirectoryHit({u"root", 'n', {}, 5, 5, 100, 0, 1});
    store.AddDirectoryHit({u"Docs", 'n', {}, 5, 64, 200, 0, 1});
    store.AddMftFileHit({u"a.txt", 'n', {}, 0, 1234, 64, 70, 300});
    store.TransferHits(1, "NTFS", progress);
    ASSERT_EQ(store.Folders().size(), 2u);
    EXPECT_EQ(store.Folders()[0].longName, u"Lost");
    EXPECT_EQ(store.Folders()[0].parentId, 5u);
    EXPECT_EQ(store.Folders()[1].longName, u"Docs");
    ASSERT_EQ(store.Files().size(), 1u);
    EXPECT_EQ(store.Files()[0].sector, 300u);
    EXPECT_EQ(store.totalSize, 1234u);
    EXPECT_EQ(progress.progressValue, 100);
}

TEST(FoundItemStore, TransferWithoutHitsReKeysTheLostFolder) {
    FoundItemStore store;
    ScanProgress progress;
    store.AddFolder("Lost", u"", 'n', 0, kLostFolderId, 0, Times(0), 1);
    store.TransferHits(2, "FAT32", progress);
    EXPECT_EQ(store.Folders().size(), 1u);
    EXPECT_EQ(store.Folders()[0].fileSystemNumber, 2);
    EXPECT_EQ(store.FindFolder(kLostFolderId, 2), 0);
}

TEST(ScanProgress, OneCallInAThousandUpdatesTheDisplay) {
    ScanProgress progress;
    int counter = 0;
    for (int i = 0; i < 999; ++i) UpdateScanProgress(progress, 0x40000000ull, 1, 2, "a", counter, 'c');
    EXPECT_EQ(progress.Snapshot().version, 0u);
    UpdateScanProgress(progress, 0x40000000ull, 3, 4, "name", counter, 'c');
    ScanProgress::Values shown = progress.Snapshot();
    EXPECT_EQ(shown.value, "1024.000 MB");
    EXPECT_EQ(shown.folders, "3");
    EXPECT_EQ(shown.files, "4");
    EXPECT_EQ(shown.lastName, "name");
    EXPECT_EQ(counter, 0);
    EXPECT_EQ(FormatScanSize(0x40000001ull), "1.000 GB");
}

TEST(ScanProgress, HiddenDetailsHideTheValuesOnce) {
    ScanProgress progress;
    progress.detailsHidden = true;
    progress.hidePending = true;
    int counter = 999;
    UpdateScanProgress(progress, 5, 1, 1, "x", counter, 'c');
    EXPECT_TRUE(progress.Snapshot().hidden);
    EXPECT_FALSE(progress.hidePending);
    EXPECT_TRUE(progress.Snapshot().value.empty());
}

TEST(ScanProgress, PausedWorkerWaitsAndCancelReleasesIt) {
    ScanProgress progress;
    EXPECT_TRUE(progress.SafePoint());
    progress.SetPaused(true);
    std::atomic<bool> released{false};
    std::thread worker([&] {
        bool goOn = progress.SafePoint();
        released = true;
        EXPECT_FALSE(goOn);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(released);
    progress.Cancel();
    worker.join();
    EXPECT_TRUE(released);
}

TEST(FoundDates, StepFourFormatsAndIso) {
    // 2004-03-05 17:09:32: DOS date (24 << 9) | (3 << 5) | 5, time (17 << 11) | (9 << 5) | 16.
    FoundTimes fat{(24 << 9) | (3 << 5) | 5, (17 << 11) | (9 << 5) | 16, 0, 0, (24 << 9) | (3 << 5) | 5, 0};
    EXPECT_EQ(ListDate(fat, DateColumn::Modified, false), "05-Mar-2004 17:09");
    EXPECT_EQ(ListDate(fat, DateColumn::Accessed, false), "05-Mar-2004");
    EXPECT_EQ(ListDate(fat, DateColumn::Created, false), "00-Err-1980 00:00");
    EXPECT_EQ(IsoDate(fat, DateColumn::Modified, false), "2004-03-05T17:09:32");
    EXPECT_EQ(IsoDate(fat, DateColumn::Created, false), "");
    uint64_t fileTime = (uint64_t{1078506573} + 11644473600ull) * 10000000ull;  // 2004-03-05 17:09:33 UTC
    FoundTimes ntfs{static_cast<uint32_t>(fileTime), static_cast<uint32_t>(fileTime >> 32), 0, 0, 0, 0};
    EXPECT_EQ(ListDate(ntfs, DateColumn::Modified, true), "05-Mar-2004 17:09:33");
    EXPECT_EQ(IsoDate(ntfs, DateColumn::Modified, true), "2004-03-05T17:09:33");
}

}  // namespace

#include "app/recovery_job.h"
#include "found/scan_choice.h"

namespace {

TEST(ElapsedClock, MinutesRollOverAndPausesDoNotCount) {
    int64_t now = 1000;
    ElapsedClock clock([&] { return now; });
    clock.Start();
    now += 59000;
    clock.Tick();
    EXPECT_EQ(clock.Text(), "0 : 0 : 59");
    now += 1000;
    clock.Tick();
    EXPECT_EQ(clock.Text(), "0 : 1 : 0");
    clock.Pause();
    now += 10000;
    clock.Resume();
    now += 5000;
    clock.Tick();
    EXPECT_EQ(clock.Text(), "0 : 1 : 5");
    for (int second = 0; second < 59 * 60; ++second) {  // the timer ticks every second
        now += 1000;
        clock.Tick();
    }
    EXPECT_EQ(clock.Text(), "1 : 0 : 5");
}

struct ChoiceCase {
    const char* name;
    const char* fileSystem;
    int jobMode, imaging, search, passes, exhaustive, fromLog;
    WorkerKind kind;
    const char* valueLabel;
};

class WorkerChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(WorkerChoiceTest, FirstMatchingRowWins) {
    ResetRecoveryJob();
    const ChoiceCase& c = GetParam();
    theJob.fileSystemName = c.fileSystem;
    theJob.jobMode = c.jobMode;
    theJob.imagingJob = c.imaging;
    theJob.lostFsSearch = c.search;
    theJob.lostFsSearchPasses = c.passes;
    theJob.exhaustiveScan = c.exhaustive;
    theJob.logLoaded = c.fromLog;
    WorkerChoice choice = ChooseWorker();
    EXPECT_EQ(choice.kind, c.kind);
    EXPECT_EQ(choice.valueLabel, c.valueLabel);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WorkerChoiceTest,
    ::testing::Values(ChoiceCase{"raw", "NTFS", kJobRaw, 0, 0, 0, 0, 0, WorkerKind::RawSearch, "Current Sector         :-"},
                      ChoiceCase{"imaging", "FAT32", kJobImaging, 1, 0, 0, 0, 0, WorkerKind::Imaging, "Current Sector         :-"},
                      ChoiceCase{"fatQuick", "FAT16", 0, 0, 0, 0, 0, 0, WorkerKind::FatQuick, "Total Size                :-"},
                      ChoiceCase{"fatExhaustive", "FAT32", 0, 0, 0, 0, 1, 0, WorkerKind::FatExhaustive, "Current Sector         :-"},
                      ChoiceCase{"fatSearch", "FAT12", 0, 0, 1, 0, 0, 0, WorkerKind::FatLostSearch, "Current Sector         :-"},
                      ChoiceCase{"fatSearchPassTwo", "FAT12", 0, 0, 1, 2, 0, 0, WorkerKind::None, ""},
                      ChoiceCase{"ntfsQuick", "NTFS", 0, 0, 0, 0, 0, 0, WorkerKind::NtfsQuick, "Total Size                :-"},
                      ChoiceCase{"ntfsSearch", "NTFS", 0, 0, 1, 0, 0, 0, WorkerKind::NtfsExhaustive, "Current Sector         :-"},
                      ChoiceCase{"ntfsTransfer", "NTFS", 0, 0, 1, 1, 0, 0, WorkerKind::NtfsTransfer, ""},
                      ChoiceCase{"unknown", "UNKNOWN", 0, 0, 0, 0, 0, 0, WorkerKind::None, ""}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
