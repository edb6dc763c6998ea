#pragma once
// What every window program does first: its names for the settings store and
// Qt's own Hungarian texts, so standard dialogs and buttons speak the language
// of the rest of the program.

#include <QString>

class QApplication;

namespace velorin {

// Names the application and loads Qt's Hungarian translation (qtbase_hu).
// Returns false when the translation could not be found; the program then
// still runs, with Qt's English texts in its standard dialogs.
bool prepareApplication(QApplication& app, const QString& applicationName);

} // namespace velorin
