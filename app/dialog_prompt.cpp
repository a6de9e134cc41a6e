#include "app/dialog_prompt.h"

#include "app/bad_sectors_dialog.h"
#include "app/messages_info_dialog.h"
#include "app/question_message_dialog.h"
#include "app/report_viewer_dialog.h"
#include "saving/replace_dialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

namespace {

// Runs `ask` on the user-interface thread and returns its answer.
template <typename Ask>
auto OnUiThread(Ask ask) -> decltype(ask()) {
    if (QThread::currentThread() == qApp->thread()) return ask();
    decltype(ask()) answer{};
    QMetaObject::invokeMethod(qApp, [&] { answer = ask(); }, Qt::BlockingQueuedConnection);
    return answer;
}

QString Caption() { return QString::fromStdString(theJob.windowTitle); }

QWidget* Owner() { return QApplication::activeWindow(); }

}  // namespace

bool DialogPrompt::ShowMessage(const std::string& text, bool offerViewReport) {
    return OnUiThread([&] {
        MessagesInfo box(Caption(), QString::fromStdString(text), offerViewReport, Owner());
        box.exec();
        return box.ViewReportTicked();
    });
}

bool DialogPrompt::AskQuestion(const std::string& text) {
    return OnUiThread([&] {
        QuestionMessage box(Caption(), QString::fromStdString(text), Owner());
        return box.exec() == QDialog::Accepted;
    });
}

BadSectorAction DialogPrompt::AskBadSectors() {
    return OnUiThread([] {
        BadSectorsDialog box(Owner());
        box.exec();
        return box.Answer();
    });
}

ReplaceChoice DialogPrompt::AskReplace() {
    return OnUiThread([] {
        Replace1 box(Owner());
        box.exec();
        return box.Choice();
    });
}

WriteErrorChoice DialogPrompt::AskWriteError() {
    return OnUiThread([] {
        FileCreation box(Owner());
        box.exec();
        return box.Choice();
    });
}

void DialogPrompt::ShowSystemError(const std::string& text) {
    OnUiThread([&] {
        QMessageBox box(QMessageBox::Critical, QString::fromStdString(theJob.messageCaption),
                        QString::fromStdString(text), QMessageBox::Ok, Owner());
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
        return true;
    });
}

void DialogPrompt::ShowTextFile(const std::string& path) {
    OnUiThread([&] {
        ReportViewer viewer(QString::fromStdString(path), Owner());
        viewer.exec();
        return true;
    });
}
