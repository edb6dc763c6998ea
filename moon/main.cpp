// Nocturo, the moon calendar.

#include "frmmain.h"

#include "assets/artwork.h"
#include "platform/widgets/application.h"
#include "platform/widgets/qtprompts.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    velorin::prepareApplication(app, QStringLiteral("Nocturo"));
    QApplication::setWindowIcon(velorin::artworkIcon(QStringLiteral("nocturo")));

    velorin::QtPrompts qtPrompts;
    velorin::setPrompts(&qtPrompts);
    int status = 0;
    {
        velorin::frmMain window;
        window.show();
        status = QApplication::exec();
    }
    velorin::setPrompts(nullptr);
    return status;
}
