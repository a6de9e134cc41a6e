#include "found/file_display_dialog.h"

#include "app/prompt.h"
#include "app/recovery_job.h"
#include "found/found_item_store.h"
#include "found/list_control_file_display_dialog.h"
#include "found/step4_selection.h"
#include "platform/folders.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "saving/file_extraction.h"
#include "saving/saving_dialogs.h"
#include "saving/settings_dialog.h"
#include "widgets/picture_button.h"
#include "widgets/pictures.h"
#include "wizard/menu_bar.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QProcess>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kNodeRole = Qt::UserRole + 1;
constexpr int kRowRole = Qt::UserRole + 2;    // store index of the row's record
constexpr int kFolderRole = Qt::UserRole + 3; // the row is a folder
enum Column { kName, kType, kSize, kModified, kCreated, kAccessed, kId };

QString Text(const std::string& text) { return QString::fromStdString(text); }

bool Ntfs() { return theJob.fileSystemName == "NTFS"; }

// List rows sort by their column's value: numbers as numbers.
class ListItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (column == kSize || column == kId || (column >= kModified && column <= kAccessed)) return data(column, Qt::UserRole).toULongLong() < other.data(column, Qt::UserRole).toULongLong();
        if (column == kType) return data(kType, Qt::UserRole).toBool() < other.data(kType, Qt::UserRole).toBool();
        return QTreeWidgetItem::operator<(other);
    }
};

}  // namespace

FileDisplay::FileDisplay(QWidget* parent) : StepDialog("\\step4.bmp", {"SaveLog", "Settings", "Search"}, parent) {
    setWindowTitle(Text(theJob.windowTitle));
    theJob.activeStep = 3;
    NextButton()->hide();
    MenuBar()->Gray({kCmdLoadLog});
    MenuBar()->Item(kCmdLargeIcons)->setChecked(false);
    MenuBar()->Item(kCmdSmallIcons)->setChecked(false);
    if (theJob.exhaustiveScan || theJob.lostFsSearch) MenuBar()->Gray({kCmdExhaustiveScan});

    m_tree = new QTreeWidget(this);
    m_tree->setHeaderHidden(true);
    m_tree->setAccessibleName(tr("Folders"));
    m_list = new QTreeWidget(this);
    m_list->setAccessibleName(tr("Files"));
    m_list->setRootIsDecorated(false);
    m_list->setSortingEnabled(true);
    m_list->setHeaderLabels({tr("Name"), tr("Type"), tr("Size"), tr("Modified Date"), tr("Created Date"),
                             tr("Accessed Date"), tr("ID")});
    m_list->header()->setSectionResizeMode(QHeaderView::Interactive);
    m_list->setColumnWidth(kName, 220);
    for (int c : {kModified, kCreated}) m_list->setColumnWidth(c, 130);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QTreeWidgetItem* row = m_list->itemAt(at);
        if (!row) return;
        QMenu menu(this);
        menu.addAction(tr("&Open"), this, [this, row] { OnListOpened(row); });
        menu.exec(m_list->viewport()->mapToGlobal(at));
    });
    connect(m_tree, &QTreeWidget::itemChanged, this, &FileDisplay::OnTreeChanged);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) ShowFolder(item->data(0, kNodeRole).toULongLong());
    });
    connect(m_list, &QTreeWidget::itemChanged, this, &FileDisplay::OnListChanged);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &FileDisplay::OnListOpened);

    m_summary = new QTextBrowser(this);
    m_summary->setAccessibleName(tr("Summary"));
    m_summary->setMaximumHeight(70);
    m_summary->setStyleSheet("background: white");
    m_summary->setHtml(QString("<font face=Arial size=4><font color=black>%1</font><hr color=red></font>")
                           .arg(Text(SummaryText(theStore)).toHtmlEscaped()));
    m_current = new QLabel(tr("Adding Directories / Files information. Please wait..."), this);
    auto* up = new QPushButton(tr("Up"), this);
    up->setAccessibleName(tr("Parent Folder"));
    up->setToolTip(tr("Show the parent folder"));
    connect(up, &QPushButton::clicked, this, [this] {
        if (m_shown != 0) m_tree->setCurrentItem(m_items[m_folders->Nodes()[m_shown].parent]);
    });
    auto* save = new CPictureButton("\\Save.bmp", "\\SaveA.bmp", tr("Save"), this);
    connect(save, &QAbstractButton::clicked, this, [this] { startSaving(); });

    auto* top = new QHBoxLayout;
    top->addWidget(m_current, 1);
    top->addWidget(up);
    auto* panes = new QHBoxLayout;
    panes->addWidget(m_tree, 1);
    panes->addWidget(m_list, 3);
    Content()->addWidget(m_summary);
    Content()->addLayout(top);
    Content()->addLayout(panes, 1);
    Content()->addWidget(save, 0, Qt::AlignRight);
    auto* f2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(f2, &QShortcut::activated, this, &FileDisplay::Rename);
    auto* f6 = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(f6, &QShortcut::activated, this, [this] { OpenSavingOptions(this); });
    auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(f5, &QShortcut::activated, this, [this] { startSaving(); });

    startSaving = [this] {
        SavingPath destination(*m_folders, this);
        destination.exec();
    };
    resize(900, 620);
    BuildTree();
}

FileDisplay::~FileDisplay() = default;

void FileDisplay::BuildTree() {
    m_folders = std::make_unique<FolderTree>(theStore, static_cast<uint16_t>(theStore.currentFileSystem),
                                             RootIdOf(theJob.fileSystemName));
    const auto& nodes = m_folders->Nodes();
    m_items.assign(nodes.size(), nullptr);
    m_updating = true;
    QIcon folderIcon(LoadPicture("\\TreeFolder.bmp"));
    for (size_t i = 0; i < nodes.size(); ++i) {
        auto* item = i == 0 ? new QTreeWidgetItem(m_tree) : new QTreeWidgetItem(m_items[nodes[i].parent]);
        item->setText(0, Text(m_folders->Label(i)));
        item->setData(0, kNodeRole, static_cast<qulonglong>(i));
        item->setIcon(0, folderIcon);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, nodes[i].ticked ? Qt::Checked : Qt::Unchecked);
        if (i > 0) theStore.Folder(static_cast<size_t>(nodes[i].folder)).treeItem = reinterpret_cast<uintptr_t>(item);
        m_items[i] = item;
    }
    m_updating = false;
    m_items[0]->setExpanded(true);
    m_tree->setCurrentItem(m_items[0]);
    ShowFolder(0);
    if (!theJob.exhaustiveScan && !theJob.lostFsSearch)
        ShowMessage("If you are unable to find the deleted/lost file's && folder's in the directory tree.\r\n\r\n"
                    "Please choose 'Exhaustive Scan' under Options menu.");
}

void FileDisplay::ShowFolder(size_t node) {
    m_shown = node;
    m_current->setText(tr("Current Folder : %1").arg(Text(m_folders->Path(node))));
    FillList();
}

void FileDisplay::FillList() {
    m_updating = true;
    m_list->setSortingEnabled(false);
    m_list->clear();
    QIcon folderIcon(LoadPicture("\\TreeFolder.bmp"));
    for (const ListRow& r : ListRowsOf(*m_folders, m_shown, Ntfs())) {
        auto* row = new ListItem(m_list);
        row->setText(kName, Text(r.name));
        row->setText(kType, Text(r.type));
        row->setData(kType, Qt::UserRole, r.deleted);
        row->setText(kSize, QString::number(r.size));
        row->setData(kSize, Qt::UserRole, static_cast<qulonglong>(r.size));
        row->setText(kModified, Text(r.modified));
        row->setText(kCreated, Text(r.created));
        row->setText(kAccessed, Text(r.accessed));
        for (int d = 0; d < 3; ++d) row->setData(kModified + d, Qt::UserRole, static_cast<qulonglong>(r.dateKeys[d]));
        row->setText(kId, QString::number(r.id));
        row->setData(kId, Qt::UserRole, static_cast<qulonglong>(r.id));
        row->setData(kName, kRowRole, static_cast<qlonglong>(r.index));
        row->setData(kName, kFolderRole, r.folder);
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEditable);
        row->setCheckState(kName, r.ticked ? Qt::Checked : Qt::Unchecked);
        if (r.folder) row->setIcon(kName, folderIcon);
        if (r.deleted)
            for (int c = 0; c <= kId; ++c) row->setForeground(c, QColor(255, 0, 0));
    }
    m_list->setSortingEnabled(true);
    m_updating = false;
}

// The tree's check boxes follow the nodes' ticks.
void FileDisplay::SyncTreeChecks() {
    m_updating = true;
    for (size_t i = 0; i < m_items.size(); ++i)
        m_items[i]->setCheckState(0, m_folders->Nodes()[i].ticked ? Qt::Checked : Qt::Unchecked);
    m_updating = false;
}

void FileDisplay::OnTreeChanged(QTreeWidgetItem* item) {
    if (m_updating) return;
    size_t node = item->data(0, kNodeRole).toULongLong();
    if (item->text(0) != Text(m_folders->Label(node))) {
        RenameFolder(node, item);
        return;
    }
    bool tick = item->checkState(0) == Qt::Checked;
    if (node == 0) {
        TickFolder(*m_folders, 0, tick);
    } else {
        ListControlFileDisplay::Run(this, tick ? tr("      Please Wait - Selecting Files/Folders ")
                                               : tr("      Please Wait - UnSelecting Files/Folders "),
                                    [&](ScanProgress& progress) { TickFolder(*m_folders, node, tick, &progress); });
    }
    SyncTreeChecks();
    FillList();
}

// F2 in the tree: the folder takes the new name when it passes the name check.
void FileDisplay::RenameFolder(size_t node, QTreeWidgetItem* item) {
    std::u16string name = item->text(0).toStdU16String();
    m_updating = true;
    if (IsValidNewName(name)) {
        FoundFolder& folder = theStore.Folder(static_cast<size_t>(m_folders->Nodes()[node].folder));
        if (folder.shortName.empty()) folder.longName = name;
        else folder.shortName = platform::Utf16ToUtf8(name);
        ShowFolder(m_shown);
    } else {
        item->setText(0, Text(m_folders->Label(node)));
    }
    m_updating = false;
}

// A folder row's ID column is its tree node.
size_t FileDisplay::NodeOfRow(QTreeWidgetItem* row) const {
    return static_cast<size_t>(row->data(kId, Qt::UserRole).toULongLong());
}

void FileDisplay::OnListChanged(QTreeWidgetItem* row) {
    if (m_updating) return;
    bool tick = row->checkState(kName) == Qt::Checked;
    size_t index = static_cast<size_t>(row->data(kName, kRowRole).toLongLong());
    if (row->data(kName, kFolderRole).toBool()) {
        size_t node = NodeOfRow(row);
        if (tick) TickFolder(*m_folders, node, true);
        else UntickFolderRow(*m_folders, node);
    } else {
        TickFileRow(*m_folders, m_shown, index, tick);
    }
    SyncTreeChecks();
}

void FileDisplay::OnListOpened(QTreeWidgetItem* row) {
    size_t index = static_cast<size_t>(row->data(kName, kRowRole).toLongLong());
    if (row->data(kName, kFolderRole).toBool()) {
        QTreeWidgetItem* item = m_items[NodeOfRow(row)];
        item->setExpanded(true);
        m_tree->setCurrentItem(item);
        return;
    }
    // Open: the file is written into the temporary folder and handed to the desktop.
    const FoundFile& file = theStore.Files()[index];
    std::string folder = platform::TemporaryFolder();
    if (folder.empty()) return;
    SaveTarget target{folder, SafeFileName(DisplayNameOf(file.shortName, file.longName))};
    int written = Ntfs() ? SaveNtfsFile(target, file, RecordSectorOf(file), false) : SaveFatFile(target, file, false);
    if (!written) return;
    std::string path = platform::JoinPath(folder, platform::Utf16ToUtf8(target.name));
    if (platform::ShellOpen(path)) return;
    // No program answers for this type: the user names one.
    bool ok = false;
    QString program = QInputDialog::getText(this, tr("Open With"), tr("Program to open %1 with:").arg(Text(path)),
                                            QLineEdit::Normal, QString(), &ok);
    if (ok && !program.trimmed().isEmpty()) QProcess::startDetached(program.trimmed(), {Text(path)});
}

void FileDisplay::Rename() {
    if (m_tree->hasFocus()) {
        QTreeWidgetItem* item = m_tree->currentItem();
        if (item && item != m_items[0]) {
            item->setFlags(item->flags() | Qt::ItemIsEditable);
            m_tree->editItem(item, 0);
        }
        return;
    }
    QTreeWidgetItem* row = m_list->currentItem();
    if (!row || m_list->selectedItems().size() != 1) return;
    QString old = row->text(kName);
    m_list->editItem(row, kName);
    connect(m_list->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this, row, old] {
        std::u16string name = row->text(kName).toStdU16String();
        if (!IsValidNewName(name)) {
            m_updating = true;
            row->setText(kName, old);
            m_updating = false;
            return;
        }
        size_t index = static_cast<size_t>(row->data(kName, kRowRole).toLongLong());
        auto rename = [&](auto& record) {
            if (record.shortName.empty()) record.longName = name;
            else record.shortName = platform::Utf16ToUtf8(name);
        };
        if (row->data(kName, kFolderRole).toBool()) {
            rename(theStore.Folder(index));
            m_items[NodeOfRow(row)]->setText(0, row->text(kName));
        } else {
            rename(theStore.File(index));
        }
    }, Qt::SingleShotConnection);
}

bool FileDisplay::ClearOnLeaving() {
    if (!theJob.lostFsSearch) theStore.ClearFoundItems();
    return true;
}

void FileDisplay::OnBack() {
    if (!AskQuestion("Are you sure you want to go back to Step 2")) return;
    ClearOnLeaving();
    theJob.exhaustiveScan = 0;
    accept();
}

void FileDisplay::OnCommand(int command) {
    switch (command) {
        case kCmdRecoverSelected: startSaving(); break;
        case kCmdRename: Rename(); break;
        case kCmdSavingFilter: OpenSavingOptions(this); break;
        case kCmdExhaustiveScan:
            if (AskQuestion("Switching to Exhaustive Scan for Lost files & folders. This will take long time.\n"
                            "Are you sure you want to start this process")) {
                ClearOnLeaving();
                theJob.exhaustiveScan = 1;
                m_exhaustive = true;
                accept();
            }
            break;
        case kCmdLargeIcons:
        case kCmdDetails:
        case kCmdSmallIcons:
            for (int view : {kCmdLargeIcons, kCmdDetails, kCmdSmallIcons}) MenuBar()->Item(view)->setChecked(view == command);
            m_list->setIconSize(command == kCmdLargeIcons ? QSize(32, 32) : QSize(16, 16));
            m_list->setHeaderHidden(command != kCmdDetails);
            break;
        case kCmdExit:
            if (AskQuestion("Are you sure you want to exit")) {
                ClearOnLeaving();
                ExitProgram();
            }
            break;
        default: HandleStep1Command(command, this); break;
    }
}

void FileDisplay::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (AskQuestion("Are you sure you want to exit from Vornix")) ExitProgram();
}

void FileDisplay::reject() {
    if (AskQuestion("Are you sure you want to exit")) {
        ClearOnLeaving();
        ExitProgram();
    }
}
