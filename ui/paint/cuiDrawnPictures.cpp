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
    pictures_.resize(painters_.size());
    thread_ = std::thread([this] {
        for (std::size_t i = 0; i < painters_.size(); ++i) {
            pictures_[i] = Draw(painters_[i], size_);
            drawn_.store(i + 1, std::memory_order_release);
        }
    });
}

cuiDrawnPictures::~cuiDrawnPictures() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

QImage cuiDrawnPictures::Picture(int index) const {
    const auto at = static_cast<std::size_t>(index);
    if (at < drawn_.load(std::memory_order_acquire)) {
        return pictures_[at];
    }
    return Draw(painters_.at(at), size_);
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
