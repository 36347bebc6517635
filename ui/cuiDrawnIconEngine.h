#pragma once

#include <map>

#include <QIconEngine>
#include <QPixmap>

class QPainter;

// An icon that the program draws itself on a 16 x 16 grid: each size is drawn the first time
// it is asked for and kept, so pictures that are never shown cost nothing.
class cuiDrawnIconEngine : public QIconEngine {
public:
    using Painter = void (*)(QPainter&);

    explicit cuiDrawnIconEngine(Painter draw) : paint_(draw) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override { return new cuiDrawnIconEngine(*this); }
    QString key() const override { return QStringLiteral("cuiDrawnIconEngine"); }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;

private:
    QPixmap Drawn(int size);

    Painter paint_;
    std::map<int, QPixmap> drawn_;
};
