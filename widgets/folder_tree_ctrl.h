#pragma once
// The tree control of the steps: the sources of Step 1 (and, later, the
// partitions of Step 2 and the found folders of Step 4). A press of the left
// mouse button on a row picks its item; moving the selection with the up or
// down arrow key steps onto an item.
#include <QTreeWidget>

class CFolderTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CFolderTreeCtrl(QWidget* parent = nullptr);

signals:
    void itemPicked(QTreeWidgetItem* item);
    void itemStepped(QTreeWidgetItem* item);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
