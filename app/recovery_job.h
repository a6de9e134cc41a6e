#pragma once
// The state of the current recovery job, shared by the wizard's steps, the
// workers, the saving run and the scan logs. One process-wide instance,
// `theJob`; each step fills its fields as the user moves through the wizard.
//
// The user-interface thread owns the record. A worker started from a modal
// step reads the fields while it runs and writes only its own; the one field
// both sides write during a scan (the remembered bad-sector answer) is atomic.
#include "fat/volume_geometry.h"

#include <atomic>
#include <cstdint>
#include <string>

// Answers of the Bad Sectors prompt.
enum BadSectorAction : int {
    kBadSectorRetry = 0,
    kBadSectorSkip = 1,
    kBadSectorRetryAll = 2,
    kBadSectorSkipAll = 3,
};

// Values of `jobMode`.
enum JobMode : int {
    kJobScan = 0,
    kJobImaging = 6,
    kJobRaw = 9,
    kJobRawChosen = 10,
};

struct RecoveryJob {
    // Process facts, set at start-up.
    char platformTag = 0;            // 'N'; 'F' selects the Windows 9x disk path (tests only)
    std::string dataFolder;          // folder of the pictures (compiled-in resources)
    std::string registryKey;         // "VornixKeyProfNTFS"
    std::string productTitle;
    std::string windowTitle;         // caption of the current dialog and of message boxes
    std::string messageCaption;      // caption of the system error boxes
    std::string versionText;
    std::string startStamp;

    // The source, chosen in Step 1.
    int activeStep = 0;              // which step owns the source tree control now
    std::string sourceName;
    uint16_t diskNumber = 0;         // index into DeviceNameTable
    char driveLetter = 0;            // 0 for a disk or an image set
    int sourceIsImage = 0;
    std::string imageFolder;         // ends in "/"
    int imageMultiPart = 0;
    std::string diskModel;
    std::string driveFileSystem;
    double driveSpace[3] = {0, 0, 0};  // capacity, used, free bytes
    std::atomic<int> badSectorAction{kBadSectorRetry};

    // The job, from the front page, Step 2 and later.
    int exhaustiveChosen = 0;
    int jobMode = kJobScan;
    int imagingJob = 0;
    uint16_t jobDiskNumber = 0;
    int selectedPartition = 0;
    std::string selectedLabel;
    std::string fileSystemName;      // "FAT12", "FAT16", "FAT32", "NTFS" or "UNKNOWN"
    uint64_t rangeStart = 0;
    uint64_t rangeEnd = 0;           // last sector of the range; 0: no range guard
    int lostFsSearch = 0;
    int lostFsSearchPasses = 0;
    int exhaustiveScan = 0;
    int logLoaded = 0;
    VolumeGeometry jobGeometry;
    VolumeGeometry workerGeometry;
    int imagingToDisk = 0;
    int imagingTargetDisk = 0;
    std::string imagingTargetText;
    std::string imagingPath;
};

extern RecoveryJob theJob;

// Puts every field back to its start value (strings empty, numbers 0).
void ResetRecoveryJob();
