#include "found/search_progress_dialog.h"

#include "app/prompt.h"
#include "app/recovery_job.h"
#include "found/file_display_dialog.h"
#include "widgets/picture_button.h"
#include "wizard/menu_bar.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

int64_t SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

enum Row { kTime, kValue, kFolders, kFiles, kName };

}  // namespace

SearchProgress::SearchProgress(QWidget* parent, std::function<int64_t()> nowMs)
    : StepDialog("\\step3.bmp", {}, parent), m_clock(nowMs ? nowMs : SteadyMs) {
    setWindowTitle(Text(theJob.windowTitle));
    theJob.activeStep = 4;
    for (QAction* item : MenuBar()->findChildren<QAction*>()) {
        int command = item->data().toInt();
        if (command && command != kCmdExit && command != kCmdClearRecoveryHistory && command != kCmdHelp &&
            command != kCmdAboutUs)
            item->setEnabled(false);
    }
    NextButton()->hide();
    HelpButton()->setEnabled(false);
    theStore.totalSize = 0;
    theStore.indexBlockHitCount = 0;
    if (!theJob.logLoaded) theStore.currentFileSystem = 0;
    m_choice = ChooseWorker();

    auto* wait = new QLabel(tr("Please wait while Vornix recovers your partition"), this);
    QFont bold = wait->font();
    bold.setBold(true);
    wait->setFont(bold);
    auto* hint = new QLabel(tr("Selecting \"Hide Progress Details\" will improve performance. You may return to view "
                               "partition recovery progress details at any time by selecting \"Show Progress Details\""),
                            this);
    hint->setWordWrap(true);
    auto* mode = new QLabel(Text(m_choice.modeText), this);
    mode->setWordWrap(true);
    mode->setObjectName("modeText");

    const QString labels[5] = {"Time Elapsed          :-", Text(m_choice.valueLabel), Text(m_choice.foldersLabel),
                               "Files Found              :-", "Last Name               :-"};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 5; ++i) {
        m_labels[i] = new QLabel(labels[i], this);
        m_values[i] = new QLabel(this);
        m_values[i]->setAccessibleName(labels[i].section(':', 0, 0).trimmed());
        m_values[i]->setObjectName(QString("value%1").arg(i));
        grid->addWidget(m_labels[i], i, 0);
        grid->addWidget(m_values[i], i, 1);
    }
    QFont nameFont("MS Sans Sarif", 12);  // a missing family falls back to the desktop's font
    m_values[kName]->setFont(nameFont);
    m_values[kName]->setTextFormat(Qt::PlainText);
    grid->setColumnStretch(1, 1);
    m_status = new QLabel(this);
    m_status->setObjectName("status");
    m_status->setVisible(!m_choice.statusHidden);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setAccessibleName(tr("Progress"));
    if (m_choice.countsHidden)
        for (int row : {kFolders, kFiles, kName}) {
            m_labels[row]->hide();
            m_values[row]->hide();
        }

    m_details = new QPushButton(tr("&Hide Progress Details"), this);
    m_pause = new QPushButton(tr("&Pause"), this);
    m_stop = new QPushButton(tr("&Stop"), this);
    for (QPushButton* b : {m_details, m_pause, m_stop}) b->setAccessibleName(b->text().remove('&'));
    connect(m_details, &QPushButton::clicked, this, &SearchProgress::OnDetails);
    connect(m_pause, &QPushButton::clicked, this, &SearchProgress::OnPause);
    connect(m_stop, &QPushButton::clicked, this, &SearchProgress::OnStop);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_details);
    buttons->addStretch(1);
    buttons->addWidget(m_pause);
    buttons->addWidget(m_stop);

    Content()->addWidget(wait);
    Content()->addWidget(hint);
    Content()->addWidget(mode);
    Content()->addSpacing(8);
    Content()->addLayout(grid);
    Content()->addWidget(m_status);
    Content()->addWidget(m_bar);
    Content()->addStretch(1);
    Content()->addLayout(buttons);

    m_elapsedTimer = new QTimer(this);
    m_marqueeTimer = new QTimer(this);
    m_pollTimer = new QTimer(this);
    connect(m_elapsedTimer, &QTimer::timeout, this, &SearchProgress::OnElapsedTimer);
    connect(m_marqueeTimer, &QTimer::timeout, this, &SearchProgress::OnMarqueeTimer);
    connect(m_pollTimer, &QTimer::timeout, this, &SearchProgress::Refresh);
    runStep4 = [this] {
        FileDisplay step(this);
        step.exec();
        return step.ExhaustiveRequested();
    };
    m_progress.repaint = [this] { QMetaObject::invokeMethod(this, [this] { CheckTransitions(); }, Qt::QueuedConnection); };
    StartWorker();
}

SearchProgress::~SearchProgress() { m_runner.Cancel(); }

void SearchProgress::StartWorker() {
    if (!WorkerAvailable(m_choice.kind)) return;  // the dialog waits for Back
    m_clock.Start();
    m_values[kTime]->setText(Text(m_clock.Text()));
    m_elapsedTimer->start(1000);
    m_pollTimer->start(100);
    m_runner.Start(m_choice.kind, theStore, m_progress);
}

QString SearchProgress::ElapsedText() const { return m_values[kTime]->text(); }

void SearchProgress::OnElapsedTimer() {
    m_clock.Tick();
    m_values[kTime]->setText(Text(m_clock.Text()));
}

void SearchProgress::OnMarqueeTimer() {
    m_marquee = m_marquee % 100 + 1;
    m_bar->setValue(m_marquee);
}

// The worker's values, status and progress bar, as it last published them.
void SearchProgress::Refresh() {
    if (m_progress.marqueeWanted && !m_marqueeTimer->isActive() && !m_paused) m_marqueeTimer->start(2000);
    ScanProgress::Values v = m_progress.Snapshot();
    if (!v.hidden && !m_progress.detailsHidden) {
        m_values[kValue]->setText(Text(v.value));
        m_values[kFolders]->setText(Text(v.folders));
        m_values[kFiles]->setText(Text(v.files));
        m_values[kName]->setText(Text(v.lastName));
    }
    m_status->setText(Text(m_progress.Status()));
    if (!m_progress.marqueeWanted) m_bar->setValue(m_progress.progressValue);
    CheckTransitions();
}

void SearchProgress::Hold(bool elapsed, bool marquee) {
    m_progress.SetPaused(true);
    m_clock.Pause();
    if (elapsed) m_elapsedTimer->stop();
    if (marquee) m_marqueeTimer->stop();
}

void SearchProgress::Rearm(int elapsedMs, bool marquee) {
    m_elapsedTimer->start(elapsedMs);
    if (marquee && m_progress.marqueeWanted) m_marqueeTimer->start(2000);
}

void SearchProgress::OnPause() {
    bool quick = IsQuickScan(m_choice.kind);
    if (!m_paused) {
        m_paused = true;
        m_pause->setText(tr("&Resume"));
        m_stop->setEnabled(false);
        Hold(!Exhaustive(), quick);
        return;
    }
    m_paused = false;
    m_pause->setText(tr("&Pause"));
    m_stop->setEnabled(true);
    m_progress.SetPaused(false);
    m_clock.Resume();
    if (!Exhaustive()) Rearm(2000, quick);
}

void SearchProgress::OnStop() {
    bool quick = IsQuickScan(m_choice.kind);
    Hold(!Exhaustive(), quick);
    if (AskQuestion("Are you sure you want to stop this process")) {
        m_progress.stopRequested = true;
        // A quick scan stays held; the dialog goes on to Step 4 with what was found.
        if (!quick) m_progress.SetPaused(false);
        CheckTransitions();
        return;
    }
    m_progress.SetPaused(false);
    m_clock.Resume();
    if (!Exhaustive()) Rearm(2000, quick);
}

void SearchProgress::OnDetails() {
    bool hide = !m_progress.detailsHidden;
    m_progress.detailsHidden = hide;
    m_progress.hidePending = hide;
    for (int i = 0; i < 5; ++i) {
        bool countRow = i == kFolders || i == kFiles || i == kName;
        bool shown = !hide && !(countRow && m_choice.countsHidden);
        m_labels[i]->setVisible(shown);
        m_values[i]->setVisible(shown);
    }
    if (hide) m_elapsedTimer->stop();
    else m_elapsedTimer->start(1000);
    m_details->setText(hide ? tr("&Show Progress Details") : tr("&Hide Progress Details"));
}

void SearchProgress::CheckTransitions() {
    if (m_closing) return;
    bool quick = IsQuickScan(m_choice.kind);
    bool toStep4 = (m_progress.stopRequested && quick) || m_progress.finishedToStep4;
    if (!toStep4) return;
    m_closing = true;
    m_elapsedTimer->stop();
    m_marqueeTimer->stop();
    m_pollTimer->stop();
    OnElapsedTimer();
    WriteStep3Summary(m_clock.Text(), theStore);
    hide();
    m_rerun = runStep4();
    m_runner.Cancel();
    m_progress.stopRequested = false;
    m_progress.finishedToStep4 = false;
    accept();
}

bool SearchProgress::GoBack() {
    bool wasPaused = m_paused;
    m_progress.SetPaused(true);
    if (!Exhaustive()) m_marqueeTimer->stop();
    if (!AskQuestion("Are you sure you want to go back to Step 2")) {
        if (!Exhaustive() && m_progress.marqueeWanted) m_marqueeTimer->start(2000);
        if (!wasPaused) m_progress.SetPaused(false);
        return false;
    }
    m_closing = true;
    m_runner.Cancel();
    theStore.ClearFoundItems();
    theJob.exhaustiveScan = 0;
    theJob.logLoaded = 0;
    return true;
}

void SearchProgress::OnBack() {
    if (GoBack()) StepDialog::reject();
}

void SearchProgress::closeEvent(QCloseEvent* event) {
    if (m_closing || GoBack()) event->accept();
    else event->ignore();
}

void SearchProgress::reject() {
    if (m_closing) StepDialog::reject();
    else OnBack();
}
