#pragma once
// The command numbers of the menu items, shared by every step dialog.
enum MenuCommand : int {
    kCmdExhaustiveScan = 32774,
    kCmdExit = 32775,
    kCmdSaveLog = 32776,
    kCmdLoadLog = 32777,
    kCmdActivityReport = 32779,
    kCmdRecoveryHistory = 32780,
    kCmdClearActivityReport = 32781,
    kCmdChangeActivityPath = 32784,
    kCmdSavingFilter = 32785,
    kCmdChangeRecoveryPath = 32806,
    kCmdHelp = 32804,
    kCmdAboutUs = 32805,
    kCmdRecoverSelected = 32807,
    kCmdSearch = 32810,
    kCmdClearRecoveryHistory = 32811,
    kCmdRename = 32812,
    kCmdLargeIcons = 32787,
    kCmdSmallIcons = 59410,
    kCmdDetails = 59411,
};
