// Tarvessa, the chart program.

#include "commandline.h"
#include "frmmain.h"

#include "platform/widgets/application.h"
#include "platform/widgets/qtprompts.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    velorin::prepareApplication(app, QStringLiteral("Tarvessa"));

    // A command line that names no chart file ends the program unseen.
    const std::optional<QString> chartPath =
        velorin::startChartPath(velorin::commandLineText(QApplication::arguments()));
    if (!chartPath)
        return 0;

    velorin::QtPrompts qtPrompts;
    velorin::setPrompts(&qtPrompts);
    int status = 0;
    {
        velorin::frmMain window(*chartPath);
        window.show();
        status = QApplication::exec();
    }
    velorin::setPrompts(nullptr);
    return status;
}
