#pragma once
// The state a running scan shares with whoever shows it (the Step 3 dialog,
// the command line): the end flags, pause and cancel, the progress value,
// the status line and the value fields. The worker writes; the display polls
// on its own thread. Flags and numbers are atomic; texts pass as snapshots
// under a mutex.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

class ScanProgress {
public:
    // ---- end flags: a worker sets one of them, then calls Repaint() ----
    std::atomic<bool> stopRequested{false};     // also how a quick scan ends
    std::atomic<bool> finishedToStep4{false};
    std::atomic<bool> finishedToStep2c{false};
    std::atomic<bool> closeRequested{false};    // imaging
    // Asks the display to look at the flags (set by the display).
    std::function<void()> repaint;
    void Repaint() const {
        if (repaint) repaint();
    }

    // ---- pause and cancel, honoured at the worker's safe points ----
    // Waits while paused; false when the worker must leave now.
    bool SafePoint();
    void SetPaused(bool paused);
    void Cancel();
    bool Cancelled() const { return m_cancelled.load(); }
    // Neither paused nor cancelled, for a new run.
    void Rearm();

    // ---- what the display shows ----
    std::atomic<int> progressValue{0};          // 0..100
    std::atomic<bool> marqueeWanted{false};     // the worker knows no total: move the bar by time
    std::atomic<bool> detailsHidden{false};
    std::atomic<bool> hidePending{false};

    struct Values {
        std::string value;     // total size or current sector
        std::string folders;
        std::string files;
        std::string lastName;
        bool hidden = false;   // the value fields were hidden
        uint64_t version = 0;  // grows with every change
    };
    Values Snapshot() const;
    void SetStatus(const std::string& text);
    std::string Status() const;

    // Writes the value fields as UpdateScanProgress decides; empty optional
    // texts are left as they are.
    void Publish(const std::string* value, const std::string* folders, const std::string* files,
                 const std::string* lastName);
    void HideValues();

    // What sector mode showed last (written only when it changes).
    int32_t lastFolders = -1, lastFiles = -1;
    std::string lastName;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::atomic<bool> m_paused{false}, m_cancelled{false};
    Values m_values;
    std::string m_status;
};

enum class ScanEnd {
    Found,          // something was found: stop requested is set, Step 4 follows
    NothingFound,   // the exhaustive scan of the file system takes over
    Cancelled,      // the worker was told to leave
};

// How every quick scan ends: with something found, the stop-requested
// signal and a repaint; with nothing, the message that the exhaustive scan
// takes over.
ScanEnd EndQuickScan(int32_t itemsFound, ScanProgress& progress);

// Shows a size: up to 0x40000000 bytes "%.3f MB" of bytes / 2^20, above "%.3f GB".
std::string FormatScanSize(uint64_t bytes);

// The progress routine of every worker: one call in a thousand (counted in
// the worker's own counter) updates the display. Mode 'e' shows `value` as
// the current sector of the job's range ("sector/end"), any other mode as a
// size. Raw mode leaves the folder field alone.
void UpdateScanProgress(ScanProgress& progress, uint64_t value, int32_t folders, int32_t files,
                        const std::string& name, int& counter, char mode, bool rawMode = false);
