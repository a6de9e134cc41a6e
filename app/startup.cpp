#include "app/startup.h"

#include "app/installation.h"
#include "app/recovery_job.h"
#include "app/report.h"

#include <cstdio>

namespace {

const char* const kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

}  // namespace

std::string FormatStartStamp(const platform::CalendarTime& when) {
    char text[80];
    std::snprintf(text, sizeof text, "%d:%02d - %s, %s %02d, %04d", when.hour, when.minute,
                  kDayNames[when.dayOfWeek % 7], kMonthNames[(when.month + 11) % 12], when.day, when.year);
    return text;
}

void InitialiseJobFacts() {
    theJob.platformTag = 'N';
    theJob.dataFolder = ":/pictures";
    theJob.registryKey = RegistryKey();
    theJob.productTitle = "Vornix for Windows";
    theJob.windowTitle = theJob.productTitle;
    theJob.messageCaption = theJob.productTitle;
    theJob.versionText = "Version 4.0";
    theJob.startStamp = FormatStartStamp(platform::LocalNow());
    EnsureInstallationFolder();
}

void StartUp() {
    InitialiseJobFacts();
    AppendReportLine(kActivityReport, "-----------------------Start--------------------------");
    AppendReportLine(kActivityReport, theJob.windowTitle);
    AppendReportLine(kActivityReport, theJob.versionText);
    AppendReportLine(kActivityReport, theJob.startStamp);
}
