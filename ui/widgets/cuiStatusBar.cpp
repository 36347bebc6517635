#include "ui/widgets/cuiStatusBar.h"

#include <QPainter>

cuiStatusBar::cuiStatusBar(QWidget* parent) : QStatusBar(parent) {
    setMinimumHeight(fontMetrics().height() + 6);
}

void cuiStatusBar::AddPanel(Panel panel) {
    panels_.push_back(panel);
    update();
}

int cuiStatusBar::InsertPanel(int k) {
    panels_.emplace_back();
    const int last = PanelCount() - 1;
    for (int i = k + 1; i <= last; ++i) {
        panels_[static_cast<size_t>(i)] = panels_[static_cast<size_t>(i - 1)];
    }
    update();
    return last - k;
}

QRect cuiStatusBar::PanelRect(int index) const {
    int left = 0;
    for (int i = 0; i < index; ++i) {
        left += panels_[static_cast<size_t>(i)].width;
    }
    const bool last = index == PanelCount() - 1;
    const int width = last ? std::max(0, this->width() - left) : panels_.at(index).width;
    return QRect(left, 0, width, height());
}

void cuiStatusBar::paintEvent(QPaintEvent* event) {
    QStatusBar::paintEvent(event);
    if (!onDrawPanel_) {
        return;
    }
    QPainter painter(this);
    for (int i = 0; i < PanelCount(); ++i) {
        if (panels_[static_cast<size_t>(i)].ownerDrawn) {
            const QRect rect = PanelRect(i);
            painter.save();
            painter.setClipRect(rect);
            onDrawPanel_(painter, i, rect);
            painter.restore();
        }
    }
}

void cuiStatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    if (onResize_) {
        onResize_();
    }
}
