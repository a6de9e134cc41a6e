#include "wizard/about_dialog.h"

#include "app/recovery_job.h"
#include "widgets/pictures.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

void ShowAboutBox(QWidget* parent) {
    QDialog box(parent);
    box.setWindowTitle(QObject::tr("About Vornix"));
    auto* logo = new QLabel(&box);
    logo->setPixmap(LoadPicture("\\Logo.bmp"));
    logo->setAlignment(Qt::AlignTop);
    auto* text = new QLabel(&box);
    text->setText(QString("<b style='font-size:15pt'>%1</b><br>%2<br><br>"
                          "Recovers files and folders from FAT and NTFS disks,<br>partitions and image files.")
                      .arg(QString::fromStdString(theJob.productTitle).toHtmlEscaped(),
                           QString::fromStdString(theJob.versionText).toHtmlEscaped()));
    text->setAccessibleName(QObject::tr("About"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->setSpacing(18);
    row->addWidget(logo);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(&box);
    layout->setContentsMargins(22, 22, 22, 14);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    box.exec();
}
