// synastry, the comparison program: two people's charts on one wheel.

#include "inputd.h"

#include "assets/artwork.h"
#include "platform/widgets/application.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    velorin::prepareApplication(app, QStringLiteral("synastry"));
    QApplication::setWindowIcon(velorin::artworkIcon(QStringLiteral("synastry")));
    return velorin::runWithDialogs([&app] {
        auto dialog = std::make_unique<velorin::inputD>();
        // Closing the input dialog ends the program, whatever else is open.
        QObject::connect(dialog.get(), &QDialog::finished, &app, &QApplication::quit);
        return dialog;
    });
}
