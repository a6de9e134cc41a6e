#pragma once
// Settings: the saving options. They change as the controls are used;
// "&Apply" keeps them, "Cancel" (or the close box) restores what they were.
#include "saving/saving_options.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

class Settings : public QDialog {
    Q_OBJECT
public:
    explicit Settings(QWidget* parent = nullptr);
    QLineEdit* ExtensionEdit() const { return m_edit; }
    QListWidget* Extensions() const { return m_list; }
    QComboBox* DateList(int i) const { return m_dates[i]; }
    QComboBox* RangeChoice() const { return m_range; }
    void OnAdd();

protected:
    void reject() override;

private:
    void LoadRange();
    void StoreRange();

    SavingOptions m_start;
    QComboBox* m_range = nullptr;
    QComboBox* m_dates[6] = {};
    QLineEdit* m_edit = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_remove = nullptr;
    bool m_loading = false;
};

// The "&Saving Using Filter" command and the destination dialog's "&Settings...".
void OpenSavingOptions(QWidget* parent);
