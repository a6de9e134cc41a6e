#pragma once
// Step 2: the partitions of the source chosen in Step 1, the properties of
// the one selected (with a pie chart for the disk and drive views), the
// "Search Exhaustive" box, and Next to the scan.
#include "partitions/step2_logic.h"
#include "wizard/step_dialog.h"

#include <functional>

class CFolderTreeCtrl;
class CPieChart;
class QCheckBox;
class QLabel;
class QTreeWidgetItem;

class PartitionInfo : public StepDialog {
    Q_OBJECT
public:
    explicit PartitionInfo(QWidget* parent = nullptr);

    CFolderTreeCtrl* Tree() const { return m_tree; }
    QCheckBox* SearchExhaustive() const { return m_exhaustive; }
    CPieChart* Chart() const { return m_chart; }
    const Step2View& View() const { return m_view; }
    // Runs the scan step modally (tests replace it).
    std::function<void()> runScan;

protected:
    void OnNext() override;
    void OnBack() override;
    void OnCommand(int command) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void FillTree();
    void OnItem(QTreeWidgetItem* item);
    void Show(const Step2View& view);
    bool ConfirmExit();

    CFolderTreeCtrl* m_tree = nullptr;
    QLabel* m_heading = nullptr;
    QLabel* m_captions[4] = {};
    QLabel* m_values[4] = {};
    CPieChart* m_chart = nullptr;
    QCheckBox* m_exhaustive = nullptr;
    Step2View m_view;
};
