#include "application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace velorin {

bool prepareApplication(QApplication& app, const QString& applicationName) {
    QApplication::setApplicationName(applicationName);
    QApplication::setOrganizationName(QStringLiteral("Velorin"));

    // Parented to the application so it lives exactly as long as the texts it serves.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_hu"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}

} // namespace velorin
