#include "ui/paint/cuiDrawnIconEngine.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "ui/paint/cuiDrawnPictures.h"

QPixmap cuiDrawnIconEngine::Drawn(int size) {
    auto found = drawn_.find(size);
    if (found != drawn_.end()) {
        return found->second;
    }
    const QImage picture = ahead_ && ahead_->Size() == size ? ahead_->Picture(index_)
                                                            : cuiDrawnPictures::Draw(paint_, size);
    return drawn_.emplace(size, QPixmap::fromImage(picture)).first->second;
}

QPixmap cuiDrawnIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) {
    const QPixmap drawn = Drawn(std::max(1, std::min(size.width(), size.height())));
    if (mode == QIcon::Normal || mode == QIcon::Active) {
        return drawn;
    }
    QStyleOption option;
    option.palette = QApplication::palette();
    return QApplication::style()->generatedIconPixmap(mode, drawn, &option);
}

void cuiDrawnIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                               QIcon::State state) {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    QPixmap picture = pixmap(rect.size() * ratio, mode, state);
    picture.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect.topLeft(), picture);
}

QList<QSize> cuiDrawnIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
    return {QSize(16, 16), QSize(24, 24), QSize(32, 32)};
}
