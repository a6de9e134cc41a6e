// Step 2 (partitions, views, Next) and Step 3 (the scan, its summary, Stop
// and Back) on the sample disk.
#include "app/installation.h"
#include "app/recovery_job.h"
#include "app/startup.h"
#include "found/found_item_store.h"
#include "found/file_display_dialog.h"
#include "found/search_progress_dialog.h"
#include "saving/saving_dialogs.h"
#include "partitions/partition_info_dialog.h"
#include "platform/device_paths.h"
#include "sectors/device_enumeration.h"
#include "sectors/sector_source.h"
#include "support/memory_device.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"
#include "widgets/folder_tree_ctrl.h"
#include "widgets/picture_button.h"
#include "widgets/pie_chart.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <algorithm>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <condition_variable>
#include <fstream>
#include <memory>
#include <mutex>

namespace {

std::string SampleDisk() { return std::string(VORNIX_FIXTURE_DIR) + "/sample-disk.img"; }

std::string ReportText(const TempFolder& folder) {
    std::ifstream in(folder / "data/Activity Log.txt", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

QPushButton* Button(QWidget* w, const QString& name) {
    for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->accessibleName() == name) return b;
    return nullptr;
}

void Press(QWidget& dialog, CPictureButton* button) {
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    button->setFocus();
    button->click();
}

// A prompt whose questions can run code first (to let a held worker go on).
class HookedPrompt : public ScriptedPrompt {
public:
    bool AskQuestion(const std::string& text) override {
        if (beforeAnswer) beforeAnswer();
        return ScriptedPrompt::AskQuestion(text);
    }
    std::function<void()> beforeAnswer;
};

// Holds every read of the worker until opened.
class ReadGate {
public:
    void Wait() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_wake.wait(lock, [this] { return m_open; });
    }
    void Open() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_open = true;
        }
        m_wake.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_open = false;
};

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The sample disk in memory, whose reads are held after the first few (in
// the middle of the MFT) until the gate opens.
struct HeldDisk {
    static constexpr int kFreeReads = 20;
    HeldDisk() {
        device.media[SampleDisk()] = ReadAll(SampleDisk());
        device.beforeRead = [this] {
            if (++reads > kFreeReads) gate.Wait();
        };
    }
    MemoryDevice device;
    ReadGate gate;
    std::atomic<int> reads{0};
};

}  // namespace

class ScanDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        settings = std::make_unique<IsolatedSettings>();
        prompt = std::make_unique<HookedPrompt>();
        ResetRecoveryJob();
        StartUp();
        theStore.ClearFoundItems();
        platform::SetDiskListOverride(std::vector<std::string>{SampleDisk()});
        EnumerateDevices();
        theJob.sourceName = "Disk0";
        theJob.windowTitle = "Vornix for Windows - Quick Scan";
    }
    void cleanup() {
        platform::SetDiskListOverride(std::nullopt);
        prompt.reset();
        settings.reset();
    }

    void stepTwoListsThePartitionsAndShowsTheirViews() {
        PartitionInfo step;
        QTreeWidgetItem* root = step.Tree()->topLevelItem(0);
        QCOMPARE(root->text(0), QString("Disk0"));
        QCOMPARE(root->childCount(), 2);
        QCOMPARE(root->child(0)->text(0), QString("Partition - 1 ( FAT32 )"));
        QCOMPARE(root->child(1)->text(0), QString("Partition - 2 ( NTFS )"));
        // The disk view: its chart gives each partition its share of the disk.
        QCOMPARE(step.Chart()->Slices().size(), 2);
        QCOMPARE(step.Chart()->Slices()[0].label, QString("Partition1"));
        QCOMPARE(step.Chart()->Slices()[0].value, 60);  // 40 MiB of 66 MiB
        QCOMPARE(step.Chart()->Slices()[1].value, 40);

        QRect rect = step.Tree()->visualItemRect(root->child(1));
        QTest::mouseClick(step.Tree()->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(step.findChild<QLabel*>("heading")->text(),
                 QString("You have selected Partition - 2 ( NTFS ) with following properties :"));
        QCOMPARE(step.findChild<QLabel*>("value0")->text(), QString("NTFS"));
        QCOMPARE(step.findChild<QLabel*>("value1")->text(), QString("24 MB"));
        QCOMPARE(step.findChild<QLabel*>("value2")->text(), QString("83968"));
        QCOMPARE(step.findChild<QLabel*>("value3")->text(), QString("133120"));
        QVERIFY(!step.Chart()->isVisibleTo(&step));

        bool scanned = false;
        step.runScan = [&] { scanned = true; };
        Press(step, step.NextButton());
        QVERIFY(scanned);
        QCOMPARE(QString::fromStdString(theJob.fileSystemName), QString("NTFS"));
        QCOMPARE(theJob.rangeStart, uint64_t{83968});
        QCOMPARE(theJob.rangeEnd, uint64_t{133120});
        QVERIFY(theJob.jobGeometry.mftSector != 0);
        QVERIFY(ReportText(settings->folder).find("Selected Information : Partition - 2 ( NTFS )") != std::string::npos);
    }

    void stepTwoNextOnTheDiskAsksForAPartitionType() {
        PartitionInfo step;
        step.runScan = [] { QFAIL("no scan expected"); };
        Press(step, step.NextButton());
        QCOMPARE(prompt->messages, std::vector<std::string>{"Select partition type"});
        QVERIFY(!step.SearchExhaustive()->isChecked());
    }

    void stepTwoCloseBoxAsksBeforeLeaving() {
        PartitionInfo step;
        step.show();
        prompt->answers = {false};
        QVERIFY(!step.close());
        QCOMPARE(prompt->questions.back(), std::string("Are you sure you want to exit from Vornix"));
        QCOMPARE(prompt->exits, 0);
    }

    void stepThreeRunsTheQuickScanAndWritesItsSummary() {
        ChoosePartition(1);
        SearchProgress step;
        step.runStep4 = [] { return false; };
        QCOMPARE(step.Choice().kind, WorkerKind::FatQuick);
        step.show();
        QVERIFY(QTest::qWaitFor([&] { return step.result() == QDialog::Accepted; }, 10000));
        QCOMPARE(theStore.folderCount.load(), 4);
        QCOMPARE(theStore.fileCount.load(), 7);
        std::string report = ReportText(settings->folder);
        QVERIFY(report.find("\r\nStep 3 :\r\n-------\r\nAnalysing Files/Directories Information : \r\nTime Elapsed : 0 : 0 : ") !=
                std::string::npos);
        QVERIFY(report.find("\r\nDirectories Found : 4\r\nFiles Found : 7") != std::string::npos);
    }

    void stopDuringAQuickScanGoesOnWithWhatWasFound() {
        ChoosePartition(2);
        HeldDisk held;
        ReadGate& gate = held.gate;
        SearchProgress step;
        step.runStep4 = [] { return false; };
        QVERIFY(QTest::qWaitFor([&] { return held.reads > HeldDisk::kFreeReads; }, 5000));
        prompt->answers = {true};
        prompt->beforeAnswer = [&] { gate.Open(); };
        Button(&step, "Stop")->click();
        QCOMPARE(prompt->questions.back(), std::string("Are you sure you want to stop this process"));
        QCOMPARE(step.result(), int(QDialog::Accepted));
        QVERIFY(ReportText(settings->folder).find("Step 3 :") != std::string::npos);
    }

    void backEmptiesTheStoreAfterItsQuestion() {
        ChoosePartition(2);
        HeldDisk held;
        ReadGate& gate = held.gate;
        SearchProgress step;
        step.runStep4 = [] { return false; };
        QVERIFY(QTest::qWaitFor([&] { return held.reads > HeldDisk::kFreeReads; }, 5000));
        theJob.logLoaded = 1;
        prompt->answers = {false};
        step.BackButton()->click();
        QCOMPARE(prompt->questions.back(), std::string("Are you sure you want to go back to Step 2"));
        QCOMPARE(step.result(), 0);  // No: the scan goes on
        prompt->answers = {true};
        prompt->beforeAnswer = [&] { gate.Open(); };
        step.BackButton()->click();
        QCOMPARE(step.result(), int(QDialog::Rejected));
        QCOMPARE(theStore.folderCount.load(), 0);
        QVERIFY(theStore.Files().empty());
        QCOMPARE(theJob.logLoaded, 0);
    }

    void stepFourTicksAFolderAndSavesIt() {
        ChoosePartition(1);
        std::string destination = settings->folder / "saved";
        bool shown = false;
        SearchProgress step3;
        auto inStep4 = [&] {
            FileDisplay step4;
            shown = true;
            QTreeWidgetItem* root = step4.Tree()->topLevelItem(0);
            QCOMPARE(root->text(0), QString("Root"));
            QTreeWidgetItem* documents = nullptr;
            for (int i = 0; i < root->childCount(); ++i)
                if (root->child(i)->text(0) == "Documents") documents = root->child(i);
            QVERIFY(documents);
            step4.Tree()->setCurrentItem(documents);
            // The deleted draft is listed in red.
            bool red = false;
            for (int i = 0; i < step4.List()->topLevelItemCount(); ++i) {
                QTreeWidgetItem* row = step4.List()->topLevelItem(i);
                if (row->text(1) == "Deleted File") red = row->foreground(0).color() == QColor(255, 0, 0);
            }
            QVERIFY(red);
            documents->setCheckState(0, Qt::Checked);
            QCOMPARE(step4.List()->topLevelItem(0)->checkState(0), Qt::Checked);
            SavingPath saving(step4.Folders(), &step4);
            saving.PathEdit()->setText(QString::fromStdString(destination));
            saving.OnOk();
        };
        step3.runStep4 = [&] {
            inStep4();
            return false;
        };
        QVERIFY(QTest::qWaitFor([&] { return step3.result() == QDialog::Accepted; }, 20000));
        QVERIFY(shown);
        QVERIFY(std::ifstream(destination + "/Documents/Thesis final.doc").good());
        QVERIFY(std::ifstream(destination + "/Documents/Letter to the bank.txt").good());
        QVERIFY(!std::ifstream(destination + "/NOTES.TXT").good());
        QVERIFY(std::find(prompt->messages.begin(), prompt->messages.end(), "Saving completed successfully.") !=
                prompt->messages.end());
        std::ifstream in(settings->folder / "data/Recovery Log.txt", std::ios::binary);
        std::string history((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        QVERIFY(history.find("\r\n-----------------------Start--------------------------\r\n") != std::string::npos);
        QVERIFY(history.find("\r\nSaving Report :\r\n--------------\r\nTime Elapsed : ") != std::string::npos);
        QVERIFY(history.find("\r\nSaving completed successfully.") != std::string::npos);
    }

    void pauseHoldsTheTimersAndStop() {
        theJob.fileSystemName = "UNKNOWN";  // no worker: the dialog just waits
        SearchProgress step;
        QPushButton* pause = Button(&step, "Pause");
        pause->click();
        QCOMPARE(pause->text(), QString("&Resume"));
        QVERIFY(!Button(&step, "Stop")->isEnabled());
        QVERIFY(!step.ElapsedTimer()->isActive());
        pause->click();
        QCOMPARE(pause->text(), QString("&Pause"));
        QVERIFY(Button(&step, "Stop")->isEnabled());
        QCOMPARE(step.ElapsedTimer()->interval(), 2000);
        QPushButton* details = Button(&step, "Hide Progress Details");
        details->click();
        QCOMPARE(details->text(), QString("&Show Progress Details"));
        QVERIFY(step.Progress().detailsHidden);
    }

private:
    // Step 2's Next for partition n of the sample disk, as the job holds it afterwards.
    void ChoosePartition(int n) {
        PartitionInfo step;
        step.runScan = [] {};
        QTreeWidgetItem* item = step.Tree()->topLevelItem(0)->child(n - 1);
        QRect rect = step.Tree()->visualItemRect(item);
        QTest::mouseClick(step.Tree()->viewport(), Qt::LeftButton, {}, rect.center());
        Press(step, step.NextButton());
    }

    std::unique_ptr<IsolatedSettings> settings;
    std::unique_ptr<HookedPrompt> prompt;
};

QTEST_MAIN(ScanDialogsTest)
#include "scan_dialogs_test.moc"
