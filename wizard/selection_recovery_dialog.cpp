#include "wizard/selection_recovery_dialog.h"

#include "app/help_dialog.h"
#include "app/recovery_job.h"
#include "widgets/picture_button.h"
#include "wizard/about_dialog.h"
#include "wizard/menu_bar.h"
#include "wizard/step1_dialog.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSplashScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

struct Mode {
    const char* picture;
    const char* highlighted;
    const char* tooltip;
    int exhaustiveChosen;
};

const Mode kModes[] = {
    {"\\QuickScan.bmp", "\\QuickScanA.bmp", "Quick Scan", 0},
    {"\\ExhaustiveScan.bmp", "\\ExhaustiveScanA.bmp", "Exhaustive Scan", 1},
    {"\\ImageCreation.bmp", "\\ImageCreationA.bmp", "Disk Imaging", 0},
    {"\\RawRecovery.bmp", "\\RawRecoveryA.bmp", "Raw Recovery", 1},
};

const char kHint[] = "Select the Recovery Mode";
const char kQuickScanHint[] = "Select Quick Scan Mode for Deleted Files & folders";

}  // namespace

CSelectionRecovery::CSelectionRecovery(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromStdString(theJob.productTitle));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    m_menu = new CMenuBarA([this](int command) { HandleStep1Command(command, this); }, this);
    m_menu->Gray(kStep1GrayedCommands);

    auto* logo = new QLabel(this);
    logo->setPixmap(LoadPicture("\\Logo.bmp"));
    auto* title = new QLabel(tr("<span style='font-size:20pt; font-weight:600; color:white'>Vornix</span>"
                                "<br><span style='color:#cfe0f6'>Data recovery for FAT and NTFS disks</span>"),
                             this);
    auto* header = new QHBoxLayout;
    header->addWidget(logo);
    header->addSpacing(8);
    header->addWidget(title, 1);

    auto* grid = new QGridLayout;
    grid->setSpacing(22);
    for (int i = 0; i < 4; ++i) {
        const Mode& mode = kModes[i];
        auto* button = new CPictureButton(mode.picture, mode.highlighted, tr(mode.tooltip), this);
        connect(button, &QAbstractButton::clicked, this, [this, i] { OnMode(i); });
        button->installEventFilter(this);
        grid->addWidget(button, i / 2, i % 2);
        m_modes.append(button);
    }

    m_hint = new QLabel(tr(kHint), this);
    m_hint->setAlignment(Qt::AlignCenter);
    m_hint->setAccessibleName(tr("Hint"));
    QFont hintFont("vardana", 10);
    hintFont.setBold(true);
    m_hint->setFont(hintFont);  // a missing family falls back to the desktop's font
    m_hint->setStyleSheet("color: #0000FA");

    auto* help = new CPictureButton("\\Help.bmp", "\\Help-A.bmp", tr("Help"), this);
    connect(help, &QAbstractButton::clicked, this, [] { OpenHelp(); });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(help);
    bottom->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(m_menu);
    layout->setContentsMargins(28, 12, 28, 16);
    layout->addLayout(header);
    layout->addSpacing(34);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addWidget(m_hint);
    layout->addStretch(1);
    layout->addLayout(bottom);

    runStep = [](QDialog& step) { step.exec(); };
    resize(600, 590);
}

CPictureButton* CSelectionRecovery::ModeButton(const QString& tooltip) const {
    for (CPictureButton* button : m_modes)
        if (button->toolTip() == tooltip) return button;
    return nullptr;
}

void CSelectionRecovery::ShowSplash() {
    auto* splash = new QSplashScreen(LoadPicture("\\FrontV.bmp"));
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    QTimer::singleShot(1500, splash, &QWidget::close);
}

void CSelectionRecovery::OnMode(int mode) {
    theJob.exhaustiveChosen = kModes[mode].exhaustiveChosen;
    hide();
    if (mode <= 1) {
        DesktopRecovery step(mode == 1, this);
        runStep(step);
    } else if (mode == 2) {
        ImageRecovery step(this);
        runStep(step);
    } else {
        RawRecovery step(this);
        runStep(step);
    }
    theJob.windowTitle = theJob.productTitle;
    show();
}

bool CSelectionRecovery::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        bool quick = event->type() == QEvent::FocusIn && watched == m_modes.first();
        m_hint->setText(tr(quick ? kQuickScanHint : kHint));
    }
    return QDialog::eventFilter(watched, event);
}

void CSelectionRecovery::paintEvent(QPaintEvent* event) {
    m_background.Paint(this);
    QDialog::paintEvent(event);
}

// The window manager owns the title bar's system menu on Linux: "About
// Vornix" is offered in the page's own context menu instead.
void CSelectionRecovery::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addSeparator();
    menu.addAction(tr("&About Vornix"), this, [this] { ShowAboutBox(this); });
    menu.exec(event->globalPos());
}
