#pragma once
// The look shared by the program's own message, question and Bad Sectors
// boxes: the "\MsgBox.bmp" background, a picture, the text, and a row of
// buttons below. Captions are the current window title.
#include "widgets/pictures.h"

#include <QDialog>
#include <QString>

class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

class ProgramBoxDialog : public QDialog {
    Q_OBJECT
public:
    ProgramBoxDialog(const QString& caption, const char* picture, const QString& text, QWidget* parent);

protected:
    // Adds a button at the right end of the button row.
    QPushButton* AddButton(const QString& text);
    // The column under the text, for extra controls.
    QVBoxLayout* Body() const { return m_body; }
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* m_body = nullptr;
    QHBoxLayout* m_buttons = nullptr;
    CBackgroundPicture m_background{"\\MsgBox.bmp"};
};
