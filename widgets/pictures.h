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
