#include "ui/widgets/cuiCellBar.h"

#include <algorithm>

#include <QPainter>

cuiCellBar::cuiCellBar(int cells, QWidget* parent) : QWidget(parent), cells_(cells) {}

void cuiCellBar::SetLit(int lit) {
    lit = std::clamp(lit, 0, cells_);
    if (lit != lit_) {
        lit_ = lit;
        update();
    }
}

void cuiCellBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const int cellWidth = width() / cells_;
    for (int i = 0; i < lit_; ++i) {
        painter.fillRect(cellWidth * i, 0, cellWidth - 1, height(),
                         palette().color(QPalette::Highlight));
    }
}
