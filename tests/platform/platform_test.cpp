#include "platform/device_paths.h"
#include "platform/folders.h"
#include "platform/free_space.h"
#include "platform/registry_file.h"
#include "platform/text_codec.h"
#include "platform/time_convert.h"
#include "support/temp_folder.h"

#include <clocale>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(RegistryFile, KeysAndValuesSurviveARewriteAndAreSharedBetweenInstances) {
    TempFolder folder;
    platform::RegistryFile registry(folder / "config/registry.ini");
    EXPECT_FALSE(registry.QueryValue("HV Windows", "Disk0"));
    EXPECT_TRUE(registry.SetValue("HV Windows\\Model", "Disk0", "ATA Disk = big\\fast\nnew"));
    EXPECT_TRUE(registry.CreateKey("Empty"));

    platform::RegistryFile other(folder / "config/registry.ini");
    EXPECT_EQ(other.QueryValue("HV Windows\\Model", "Disk0"), "ATA Disk = big\\fast\nnew");
    EXPECT_TRUE(other.KeyExists("Empty"));
    EXPECT_TRUE(other.DeleteValue("HV Windows\\Model", "Disk0"));
    EXPECT_FALSE(registry.QueryValue("HV Windows\\Model", "Disk0"));
    EXPECT_TRUE(registry.DeleteKey("Empty"));
    EXPECT_FALSE(registry.KeyExists("Empty"));
    EXPECT_FALSE(registry.DeleteKey("Empty"));

    // Nothing but the file itself is left in the folder.
    int files = 0;
    for (auto& entry : std::filesystem::directory_iterator(folder / "config")) files += entry.exists();
    EXPECT_EQ(files, 1);
}

TEST(RegistryFile, AFolderThatCannotBeCreatedIsAFailedCall) {
    TempFolder folder;
    std::ofstream(folder / "file") << "x";
    platform::RegistryFile registry(folder / "file/registry.ini");
    EXPECT_FALSE(registry.SetValue("Key", "Name", "Value"));
    EXPECT_FALSE(registry.CreateKey("Key"));
}

TEST(Folders, SettingsAndDataFoldersFollowTheEnvironment) {
    setenv("VORNIX_CONFIG_DIR", "/x/conf", 1);
    EXPECT_EQ(platform::ConfigFolder(), "/x/conf");
    unsetenv("VORNIX_CONFIG_DIR");
    setenv("XDG_CONFIG_HOME", "/x/xdg", 1);
    EXPECT_EQ(platform::ConfigFolder(), "/x/xdg/vornix");
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(platform::ConfigFolder(), "/home/u/.config/vornix");
    EXPECT_EQ(platform::DefaultInstallationFolder(), "/home/u/.local/share/vornix");
}

TEST(Folders, TemporaryFolderIsPrivate) {
    TempFolder folder;
    setenv("TMPDIR", folder.Path().c_str(), 1);
    std::string temp = platform::TemporaryFolder();
    unsetenv("TMPDIR");
    ASSERT_FALSE(temp.empty());
    struct stat st {};
    ASSERT_EQ(stat(temp.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(Folders, PathsAndCaseInsensitiveLookUp) {
    EXPECT_EQ(platform::JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(platform::JoinPath("/a/", "b"), "/a/b");
    TempFolder folder;
    EXPECT_TRUE(platform::CreateFolderPath(folder / "x/y/z"));
    EXPECT_TRUE(platform::FolderExists(folder / "x/y/z"));
    std::ofstream(folder / "IMAGE0.IMG") << "x";
    EXPECT_EQ(platform::FindFileNoCase(folder.Path(), "image0.img"), folder / "IMAGE0.IMG");
    EXPECT_FALSE(platform::FindFileNoCase(folder.Path(), "image1.img"));
    EXPECT_FALSE(platform::FindFileNoCase(folder.Path(), "x"));  // folders are not files
}

TEST(Folders, ClearReadOnlyGivesWritePermission) {
    TempFolder folder;
    std::string path = folder / "report.txt";
    std::ofstream(path) << "x";
    chmod(path.c_str(), 0444);
    EXPECT_TRUE(platform::ClearReadOnly(path));
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_TRUE(st.st_mode & S_IWUSR);
}

TEST(DevicePaths, DisksAndDrivesFromTheEnvironment) {
    setenv("VORNIX_DISKS", "/img/a.img:/dev/sdz", 1);
    setenv("VORNIX_DRIVES", "d=/img/vol.img,E=/dev/sdz1,A=/bad,junk", 1);
    EXPECT_EQ(platform::ListDisks(), (std::vector<std::string>{"/img/a.img", "/dev/sdz"}));
    auto drives = platform::ListLogicalDrives();
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_EQ(drives[0].letter, 'D');
    EXPECT_EQ(platform::ResolveDeviceName("\\\\.\\PhysicalDrive1"), "/dev/sdz");
    EXPECT_FALSE(platform::ResolveDeviceName("\\\\.\\PhysicalDrive2"));
    EXPECT_FALSE(platform::ResolveDeviceName("\\\\.\\PhysicalDrivex"));
    EXPECT_EQ(platform::ResolveDeviceName("\\\\.\\e:"), "/dev/sdz1");
    EXPECT_FALSE(platform::ResolveDeviceName("\\\\.\\A:"));
    platform::SetDiskListOverride(std::vector<std::string>{"/only"});
    EXPECT_EQ(platform::ResolveDeviceName("\\\\.\\PhysicalDrive0"), "/only");
    platform::SetDiskListOverride(std::nullopt);
    unsetenv("VORNIX_DISKS");
    unsetenv("VORNIX_DRIVES");
}

TEST(TextCodec, Utf16RoundTripWithSurrogatesAndBrokenUnits) {
    std::u16string name = u"Bücher \U0001F4C1";
    EXPECT_EQ(platform::Utf16ToUtf8(name), "Bücher \xF0\x9F\x93\x81");
    EXPECT_EQ(platform::Utf8ToUtf16(platform::Utf16ToUtf8(name)), name);
    EXPECT_EQ(platform::Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(platform::Utf8Length("café"), 4u);
    EXPECT_EQ(platform::Utf8Prefix("café!", 4), "café");
}

TEST(TextCodec, LocaleConversionNeverSplitsACharacter) {
    std::setlocale(LC_ALL, "C.UTF-8");
    EXPECT_EQ(platform::Utf8ToLocale("aé", 2), "a");
    EXPECT_EQ(platform::Utf8ToLocale("aé", 3), "aé");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(platform::Utf8ToLocale("aé", 10), "a?");
}

TEST(TimeConvert, FileTimesAndDosTimes) {
    // 2008-03-02 14:03:07 UTC, a Sunday.
    uint64_t fileTime = (uint64_t{1204466587} + 11644473600ull) * 10000000ull;
    platform::CalendarTime t = platform::FileTimeToCalendar(fileTime);
    EXPECT_EQ(t.year, 2008);
    EXPECT_EQ(t.month, 3);
    EXPECT_EQ(t.day, 2);
    EXPECT_EQ(t.hour, 14);
    EXPECT_EQ(t.minute, 3);
    EXPECT_EQ(t.second, 7);
    EXPECT_EQ(t.dayOfWeek, 0);
    EXPECT_EQ(platform::FileTimeToUnix(fileTime), 1204466587);
    EXPECT_EQ(platform::FileTimeToCalendar(0).year, 1601);
    EXPECT_EQ(platform::FileTimeToCalendar(~uint64_t{0}).year, 60056);

    auto dos = platform::DosDateTimeToCalendar((28 << 9) | (2 << 5) | 29, (23 << 11) | (59 << 5) | 29);
    ASSERT_TRUE(dos);  // 2008-02-29 23:59:58, a Friday
    EXPECT_EQ(dos->second, 58);
    EXPECT_EQ(dos->dayOfWeek, 5);
    EXPECT_FALSE(platform::DosDateTimeToCalendar((27 << 9) | (2 << 5) | 29, 0));  // 2007 is no leap year
    EXPECT_FALSE(platform::DosDateTimeToCalendar((28 << 9) | (0 << 5) | 1, 0));
    EXPECT_FALSE(platform::DosDateTimeToCalendar((28 << 9) | (1 << 5) | 1, 24 << 11));
}

TEST(TimeConvert, LocalTimeAndLastWriteTime) {
    setenv("TZ", "UTC", 1);
    tzset();
    platform::CalendarTime t;
    t.year = 2008;
    t.month = 3;
    t.day = 2;
    t.hour = 14;
    t.minute = 3;
    EXPECT_EQ(platform::LocalToUtc(t), 1204466580);
    TempFolder folder;
    std::ofstream(folder / "f") << "x";
    EXPECT_TRUE(platform::SetLastWriteTime(folder / "f", 1204466580));
    struct stat st {};
    stat((folder / "f").c_str(), &st);
    EXPECT_EQ(st.st_mtime, 1204466580);
    EXPECT_FALSE(platform::SetLastWriteTime(folder / "missing", 0));
}

TEST(FreeSpace, PathNotYetCreatedAnswersForItsNearestAncestor) {
    TempFolder folder;
    platform::SpaceInfo space = platform::SpaceForPath(folder / "not/yet/there");
    EXPECT_TRUE(space.ok);
    EXPECT_GT(space.totalBytes, 0u);
    EXPECT_FALSE(platform::SpaceOfVolume(folder / "no-such-device").ok);
}

}  // namespace
