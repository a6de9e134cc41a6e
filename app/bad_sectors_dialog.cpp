#include "app/bad_sectors_dialog.h"

#include <QPushButton>

BadSectorsDialog::BadSectorsDialog(QWidget* parent)
    : ProgramBoxDialog(tr("Bad Sectors Encountered"), "\\Warning.bmp",
                       tr("Encountered Bad Sector(s) while reading disk."), parent) {
    const struct {
        const char* text;
        BadSectorAction answer;
    } kButtons[] = {{"&Retry", kBadSectorRetry},
                    {"&Skip", kBadSectorSkip},
                    {"R&etry All", kBadSectorRetryAll},
                    {"Skip &All", kBadSectorSkipAll}};
    for (const auto& b : kButtons) {
        QPushButton* button = AddButton(tr(b.text));
        BadSectorAction answer = b.answer;
        connect(button, &QPushButton::clicked, this, [this, answer] {
            m_answer = answer;
            accept();
        });
        if (answer == kBadSectorRetry) button->setDefault(true);
    }
}
