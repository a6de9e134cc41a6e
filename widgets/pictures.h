#pragma once
// The program's pictures, by the names the dialogs use ("\Next.bmp",
// "\Information.bmp" ...). The artwork is compiled in as SVG and drawn at the
// screen's pixel ratio, so it stays sharp at any scaling.
#include <QPixmap>
#include <QSize>
#include <string>

// An empty pixmap when there is no picture of that name (the control stays
// blank). A null size draws the picture at its own size.
QPixmap LoadPicture(const std::string& name, QSize size = QSize());

class QWidget;

// A picture drawn over a whole widget as its background, rendered again only
// when the widget's size changes.
class CBackgroundPicture {
public:
    explicit CBackgroundPicture(const char* name) : m_name(name) {}
    void Paint(QWidget* widget);

private:
    const char* m_name;
    QPixmap m_cache;
};
