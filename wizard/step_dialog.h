#pragma once
// The frame every step of the wizard shares: the menu bar, the banner of the
// step and the four tool pictures at the top, the step's own controls in the
// middle, the instruction text, and the Help, Back and Next picture buttons.
// F1 opens the help.
#include "widgets/pictures.h"

#include <QDialog>
#include <initializer_list>

class CMenuBarA;
class CPictureButton;
class QLabel;
class QVBoxLayout;

class StepDialog : public QDialog {
    Q_OBJECT
public:
    // `banner`: the step's picture ("\step1.bmp"); `activeTools`: the tool
    // pictures the step offers (the others are greyed).
    StepDialog(const char* banner, std::initializer_list<const char*> activeTools, QWidget* parent = nullptr);

    CMenuBarA* MenuBar() const { return m_menu; }
    CPictureButton* NextButton() const { return m_next; }
    CPictureButton* BackButton() const { return m_back; }
    CPictureButton* HelpButton() const { return m_help; }
    void SetInstruction(const QString& text);

protected:
    // The middle of the dialog, for the step's controls.
    QVBoxLayout* Content() const { return m_content; }
    virtual void OnNext() = 0;
    virtual void OnBack() = 0;
    virtual void OnCommand(int command) = 0;
    void paintEvent(QPaintEvent* event) override;

private:
    CMenuBarA* m_menu = nullptr;
    CPictureButton* m_next = nullptr;
    CPictureButton* m_back = nullptr;
    CPictureButton* m_help = nullptr;
    QLabel* m_instruction = nullptr;
    QVBoxLayout* m_content = nullptr;
    CBackgroundPicture m_background{"\\gui2.bmp"};
};
