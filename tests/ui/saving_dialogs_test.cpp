// The saving options dialog and the Replace and Error Writing Destination boxes.
#include "app/recovery_job.h"
#include "saving/replace_dialog.h"
#include "saving/settings_dialog.h"
#include "support/scripted_prompt.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

template <typename Widget>
Widget* Named(QWidget* parent, const QString& name) {
    for (Widget* w : parent->findChildren<Widget*>())
        if (w->accessibleName() == name) return w;
    return nullptr;
}

}  // namespace

class SavingDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { theSavingOptions = SavingOptions(); }

    void optionsChangeAsTheControlsAreUsedAndCancelRestoresThem() {
        ScriptedPrompt prompt;
        {
            Settings dialog;
            Named<QRadioButton>(&dialog, "Save Deleted Files Only")->click();
            Named<QRadioButton>(&dialog, "Contiguous")->click();
            QCOMPARE(int(theSavingOptions.deleted), int(DeletedFilter::Only));
            dialog.RangeChoice()->setCurrentIndex(1);  // Created
            dialog.DateList(0)->setCurrentIndex(30);     // Earlier 31 03 2005
            dialog.DateList(1)->setCurrentIndex(2);
            dialog.DateList(2)->setCurrentIndex(35);
            dialog.DateList(3)->setCurrentIndex(0);      // After 01 03 2005
            dialog.DateList(4)->setCurrentIndex(2);
            dialog.DateList(5)->setCurrentIndex(35);
            QCOMPARE(theSavingOptions.ranges[1], (DateRange{31, 3, 2005, 1, 3, 2005}));
            dialog.ExtensionEdit()->setText("jpegx");
            dialog.OnAdd();
            QCOMPARE(prompt.messages.back(), std::string("Extension should not exceed more than 4 characters."));
            dialog.ExtensionEdit()->setText("doc");
            dialog.OnAdd();
            QCOMPARE(dialog.Extensions()->count(), 1);
            QVERIFY(dialog.ExtensionEdit()->text().isEmpty());
            Named<QPushButton>(&dialog, "Cancel")->click();
        }
        QCOMPARE(int(theSavingOptions.deleted), int(DeletedFilter::Include));
        QCOMPARE(theSavingOptions.ranges[1], DateRange{});
        QVERIFY(theSavingOptions.extensions.empty());

        Settings again;
        Named<QRadioButton>(&again, "Save All File(s)")->click();
        Named<QPushButton>(&again, "Apply")->click();
        QCOMPARE(int(theSavingOptions.filesToSave), int(FilesToSave::All));
    }

    void defaultDatesSwitchARangeOff() {
        Settings dialog;
        dialog.DateList(2)->setCurrentIndex(10);
        QVERIFY(theSavingOptions.ranges[0][2] != 0);
        dialog.DateList(2)->setCurrentIndex(60);
        QCOMPARE(theSavingOptions.ranges[0], DateRange{});
    }

    void replaceAndWriteErrorAnswers_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("choice");
        QTest::newRow("yes") << "Yes" << int(ReplaceChoice::Yes);
        QTest::newRow("no to all") << "No to All" << int(ReplaceChoice::NoToAll);
        QTest::newRow("rename all") << "Rename All" << int(ReplaceChoice::RenameAll);
    }

    void replaceAndWriteErrorAnswers() {
        QFETCH(QString, button);
        QFETCH(int, choice);
        Replace1 box;
        QCOMPARE(box.windowTitle(), QString("Replace"));
        QTimer::singleShot(0, [&] { Named<QPushButton>(&box, button)->click(); });
        box.exec();
        QCOMPARE(int(box.Choice()), choice);

        FileCreation error;
        QCOMPARE(error.windowTitle(), QString("Error Writing Destination"));
        QTimer::singleShot(0, [&] { QTest::keyClick(&error, Qt::Key_Escape); });
        error.exec();
        QCOMPARE(int(error.Choice()), int(WriteErrorChoice::Skip));
    }

    void replaceCloseBoxMeansNo() {
        Replace1 box;
        QTimer::singleShot(0, [&] { box.reject(); });
        box.exec();
        QCOMPARE(int(box.Choice()), int(ReplaceChoice::No));
    }
};

QTEST_MAIN(SavingDialogsTest)
#include "saving_dialogs_test.moc"
