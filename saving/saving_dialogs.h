#pragma once
// The dialogs of a saving run: the destination (SavingPath), the size
// calculation (FileSize) and the progress of the run (SavingDlg).
#include "found/folder_tree.h"
#include "widgets/pictures.h"

#include <QDialog>
#include <atomic>
#include <thread>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

class SavingPath : public QDialog {
    Q_OBJECT
public:
    SavingPath(FolderTree& tree, QWidget* parent = nullptr);
    QLineEdit* PathEdit() const { return m_path; }
    // OK: checks the destination, counts, asks about free space, saves.
    void OnOk();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FolderTree& m_tree;
    QLineEdit* m_path = nullptr;
    CBackgroundPicture m_background{"\\MsgBox.bmp"};
};

class FileSize : public QDialog {
    Q_OBJECT
public:
    FileSize(FolderTree& tree, QWidget* parent = nullptr);
    ~FileSize() override;

private:
    void Poll();
    void OnStop();

    FolderTree& m_tree;
    std::thread m_worker;
    std::atomic<bool> m_stop{false}, m_done{false};
    QLabel* m_count = nullptr;
    QLabel* m_size = nullptr;
    QPushButton* m_stopButton = nullptr;
};

class SavingDlg : public QDialog {
    Q_OBJECT
public:
    SavingDlg(FolderTree& tree, QWidget* parent = nullptr);
    ~SavingDlg() override;
    QProgressBar* Overall() const { return m_overall; }

private:
    void Poll();
    void OnPause();
    void OnStop();
    void OnDetails();

    FolderTree& m_tree;
    std::thread m_worker;
    std::atomic<bool> m_done{false}, m_stopped{false};
    QLabel* m_values[6] = {};
    QLabel* m_labels[6] = {};
    QProgressBar* m_current = nullptr;
    QProgressBar* m_overall = nullptr;
    QPushButton* m_pause = nullptr;
    QPushButton* m_details = nullptr;
    QTimer* m_timer = nullptr;
    int64_t m_pausedAt = 0;
};
