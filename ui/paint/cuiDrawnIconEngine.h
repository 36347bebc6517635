#pragma once

#include <map>
#include <memory>

#include <QIconEngine>
#include <QPixmap>

class QPainter;
class cuiDrawnPictures;

// An icon that the program draws itself on a 16 x 16 grid: each size is drawn the first time
// it is asked for and kept, so pictures that are never shown cost nothing; the size its list
// is shown at comes drawn ahead from the list's pictures, the picture of the index.
class cuiDrawnIconEngine : public QIconEngine {
public:
    using Painter = void (*)(QPainter&);

    cuiDrawnIconEngine(Painter draw, std::shared_ptr<cuiDrawnPictures> ahead, int index)
        : paint_(draw), ahead_(std::move(ahead)), index_(index) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override { return new cuiDrawnIconEngine(*this); }
    QString key() const override { return QStringLiteral("cuiDrawnIconEngine"); }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;

private:
    QPixmap Drawn(int size);

    Painter paint_;
    std::shared_ptr<cuiDrawnPictures> ahead_;
    int index_;
    std::map<int, QPixmap> drawn_;
};
