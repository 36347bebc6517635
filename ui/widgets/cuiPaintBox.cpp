#include "ui/widgets/cuiPaintBox.h"

#include <QKeyEvent>
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

void cuiPaintBox::keyPressEvent(QKeyEvent* event) {
    if (!OnKeyDown || !OnKeyDown(event->key())) {
        QWidget::keyPressEvent(event);
    }
}

void cuiPaintBox::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void cuiPaintBox::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}
