#include "app/messages_info_dialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

MessagesInfo::MessagesInfo(const QString& caption, const QString& text, bool offerViewReport, QWidget* parent)
    : ProgramBoxDialog(caption, "\\Information.bmp", text, parent) {
    if (offerViewReport) {
        m_viewReport = new QCheckBox(tr("View Report"), this);
        m_viewReport->setAccessibleName(tr("View Report"));
        Body()->addWidget(m_viewReport);
    }
    QPushButton* ok = AddButton(tr("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

bool MessagesInfo::ViewReportTicked() const { return m_viewReport && m_viewReport->isChecked(); }
