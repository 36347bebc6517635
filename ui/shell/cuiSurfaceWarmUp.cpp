#include "ui/shell/cuiSurfaceWarmUp.h"

#include <QBackingStore>
#include <QImage>
#include <QWidget>

#include "platform/MemoryPages.h"

cuiSurfaceWarmUp::cuiSurfaceWarmUp(QWidget& window) {
    if (!window.isWindow() || window.size().isEmpty()) {
        return;
    }
    window.winId();
    QBackingStore* store = window.backingStore();
    if (!store) {
        return;
    }
    store->resize(window.size());
    store->beginPaint(QRegion(QRect(QPoint(0, 0), window.size())));
    const auto* image = dynamic_cast<const QImage*>(store->paintDevice());
    if (image && !image->isNull()) {
        // The store's own pixels (not bits(), which would copy an image that is shared).
        thread_ = std::thread([pixels = const_cast<uchar*>(image->constBits()),
                               size = static_cast<std::size_t>(image->sizeInBytes())] {
            platform::MakePagesReady(pixels, size);
        });
    }
    store->endPaint();
}

cuiSurfaceWarmUp::~cuiSurfaceWarmUp() {
    if (thread_.joinable()) {
        thread_.join();
    }
}
