#include "app/log_path_dialog.h"

#include "app/recovery_job.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

LogPath::LogPath(ReportKind kind, QWidget* parent) : QDialog(parent), m_kind(kind) {
    setWindowTitle(QString::fromStdString(theJob.windowTitle));
    auto* label = new QLabel(tr("Enter Path : "), this);
    m_path = new QLineEdit(QString::fromStdString(ReportFolder(kind)), this);
    m_path->setReadOnly(true);
    m_path->setMinimumWidth(360);
    m_path->setAccessibleName(tr("Enter Path"));
    label->setBuddy(m_path);
    auto* browse = new QPushButton(tr("&Browse"), this);
    browse->setAccessibleName(tr("Browse"));
    connect(browse, &QPushButton::clicked, this, &LogPath::OnBrowse);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_path, 1);
    row->addWidget(browse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &LogPath::OnOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

void LogPath::ChooseFolder(const QString& folder) {
    m_path->setText(folder);
    RememberReportFolder(folder.toStdString());
}

void LogPath::OnBrowse() {
    QString folder = QFileDialog::getExistingDirectory(this, tr("Select Folder"), m_path->text());
    if (!folder.isEmpty()) ChooseFolder(folder);
}

void LogPath::OnOk() {
    StoreRememberedReportFolder(m_kind);
    accept();
}

void ChangeReportFolder(ReportKind kind, QWidget* parent) {
    LogPath dialog(kind, parent);
    dialog.exec();
}
