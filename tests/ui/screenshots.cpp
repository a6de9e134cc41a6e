// Renders each dialog of the program into a PNG file, for looking at them as
// a user would. Run under a real X server (scripts/screenshots.sh), with
// VORNIX_DISKS naming the disks to list.
//   vornix_screenshots OUTPUT_FOLDER
#include "app/bad_sectors_dialog.h"
#include "app/help_dialog.h"
#include "app/log_path_dialog.h"
#include "app/messages_info_dialog.h"
#include "app/question_message_dialog.h"
#include "app/recovery_job.h"
#include "app/startup.h"
#include "platform/device_paths.h"
#include "widgets/folder_tree_ctrl.h"
#include "fat/fat_quick_scan.h"
#include "found/file_display_dialog.h"
#include "found/search_progress_dialog.h"
#include "saving/saving_dialogs.h"
#include "saving/saving_run.h"
#include "partitions/partition_info_dialog.h"
#include "support/memory_device.h"
#include "widgets/picture_button.h"
#include "wizard/selection_recovery_dialog.h"
#include "wizard/step1_dialog.h"

#include <atomic>
#include <fstream>
#include <thread>

#include <QApplication>
#include <QDir>
#include <QTest>

namespace {

void Shoot(const QString& folder, const QString& name, QWidget& widget) {
    widget.show();
    QTest::qWait(200);
    widget.grab().save(QDir(folder).filePath(name + ".png"));
    widget.hide();
}

// A Step 1 dialog with its tree built and `item` clicked.
void ShootStep1(const QString& folder, const QString& name, Step1Dialog& step, const char* item) {
    step.show();
    QTest::qWait(200);
    QList<QTreeWidgetItem*> found = step.Tree()->findItems(item, Qt::MatchExactly | Qt::MatchRecursive);
    if (!found.isEmpty()) {
        QRect rect = step.Tree()->visualItemRect(found.first());
        QTest::mouseClick(step.Tree()->viewport(), Qt::LeftButton, {}, rect.center());
    }
    Shoot(folder, name, step);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    QString folder = argv[1];
    QDir().mkpath(folder);
    StartUp();

    CSelectionRecovery front;
    Shoot(folder, "front_page", front);
    DesktopRecovery quick(false);
    ShootStep1(folder, "step1_quick_scan", quick, "Disk0");
    DesktopRecovery exhaustive(true);
    ShootStep1(folder, "step1_exhaustive_scan", exhaustive, "Disk1");
    ImageRecovery imaging;
    ShootStep1(folder, "step1_disk_imaging", imaging, "Disk0");
    RawRecovery raw;
    ShootStep1(folder, "step1_raw_recovery", raw, "Select Disk");

    // Step 2 on Disk0: the disk view with its chart, then partition 2.
    theJob.sourceName = "Disk0";
    theJob.diskNumber = 0;
    theJob.windowTitle = "Vornix for Windows - Quick Scan";
    {
        PartitionInfo step2;
        Shoot(folder, "step2_disk_view", step2);
        QTreeWidgetItem* partition = step2.Tree()->topLevelItem(0)->child(1);
        if (partition) {
            step2.show();
            QTest::qWait(100);
            QTest::mouseClick(step2.Tree()->viewport(), Qt::LeftButton, {},
                              step2.Tree()->visualItemRect(partition).center());
            Shoot(folder, "step2_partition_view", step2);
            Step2Choice choice;
            for (const PanelRow& row : step2.View().rows) choice.values.push_back(row.value);
            Step2Next(choice);  // what Next does
        }
    }
    // Step 3 during the NTFS quick scan, held after a few records.
    {
        MemoryDevice device;
        std::string disk = platform::ListDisks().empty() ? "" : platform::ListDisks()[0];
        std::ifstream image(disk, std::ios::binary);
        device.media[disk] = std::vector<uint8_t>((std::istreambuf_iterator<char>(image)), std::istreambuf_iterator<char>());
        std::atomic<int> reads{0};
        std::atomic<bool> release{false};
        device.beforeRead = [&] {
            if (++reads > 40)
                while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        };
        SearchProgress step3;
        step3.show();
        QTest::qWait(1300);
        Shoot(folder, "step3_scanning", step3);
        release = true;
        step3.Progress().Cancel();
    }
    // Step 4 after the quick scan of the FAT32 partition, showing Documents
    // with its deleted draft; then the saving progress, held mid-run.
    {
        theStore.ClearFoundItems();
        PartitionInfo step2;
        QTreeWidgetItem* partition = step2.Tree()->topLevelItem(0)->child(0);
        Step2Choice choice;
        for (const PanelRow& row : PartitionView(partition->text(0).toStdString(),
                                                 theDiskPartitions[0].entries[0]).rows)
            choice.values.push_back(row.value);
        Step2Next(choice);
        theJob.workerGeometry = theJob.jobGeometry;
        theJob.workerGeometry.fileSystemName = theJob.fileSystemName;
        ScanProgress progress;
        RunFatQuickScan(theStore, progress);
        FileDisplay step4;
        step4.show();
        QTest::qWait(100);
        QTreeWidgetItem* root = step4.Tree()->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i)
            if (root->child(i)->text(0) == "Documents") {
                step4.Tree()->setCurrentItem(root->child(i));
                root->child(i)->setCheckState(0, Qt::Checked);
            }
        Shoot(folder, "step4_browser", step4);

        MemoryDevice device;
        std::string disk = platform::ListDisks()[0];
        std::ifstream image(disk, std::ios::binary);
        device.media[disk] = std::vector<uint8_t>((std::istreambuf_iterator<char>(image)), std::istreambuf_iterator<char>());
        std::atomic<int> reads{0};
        std::atomic<bool> release{false};
        device.beforeRead = [&] {
            if (++reads > 120)
                while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        };
        theSavingRun.Reset();
        theSavingRun.destination = QDir(folder).filePath("saved").toStdString();
        std::atomic<bool> stop{false};
        CountSelection(step4.Folders(), theJob.fileSystemName, stop);
        {
            SavingDlg saving(step4.Folders());
            saving.show();
            QTest::qWait(1200);
            Shoot(folder, "saving_progress", saving);
            release = true;
            QTest::qWait(300);
        }
    }

    QString caption = QString::fromStdString(theJob.windowTitle);
    MessagesInfo message(caption, "Saving completed successfully.", true);
    Shoot(folder, "message", message);
    QuestionMessage question(caption, "Are you sure you want to delete Activity Report");
    Shoot(folder, "question", question);
    BadSectorsDialog badSectors;
    Shoot(folder, "bad_sectors", badSectors);
    LogPath logPath(kActivityReport);
    Shoot(folder, "log_path", logPath);
    HelpWindow help;
    Shoot(folder, "help", help);
    return 0;
}
