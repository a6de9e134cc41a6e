#pragma once
// The two plain-text reports that grow over all runs: the Activity Report
// (what was chosen and found) and the Recovery History (what was saved).
//
// File format: text in the locale's character set; every line is written as
// CR LF followed by the text, so a file begins with an empty line and ends
// without a line break. A line keeps at most 199 characters of its text. A
// file larger than 5,242,880 bytes when a line is to be appended is deleted
// and started afresh with that line.
#include <string>

enum ReportKind : int { kActivityReport = 0, kRecoveryHistory = 1 };

// "Activity Log.txt" or "Recovery Log.txt".
const char* ReportFileName(ReportKind kind);
// The folder setting of the kind ("Activity Log", "Recovery Log"), or the
// installation folder when the setting is empty or names no existing folder.
std::string ReportFolder(ReportKind kind);
std::string ReportPath(ReportKind kind);

// 1 on success, 0 when the file cannot be opened or written.
int AppendReportLine(ReportKind kind, const std::string& text);
// Opens the report with the desktop's text viewer, or says it is missing.
void ViewReport(ReportKind kind);
// Asks, then deletes the report; says so when there is none.
void ClearReport(ReportKind kind);

// The report-folder dialog: Browse remembers the folder chosen (for the rest
// of the run); OK stores the remembered folder, or an empty value when none
// was chosen, as the folder setting of the kind.
void RememberReportFolder(const std::string& folder);
bool StoreRememberedReportFolder(ReportKind kind);
