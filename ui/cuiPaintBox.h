#pragma once

#include <QWidget>
#include <functional>

class QPainter;

// A plain area that its owner paints and clicks on through closures.
class cuiPaintBox : public QWidget {
public:
    explicit cuiPaintBox(QWidget* parent = nullptr) : QWidget(parent) {}

    std::function<void(QPainter&)> OnPaint;
    std::function<void(Qt::MouseButton, QPoint)> OnMouseDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
