#pragma once
// What every window program does first: its names for the settings store,
// Hungarian for Qt's own texts and formats whatever the system's language,
// and the user's decimal separator in the numbers the windows show.

#include <QString>

#include <functional>
#include <memory>

class QApplication;
class QLocale;
class QWidget;

namespace velorin {

// Names the application, makes Hungarian the default locale of Qt's dialogs
// (file sizes, dates), loads Qt's Hungarian translation (qtbase_hu) and the
// suite's own catalogue of the texts Qt's lacks, and sets the decimal
// separator of the Fixed number format from the system locale. Returns false
// when Qt's translation could not be found; the program then still runs,
// with Qt's English texts where the suite's catalogue has none.
bool prepareApplication(QApplication& app, const QString& applicationName);

// Shows the window that makeWindow builds and runs the event loop with Qt's
// dialogs answering every prompt; returns the loop's status. The window is
// destroyed before the dialogs stop answering, so whatever it asks while
// closing still reaches the user.
int runWithDialogs(const std::function<std::unique_ptr<QWidget>()>& makeWindow);

// The decimal separator the Fixed format takes from locale: its own when it
// is one ASCII character, else the point.
char fixedSeparatorOf(const QLocale& locale);

// Where the suite's own catalogue of Qt's missing texts is built into every
// program, and its name there.
inline constexpr const char* kSuiteCatalogueFolder = ":/i18n";
inline constexpr const char* kSuiteCatalogue = "velorin_hu";

} // namespace velorin
