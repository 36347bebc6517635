#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QPoint>
#include <QRect>
#include <functional>
#include <vector>

#include "radio/sheet/GridCoord.h"
#include "ui/widgets/cuiGridAxis.h"

class cmcTask;
class QPainter;

// Scroll directions of a drag scroll, as bits.
enum cuiScrollDirection : int {
    SD_Left = 0x01,
    SD_Right = 0x02,
    SD_Up = 0x04,
    SD_Down = 0x08,
};

// State bits handed to the draw-cell closure.
enum cuiDrawState : int {
    GD_Selected = 0x01,  // the current cell
    GD_Focused = 0x02,   // the current cell of the focused grid
    GD_Fixed = 0x04,     // a fixed cell
};

// The grid's name for a position.
using cuiGridCoord = GridCoord;

// The grid every sheet is drawn on. It holds no cells: its owner decides through closures
// whether a cell may become current, how a cell is drawn (nothing is drawn without a closure)
// and what keys, clicks and drag scrolls do. Fixed columns and rows stay at the top left; the
// scroll bars move the first scrolled column and row by whole cells. The rectangles given to
// the closures are in client (viewport) coordinates, and the painter is clipped to the cell.
class cuiGrid : public QAbstractScrollArea {
public:
    using SelectCellHandler = std::function<void(cuiGrid*, int col, int row, bool& maySelect)>;
    using DrawCellHandler =
        std::function<void(cuiGrid*, int col, int row, const QRect&, int state, QPainter&)>;
    using NotifyHandler = std::function<void(cuiGrid*)>;
    // Setting the key to 0 swallows it: the grid's own handling does not see it.
    using KeyHandler = std::function<void(cuiGrid*, int& key, Qt::KeyboardModifiers)>;
    // One typed character (a code point); 0 swallows it.
    using KeyPressHandler = std::function<void(cuiGrid*, int& character)>;
    using MouseHandler =
        std::function<void(cuiGrid*, Qt::MouseButton, Qt::KeyboardModifiers, QPoint)>;
    using MouseMoveHandler =
        std::function<void(cuiGrid*, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint)>;

    explicit cuiGrid(QWidget* parent = nullptr);
    ~cuiGrid() override;

    void SetEnterHandler(std::function<void()> handler) { enterHandler_ = std::move(handler); }
    void SetExitHandler(std::function<void()> handler) { exitHandler_ = std::move(handler); }
    // Called with the direction bits on each tick of a drag scroll.
    void SetTimedScrollHandler(std::function<void(int direction)> handler) {
        timedScrollHandler_ = std::move(handler);
    }

    SelectCellHandler OnSelectCell;
    DrawCellHandler OnDrawCell;
    NotifyHandler OnTopLeftChanged;
    KeyHandler OnKeyDown;
    KeyHandler OnKeyUp;
    KeyPressHandler OnKeyPress;
    MouseHandler OnMouseDown;
    MouseHandler OnMouseUp;
    MouseMoveHandler OnMouseMove;
    NotifyHandler OnDblClick;

    int ColCount() const { return cols_.Count(); }
    void SetColCount(int count);
    int RowCount() const { return rows_.Count(); }
    void SetRowCount(int count);
    int DefaultColWidth() const { return cols_.DefaultExtent(); }
    // Resets every column to the new width.
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return rows_.DefaultExtent(); }
    // Resets every row to the new height.
    void SetDefaultRowHeight(int height);
    int ColWidth(int col) const { return cols_.InRange(col) ? cols_.Extent(col) : 0; }
    void SetColWidth(int col, int width);
    int RowHeight(int row) const { return rows_.InRange(row) ? rows_.Extent(row) : 0; }
    void SetRowHeight(int row, int height);
    // Every column and row to the default extent, then the widths and heights given (from the
    // first column and row on), laid out once: a sheet sets thousands of rows at a time.
    void SetExtents(int defaultExtent, const std::vector<int>& colWidths,
                    const std::vector<int>& rowHeights);
    int FixedCols() const { return cols_.Fixed(); }
    // At most the column count - 1; the top left and the current cell go to the first
    // scrolled cell.
    void SetFixedCols(int count);
    int FixedRows() const { return rows_.Fixed(); }
    void SetFixedRows(int count);

    int Col() const { return current_.col; }
    int Row() const { return current_.row; }
    // Moves through the select closure and shows the cell; nothing when already there.
    void SetCol(int col);
    void SetRow(int row);
    int LeftCol() const { return cols_.First(); }
    void SetLeftCol(int col);
    int TopRow() const { return rows_.First(); }
    void SetTopRow(int row);
    // Scrolled columns and rows that are shown whole.
    int VisibleColCount() const;
    int VisibleRowCount() const;

    // Off: a dragged scroll-bar thumb scrolls only when released.
    void SetThumbTracking(bool on);
    bool ThumbTracking() const;
    // The colour of the client area that no cell covers.
    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    // Whether either scroll bar is needed, i.e. not every cell fits.
    bool HasScrollBars() const;

    // Client rectangle of a cell on screen (whole, not clipped); empty when not on screen.
    QRect CellRect(int col, int row) const;
    // The cell under a client point, or {-1, -1}.
    cuiGridCoord MouseCell(QPoint point) const;
    void InvalidateCell(int col, int row);
    void InvalidateGrid();
    // The grid's own move of the current cell, through the select closure, showing the
    // cell; returns whether the cell became current.
    bool MoveTo(int col, int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool SelectCell(int col, int row);
    void DrawCell(QPainter& painter, int col, int row, const QRect& rect);
    void TopLeftChanged();
    void TimedScroll(int direction);
    bool MoveCurrent(int col, int row, bool show);
    void ClampInView(cuiGridCoord cell);
    void SetTopLeft(int col, int row);
    void UpdateScrollBars();
    // After a change of counts, sizes or fixed cells: keep the top left in range.
    void Relayout();
    // The class library reset the top left and the current cell when the fixed cells changed.
    void ResetToFixed();
    void GridKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void StartSelecting();
    void StopSelecting();
    void DragScrollTick();
    bool IsScrolledCell(cuiGridCoord cell) const;
    int ClampCol(int col) const;
    int ClampRow(int row) const;
    int ClientWidth() const;
    int ClientHeight() const;

    cuiGridAxis cols_;
    cuiGridAxis rows_;
    cuiGridCoord current_{0, 0};
    QColor color_;
    std::function<void()> enterHandler_;
    std::function<void()> exitHandler_;
    std::function<void(int)> timedScrollHandler_;
    // Left button held on a scrolled cell: moves follow the mouse, a timer drag-scrolls.
    bool selecting_ = false;
    // Set while the grid itself writes the scroll bars, whose moves then scroll nothing.
    bool syncingBars_ = false;
    cmcTask* dragTimer_ = nullptr;
    QPoint lastMouse_;
};
