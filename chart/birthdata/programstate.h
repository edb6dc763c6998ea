#pragma once
// The values the whole chart program shares: the working settings and which
// chart file, if any, the shown chart belongs to.

#include "platform/settings.h"

#include <QString>

namespace velorin {

struct ProgramState {
    WorkingSettings settings;
    // The chart file last opened or saved; at start the one on the command line.
    QString currentChartPath;
    // The chart picked in the main window's set-aside list.
    QString setAsidePath;
    // The shown chart comes from a file (so it can be set aside).
    bool chartSaved = false;
};

} // namespace velorin
