#include "widgets/folder_tree_ctrl.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

CFolderTreeCtrl::CFolderTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(16, 16));
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(false);
}

void CFolderTreeCtrl::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    // The whole row counts, right of the label too; the expand arrow does not.
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    QRect row = item ? visualItemRect(item) : QRect();
    if (item && event->position().x() >= row.left()) emit itemPicked(item);
}

void CFolderTreeCtrl::keyPressEvent(QKeyEvent* event) {
    QTreeWidgetItem* before = currentItem();
    QTreeWidget::keyPressEvent(event);
    bool arrow = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (arrow && currentItem() && currentItem() != before) emit itemStepped(currentItem());
}
