#include "ui/cuiPaintBox.h"

#include <QMouseEvent>
#include <QPainter>

void cuiPaintBox::paintEvent(QPaintEvent*) {
    if (OnPaint) {
        QPainter painter(this);
        OnPaint(painter);
    }
}

void cuiPaintBox::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) {
        OnMouseDown(event->button(), event->position().toPoint());
    }
}
