// synastry, the comparison program: two people's charts on one wheel.

#include "inputd.h"

#include "assets/artwork.h"
#include "platform/widgets/application.h"
#include "platform/widgets/qtprompts.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    velorin::prepareApplication(app, QStringLiteral("synastry"));
    QApplication::setWindowIcon(velorin::artworkIcon(QStringLiteral("synastry")));
    velorin::QtPrompts qtPrompts;
    velorin::setPrompts(&qtPrompts);
    int status = 0;
    {
        velorin::inputD dialog;
        // Closing the input dialog ends the program, whatever else is open.
        QObject::connect(&dialog, &QDialog::finished, &app, &QApplication::quit);
        dialog.show();
        status = QApplication::exec();
    }
    velorin::setPrompts(nullptr);
    return status;
}
