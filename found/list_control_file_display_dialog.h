#pragma once
// "Please Wait": runs Step 4's long work (filling the list, ticking or
// unticking many items) on a worker thread. The dialog shows only when the
// work lasts; closing it asks whether to stop, and a stopped work keeps what
// it did so far.
#include "found/scan_progress.h"

#include <QDialog>
#include <functional>

class QProgressBar;

class ListControlFileDisplay : public QDialog {
    Q_OBJECT
public:
    using Work = std::function<void(ScanProgress& progress)>;
    // Runs `work` to its end (or until the user stops it).
    static void Run(QWidget* parent, const QString& title, const Work& work);

protected:
    void reject() override;

private:
    ListControlFileDisplay(const QString& title, QWidget* parent);
    ScanProgress* m_progress = nullptr;
    QProgressBar* m_bar = nullptr;
};
