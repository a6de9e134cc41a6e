#pragma once
// LogPath: the folder of one report. Browse chooses a folder; OK stores the
// folder last chosen with Browse during this run (or none) as the report's
// folder setting. The field shows the folder; it is not typed into.
#include "app/report.h"

#include <QDialog>

class QLineEdit;

class LogPath : public QDialog {
    Q_OBJECT
public:
    explicit LogPath(ReportKind kind, QWidget* parent = nullptr);

    // Puts a chosen folder into the field and remembers it (Browse).
    void ChooseFolder(const QString& folder);

private:
    void OnBrowse();
    void OnOk();

    ReportKind m_kind;
    QLineEdit* m_path = nullptr;
};

// The menu commands "&Change &Activity Report Path" and "Change &Recovery
// History Path".
void ChangeReportFolder(ReportKind kind, QWidget* parent);
