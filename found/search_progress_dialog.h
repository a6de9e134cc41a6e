#pragma once
// Step 3: runs the scan the job calls for on one worker thread and shows its
// progress: elapsed time, size or sector, folders, files, the last name, a
// progress bar and the status line; Pause/Resume, Stop, Back and
// Hide/Show Progress Details.
#include "app/recovery_job.h"
#include "found/scan_choice.h"
#include "wizard/step_dialog.h"

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class SearchProgress : public StepDialog {
    Q_OBJECT
public:
    // `nowMs`: the millisecond clock of the elapsed time (tests drive it).
    explicit SearchProgress(QWidget* parent = nullptr, std::function<int64_t()> nowMs = {});
    ~SearchProgress() override;

    ScanProgress& Progress() { return m_progress; }
    const WorkerChoice& Choice() const { return m_choice; }
    QString ElapsedText() const;
    QTimer* ElapsedTimer() const { return m_elapsedTimer; }
    QTimer* MarqueeTimer() const { return m_marqueeTimer; }

    // The timers' work, callable by tests without waiting.
    void OnElapsedTimer();
    void OnMarqueeTimer();
    // Looks at the worker's flags: the transitions to Step 4.
    void CheckTransitions();
    // Runs Step 4 modally (tests replace it); true when Step 4 asked for
    // the exhaustive scan of the same range.
    std::function<bool()> runStep4;
    bool RerunRequested() const { return m_rerun; }

protected:
    void OnNext() override {}
    void OnBack() override;
    void OnCommand(int) override {}
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void StartWorker();
    void OnPause();
    void OnStop();
    void OnDetails();
    void Refresh();
    // Pauses the worker and the timers as a pause does; `marquee` too.
    void Hold(bool elapsed, bool marquee);
    void Rearm(int elapsedMs, bool marquee);
    bool Exhaustive() const { return theJob.exhaustiveScan != 0; }
    bool GoBack();

    ScanProgress m_progress;
    ScanRunner m_runner;
    ElapsedClock m_clock;
    WorkerChoice m_choice;
    QTimer* m_elapsedTimer = nullptr;
    QTimer* m_marqueeTimer = nullptr;
    QTimer* m_pollTimer = nullptr;
    QLabel* m_labels[5] = {};
    QLabel* m_values[5] = {};
    QLabel* m_status = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_details = nullptr;
    QPushButton* m_pause = nullptr;
    QPushButton* m_stop = nullptr;
    bool m_paused = false;
    bool m_closing = false;
    bool m_rerun = false;
    int m_marquee = 0;
};
