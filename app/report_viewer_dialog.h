#pragma once
// A read-only view of a report file, for desktops without a text viewer.
#include <QDialog>

class ReportViewer : public QDialog {
    Q_OBJECT
public:
    explicit ReportViewer(const QString& path, QWidget* parent = nullptr);
};
