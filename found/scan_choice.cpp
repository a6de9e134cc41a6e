#include "found/scan_choice.h"

#include "app/recovery_job.h"
#include "app/report.h"
#include "fat/fat_quick_scan.h"
#include "ntfs/ntfs_quick_scan.h"
#include "ntfs/ntfs_record.h"

#include <cstdio>

namespace {

const char kSearchText[] =
    "Vornix is  now  searching  for lost partitions/ file systems. After finishing  it   will   list  you   the  "
    "lost partitions/ file systems.  Click  Next and proceed to Step 2C.";
const char kScanText[] = "Vornix is now searching for files and folders. After finishing it will switch on to Step 4.";

bool IsFat(const std::string& name) { return name == "FAT12" || name == "FAT16" || name == "FAT32"; }

WorkerChoice FatChoice(bool search, bool exhaustive, bool fromLog, int passes) {
    WorkerChoice c;
    if (search && passes != 0 && passes != 1) return c;
    if (search) {
        c.kind = WorkerKind::FatLostSearch;
        c.valueLabel = fromLog ? "Total Size              :-" : "Current Sector         :-";
    } else if (exhaustive) {
        c.kind = WorkerKind::FatExhaustive;
        c.valueLabel = fromLog ? "Total Size              :-" : "Current Sector         :-";
    } else {
        c.kind = WorkerKind::FatQuick;
        c.valueLabel = fromLog ? "Total Size              :-" : "Total Size                :-";
        c.statusHidden = true;
    }
    return c;
}

WorkerChoice NtfsChoice(bool search, bool exhaustive, bool fromLog, int passes) {
    WorkerChoice c;
    if (search && passes == 1) {
        c.kind = WorkerKind::NtfsTransfer;
    } else if (search || exhaustive) {
        c.kind = WorkerKind::NtfsExhaustive;
        c.valueLabel = fromLog ? "Total Size                 :-" : "Current Sector         :-";
        if (search) ++theJob.lostFsSearchPasses;
    } else {
        c.kind = WorkerKind::NtfsQuick;
        c.valueLabel = "Total Size                :-";
        c.statusHidden = true;
    }
    return c;
}

}  // namespace

WorkerChoice ChooseWorker() {
    WorkerChoice c;
    if (theJob.jobMode == kJobRaw || theJob.jobMode == kJobRawChosen) {
        c.kind = WorkerKind::RawSearch;
        c.modeText = "Vornix  is   now searching for selected extensions and   saving the same.  ";
        c.valueLabel = "Current Sector         :-";
        c.foldersLabel = "Bytes Recovered    :-";
        return c;
    }
    if (theJob.imagingJob) {
        c.kind = WorkerKind::Imaging;
        c.modeText =
            "Vornix is now making the image   file of   your selected disk / partition.  After  finishing go back to "
            "Desktop Recovery and recover the image file by Select Image option. ";
        c.valueLabel = "Current Sector         :-";
        c.countsHidden = true;
        c.statusHidden = true;
        return c;
    }
    bool search = theJob.lostFsSearch, exhaustive = theJob.exhaustiveScan, fromLog = theJob.logLoaded;
    int passes = theJob.lostFsSearchPasses;
    bool firstSearch = search && passes == 0;
    if (IsFat(theJob.fileSystemName)) c = FatChoice(search, exhaustive, fromLog, passes);
    else if (theJob.fileSystemName == "NTFS") c = NtfsChoice(search, exhaustive, fromLog, passes);
    else return c;
    c.modeText = firstSearch ? kSearchText : kScanText;
    c.banner = firstSearch ? "\\step2b.bmp" : "\\step3.bmp";
    return c;
}

bool WorkerAvailable(WorkerKind kind) { return kind == WorkerKind::FatQuick || kind == WorkerKind::NtfsQuick; }

bool IsQuickScan(WorkerKind kind) { return kind == WorkerKind::FatQuick || kind == WorkerKind::NtfsQuick; }

void ElapsedClock::Start() {
    m_start = m_now();
    m_paused = 0;
    m_hours = m_minutes = m_seconds = 0;
}

void ElapsedClock::Pause() { m_pauseTick = m_now(); }

void ElapsedClock::Resume() { m_paused += m_now() - m_pauseTick; }

void ElapsedClock::Tick() {
    int64_t now = m_now();
    m_seconds = static_cast<int>((now - m_start - m_paused) / 1000);
    if (m_seconds > 59) {
        m_start = now;
        m_paused = 0;
        m_seconds -= 60;
        ++m_minutes;
        if (m_minutes >= 60) {
            ++m_hours;
            m_minutes -= 60;
        }
    }
}

std::string ElapsedClock::Text() const {
    char text[48];
    std::snprintf(text, sizeof text, "%d : %d : %d", m_hours, m_minutes, m_seconds);
    return text;
}

void WriteStep3Summary(const std::string& elapsed, const FoundItemStore& store) {
    auto line = [](const std::string& text) { AppendReportLine(kActivityReport, text); };
    line("\r\n");
    line("Step 3 :");
    line("-------");
    line(std::string("Analysing Files/Directories Information : ") + (theJob.exhaustiveScan ? "Switching to Exhaustive Mode " : ""));
    line("Time Elapsed : " + elapsed);
    line("Total Size : " + FormatScanSize(store.totalSize));
    line("Directories Found : " + std::to_string(store.folderCount.load()));
    line("Files Found : " + std::to_string(store.fileCount.load()));
}

void ScanRunner::Start(WorkerKind kind, FoundItemStore& store, ScanProgress& progress) {
    Cancel();
    if (!theJob.logLoaded) {
        theJob.workerGeometry = theJob.jobGeometry;
        theJob.workerGeometry.fileSystemName = theJob.fileSystemName;
    }
    m_progress = &progress;
    m_finished = false;
    ScanEnd (*worker)(FoundItemStore&, ScanProgress&) = nullptr;
    if (kind == WorkerKind::FatQuick) {
        worker = RunFatQuickScan;
    } else if (kind == WorkerKind::NtfsQuick) {
        const VolumeGeometry& g = theJob.workerGeometry;
        BuildMftExtentTable(g.cluster0Sector, g.mftSector, g.sectorsPerCluster);
        worker = RunNtfsQuickScan;
    }
    if (!worker) return;
    m_thread = std::thread([this, worker, &store, &progress] {
        worker(store, progress);
        m_finished = true;
    });
}

void ScanRunner::Cancel() {
    if (!m_thread.joinable()) return;
    m_progress->Cancel();
    m_thread.join();
}
