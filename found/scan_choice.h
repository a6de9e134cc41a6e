#pragma once
// Step 3 without its window: which worker runs for the job, the elapsed-time
// clock, the summary it writes, and the one worker thread.
#include "found/found_item_store.h"
#include "found/scan_progress.h"

#include <cstdint>
#include <functional>
#include <string>
#include <atomic>
#include <thread>

enum class WorkerKind {
    None,             // no worker for this job: the dialog waits for Back
    RawSearch,
    Imaging,
    FatLostSearch,
    FatExhaustive,
    FatQuick,
    NtfsTransfer,     // the file system chosen in Step 2(c) and the transfer of its hits
    NtfsExhaustive,
    NtfsQuick,
};

struct WorkerChoice {
    WorkerKind kind = WorkerKind::None;
    std::string modeText;
    std::string valueLabel;      // the label of the size or sector row
    std::string foldersLabel = "Directories Found    :-";
    bool statusHidden = false;
    bool countsHidden = false;   // imaging shows neither folders, files nor the status line
    const char* banner = "\\step3.bmp";
};

// The first row of the choice table that matches the job. Also counts the
// NTFS search passes, as starting the NTFS exhaustive scan in search mode does.
WorkerChoice ChooseWorker();
// Whether the worker can be started now; the workers of the later steps are
// not part of the program yet, and their rows start nothing.
bool WorkerAvailable(WorkerKind kind);

bool IsQuickScan(WorkerKind kind);

// Elapsed time as Step 3 counts it: seconds of the current minute from the
// start tick less the paused time; a full minute moves the start tick on.
class ElapsedClock {
public:
    explicit ElapsedClock(std::function<int64_t()> nowMs) : m_now(std::move(nowMs)) {}
    void Start();
    void Pause();
    void Resume();
    // One timer tick: recomputes the hours, minutes and seconds shown.
    void Tick();
    // "%d : %d : %d".
    std::string Text() const;

private:
    std::function<int64_t()> m_now;
    int64_t m_start = 0, m_paused = 0, m_pauseTick = 0;
    int m_hours = 0, m_minutes = 0, m_seconds = 0;
};

// The Step 3 block of the Activity Report.
void WriteStep3Summary(const std::string& elapsed, const FoundItemStore& store);

// The one worker thread of Step 3. Starting prepares what the worker needs
// (the worker geometry, the MFT extent table for NTFS). Cancel tells the
// worker to leave at its next safe point and waits for it.
class ScanRunner {
public:
    ~ScanRunner() { Cancel(); }
    void Start(WorkerKind kind, FoundItemStore& store, ScanProgress& progress);
    void Cancel();
    bool Running() const { return m_thread.joinable(); }
    // The worker function has returned.
    bool Finished() const { return m_finished; }

private:
    std::thread m_thread;
    ScanProgress* m_progress = nullptr;
    std::atomic<bool> m_finished{false};
};
