#pragma once
// The main window's commands in one table: the toolbar, the keyboard and the
// status line are all driven from it.

#include <QString>
#include <array>
#include <span>

namespace velorin {

class frmMain;

struct MainCommand {
    int button;              // toolbar index 0..16, -1 for a key-only command
    const char* status;      // status-line hint over the button
    const char* tip;         // tool tip; empty for the buttons that have none
    std::array<int, 2> keys; // Qt::Key codes that run it, 0 for none
    void (frmMain::*action)();
};

std::span<const MainCommand> mainCommands();
// The command of toolbar button n, or nullptr.
const MainCommand* commandForButton(int n);
// The command a key press runs, or nullptr.
const MainCommand* commandForKey(int key);

// The command as a message names it: "A(z) „<status-line hint>” parancs".
QString commandName(const MainCommand& c);

// The status-line hint and the tool tip of button n.
QString toolbarStatusText(int n);
QString toolbarToolTip(int n);

} // namespace velorin
