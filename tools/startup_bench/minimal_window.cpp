// The floor of the start-up benchmark: Qt's own start-up, one empty window of the cloning
// program's first size, reported and closed as the program reports its own.
#include <QApplication>
#include <QWidget>

#include "ui/cuiShownProbe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Untitled - Tarnwick");
    window.resize(800, 600);
    cuiShownProbe::WatchFromEnvironment(&window);
    window.show();
    return QApplication::exec();
}
