#include "application.h"

#include "qtprompts.h"

#include "engine/numbers.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

namespace velorin {

char fixedSeparatorOf(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    if (point.size() != 1 || point.at(0).unicode() >= 0x80)
        return '.';
    return char(point.at(0).unicode());
}

bool prepareApplication(QApplication& app, const QString& applicationName) {
    QApplication::setApplicationName(applicationName);
    QApplication::setOrganizationName(QStringLiteral("Velorin"));

    // The user's own separator is read before the default changes, from the
    // system locale: the numbers are the user's, the dialogs the suite's.
    setFixedDecimalSeparator(fixedSeparatorOf(QLocale::system()));
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));

    // Installed in this order, the suite's catalogue is asked first; it holds
    // only what Qt's own lacks. Both are parented to the application so they
    // live exactly as long as the texts they serve.
    auto* qt = new QTranslator(&app);
    const bool qtLoaded =
        qt->load(QStringLiteral("qtbase_hu"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (qtLoaded)
        QApplication::installTranslator(qt);
    else
        delete qt;
    auto* suite = new QTranslator(&app);
    if (suite->load(QString::fromLatin1(kSuiteCatalogue),
                    QString::fromLatin1(kSuiteCatalogueFolder)))
        QApplication::installTranslator(suite);
    else
        delete suite;
    return qtLoaded;
}

int runWithDialogs(const std::function<std::unique_ptr<QWidget>()>& makeWindow) {
    QtPrompts qtPrompts;
    setPrompts(&qtPrompts);
    int status = 0;
    {
        const std::unique_ptr<QWidget> window = makeWindow();
        window->show();
        status = QApplication::exec();
    }
    setPrompts(nullptr);
    return status;
}

} // namespace velorin
