// vornix: the recovery wizard. The front page runs modally as the main
// window; when it closes, the program ends.
#include "app/dialog_prompt.h"
#include "app/startup.h"
#include "wizard/selection_recovery_dialog.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vornix");
    DialogPrompt prompt;
    SetPrompt(&prompt);
    StartUp();

    CSelectionRecovery frontPage;
    frontPage.ShowSplash();
    frontPage.exec();
    return 0;
}
