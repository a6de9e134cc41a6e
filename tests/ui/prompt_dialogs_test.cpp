// The program's message, question and Bad Sectors boxes, and the prompt that
// raises them from any thread.
#include "app/bad_sectors_dialog.h"
#include "app/dialog_prompt.h"
#include "app/help_dialog.h"
#include "app/log_path_dialog.h"
#include "app/messages_info_dialog.h"
#include "app/question_message_dialog.h"
#include "app/recovery_job.h"
#include "platform/registry_file.h"
#include "support/temp_folder.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>
#include <thread>

namespace {

QPushButton* Button(QWidget* dialog, const QString& name) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->accessibleName() == name) return button;
    return nullptr;
}

// Runs `act` on the modal dialog as soon as it is up.
void WhenModalOpens(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start(10);
}

}  // namespace

class PromptDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { theJob.windowTitle = "Vornix for Windows - Quick Scan"; }

    void messageBoxOffersViewReportOnlyWhenAsked() {
        MessagesInfo plain("Caption", "Saving completed successfully.", false);
        QVERIFY(plain.findChildren<QCheckBox*>().isEmpty());
        QVERIFY(!plain.ViewReportTicked());

        MessagesInfo offer("Caption", "Saving completed successfully.", true);
        QCheckBox* box = offer.findChild<QCheckBox*>();
        QVERIFY(box);
        QCOMPARE(box->text(), QString("View Report"));
        box->setChecked(true);
        QVERIFY(offer.ViewReportTicked());
        QCOMPARE(offer.findChild<QLabel*>("messageText")->text(), QString("Saving completed successfully."));
        QVERIFY(Button(&offer, "OK"));
    }

    void questionBoxAnswersYesOrNo() {
        QuestionMessage yes("Caption", "Are you sure?");
        QTimer::singleShot(0, [&] { Button(&yes, "Yes")->click(); });
        QCOMPARE(yes.exec(), int(QDialog::Accepted));
        QuestionMessage no("Caption", "Are you sure?");
        QTimer::singleShot(0, [&] { Button(&no, "No")->click(); });
        QCOMPARE(no.exec(), int(QDialog::Rejected));
    }

    void badSectorsButtonsGiveTheirAnswers_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("answer");
        QTest::newRow("retry") << "Retry" << int(kBadSectorRetry);
        QTest::newRow("skip") << "Skip" << int(kBadSectorSkip);
        QTest::newRow("retry all") << "Retry All" << int(kBadSectorRetryAll);
        QTest::newRow("skip all") << "Skip All" << int(kBadSectorSkipAll);
    }

    void badSectorsButtonsGiveTheirAnswers() {
        QFETCH(QString, button);
        QFETCH(int, answer);
        BadSectorsDialog dialog;
        QCOMPARE(dialog.windowTitle(), QString("Bad Sectors Encountered"));
        QTimer::singleShot(0, [&] { Button(&dialog, button)->click(); });
        dialog.exec();
        QCOMPARE(int(dialog.Answer()), answer);
    }

    void badSectorsEscapeCountsAsSkip() {
        BadSectorsDialog dialog;
        QTimer::singleShot(0, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
        dialog.exec();
        QCOMPARE(int(dialog.Answer()), int(kBadSectorSkip));
    }

    void workerThreadWaitsForTheAnswerOnTheUserInterfaceThread() {
        DialogPrompt prompt;
        BadSectorAction answer = kBadSectorSkip;
        bool yes = false;
        QString caption;
        WhenModalOpens([&](QWidget* box) {
            caption = box->windowTitle();
            Button(box, "Retry All")->click();
            WhenModalOpens([](QWidget* question) { Button(question, "Yes")->click(); });
        });
        std::thread worker([&] {
            answer = prompt.AskBadSectors();
            yes = prompt.AskQuestion("Do you want to stop?");
        });
        while (!yes) QTest::qWait(10);
        worker.join();
        QCOMPARE(int(answer), int(kBadSectorRetryAll));
        QCOMPARE(caption, QString("Bad Sectors Encountered"));
    }

    void messageCaptionIsTheWindowTitle() {
        DialogPrompt prompt;
        QString caption;
        WhenModalOpens([&](QWidget* box) {
            caption = box->windowTitle();
            Button(box, "OK")->click();
        });
        prompt.ShowMessage("Please select a disk", false);
        QCOMPARE(caption, QString("Vornix for Windows - Quick Scan"));
    }

    void logPathOkStoresOnlyABrowsedFolder() {
        IsolatedSettings settings;
        LogPath first(kActivityReport);
        QVERIFY(first.findChild<QLineEdit*>()->isReadOnly());
        QTimer::singleShot(0, [&] { QTest::keyClick(&first, Qt::Key_Return); });
        first.exec();
        QCOMPARE(platform::RegistryFile().QueryValue("VornixKeyProfNTFS", "Activity Log").value_or("unset"),
                 std::string());

        LogPath second(kRecoveryHistory);
        second.ChooseFolder(QString::fromStdString(settings.folder.Path()));
        QCOMPARE(second.findChild<QLineEdit*>()->text(), QString::fromStdString(settings.folder.Path()));
        QTimer::singleShot(0, [&] { QTest::keyClick(&second, Qt::Key_Return); });
        second.exec();
        QCOMPARE(platform::RegistryFile().QueryValue("VornixKeyProfNTFS", "Recovery Log").value_or(""),
                 settings.folder.Path());
        RememberReportFolder("");
    }

    void helpWindowShowsTheProgramsOwnPages() {
        HelpWindow* help = OpenHelp();
        QVERIFY(help->Browser()->toPlainText().contains("Quick Scan"));
        QVERIFY(help->Browser()->toPlainText().contains("Step 4"));
        QCOMPARE(OpenHelp(), help);
        help->close();
    }
};

QTEST_MAIN(PromptDialogsTest)
#include "prompt_dialogs_test.moc"
