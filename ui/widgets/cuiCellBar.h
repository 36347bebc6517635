#pragma once

#include <QWidget>

// A bar of equal cells, the first ones lit in the highlight colour: the progress of a clone.
// Each cell leaves its last pixel column unlit, so the cells stand apart.
class cuiCellBar : public QWidget {
public:
    cuiCellBar(int cells, QWidget* parent = nullptr);

    // Cells to light, kept within 0 .. the cell count.
    void SetLit(int lit);
    int Lit() const { return lit_; }
    int Cells() const { return cells_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int cells_;
    int lit_ = 0;
};
