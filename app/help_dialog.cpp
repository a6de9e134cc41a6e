#include "app/help_dialog.h"

#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Vornix Help"));
    m_browser = new QTextBrowser(this);
    m_browser->setAccessibleName(tr("Help"));
    m_browser->setOpenExternalLinks(false);
    m_browser->document()->setDocumentMargin(16);
    m_browser->setSource(QUrl("qrc:/help/index.html"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 720);
}

HelpWindow* OpenHelp() {
    static QPointer<HelpWindow> window;
    if (!window) {
        window = new HelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
