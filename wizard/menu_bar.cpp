#include "wizard/menu_bar.h"

#include "app/help_dialog.h"
#include "app/log_path_dialog.h"
#include "app/prompt.h"
#include "app/report.h"
#include "wizard/about_dialog.h"

#include <QAction>

const std::initializer_list<int> kStep1GrayedCommands = {
    kCmdRecoverSelected, kCmdSearch, kCmdRename, kCmdExhaustiveScan, kCmdSaveLog,
    kCmdLoadLog, kCmdSavingFilter, kCmdLargeIcons, kCmdDetails, kCmdSmallIcons};

CMenuBarA::CMenuBarA(std::function<void(int)> onCommand, QWidget* parent)
    : QMenuBar(parent), m_onCommand(std::move(onCommand)) {
    QMenu* options = addMenu(tr("&Options"));
    Add(options, "Ex&haustive Scan", kCmdExhaustiveScan);
    Add(options, "&Recover Selected\tF5", kCmdRecoverSelected);
    Add(options, "&Search File / Folder\tF3", kCmdSearch);
    Add(options, "R&ename File/Folder\tF2", kCmdRename);
    options->addSeparator();
    Add(options, "E&xit", kCmdExit);

    QMenu* log = addMenu(tr("&Log"));
    Add(log, "&Save Log", kCmdSaveLog);
    Add(log, "L&oad Log", kCmdLoadLog);
    QMenu* report = log->addMenu(tr("&Report"));
    Add(report, "&Activity Report", kCmdActivityReport);
    Add(report, "Recovery &History", kCmdRecoveryHistory);
    Add(report, "&Clear Activity Report", kCmdClearActivityReport);
    Add(report, "Clear Recovery &History", kCmdClearRecoveryHistory);

    QMenu* settings = addMenu(tr("&Settings"));
    QMenu* logPaths = settings->addMenu(tr("Log"));
    Add(logPaths, "&Change &Activity Report Path", kCmdChangeActivityPath);
    Add(logPaths, "Change &Recovery History Path", kCmdChangeRecoveryPath);
    Add(settings, "&Saving Using Filter\tF6", kCmdSavingFilter);

    QMenu* view = addMenu(tr("&View"));
    for (auto [text, command] : {std::pair{"Large I&cons", kCmdLargeIcons}, std::pair{"&Details", kCmdDetails},
                                 std::pair{"&Small Icons", kCmdSmallIcons}}) {
        QAction* item = Add(view, text, command);
        item->setCheckable(true);
        item->setChecked(true);
    }

    QMenu* support = addMenu(tr("&Support"));
    Add(support, "&Help", kCmdHelp);
    Add(support, "&About Us", kCmdAboutUs);
}

QAction* CMenuBarA::Add(QMenu* menu, const char* text, int command) {
    QAction* item = menu->addAction(tr(text));
    item->setData(command);
    connect(item, &QAction::triggered, this, [this, command] { m_onCommand(command); });
    m_items[command] = item;
    return item;
}

QAction* CMenuBarA::Item(int command) const {
    auto it = m_items.find(command);
    return it == m_items.end() ? nullptr : it->second;
}

void CMenuBarA::Gray(std::initializer_list<int> commands) {
    for (int command : commands)
        if (QAction* item = Item(command)) item->setEnabled(false);
}

void HandleStep1Command(int command, QWidget* owner) {
    switch (command) {
        case kCmdExit:
            if (AskQuestion("Are you sure you want to exit")) ExitProgram();
            break;
        case kCmdActivityReport: ViewReport(kActivityReport); break;
        case kCmdRecoveryHistory: ViewReport(kRecoveryHistory); break;
        case kCmdClearActivityReport: ClearReport(kActivityReport); break;
        case kCmdClearRecoveryHistory: ClearReport(kRecoveryHistory); break;
        case kCmdChangeActivityPath: ChangeReportFolder(kActivityReport, owner); break;
        case kCmdChangeRecoveryPath: ChangeReportFolder(kRecoveryHistory, owner); break;
        case kCmdHelp: OpenHelp(); break;
        case kCmdAboutUs: ShowAboutBox(owner); break;
        default: break;
    }
}
