#include "app/report.h"

#include "app/installation.h"
#include "app/message_catalog.h"
#include "app/recovery_job.h"
#include "app/startup.h"
#include "platform/folders.h"
#include "platform/registry_file.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

#include <clocale>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::setlocale(LC_ALL, "C.UTF-8");
        ResetRecoveryJob();
        EnsureInstallationFolder();
    }
    std::string DataFolder() { return settings.folder / "data"; }
    void SetFolderValue(const char* name, const std::string& folder) {
        platform::RegistryFile().SetValue(RegistryKey(), name, folder);
    }

    IsolatedSettings settings;
    ScriptedPrompt prompt;
};

TEST_F(ReportTest, LinesBeginWithCrLfAndAreCutTo199Characters) {
    EXPECT_EQ(AppendReportLine(kActivityReport, "Step 2 :"), 1);
    EXPECT_EQ(AppendReportLine(kActivityReport, std::string(300, 'x')), 1);
    EXPECT_EQ(AppendReportLine(kActivityReport, "Ordner: " + std::string(200, 'e') ), 1);
    std::string text = ReadFile(DataFolder() + "/Activity Log.txt");
    EXPECT_EQ(text.substr(0, 10), "\r\nStep 2 :");
    EXPECT_EQ(text.substr(10, 201), "\r\n" + std::string(199, 'x'));
    EXPECT_EQ(text.substr(211), "\r\nOrdner: " + std::string(191, 'e'));
}

TEST_F(ReportTest, CutKeepsWholeCharacters) {
    AppendReportLine(kRecoveryHistory, std::string(198, 'a') + "é");
    AppendReportLine(kRecoveryHistory, std::string(197, 'a') + "éé");
    std::string text = ReadFile(DataFolder() + "/Recovery Log.txt");
    // 198 + 2 bytes would pass the 199-byte limit: the character is left out.
    EXPECT_EQ(text, "\r\n" + std::string(198, 'a') + "\r\n" + std::string(197, 'a') + "é");
}

TEST_F(ReportTest, AReportAboveFiveMebibytesStartsAfresh) {
    std::string path = DataFolder() + "/Activity Log.txt";
    std::ofstream(path, std::ios::binary) << std::string(6'000'000, 'o');
    AppendReportLine(kActivityReport, "new line");
    EXPECT_EQ(ReadFile(path), "\r\nnew line");
    // Exactly at the limit it is kept.
    std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(5'242'880, 'o');
    AppendReportLine(kActivityReport, "x");
    EXPECT_EQ(ReadFile(path).size(), 5'242'880u + 3u);
}

TEST_F(ReportTest, FolderSettingFallsBackToTheInstallationFolder) {
    EXPECT_EQ(ReportPath(kActivityReport), DataFolder() + "/Activity Log.txt");
    SetFolderValue("Recovery Log", settings.folder / "gone");
    EXPECT_EQ(ReportPath(kRecoveryHistory), DataFolder() + "/Recovery Log.txt");
    SetFolderValue("Recovery Log", settings.folder.Path());
    AppendReportLine(kRecoveryHistory, "saved");
    EXPECT_EQ(ReadFile(settings.folder / "Recovery Log.txt"), "\r\nsaved");
}

TEST_F(ReportTest, ReadOnlyReportIsMadeWritable) {
    std::string path = DataFolder() + "/Activity Log.txt";
    std::ofstream(path) << "";
    chmod(path.c_str(), 0444);
    EXPECT_EQ(AppendReportLine(kActivityReport, "line"), 1);
    EXPECT_EQ(ReadFile(path), "\r\nline");
}

TEST_F(ReportTest, ViewAndClearSayWhenTheReportIsMissing) {
    ViewReport(kActivityReport);
    ViewReport(kRecoveryHistory);
    ClearReport(kActivityReport);
    EXPECT_EQ(prompt.messages, (std::vector<std::string>{"Activity Report file not found",
                                                          "Recovery History file not found",
                                                          "Activity Log.txt file not found"}));
    EXPECT_TRUE(prompt.questions.empty());
}

TEST_F(ReportTest, ClearAsksBeforeDeleting) {
    AppendReportLine(kRecoveryHistory, "x");
    prompt.answers = {false, true};
    ClearReport(kRecoveryHistory);
    EXPECT_TRUE(platform::FileExists(ReportPath(kRecoveryHistory)));
    ClearReport(kRecoveryHistory);
    EXPECT_FALSE(platform::FileExists(ReportPath(kRecoveryHistory)));
    EXPECT_EQ(prompt.questions.back(), "Are you sure you want to delete Recovery History");
}

TEST_F(ReportTest, LogPathOkStoresTheFolderLastChosenWithBrowse) {
    SetFolderValue("Activity Log", settings.folder.Path());
    StoreRememberedReportFolder(kActivityReport);  // nothing browsed in this run yet
    EXPECT_EQ(platform::RegistryFile().QueryValue(RegistryKey(), "Activity Log"), "");
    RememberReportFolder(settings.folder.Path());
    StoreRememberedReportFolder(kRecoveryHistory);
    EXPECT_EQ(ReportFolder(kRecoveryHistory), settings.folder.Path());
    RememberReportFolder("");
}

TEST_F(ReportTest, StartUpWritesTheStartBlock) {
    StartUp();
    std::string text = ReadFile(DataFolder() + "/Activity Log.txt");
    EXPECT_EQ(text, "\r\n-----------------------Start--------------------------\r\nVornix for Windows\r\nVersion 4.0\r\n" +
                        theJob.startStamp);
    EXPECT_EQ(theJob.platformTag, 'N');
    EXPECT_EQ(platform::RegistryFile().QueryValue("VornixKeyProfNTFS", "FilePath"), DataFolder());
}

TEST(StartStamp, FormatsHourMinuteDayMonthAndYear) {
    platform::CalendarTime t;
    t.year = 2008, t.month = 1, t.day = 7, t.hour = 9, t.minute = 5, t.dayOfWeek = 1;
    EXPECT_EQ(FormatStartStamp(t), "9:05 - Monday, January 07, 2008");
    t.month = 3, t.day = 2, t.hour = 14, t.minute = 3, t.dayOfWeek = 0;
    EXPECT_EQ(FormatStartStamp(t), "14:03 - Sunday, March 02, 2008");
    t.month = 12, t.day = 31, t.hour = 0, t.minute = 0, t.dayOfWeek = 6;
    EXPECT_EQ(FormatStartStamp(t), "0:00 - Saturday, December 31, 2008");
}

TEST(MessageCatalog, TextsByNumberFromTheDataFile) {
    IsolatedSettings settings;
    std::string folder = EnsureInstallationFolder();
    std::ofstream(folder + "/EnglishW.dat") << "58\tSelect Disk\r\n59\tSelect Image\nbad line\n\tx\n62\t\n";
    MessageCatalog catalog("EnglishW.dat");
    EXPECT_EQ(catalog.GetText(58), "Select Disk");
    EXPECT_EQ(catalog.GetText(59), "Select Image");
    EXPECT_EQ(catalog.GetText(62), "");
    EXPECT_FALSE(catalog.GetText(60));
    EXPECT_FALSE(MessageCatalog("English.dat").GetText(58));
}

}  // namespace
