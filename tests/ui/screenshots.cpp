// Renders each dialog of the program into a PNG file, for looking at them as
// a user would. Run under a real X server (scripts/screenshots.sh).
//   vornix_screenshots OUTPUT_FOLDER
#include "app/bad_sectors_dialog.h"
#include "app/help_dialog.h"
#include "app/log_path_dialog.h"
#include "app/messages_info_dialog.h"
#include "app/question_message_dialog.h"
#include "app/recovery_job.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <functional>
#include <memory>

namespace {

void Shoot(const QString& folder, const QString& name, QWidget& widget) {
    widget.show();
    QTest::qWait(150);
    widget.grab().save(QDir(folder).filePath(name + ".png"));
    widget.close();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    QString folder = argv[1];
    QDir().mkpath(folder);
    theJob.windowTitle = "Vornix for Windows - Quick Scan";
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
