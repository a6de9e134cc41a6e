// vornix: the recovery wizard.
#include "app/dialog_prompt.h"
#include "app/help_dialog.h"
#include "app/recovery_job.h"
#include "app/report.h"
#include "app/startup.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vornix");
    DialogPrompt prompt;
    SetPrompt(&prompt);
    StartUp();

    QMainWindow window;
    window.setWindowTitle(QString::fromStdString(theJob.windowTitle));
    auto* label = new QLabel(QObject::tr("Vornix is starting up. The recovery modes follow."), &window);
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(40);
    window.setCentralWidget(label);
    QMenu* reports = window.menuBar()->addMenu(QObject::tr("&Reports"));
    reports->addAction(QObject::tr("&Activity Report"), [] { ViewReport(kActivityReport); });
    reports->addAction(QObject::tr("Recovery &History"), [] { ViewReport(kRecoveryHistory); });
    QMenu* help = window.menuBar()->addMenu(QObject::tr("&Help"));
    help->addAction(QObject::tr("&Help"), QKeySequence::HelpContents, [] { OpenHelp(); });
    window.resize(560, 320);
    window.show();
    return app.exec();
}
