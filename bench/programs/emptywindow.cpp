// The least a Qt widget program can do: start, show an empty window, and end
// once it is painted. What Tarvessa's start costs beyond this is ours.

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

class FirstPaintQuits : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QTimer::singleShot(0, qApp, &QApplication::quit); }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FirstPaintQuits window;
    window.resize(800, 600);
    window.show();
    return app.exec();
}
