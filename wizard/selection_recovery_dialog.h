#pragma once
// The front page: the four recovery modes. It is the program's main window;
// closing it ends the program.
#include "widgets/pictures.h"

#include <QDialog>
#include <functional>

class CMenuBarA;
class CPictureButton;
class QLabel;

class CSelectionRecovery : public QDialog {
    Q_OBJECT
public:
    explicit CSelectionRecovery(QWidget* parent = nullptr);

    CPictureButton* ModeButton(const QString& tooltip) const;
    QLabel* Hint() const { return m_hint; }
    // The splash picture shown while the page is prepared (1.5 seconds).
    void ShowSplash();

    // Runs a mode's Step 1 modally (tests replace it).
    std::function<void(QDialog&)> runStep;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnMode(int mode);

    CMenuBarA* m_menu = nullptr;
    QLabel* m_hint = nullptr;
    QList<CPictureButton*> m_modes;
    CBackgroundPicture m_background{"\\guim.bmp"};
};
