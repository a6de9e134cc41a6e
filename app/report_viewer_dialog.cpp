#include "app/report_viewer_dialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

ReportViewer::ReportViewer(const QString& path, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QFileInfo(path).fileName());
    auto* text = new QPlainTextEdit(this);
    text->setReadOnly(true);
    text->setAccessibleName(tr("Report"));
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) text->setPlainText(QString::fromLocal8Bit(file.readAll()).remove('\r'));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    resize(720, 520);
}
