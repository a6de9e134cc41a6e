#pragma once
// Step 4: what the scan found, as a folder tree and a list of the shown
// folder's contents, with check boxes for saving, the summary, and Save.
#include "found/folder_tree.h"
#include "wizard/step_dialog.h"

#include <functional>
#include <memory>

class QLabel;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

class FileDisplay : public StepDialog {
    Q_OBJECT
public:
    explicit FileDisplay(QWidget* parent = nullptr);
    ~FileDisplay() override;

    QTreeWidget* Tree() const { return m_tree; }
    QTreeWidget* List() const { return m_list; }
    FolderTree& Folders() { return *m_folders; }
    // Shows the contents of a tree node in the list.
    void ShowFolder(size_t node);
    // Save: the destination dialog of the saving run (tests replace it).
    std::function<void()> startSaving;
    // The user chose the Exhaustive Scan: Step 3 runs again in that mode.
    bool ExhaustiveRequested() const { return m_exhaustive; }

protected:
    void OnNext() override {}
    void OnBack() override;
    void OnCommand(int command) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void BuildTree();
    void OnTreeChanged(QTreeWidgetItem* item);
    void OnListChanged(QTreeWidgetItem* row);
    void OnListOpened(QTreeWidgetItem* row);
    void SyncTreeChecks();
    size_t NodeOfRow(QTreeWidgetItem* row) const;
    void FillList();
    void Rename();
    void RenameFolder(size_t node, QTreeWidgetItem* item);
    bool ClearOnLeaving();

    std::unique_ptr<FolderTree> m_folders;
    std::vector<QTreeWidgetItem*> m_items;  // tree item of each node
    QTreeWidget* m_tree = nullptr;
    QTreeWidget* m_list = nullptr;
    QTextBrowser* m_summary = nullptr;
    QLabel* m_current = nullptr;
    size_t m_shown = 0;
    bool m_updating = false;
    bool m_exhaustive = false;
};
