#include "partitions/partition_info_dialog.h"

#include "app/prompt.h"
#include "app/recovery_job.h"
#include "found/search_progress_dialog.h"
#include "sectors/sector_source.h"
#include "widgets/folder_tree_ctrl.h"
#include "widgets/picture_button.h"
#include "widgets/pictures.h"
#include "widgets/pie_chart.h"
#include "wizard/menu_bar.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kPartitionRole = Qt::UserRole + 1;  // index in the table, -1 for the root

QString Text(const std::string& text) { return QString::fromStdString(text); }

const char kRawText[] =
    "Select the entire disk/partition in which your data exist. Click Next for Step 2A. To change your disk go back. "
    "If you have saved log earlier, Load Log by select load log option.";
const char kImagingText[] =
    "Select partition, of which image to be taken. Click Next for Step 2A. To change your disk go back. If you have "
    "saved log earlier, Load Log by select load log option. ";
const char kScanText[] =
    "Select the partition that held your data, or the whole disk, and click Next. Tick \"Search Exhaustive\" to "
    "search the disk for lost partitions and file systems as well.";

bool ScanMode() { return theJob.jobMode != kJobRaw && theJob.jobMode != kJobImaging; }

}  // namespace

PartitionInfo::PartitionInfo(QWidget* parent)
    : StepDialog("\\step2.bmp", {ScanMode() ? "LoadLog" : ""}, parent) {
    setWindowTitle(Text(theJob.windowTitle));
    ResetStep2Fields();
    theJob.logLoaded = 0;
    theJob.activeStep = 2;
    MenuBar()->Gray({kCmdRecoverSelected, kCmdSearch, kCmdRename, kCmdExhaustiveScan, kCmdSaveLog, kCmdSavingFilter,
                     kCmdLargeIcons, kCmdDetails, kCmdSmallIcons});
    if (!ScanMode()) MenuBar()->Gray({kCmdLoadLog});

    m_tree = new CFolderTreeCtrl(this);
    m_tree->setAccessibleName(tr("Partitions"));
    connect(m_tree, &CFolderTreeCtrl::itemPicked, this, &PartitionInfo::OnItem);
    connect(m_tree, &CFolderTreeCtrl::itemStepped, this, &PartitionInfo::OnItem);

    m_heading = new QLabel(this);
    m_heading->setWordWrap(true);
    m_heading->setObjectName("heading");
    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        m_captions[i] = new QLabel(this);
        m_values[i] = new QLabel(this);
        m_values[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_values[i]->setObjectName(QString("value%1").arg(i));
        grid->addWidget(m_captions[i], i, 0);
        grid->addWidget(m_values[i], i, 1);
    }
    grid->setColumnStretch(1, 1);
    m_chart = new CPieChart(this);
    auto* panel = new QVBoxLayout;
    panel->addWidget(m_heading);
    panel->addSpacing(8);
    panel->addLayout(grid);
    panel->addSpacing(8);
    panel->addWidget(m_chart, 1);

    m_exhaustive = new QCheckBox(tr("Search Exhaustive"), this);
    m_exhaustive->setAccessibleName(tr("Search Exhaustive"));
    m_exhaustive->setChecked(theJob.exhaustiveChosen != 0);
    m_exhaustive->setVisible(ScanMode());

    auto* left = new QVBoxLayout;
    left->addWidget(m_tree, 1);
    left->addWidget(m_exhaustive);
    auto* row = new QHBoxLayout;
    row->setSpacing(14);
    row->addLayout(left, 1);
    row->addLayout(panel, 1);
    Content()->addLayout(row);
    SetInstruction(theJob.jobMode == kJobRaw ? kRawText : theJob.jobMode == kJobImaging ? kImagingText : kScanText);

    runScan = [this] {
        for (bool again = true; again;) {
            SearchProgress step(this);
            step.exec();
            again = step.RerunRequested();
        }
    };
    FillTree();
}

void PartitionInfo::FillTree() {
    const DiskPartitionTable& table = ReadPartitionTable(theJob.diskNumber, DeviceNameTable[theJob.diskNumber]);
    auto* root = new QTreeWidgetItem(m_tree, QStringList(Text(theJob.sourceName)));
    root->setData(0, kPartitionRole, -1);
    root->setIcon(0, QIcon(LoadPicture(theJob.driveLetter ? "\\TreeDrive.bmp" : "\\TreeDisk.bmp")));
    if (!theJob.driveLetter) {
        for (int i = 0; i < table.count; ++i) {
            const PartitionEntry& e = table.entries[static_cast<size_t>(i)];
            auto* item = new QTreeWidgetItem(root, QStringList(Text(PartitionLabel(i + 1, e.fileSystemName))));
            item->setData(0, kPartitionRole, i);
            item->setIcon(0, QIcon(LoadPicture("\\TreeDrive.bmp")));
            theDiskPartitions[theJob.diskNumber % kMaxPartitions].entries[static_cast<size_t>(i)].treeItem =
                reinterpret_cast<uintptr_t>(item);
        }
    }
    root->setExpanded(true);
    m_tree->setCurrentItem(root);
    Show(theJob.driveLetter ? DriveView(theJob.sourceName, table) : DiskView(theJob.sourceName, table));
}

void PartitionInfo::OnItem(QTreeWidgetItem* item) {
    theJob.selectedLabel = item->text(0).toStdString();
    const DiskPartitionTable& table = theDiskPartitions[theJob.diskNumber % kMaxPartitions];
    if (item->text(0).startsWith("Disk")) {
        Show(DiskView(theJob.sourceName, table));
        return;
    }
    int index = item->data(0, kPartitionRole).toInt();
    if (index < 0) {
        if (theJob.driveLetter) Show(DriveView(theJob.sourceName, table));
        return;
    }
    theJob.selectedPartition = index;
    m_tree->setCurrentItem(item);
    Show(PartitionView(theJob.selectedLabel, table.entries[static_cast<size_t>(index)]));
}

void PartitionInfo::Show(const Step2View& view) {
    m_view = view;
    m_heading->setText(Text(view.heading));
    for (int i = 0; i < 4; ++i) {
        bool present = i < static_cast<int>(view.rows.size());
        bool shown = present && !view.rows[static_cast<size_t>(i)].hidden;
        m_captions[i]->setText(present ? Text(view.rows[static_cast<size_t>(i)].caption) : QString());
        m_values[i]->setText(present ? Text(view.rows[static_cast<size_t>(i)].value) : QString());
        m_values[i]->setAccessibleName(m_captions[i]->text());
        m_captions[i]->setVisible(shown);
        m_values[i]->setVisible(shown);
    }
    QVector<CPieChart::Slice> slices;
    for (const PieSlice& s : view.chart.slices) slices.push_back({Text(s.label), s.value});
    m_chart->SetChart(Text(view.chart.title), slices);
    m_chart->setVisible(view.hasChart);
}

void PartitionInfo::OnNext() {
    if (!NextButton()->hasFocus()) return;
    Step2Choice choice;
    for (const PanelRow& row : m_view.rows) choice.values.push_back(row.value);
    choice.diskSizeBytes = m_view.diskSizeBytes;
    choice.searchExhaustive = m_exhaustive->isVisible() && m_exhaustive->isChecked();
    // Step 2(a), which a sector range or the lost-partition search needs, comes later.
    if (Step2Next(choice) != Step2Outcome::Scan) return;
    hide();
    runScan();
    show();
    theJob.activeStep = 2;
}

void PartitionInfo::OnBack() {
    if (!BackButton()->hasFocus()) return;
    ResetStep2Fields();
    accept();
}

void PartitionInfo::OnCommand(int command) { HandleStep1Command(command, this); }

bool PartitionInfo::ConfirmExit() {
    if (AskQuestion("Are you sure you want to exit from Vornix")) ExitProgram();
    return false;
}

void PartitionInfo::closeEvent(QCloseEvent* event) {
    if (ConfirmExit()) event->accept();
    else event->ignore();
}

void PartitionInfo::reject() {
    if (ConfirmExit()) StepDialog::reject();
}
