#pragma once
// The menu bar of the front page and of the step dialogs. Each item carries
// its command number; choosing it calls the owner's handler with that number.
#include "wizard/menu_commands.h"

#include <QMenuBar>
#include <functional>
#include <initializer_list>
#include <map>

class QAction;

class CMenuBarA : public QMenuBar {
    Q_OBJECT
public:
    CMenuBarA(std::function<void(int)> onCommand, QWidget* parent = nullptr);

    QAction* Item(int command) const;
    void Gray(std::initializer_list<int> commands);

private:
    QAction* Add(QMenu* menu, const char* text, int command);

    std::map<int, QAction*> m_items;
    std::function<void(int)> m_onCommand;
};

// The commands the front page and the Step 1 dialogs gray when they open.
extern const std::initializer_list<int> kStep1GrayedCommands;

// What the front page and the Step 1 dialogs do with the commands they
// handle: Exit (with its question), the four report commands, the two report
// folders, Help and About Us. Other commands do nothing.
void HandleStep1Command(int command, QWidget* owner);
