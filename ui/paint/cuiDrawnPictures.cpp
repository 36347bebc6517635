#include "ui/paint/cuiDrawnPictures.h"

#include <QGuiApplication>
#include <QPainter>

namespace {

constexpr int kGrid = 16;

}  // namespace

cuiDrawnPictures::cuiDrawnPictures(std::vector<Painter> painters, int size)
    : painters_(std::move(painters)), size_(size) {
    // Drawing text needs the application's fonts; without an application nothing is drawn
    // ahead and each picture is drawn when asked for.
    if (!qGuiApp) {
        return;
    }
    thread_ = std::thread([this] {
        for (Painter paint : painters_) {
            pictures_.push_back(Draw(paint, size_));
        }
    });
}

cuiDrawnPictures::~cuiDrawnPictures() {
    Wait();
}

void cuiDrawnPictures::Wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

QImage cuiDrawnPictures::Picture(int index) {
    Wait();
    const auto at = static_cast<std::size_t>(index);
    if (at >= pictures_.size()) {
        return Draw(painters_.at(at), size_);
    }
    return pictures_[at];
}

QImage cuiDrawnPictures::Draw(Painter paint, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / static_cast<double>(kGrid), size / static_cast<double>(kGrid));
    paint(painter);
    painter.end();
    return image;
}
