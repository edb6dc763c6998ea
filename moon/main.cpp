// Nocturo, the moon calendar.

#include "frmmain.h"

#include "assets/artwork.h"
#include "platform/widgets/application.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    velorin::prepareApplication(app, QStringLiteral("Nocturo"));
    QApplication::setWindowIcon(velorin::artworkIcon(QStringLiteral("nocturo")));
    return velorin::runWithDialogs([] { return std::make_unique<velorin::frmMain>(); });
}
