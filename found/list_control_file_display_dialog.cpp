#include "found/list_control_file_display_dialog.h"

#include "app/prompt.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <chrono>
#include <thread>

ListControlFileDisplay::ListControlFileDisplay(const QString& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Please Wait"));
    auto* label = new QLabel(title, this);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setAccessibleName(tr("Progress"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_bar);
    setMinimumWidth(360);
}

void ListControlFileDisplay::Run(QWidget* parent, const QString& title, const Work& work) {
    ScanProgress progress;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work(progress);
        done = true;
    });
    // Short work needs no dialog.
    for (int i = 0; i < 40 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!done) {
        ListControlFileDisplay dialog(title, parent);
        dialog.m_progress = &progress;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, &dialog, [&] {
            dialog.m_bar->setValue(progress.progressValue);
            if (done) dialog.accept();
        });
        timer.start(50);
        dialog.exec();
    }
    worker.join();
}

void ListControlFileDisplay::reject() {
    m_progress->SetPaused(true);
    if (AskQuestion("Are you sure you want to stop this process")) {
        m_progress->Cancel();
        QDialog::accept();
        return;
    }
    m_progress->SetPaused(false);
}
