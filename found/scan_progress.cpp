#include "found/scan_progress.h"

#include "app/prompt.h"
#include "app/recovery_job.h"

#include <cstdio>
#include <strings.h>

bool ScanProgress::SafePoint() {
    if (!m_paused.load()) return !m_cancelled.load();
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait(lock, [this] { return !m_paused.load() || m_cancelled.load(); });
    return !m_cancelled.load();
}

void ScanProgress::SetPaused(bool paused) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_paused = paused;
    }
    m_wake.notify_all();
}

void ScanProgress::Cancel() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_cancelled = true;
    }
    m_wake.notify_all();
}

void ScanProgress::Rearm() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_cancelled = false;
        m_paused = false;
    }
    m_wake.notify_all();
}

ScanProgress::Values ScanProgress::Snapshot() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_values;
}

void ScanProgress::SetStatus(const std::string& text) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_status = text;
}

std::string ScanProgress::Status() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_status;
}

void ScanProgress::Publish(const std::string* value, const std::string* folders, const std::string* files,
                           const std::string* lastNameShown) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (value) m_values.value = *value;
    if (folders) m_values.folders = *folders;
    if (files) m_values.files = *files;
    if (lastNameShown) m_values.lastName = *lastNameShown;
    ++m_values.version;
}

void ScanProgress::HideValues() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_values.hidden = true;
    ++m_values.version;
}

std::string FormatScanSize(uint64_t bytes) {
    char text[48];
    if (bytes <= 0x40000000ull) std::snprintf(text, sizeof text, "%.3f MB", bytes / 1048576.0);
    else std::snprintf(text, sizeof text, "%.3f GB", bytes / 1073741824.0);
    return text;
}

void UpdateScanProgress(ScanProgress& progress, uint64_t value, int32_t folders, int32_t files,
                        const std::string& name, int& counter, char mode, bool rawMode) {
    if (++counter < 1000) return;
    counter = 0;
    if (progress.detailsHidden) {
        if (progress.hidePending.exchange(false)) progress.HideValues();
        return;
    }
    std::string folderText = std::to_string(folders), fileText = std::to_string(files);
    if (mode != 'e') {
        std::string size = FormatScanSize(value);
        progress.Publish(&size, rawMode ? nullptr : &folderText, &fileText, &name);
        return;
    }
    char sector[64];
    std::snprintf(sector, sizeof sector, "%u/%llu", static_cast<unsigned>(value),
                  static_cast<unsigned long long>(theJob.rangeEnd));
    std::string sectorText = sector;
    bool newFolders = folders != progress.lastFolders, newFiles = files != progress.lastFiles;
    bool newName = strcasecmp(name.c_str(), progress.lastName.c_str()) != 0;
    progress.lastFolders = folders;
    progress.lastFiles = files;
    if (newName) progress.lastName = name;
    progress.Publish(&sectorText, newFolders ? &folderText : nullptr, newFiles ? &fileText : nullptr,
                     newName ? &name : nullptr);
}

ScanEnd EndQuickScan(int32_t itemsFound, ScanProgress& progress) {
    if (itemsFound > 0) {
        progress.stopRequested = true;
        progress.Repaint();
        return ScanEnd::Found;
    }
    ShowMessage("Switching to Exhaustive Scan for Lost files & folders. This will take long time.");
    return ScanEnd::NothingFound;
}
