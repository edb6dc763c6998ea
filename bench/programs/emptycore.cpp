// The least a Qt command-line program can do: load Qt Core, make its
// application object and end. What velorin's text subcommands cost beyond
// this is ours.

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return 0;
}
