// The front page and the Step 1 dialogs: the source tree, the information
// panel, Next, Back and the ways out.
#include "app/installation.h"
#include "app/recovery_job.h"
#include "app/startup.h"
#include "platform/folders.h"
#include "sectors/sector_source.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"
#include "widgets/folder_tree_ctrl.h"
#include "widgets/picture_button.h"
#include "wizard/menu_bar.h"
#include "wizard/selection_recovery_dialog.h"
#include "wizard/step1_dialog.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

void MakeFile(const std::string& path, uint64_t bytes) {
    { std::ofstream create(path, std::ios::binary); }
    truncate(path.c_str(), static_cast<off_t>(bytes));
}

QStringList PanelRows(Step1Dialog& step) {
    QStringList rows;
    for (int i = 0; i < step.Panel()->topLevelItemCount(); ++i) rows << step.Panel()->topLevelItem(i)->text(0);
    return rows;
}

void Click(Step1Dialog& step, QTreeWidgetItem* item) {
    QRect rect = step.Tree()->visualItemRect(item);
    QTest::mouseClick(step.Tree()->viewport(), Qt::LeftButton, {}, rect.center());
}

// Next acts only with the keyboard focus on it, so the dialog must be the active window.
void PressNext(Step1Dialog& step) {
    step.runStep2 = [] {};
    step.show();
    QVERIFY(QTest::qWaitForWindowActive(&step));
    step.NextButton()->setFocus();
    step.NextButton()->click();
}

}  // namespace

class Step1DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        settings = std::make_unique<IsolatedSettings>();
        prompt = std::make_unique<ScriptedPrompt>();
        ResetRecoveryJob();
        StartUp();
        disk0 = settings->folder / "disk0.img";
        disk1 = settings->folder / "disk1.img";
        MakeFile(disk0, 64 << 20);
        MakeFile(disk1, 8225280);
        setenv("VORNIX_DISKS", (disk0 + ":" + disk1).c_str(), 1);
        setenv("VORNIX_DRIVES", "", 1);
    }
    void cleanup() {
        prompt.reset();
        settings.reset();
        unsetenv("VORNIX_DISKS");
        DeviceNameTable[0] = PhysicalDriveName(0);
    }

    void listsTheDisksAndShowsTheirRows() {
        DesktopRecovery step(false);
        step.BuildSourceTree();
        QCOMPARE(step.windowTitle(), QString("Vornix for Windows - Quick Scan"));
        QVERIFY(step.FixedItem("Disk0"));
        QTreeWidgetItem* disk1Item = step.FixedItem("Disk1");
        QVERIFY(disk1Item);
        QVERIFY(step.FixedItem("Select Image"));
        Click(step, disk1Item);
        QStringList rows = PanelRows(step);
        QCOMPARE(rows.value(0), QString("Physical Disk Number : 1"));
        QCOMPARE(rows.value(1), QString::fromStdString("Model   : " + disk1));
        QCOMPARE(rows.value(6), QString("Disk Size  : 7 MB"));
        QCOMPARE(QString::fromStdString(theJob.sourceName), QString("Disk1"));
    }

    void nextWithoutAChoiceShowsAMessageAndStays() {
        DesktopRecovery step(true);
        step.BuildSourceTree();
        PressNext(step);
        QCOMPARE(prompt->messages, std::vector<std::string>{"Select Logical Drive"});
        Click(step, step.FixedItem("Select Disk"));
        PressNext(step);
        QCOMPARE(prompt->messages.back(), std::string("Select Hard Disk"));
    }

    void nextOnlyActsWhenNextHasTheFocus() {
        DesktopRecovery step(false);
        step.show();
        QVERIFY(QTest::qWaitForWindowActive(&step));
        step.Tree()->setFocus();
        step.NextButton()->click();
        QVERIFY(prompt->messages.empty());
    }

    void nextWithADiskSetsTheJobAndWritesTheReport() {
        DesktopRecovery step(false);
        step.BuildSourceTree();
        Click(step, step.FixedItem("Disk1"));
        PressNext(step);
        QVERIFY(prompt->messages.empty());
        QCOMPARE(int(theJob.diskNumber), 1);
        std::ifstream report(settings->folder / "data/Activity Log.txt", std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(report)), std::istreambuf_iterator<char>());
        QVERIFY(text.find("\r\n\r\nStep 1 : Quick Scan\r\n-------\r\nDevice Information : \r\n"
                          "Physical Disk Number : 1\r\n") != std::string::npos);
    }

    void imageSetBecomesTheNextDisk() {
        std::string folder = settings->folder / "set";
        platform::CreateFolderPath(folder);
        MakeFile(folder + "/image0.img", 1 << 20);
        DesktopRecovery step(false);
        step.BuildSourceTree();
        step.chooseImageFolder = [&] { return QString::fromStdString(folder); };
        Click(step, step.FixedItem("Select Image"));
        QCOMPARE(QString::fromStdString(theJob.sourceName), QString("Select Image"));
        QTreeWidgetItem* image = step.FixedItem("Select Image")->child(0);
        QVERIFY(image);
        QCOMPARE(image->text(0), QString::fromStdString(folder + "/Image0.img"));
        Click(step, image);
        QCOMPARE(QString::fromStdString(theJob.sourceName), QString("Disk2"));
        QStringList rows = PanelRows(step);
        QCOMPARE(rows.value(1), QString::fromStdString("Model   : " + folder + "/Image0.img"));
        QCOMPARE(rows.value(2), QString("Media Type   : Image"));
        QCOMPARE(theJob.sourceIsImage, 1);
    }

    void cancelledFolderBrowserEmptiesTheChoice() {
        DesktopRecovery step(false);
        step.BuildSourceTree();
        step.chooseImageFolder = [] { return QString(); };
        Click(step, step.FixedItem("Select Image"));
        QCOMPARE(step.Tree()->currentItem(), step.FixedItem("Select Disk"));
        QVERIFY(theJob.sourceName.empty());
        QCOMPARE(step.FixedItem("Select Image")->childCount(), 0);
    }

    void arrowKeysOntoSelectImageAddAFileThatNextOpens() {
        DesktopRecovery step(false);
        step.BuildSourceTree();
        step.chooseImageFile = [&] { return QString::fromStdString(disk1); };
        step.Tree()->setCurrentItem(step.FixedItem("Disk1"));
        step.Tree()->setFocus();
        QTest::keyClick(step.Tree(), Qt::Key_Down);
        QTreeWidgetItem* file = step.FixedItem("Select Image")->child(0);
        QVERIFY(file);
        QCOMPARE(PanelRows(step).size(), 3);  // created, accessed, modified
        QTest::keyClick(step.Tree(), Qt::Key_Down);
        QCOMPARE(QString::fromStdString(theJob.sourceName), QString::fromStdString(disk1));
        PressNext(step);
        QCOMPARE(int(theJob.diskNumber), 2);
        QCOMPARE(QString::fromStdString(theJob.sourceName), QString("Disk2"));
    }

    void waysOut() {
        {
            DesktopRecovery step(false);
            step.show();
            QVERIFY(step.close());
            QVERIFY(prompt->questions.empty());
        }
        {
            ImageRecovery step;
            step.show();
            prompt->answers = {false};
            QVERIFY(!step.close());
            QCOMPARE(prompt->questions.back(), std::string("Are you sure you want to exit from Vornix"));
            prompt->answers = {true};
            step.close();
            QCOMPARE(prompt->exits, 1);
        }
        {
            RawRecovery step;
            theJob.sourceName = "Disk0";
            step.BackButton()->click();
            QVERIFY(theJob.sourceName.empty());
            QCOMPARE(step.result(), int(QDialog::Accepted));
            prompt->answers = {true};
            step.MenuBar()->Item(kCmdExit)->trigger();
            QCOMPARE(prompt->questions.back(), std::string("Are you sure you want to exit"));
            QCOMPARE(prompt->exits, 2);
            QVERIFY(!step.MenuBar()->Item(kCmdSavingFilter)->isEnabled());
            QVERIFY(step.MenuBar()->Item(kCmdActivityReport)->isEnabled());
        }
    }

    void frontPageOpensTheModesStepOne_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("exhaustive");
        QTest::newRow("quick") << "Quick Scan" << "Vornix for Windows - Quick Scan" << 0;
        QTest::newRow("exhaustive") << "Exhaustive Scan" << "Vornix for Windows - Exhaustive Scan" << 1;
        QTest::newRow("imaging") << "Disk Imaging" << "Vornix for Windows - Disk Imaging" << 0;
        QTest::newRow("raw") << "Raw Recovery" << "Vornix for Windows - Raw Recovery" << 1;
    }

    void frontPageOpensTheModesStepOne() {
        QFETCH(QString, mode);
        QFETCH(QString, title);
        QFETCH(int, exhaustive);
        CSelectionRecovery front;
        QString opened;
        front.runStep = [&](QDialog& step) { opened = step.windowTitle(); };
        front.ModeButton(mode)->click();
        QCOMPARE(opened, title);
        QCOMPARE(theJob.exhaustiveChosen, exhaustive);
        QCOMPARE(QString::fromStdString(theJob.windowTitle), QString("Vornix for Windows"));
    }

    void frontPageHintFollowsTheQuickScanFocus() {
        CSelectionRecovery front;
        front.show();
        QVERIFY(QTest::qWaitForWindowActive(&front));
        front.ModeButton("Disk Imaging")->setFocus();
        QCOMPARE(front.Hint()->text(), QString("Select the Recovery Mode"));
        front.ModeButton("Quick Scan")->setFocus();
        QCOMPARE(front.Hint()->text(), QString("Select Quick Scan Mode for Deleted Files & folders"));
        front.ModeButton("Raw Recovery")->setFocus();
        QCOMPARE(front.Hint()->text(), QString("Select the Recovery Mode"));
    }

private:
    std::unique_ptr<IsolatedSettings> settings;
    std::unique_ptr<ScriptedPrompt> prompt;
    std::string disk0, disk1;
};

QTEST_MAIN(Step1DialogsTest)
#include "step1_dialogs_test.moc"
