// The floor of the start-up benchmark: Qt's own start-up, one empty window of the cloning
// program's first size, reported and closed as the program reports its own. With "--text" the
// window shows one line of text, so that Qt loads its fonts as every window with text does.
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <cstring>

#include "radio/host/indEnviron.h"
#include "ui/shell/cuiShownProbe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Untitled - Tarnwick");
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const WindowRect place = indEnviron::FirstPlace({screen.width(), screen.height()});
    window.move(place.left, place.top);
    window.resize(place.width, place.height);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        (new QVBoxLayout(&window))->addWidget(new QLabel("Tarnwick"));
    }
    cuiShownProbe::WatchFromEnvironment(&window);
    window.show();
    return QApplication::exec();
}
