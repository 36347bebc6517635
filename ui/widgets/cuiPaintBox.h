#pragma once

#include <QWidget>
#include <functional>

class QPainter;

// A plain area that its owner paints, clicks on and types on through closures. It repaints
// when it gains or loses the focus, so its owner can show where the keys act.
class cuiPaintBox : public QWidget {
public:
    explicit cuiPaintBox(QWidget* parent = nullptr) : QWidget(parent) {}

    std::function<void(QPainter&)> OnPaint;
    std::function<void(Qt::MouseButton, QPoint)> OnMouseDown;
    // Returns whether the key was taken; a key not taken goes to the window (Enter, Esc).
    std::function<bool(int key)> OnKeyDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
