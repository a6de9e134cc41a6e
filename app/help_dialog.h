#pragma once
// The program's help window: its own help pages, compiled in. One window for
// the whole program; opening help again raises it.
#include <QDialog>

class QTextBrowser;

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    QTextBrowser* Browser() const { return m_browser; }

private:
    QTextBrowser* m_browser = nullptr;
};

// The Help buttons, the "&Help" menu item and F1 of the step dialogs.
HelpWindow* OpenHelp();
