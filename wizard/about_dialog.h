#pragma once
// The About box: the product title and version.
class QWidget;

void ShowAboutBox(QWidget* parent);
