// The saving options, the FAT chain of a saved file, unique names, safe
// names and the saved times.
#include "saving/file_extraction.h"
#include "saving/saving_options.h"

#include "app/recovery_job.h"
#include "platform/device_paths.h"
#include "support/memory_disk_test.h"
#include "support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

FoundFile FatFile(uint16_t date, char deleted = 'n', char selected = 'n') {
    FoundFile f;
    f.times = {date, 0, date, 0, date, 0};
    f.deleted = deleted;
    f.selected = selected;
    return f;
}

uint16_t Dos(int year, int month, int day) { return static_cast<uint16_t>(((year - 1980) << 9) | (month << 5) | day); }

TEST(SavingOptions, SelectionDeletedAndExtensionFilters) {
    SavingOptions o;
    FoundFile ticked = FatFile(0, 'n', 'y'), plain = FatFile(0, 'y', 'n');
    EXPECT_TRUE(FileSelectedByOptions(ticked, o));
    EXPECT_FALSE(FileSelectedByOptions(plain, o));
    o.filesToSave = FilesToSave::Invert;
    EXPECT_FALSE(FileSelectedByOptions(ticked, o));
    EXPECT_TRUE(ItemTakenByOptions(false, o));
    o.filesToSave = FilesToSave::All;
    EXPECT_TRUE(FileSelectedByOptions(plain, o));

    o.deleted = DeletedFilter::Only;
    EXPECT_TRUE(PassesDeletedFilter('y', o));
    EXPECT_FALSE(PassesDeletedFilter('n', o));
    o.deleted = DeletedFilter::Exclude;
    EXPECT_FALSE(PassesDeletedFilter('y', o));

    o.extensions = {u"doc", u"read"};
    EXPECT_TRUE(PassesExtensionFilter(u"REPORT.DOC", o));
    EXPECT_TRUE(PassesExtensionFilter(u"report.Doc", o));
    EXPECT_FALSE(PassesExtensionFilter(u"report.docx", o));
    EXPECT_FALSE(PassesExtensionFilter(u"README", o));
    EXPECT_TRUE(PassesExtensionFilter(u"READ", o));
}

TEST(SavingOptions, DateRangesIncludeBothEnds) {
    SavingOptions o;
    o.ranges[0] = {31, 3, 2005, 1, 3, 2005};  // modified from 1 March to 31 March 2005
    EXPECT_TRUE(PassesDateRanges(FatFile(Dos(2005, 3, 1)), "FAT16", o));
    EXPECT_TRUE(PassesDateRanges(FatFile(Dos(2005, 3, 31)), "FAT16", o));
    EXPECT_FALSE(PassesDateRanges(FatFile(Dos(2005, 2, 28)), "FAT16", o));
    EXPECT_TRUE(PassesDateRanges(FatFile(Dos(2005, 2, 28)), "UNKNOWN", o));
    o.ranges[0] = {1, 1, 2004, 1, 1, 2005};  // earlier before after: not in force
    EXPECT_TRUE(PassesDateRanges(FatFile(Dos(1999, 1, 1)), "FAT32", o));
}

TEST(SavingOptions, NewExtensionChecks) {
    SavingOptions o;
    bool ignored = false;
    EXPECT_EQ(CheckNewExtension(u"jpeg", o, ignored), "");
    EXPECT_EQ(CheckNewExtension(u"jpegx", o, ignored), "Extension should not exceed more than 4 characters.");
    EXPECT_EQ(CheckNewExtension(u" doc", o, ignored), "Extension should not contain blank space.");
    EXPECT_EQ(CheckNewExtension(u"", o, ignored), "");
    EXPECT_TRUE(ignored);
    EXPECT_EQ(CheckNewExtension(u".d", o, ignored),
              "Do not include \".\" (DOT) in extension. Enter extensions like this : tmp,html,bak etc..");
    o.extensions = {u"doc"};
    EXPECT_EQ(CheckNewExtension(u"doc", o, ignored), "This extension already exist. Enter different extension.");
    EXPECT_EQ(CheckNewExtension(u"DOC", o, ignored), "");
    o.extensions.assign(100, u"x");
    EXPECT_EQ(CheckNewExtension(u"new", o, ignored), "Cannot add more extensions.");
}

TEST(SavedNames, NamesFromTheMediumCannotLeaveTheirFolder) {
    EXPECT_EQ(SafeFileName(u"../../etc/passwd"), u".._.._etc_passwd");
    EXPECT_EQ(SafeFileName(u".."), u"_..");
    EXPECT_EQ(SafeFileName(u"."), u"_.");
    EXPECT_EQ(SafeFileName(std::u16string(u"a\0b", 3)), u"a_b");
    EXPECT_EQ(SafeFileName(u""), u"_");
}

TEST(SavedNames, UniqueNamesAreNumberedBeforeTheExtension) {
    TempFolder folder;
    std::ofstream(folder / "report.doc") << "x";
    std::ofstream(folder / "report0.doc") << "x";
    SaveTarget target{folder.Path(), u"report.doc"};
    ASSERT_TRUE(MakeUniqueName(target));
    EXPECT_EQ(target.name, u"report1.doc");
    std::ofstream(folder / "name") << "x";
    SaveTarget bare{folder.Path(), u"name"};
    ASSERT_TRUE(MakeUniqueName(bare));
    EXPECT_EQ(bare.name, u"name0");
}

TEST(SavedTimes, DosTimesAreLocalWithoutSeconds) {
    setenv("TZ", "UTC", 1);
    tzset();
    TempFolder folder;
    std::string path = folder / "f";
    std::ofstream(path) << "x";
    struct stat before {};
    stat(path.c_str(), &before);
    SetSavedFileTime(path, Dos(2008, 3, 5), (17 << 11) | (9 << 5) | 29);
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mtime, 1204736940);  // 2008-03-05 17:09:00
    SetSavedFileTime(path, Dos(2008, 0, 5), 0);  // month 0 is December
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mtime, 1228435200);  // 2008-12-05 00:00:00
    SetSavedFileTime(path, Dos(2008, 3, 0), 0);  // day 0: the time stays
    struct stat after {};
    stat(path.c_str(), &after);
    EXPECT_EQ(after.st_mtime, st.st_mtime);
}

class ClusterChainTest : public MemoryDiskTest<64> {
protected:
    void Set16(uint32_t cluster, uint16_t next) {
        device.media["disk"][kSectorSize + cluster * 2] = next & 0xFF;
        device.media["disk"][kSectorSize + cluster * 2 + 1] = next >> 8;
    }
};

TEST_F(ClusterChainTest, OnlyTheAllOnesValueEndsAChain) {
    for (uint32_t c = 2; c < 6; ++c) Set16(c, static_cast<uint16_t>(c + 1));
    Set16(6, 0xFFFF);
    EXPECT_EQ(BuildClusterChain("FAT16", 2, 1, 5), (std::vector<uint32_t>{2, 3, 4, 5, 6}));
    Set16(6, 0xFFF8);  // an end marker a saved file does not accept: the walk goes on
    EXPECT_EQ(BuildClusterChain("FAT16", 2, 1, 5).size(), 6u);
    Set16(4, 2);  // a loop stops after clusters needed + 1
    EXPECT_EQ(BuildClusterChain("FAT16", 2, 1, 5).size(), 6u);
}

}  // namespace

namespace {

TEST_F(ClusterChainTest, NamesThatTryToEscapeStayInTheDestination) {
    TempFolder folder;
    std::string destination = folder / "dest";
    theStore.ClearFoundItems();
    FoundTimes times{};
    theStore.AddFolder("", u"..", 'n', 0, 9, 0, times, 0);
    theStore.AddFile("", u"../../evil.txt", 'n', 10, 0, 9, 3, 0, times);
    theStore.AddFile("", u".", 'n', 10, 0, 0, 4, 0, times);
    theJob.workerGeometry = {1, 1, 0, 0, 0, 0, 1, 2, "FAT16"};
    theSavingRun.Reset();
    theSavingRun.destination = destination;
    theSavingOptions = SavingOptions();
    theSavingOptions.filesToSave = FilesToSave::All;
    FolderTree tree(theStore, 0, 0);
    SaveSelection(tree, "FAT16");
    EXPECT_TRUE(std::ifstream(destination + "/_../.._.._evil.txt").good());
    EXPECT_TRUE(std::ifstream(destination + "/_.").good());
    EXPECT_FALSE(std::ifstream(folder / "evil.txt").good());
    EXPECT_EQ(theSavingRun.filesSaved, 2);
    theStore.ClearFoundItems();
    theSavingOptions = SavingOptions();
}

}  // namespace

namespace {

TEST_F(ClusterChainTest, SkipLeavesAPartialFileWithTheFoundTime) {
    setenv("TZ", "UTC", 1);
    tzset();
    TempFolder folder;
    theJob.workerGeometry = {1, 1, 0, 0, 0, 0, 1, 2, "FAT16"};
    theSavingRun.Reset();
    theSavingOptions = SavingOptions();
    FoundFile file;
    file.ownId = 10;
    file.size = 10000;
    file.times = {Dos(2008, 3, 5), (17 << 11) | (9 << 5), 0, 0, 0, 0};
    int reads = 0;
    device.beforeRead = [&] {
        if (++reads == 8) theSavingRun.skipCurrent = true;
    };
    SaveTarget target{folder.Path(), u"big.bin"};
    EXPECT_EQ(SaveFatFile(target, file, true), 1);
    struct stat st {};
    ASSERT_EQ(stat((folder / "big.bin").c_str(), &st), 0);
    EXPECT_GT(st.st_size, 0);
    EXPECT_LT(st.st_size, 10000);
    EXPECT_EQ(st.st_mtime, 1204736940);
    EXPECT_EQ(theSavingRun.bytesCopied, static_cast<uint64_t>(st.st_size));
}

}  // namespace
