#pragma once
// Step 1 of every mode: the source tree on the left, the information panel
// of the item pointed at on the right. DesktopRecovery serves Quick Scan and
// Exhaustive Scan, ImageRecovery Disk Imaging, RawRecovery Raw Recovery.
#include "sectors/device_enumeration.h"
#include "sectors/source_tree.h"
#include "wizard/step1_next.h"
#include "wizard/step_dialog.h"

#include <functional>

class CFolderTreeCtrl;
class QTreeWidget;
class QTreeWidgetItem;

class Step1Dialog : public StepDialog {
    Q_OBJECT
public:
    Step1Dialog(Step1Kind kind, QWidget* parent = nullptr);

    CFolderTreeCtrl* Tree() const { return m_tree; }
    QTreeWidget* Panel() const { return m_panel; }
    // The tree items, found by their built-in texts.
    QTreeWidgetItem* FixedItem(const char* text) const;
    // Builds the tree and lists the devices (done once, when first shown).
    void BuildSourceTree();

    // The folder and file choosers (tests put their own in place).
    std::function<QString()> chooseImageFolder;
    std::function<QString()> chooseImageFile;
    // Runs Step 2 modally (tests replace it).
    std::function<void()> runStep2;

protected:
    void OnNext() override;
    void OnBack() override;
    void OnCommand(int command) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void OnPicked(QTreeWidgetItem* item);
    void OnStepped(QTreeWidgetItem* item);
    void BrowseImageFolder();
    void BrowseImageFile();
    void ShowPanel(const SourcePanelChoice& choice);
    void ShowPanel(const InfoPanel& panel);
    void ResetToSelectDisk();
    SourceItemKind KindOf(QTreeWidgetItem* item) const;
    QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const QString& text, SourceItemKind kind, const char* icon);
    // Asks before the program ends (Disk Imaging); true: close.
    bool ConfirmClose();

    Step1Kind m_kind;
    CFolderTreeCtrl* m_tree = nullptr;
    QTreeWidget* m_panel = nullptr;
    bool m_built = false;
};

class DesktopRecovery : public Step1Dialog {
    Q_OBJECT
public:
    // exhaustive: the Step 1 of Exhaustive Scan, else of Quick Scan.
    explicit DesktopRecovery(bool exhaustive, QWidget* parent = nullptr)
        : Step1Dialog(exhaustive ? Step1Kind::ExhaustiveScan : Step1Kind::QuickScan, parent) {}
};

class ImageRecovery : public Step1Dialog {
    Q_OBJECT
public:
    explicit ImageRecovery(QWidget* parent = nullptr) : Step1Dialog(Step1Kind::DiskImaging, parent) {}
};

class RawRecovery : public Step1Dialog {
    Q_OBJECT
public:
    explicit RawRecovery(QWidget* parent = nullptr) : Step1Dialog(Step1Kind::RawRecovery, parent) {}
};
