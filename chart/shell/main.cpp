// Tarvessa, the chart program.

#include "commandline.h"
#include "frmmain.h"

#include "assets/artwork.h"
#include "platform/uiprompts.h"
#include "platform/widgets/application.h"

#include <QApplication>
#include <iostream>
#include <new>

namespace {

const char* const kOutOfMemory = "Elfogyott a memória, a művelet félbemaradt. A mentett fájlok "
                                 "változatlanok.";

// Every event handler runs through notify: an allocation that fails in one
// (a hostile file, a huge picture) ends that handler with a message instead
// of aborting the program with the user's unsaved work.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::bad_alloc&) {
            std::cerr << "Tarvessa: " << kOutOfMemory << '\n';
            try {
                velorin::prompts().message(QString::fromUtf8(kOutOfMemory),
                                           QStringLiteral("Tarvessa"),
                                           velorin::MessageIcon::Critical);
            } catch (const std::bad_alloc&) {
            }
            return false;
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    try {
        GuardedApplication app(argc, argv);
        velorin::prepareApplication(app, QStringLiteral("Tarvessa"));
        QApplication::setWindowIcon(velorin::artworkIcon(QStringLiteral("tarvessa")));

        // A command line that names no chart file ends the program unseen.
        const std::optional<QString> chartPath =
            velorin::startChartPath(velorin::commandLineText(QApplication::arguments()));
        if (!chartPath)
            return 0;

        return velorin::runWithDialogs(
            [&] { return std::make_unique<velorin::frmMain>(*chartPath); });
    } catch (const std::bad_alloc&) {
        std::cerr << "Tarvessa: " << kOutOfMemory << '\n';
        return 1;
    }
}
