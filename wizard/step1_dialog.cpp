#include "wizard/step1_dialog.h"

#include "app/message_catalog.h"
#include "app/prompt.h"
#include "app/recovery_job.h"
#include "sectors/geometry_cache.h"
#include "partitions/partition_info_dialog.h"
#include "widgets/folder_tree_ctrl.h"
#include "widgets/picture_button.h"
#include "widgets/pictures.h"
#include "wizard/menu_bar.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdlib>

namespace {

constexpr int kKindRole = Qt::UserRole + 1;

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

Step1Dialog::Step1Dialog(Step1Kind kind, QWidget* parent) : StepDialog("\\step1.bmp", {}, parent), m_kind(kind) {
    const Step1Texts& texts = TextsOf(kind);
    EnterStep1(kind);
    setWindowTitle(Text(theJob.windowTitle));
    SetInstruction(texts.instruction);
    MenuBar()->Gray(kStep1GrayedCommands);

    m_tree = new CFolderTreeCtrl(this);
    m_tree->setAccessibleName(tr("Source"));
    m_panel = new QTreeWidget(this);
    m_panel->setRootIsDecorated(false);
    m_panel->setColumnCount(1);
    m_panel->setHeaderLabel(Text(PanelTitle("Device Information")));
    m_panel->setSelectionMode(QAbstractItemView::NoSelection);
    m_panel->setFocusPolicy(Qt::NoFocus);
    m_panel->setAccessibleName(tr("Information"));
    m_panel->setTextElideMode(Qt::ElideMiddle);  // a long path keeps its file name in view
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    row->addWidget(m_tree, 1);
    row->addWidget(m_panel, 1);
    Content()->addLayout(row);

    connect(m_tree, &CFolderTreeCtrl::itemPicked, this, &Step1Dialog::OnPicked);
    connect(m_tree, &CFolderTreeCtrl::itemStepped, this, &Step1Dialog::OnStepped);
    runStep2 = [this] {
        PartitionInfo step(this);
        step.exec();
    };
    chooseImageFolder = [this] {
        return QFileDialog::getExistingDirectory(this, tr("Select Folder of Image File"));
    };
    chooseImageFile = [this] {
        return QFileDialog::getOpenFileName(this, windowTitle(), QString(),
                                            tr("Image files (*.img *.dd *.raw);;All files (*)"));
    };
}

QTreeWidgetItem* Step1Dialog::AddItem(QTreeWidgetItem* parent, const QString& text, SourceItemKind kind,
                                      const char* icon) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
    item->setText(0, text);
    item->setData(0, kKindRole, static_cast<int>(kind));
    item->setIcon(0, QIcon(LoadPicture(icon)));
    return item;
}

SourceItemKind Step1Dialog::KindOf(QTreeWidgetItem* item) const {
    return static_cast<SourceItemKind>(item->data(0, kKindRole).toInt());
}

QTreeWidgetItem* Step1Dialog::FixedItem(const char* text) const {
    QList<QTreeWidgetItem*> found = m_tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void Step1Dialog::BuildSourceTree() {
    if (m_built) return;
    m_built = true;
    bool scan = TextsOf(m_kind).imageItems;
    MessageCatalog catalog(scan ? "English.dat" : "EnglishW.dat");
    QTreeWidgetItem* computer = AddItem(nullptr, kMyComputerItem, SourceItemKind::MyComputer, "\\TreeComputer.bmp");
    QTreeWidgetItem* drives = AddItem(computer, kSelectDriveItem, SourceItemKind::SelectDrive, "\\TreeDrive.bmp");
    QTreeWidgetItem* disks = AddItem(computer, Text(catalog.GetText(58).value_or(kSelectDiskItem)),
                                     SourceItemKind::SelectDisk, "\\TreeDisk.bmp");
    if (scan)
        AddItem(computer, Text(catalog.GetText(59).value_or(kSelectImageItem)), SourceItemKind::SelectImage,
                "\\TreeImage.bmp");

    SourceDevices devices = EnumerateDevices();
    // The settings file cannot be written: the program cannot keep the disks' geometry.
    if (devices.exitCode >= 0) std::_Exit(devices.exitCode);
    for (const std::string& drive : devices.driveItems)
        AddItem(drives, Text(drive), SourceItemKind::Drive, "\\TreeDrive.bmp");
    for (const std::string& disk : devices.diskItems)
        AddItem(disks, Text(disk), SourceItemKind::Disk, "\\TreeDisk.bmp");
    computer->setExpanded(true);
    drives->setExpanded(true);
    disks->setExpanded(true);
    m_tree->setCurrentItem(computer);
}

void Step1Dialog::showEvent(QShowEvent* event) {
    StepDialog::showEvent(event);
    theJob.activeStep = TextsOf(m_kind).activeStep;
    if (!m_built) QTimer::singleShot(0, this, &Step1Dialog::BuildSourceTree);
}

void Step1Dialog::ShowPanel(const InfoPanel& panel) {
    m_panel->clear();
    m_panel->setHeaderLabel(Text(panel.title));
    for (const std::string& row : panel.rows) {
        auto* item = new QTreeWidgetItem(m_panel, QStringList(Text(row)));
        item->setToolTip(0, item->text(0));
    }
}

void Step1Dialog::ShowPanel(const SourcePanelChoice& choice) {
    bool scan = TextsOf(m_kind).imageItems;
    bool recognised = false;
    switch (choice.kind) {
        case SourcePanelChoice::Keep: break;
        case SourcePanelChoice::Empty: ShowPanel(InfoPanel{PanelTitle("Device Information"), {}}); break;
        case SourcePanelChoice::Device: ShowPanel(DeviceInfoPanel(choice.disk, scan)); break;
        case SourcePanelChoice::Drive: ShowPanel(DriveInfoPanel(choice.text, recognised)); break;
        case SourcePanelChoice::ImageFile: ShowPanel(ImageFileInfoPanel(choice.text)); break;
        case SourcePanelChoice::Failed: ResetToSelectDisk(); break;
    }
}

void Step1Dialog::ResetToSelectDisk() {
    if (QTreeWidgetItem* disks = FixedItem(kSelectDiskItem)) m_tree->setCurrentItem(disks);
    theJob.sourceName.clear();
    ShowPanel(InfoPanel{PanelTitle("Device Information"), {}});
}

void Step1Dialog::OnPicked(QTreeWidgetItem* item) {
    SourceItemKind kind = KindOf(item);
    if (kind == SourceItemKind::SelectImage) {
        theJob.sourceName = item->text(0).toStdString();
        BrowseImageFolder();
        return;
    }
    SourcePanelChoice choice = PickSourceItem(kind, item->text(0).toStdString(), TextsOf(m_kind).imageItems);
    ShowPanel(choice);
    if (choice.kind == SourcePanelChoice::Failed) return;
    m_tree->setCurrentItem(item);
    m_tree->setFocus();
    item->setExpanded(true);
}

void Step1Dialog::OnStepped(QTreeWidgetItem* item) {
    if (KindOf(item) == SourceItemKind::SelectImage) {
        BrowseImageFile();
        return;
    }
    ShowPanel(StepSourceItem(KindOf(item), item->text(0).toStdString()));
}

void Step1Dialog::BrowseImageFolder() {
    QString folder = chooseImageFolder();
    if (folder.isEmpty()) {
        ResetToSelectDisk();
        return;
    }
    QTreeWidgetItem* parent = FixedItem(kSelectImageItem);
    AddItem(parent, Text(ImageSetItemText(folder.toStdString())), SourceItemKind::Image, "\\TreeImage.bmp");
    parent->setExpanded(true);
}

void Step1Dialog::BrowseImageFile() {
    QTreeWidgetItem* parent = FixedItem(kSelectImageItem);
    for (;;) {
        QString file = chooseImageFile();
        if (file.isEmpty()) return;
        bool known = false;
        for (int i = 0; i < parent->childCount(); ++i) known = known || parent->child(i)->text(0) == file;
        if (!known) {
            AddItem(parent, file, SourceItemKind::Image, "\\TreeImage.bmp");
            parent->setExpanded(true);
            ShowPanel(ImageFileInfoPanel(file.toStdString()));
            return;
        }
        QMessageBox::warning(this, "Vornix", tr("This image file already exists. Select different file"));
    }
}

void Step1Dialog::OnNext() {
    if (!NextButton()->hasFocus()) return;
    // An image reached only with the arrow keys is opened now.
    QTreeWidgetItem* current = m_tree->currentItem();
    if (current && KindOf(current) == SourceItemKind::Image && theJob.sourceName == current->text(0).toStdString()) {
        if (!OpenImageItem(theJob.sourceName)) {
            ResetToSelectDisk();
            return;
        }
        ShowPanel(SourcePanelChoice{SourcePanelChoice::Device, DiskNumberOfName(theJob.sourceName), {}});
    }
    std::vector<std::string> rows;
    for (int i = 0; i < m_panel->topLevelItemCount(); ++i) rows.push_back(m_panel->topLevelItem(i)->text(0).toStdString());
    if (!Step1Next(m_kind, rows)) return;
    hide();
    runStep2();
    show();
    theJob.activeStep = TextsOf(m_kind).activeStep;
}

void Step1Dialog::OnBack() {
    theJob.sourceName.clear();
    accept();
}

void Step1Dialog::OnCommand(int command) { HandleStep1Command(command, this); }

bool Step1Dialog::ConfirmClose() {
    if (m_kind != Step1Kind::DiskImaging) return true;
    if (AskQuestion("Are you sure you want to exit from Vornix")) ExitProgram();
    return false;
}

void Step1Dialog::closeEvent(QCloseEvent* event) {
    if (ConfirmClose()) event->accept();
    else event->ignore();
}

void Step1Dialog::reject() {
    if (ConfirmClose()) StepDialog::reject();
}

void Step1Dialog::keyPressEvent(QKeyEvent* event) {
    bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_kind == Step1Kind::DiskImaging) {
        NextButton()->setFocus();
        NextButton()->click();
        return;
    }
    if (enter) return;  // Enter never leaves Step 1 by itself.
    StepDialog::keyPressEvent(event);
}
