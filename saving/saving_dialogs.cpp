#include "saving/saving_dialogs.h"

#include "app/prompt.h"
#include "app/recovery_job.h"
#include "app/report.h"
#include "platform/folders.h"
#include "platform/free_space.h"
#include "saving/saving_run.h"
#include "saving/settings_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <ctime>

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QPushButton* Button(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAccessibleName(QString(text).remove('&').remove("...").trimmed());
    return button;
}

}  // namespace

// ----- destination -----

SavingPath::SavingPath(FolderTree& tree, QWidget* parent) : QDialog(parent), m_tree(tree) {
    setWindowTitle(tr("Saving File(s) & Folders(s)"));
    theSavingRun.Reset();
    auto* label = new QLabel(tr("Select Saving Path :"), this);
    m_path = new QLineEdit(this);
    m_path->setMaxLength(260);
    m_path->setMinimumWidth(380);
    m_path->setAccessibleName(tr("Select Saving Path"));
    label->setBuddy(m_path);
    QPushButton* browse = Button(tr("&Browse..."), this);
    connect(browse, &QPushButton::clicked, this, [this] {
        QString folder = QFileDialog::getExistingDirectory(this, QString());
        if (!folder.isEmpty()) m_path->setText(folder);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_path, 1);
    row->addWidget(browse);
    auto* note = new QLabel(tr("Note : It is advisable to Save Data on a Drive other then the Source."), this);
    QPushButton* ok = Button(tr("&OK"), this);
    QPushButton* cancel = Button(tr("&Cancel"), this);
    QPushButton* settings = Button(tr("&Settings..."), this);
    settings->setEnabled(theJob.jobMode != kJobRawChosen);
    connect(settings, &QPushButton::clicked, this, [this] { OpenSavingOptions(this); });
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &SavingPath::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(settings);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->addLayout(row);
    layout->addWidget(note);
    layout->addSpacing(10);
    layout->addLayout(buttons);
}

void SavingPath::paintEvent(QPaintEvent* event) {
    m_background.Paint(this);
    QDialog::paintEvent(event);
}

void SavingPath::OnOk() {
    std::string path = m_path->text().left(260).toStdString();
    if (path.empty() || (!platform::FolderExists(path) && !platform::CreateFolderPath(path)) ||
        !platform::FolderExists(path)) {
        ShowMessage("Not a valid Destination. Please specify destination.");
        return;
    }
    if (theJob.jobMode == kJobRawChosen) {
        theSavingRun.destination = path;
        accept();
        return;
    }
    {
        FileSize count(m_tree, this);
        count.exec();
    }
    if (theSavingRun.selectedCount < 1) {
        ShowMessage("You have not selected any file/folder.");
        accept();
        return;
    }
    uint64_t free = platform::SpaceForPath(path).freeBytes;
    if (theSavingRun.selectedBytes >= free &&
        !AskQuestion(FreeSpaceQuestion(theSavingRun.selectedBytes)))
        return;
    theSavingRun.destination = path;
    hide();
    {
        SavingDlg progress(m_tree, parentWidget());
        progress.exec();
    }
    accept();
}

// ----- size calculation -----

FileSize::FileSize(FolderTree& tree, QWidget* parent) : QDialog(parent), m_tree(tree) {
    setWindowTitle(Text(theJob.windowTitle));
    auto* text = new QLabel(tr("Calculating File Size. Please Wait..."), this);
    m_count = new QLabel(this);
    m_size = new QLabel(this);
    m_stopButton = Button(tr("&Stop"), this);
    connect(m_stopButton, &QPushButton::clicked, this, &FileSize::OnStop);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Total Files      :-"), this), 0, 0);
    grid->addWidget(m_count, 0, 1);
    grid->addWidget(new QLabel(tr("Total Size      :-"), this), 1, 0);
    grid->addWidget(m_size, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(grid);
    layout->addWidget(m_stopButton, 0, Qt::AlignRight);
    std::string fs = theJob.fileSystemName;
    m_worker = std::thread([this, fs] {
        CountSelection(m_tree, fs, m_stop);
        m_done = true;
    });
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &FileSize::Poll);
    timer->start(50);
}

FileSize::~FileSize() {
    m_stop = true;
    if (m_worker.joinable()) m_worker.join();
}

void FileSize::Poll() {
    m_count->setText(QString::number(theSavingRun.selectedCount));
    std::string size = SavingSizeText(theSavingRun.selectedBytes);
    m_size->setText(Text(size.substr(0, size.find(" in"))));
    if (m_done) accept();
}

void FileSize::OnStop() {
    m_stopButton->setEnabled(false);
    if (AskQuestion("Do you want to terminate this process")) {
        m_stop = true;
        accept();
        return;
    }
    m_stopButton->setEnabled(true);
}

// ----- progress -----

SavingDlg::SavingDlg(FolderTree& tree, QWidget* parent) : QDialog(parent), m_tree(tree) {
    setWindowTitle(Text(theJob.windowTitle));
    auto* note = new QLabel(tr("Selecting \"Hide Progress Details\" will improve performance. You may return to view "
                               "partition recovery progress details at any time by selecting \"Show Progress Details\""),
                            this);
    note->setWordWrap(true);
    const char* labels[6] = {"Time Elapsed        :- ", "Time Remaining :-",    "Size Required       :- ",
                             "Size Copied          :- ", "Last Name            :- ", "Directory Name     :- "};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        m_labels[i] = new QLabel(tr(labels[i]), this);
        m_values[i] = new QLabel(this);
        m_values[i]->setTextFormat(Qt::PlainText);
        m_values[i]->setAccessibleName(QString(labels[i]).section(':', 0, 0).trimmed());
        grid->addWidget(m_labels[i], i, 0);
        grid->addWidget(m_values[i], i, 1);
    }
    grid->setColumnStretch(1, 1);
    m_current = new QProgressBar(this);
    m_overall = new QProgressBar(this);
    m_current->setAccessibleName(tr("Current Progress"));
    m_overall->setAccessibleName(tr("Overall Progress"));
    m_pause = Button(tr("&Pause"), this);
    QPushButton* stop = Button(tr("&Stop"), this);
    QPushButton* skip = Button(tr("S&kip"), this);
    m_details = Button(tr("Hide Progress Details"), this);
    QPushButton* settings = Button(tr("Settings"), this);
    settings->setEnabled(false);
    connect(m_pause, &QPushButton::clicked, this, &SavingDlg::OnPause);
    connect(stop, &QPushButton::clicked, this, &SavingDlg::OnStop);
    connect(skip, &QPushButton::clicked, this, [] { theSavingRun.skipCurrent = true; });
    connect(m_details, &QPushButton::clicked, this, &SavingDlg::OnDetails);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_details);
    buttons->addWidget(settings);
    buttons->addStretch(1);
    for (QPushButton* b : {m_pause, stop, skip}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(tr("Current Progress"), this));
    layout->addWidget(m_current);
    layout->addWidget(new QLabel(tr("Overall Progress"), this));
    layout->addWidget(m_overall);
    layout->addLayout(buttons);
    resize(560, 380);

    theSavingRun.skipCurrent = false;
    theSavingRun.skipAllWriteErrors = false;
    theSavingRun.abort = false;
    WriteSavingHeader();
    std::string fs = theJob.fileSystemName;
    m_worker = std::thread([this, fs] {
        SaveSelection(m_tree, fs);
        if (!m_stopped) {
            WriteSavingReport();
            std::string result = SavingResult();
            bool view = ShowMessage(result, true);
            AppendReportLine(kRecoveryHistory, result);
            if (view) ViewReport(kRecoveryHistory);
        }
        m_done = true;
    });
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &SavingDlg::Poll);
    m_timer->start(100);
}

SavingDlg::~SavingDlg() {
    theSavingRun.control.Cancel();
    if (m_worker.joinable()) m_worker.join();
}

void SavingDlg::Poll() {
    if (!theSavingRun.detailsHidden) {
        SavingRun::Texts t = theSavingRun.Shown();
        const std::string* values[6] = {&t.timeElapsed, &t.timeRemaining, &t.sizeRequired, &t.sizeCopied, &t.lastName,
                                        &t.directoryName};
        for (int i = 0; i < 6; ++i) m_values[i]->setText(Text(*values[i]));
    }
    m_current->setValue(theSavingRun.currentPercent);
    m_overall->setValue(theSavingRun.overallPercent);
    if (m_done) accept();
}

void SavingDlg::OnPause() {
    bool pause = m_pause->text() == tr("&Pause");
    theSavingRun.control.SetPaused(pause);
    int64_t now = static_cast<int64_t>(std::time(nullptr));
    if (pause) m_pausedAt = now;
    else theSavingRun.pausedSeconds += now - m_pausedAt;
    m_pause->setText(pause ? tr("&Resume") : tr("&Pause"));
}

void SavingDlg::OnStop() {
    bool wasPaused = m_pause->text() == tr("&Resume");
    theSavingRun.control.SetPaused(true);
    if (!AskQuestion("Are you sure you want to stop this process")) {
        if (!wasPaused) theSavingRun.control.SetPaused(false);
        return;
    }
    m_stopped = true;
    WriteSavingReport();
    theSavingRun.abort = true;
    theSavingRun.control.Cancel();
    m_worker.join();
    bool view = ShowMessage("Saving aborted.", true);
    AppendReportLine(kRecoveryHistory, "Saving aborted.");
    if (view) ViewReport(kRecoveryHistory);
    m_timer->stop();
    accept();
}

void SavingDlg::OnDetails() {
    bool hide = !theSavingRun.detailsHidden;
    theSavingRun.detailsHidden = hide;
    for (int i = 0; i < 6; ++i) {
        m_labels[i]->setVisible(!hide);
        m_values[i]->setVisible(!hide);
    }
    m_details->setText(hide ? tr("Show Progress Details") : tr("Hide Progress Details"));
}
