#include "wizard/step1_next.h"

#include "app/prompt.h"
#include "app/recovery_job.h"
#include "app/report.h"
#include "sectors/geometry_cache.h"
#include "sectors/sector_source.h"

#include <strings.h>

namespace {

const Step1Texts kQuick{" - Quick Scan",
                        "Select  Disk/ Image  (created by image recovery option),  from  which you want  to recover "
                        "your data,  click  Next  to proceed to Step 2.",
                        "Step 1 : Quick Scan", 1, true};
const Step1Texts kExhaustive{" - Exhaustive Scan", kQuick.instruction, "Step 1 : Exhaustive Scan", 1, true};
const Step1Texts kImaging{" - Disk Imaging",
                          "Select Disk, from which you want to recover your  data  by  taking image, click Next to "
                          "proceed to Step 2.",
                          "Step 1 : Disk Imaging", 6, false};
const Step1Texts kRaw{" - Raw Recovery",
                      "Select Disk, from which you want to recover your data, click Next to proceed to Step 2.",
                      "Step 1 : Raw Recovery", 9, false};

// The message for a missing choice, or nullptr when there is a choice.
const char* MissingChoiceMessage(const Step1Texts& texts) {
    const std::string& name = theJob.sourceName;
    if (name.empty() || name == "Select Logical Drive") return "Select Logical Drive";
    if (name == "Select Disk") return "Select Hard Disk";
    if (texts.imageItems && name == "Select Image") return "Select Image";
    return nullptr;
}

void SetSourceDevice() {
    const std::string& name = theJob.sourceName;
    if (strncasecmp(name.c_str(), "Disk", 4) != 0 && name.size() >= 4) {
        char letter = name[name.size() - 3];
        theJob.driveLetter = letter;
        theJob.diskNumber = 0;
        DeviceNameTable[0] = std::string("\\\\.\\") + letter + ":";
    } else {
        theJob.diskNumber = static_cast<uint16_t>(DiskNumberOfName(name));
        theJob.driveLetter = 0;
        DeviceNameTable[0] = PhysicalDriveName(0);
    }
}

}  // namespace

const Step1Texts& TextsOf(Step1Kind kind) {
    switch (kind) {
        case Step1Kind::QuickScan: return kQuick;
        case Step1Kind::ExhaustiveScan: return kExhaustive;
        case Step1Kind::DiskImaging: return kImaging;
        case Step1Kind::RawRecovery: break;
    }
    return kRaw;
}

void EnterStep1(Step1Kind kind) {
    const Step1Texts& texts = TextsOf(kind);
    theJob.windowTitle = theJob.productTitle + texts.titleSuffix;
    theJob.activeStep = texts.activeStep;
}

bool Step1Next(Step1Kind kind, const std::vector<std::string>& panelRows) {
    const Step1Texts& texts = TextsOf(kind);
    bool scan = kind == Step1Kind::QuickScan || kind == Step1Kind::ExhaustiveScan;
    if (scan) {
        theJob.imagingJob = 0;
        theJob.badSectorAction = kBadSectorRetry;
        theJob.jobMode = kJobScan;
    }
    if (const char* message = MissingChoiceMessage(texts)) {
        ShowMessage(message);
        return false;
    }
    AppendReportLine(kActivityReport, "");
    AppendReportLine(kActivityReport, texts.reportLine);
    AppendReportLine(kActivityReport, "-------");
    AppendReportLine(kActivityReport, "Device Information : ");
    for (const std::string& row : panelRows) AppendReportLine(kActivityReport, row);
    if (kind == Step1Kind::DiskImaging) {
        theJob.jobMode = kJobImaging;
        theJob.imagingJob = 1;
    } else if (kind == Step1Kind::RawRecovery) {
        theJob.jobMode = kJobRaw;
    }
    SetSourceDevice();
    return true;
}
