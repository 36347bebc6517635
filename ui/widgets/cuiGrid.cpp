#include "ui/widgets/cuiGrid.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <algorithm>

#include "common/cmcTask.h"

namespace {

// The class library's grid started with 5 x 5 cells of 64 x 24 pixels.
constexpr int kDefaultCount = 5;
constexpr int kDefaultColWidth = 64;
constexpr int kDefaultRowHeight = 24;
// Period of the drag-scroll timer while the left button is held.
constexpr int kDragScrollMs = 60;

// The grid's own handling of keys its owner did not swallow.
enum class KeyUnit { Cell, Page, Scroll };
struct KeyMove {
    int key;
    bool ctrl;
    int dCol;
    int dRow;
    KeyUnit unit;
};
constexpr KeyMove kKeyMoves[] = {
    {Qt::Key_Left, false, -1, 0, KeyUnit::Cell},   {Qt::Key_Right, false, 1, 0, KeyUnit::Cell},
    {Qt::Key_Up, false, 0, -1, KeyUnit::Cell},     {Qt::Key_Down, false, 0, 1, KeyUnit::Cell},
    {Qt::Key_Up, true, 0, -1, KeyUnit::Scroll},    {Qt::Key_Down, true, 0, 1, KeyUnit::Scroll},
    {Qt::Key_PageUp, false, 0, -1, KeyUnit::Page}, {Qt::Key_PageDown, false, 0, 1, KeyUnit::Page},
};

}  // namespace

cuiGrid::cuiGrid(QWidget* parent)
    : QAbstractScrollArea(parent),
      cols_(kDefaultCount, kDefaultColWidth),
      rows_(kDefaultCount, kDefaultRowHeight),
      color_(palette().color(QPalette::Base)) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    SetThumbTracking(false);
    UpdateScrollBars();
}

cuiGrid::~cuiGrid() {
    StopSelecting();
}

void cuiGrid::SetColCount(int count) {
    cols_.SetCount(count);
    current_.col = std::min(current_.col, ColCount() - 1);
    Relayout();
}

void cuiGrid::SetRowCount(int count) {
    rows_.SetCount(count);
    current_.row = std::min(current_.row, RowCount() - 1);
    Relayout();
}

void cuiGrid::SetDefaultColWidth(int width) {
    cols_.SetDefaultExtent(width);
    Relayout();
}

void cuiGrid::SetDefaultRowHeight(int height) {
    rows_.SetDefaultExtent(height);
    Relayout();
}

void cuiGrid::SetColWidth(int col, int width) {
    cols_.SetExtent(col, width);
    Relayout();
}

void cuiGrid::SetRowHeight(int row, int height) {
    rows_.SetExtent(row, height);
    Relayout();
}

void cuiGrid::SetExtents(int defaultExtent, const std::vector<int>& colWidths,
                         const std::vector<int>& rowHeights) {
    cols_.SetDefaultExtent(defaultExtent);
    rows_.SetDefaultExtent(defaultExtent);
    for (int col = 0; col < std::ssize(colWidths); ++col) {
        if (colWidths[col] != defaultExtent) {
            cols_.SetExtent(col, colWidths[col]);
        }
    }
    for (int row = 0; row < std::ssize(rowHeights); ++row) {
        if (rowHeights[row] != defaultExtent) {
            rows_.SetExtent(row, rowHeights[row]);
        }
    }
    Relayout();
}

void cuiGrid::SetFixedCols(int count) {
    const int before = FixedCols();
    cols_.SetFixed(count);
    if (FixedCols() != before) {
        ResetToFixed();
    }
}

void cuiGrid::SetFixedRows(int count) {
    const int before = FixedRows();
    rows_.SetFixed(count);
    if (FixedRows() != before) {
        ResetToFixed();
    }
}

void cuiGrid::ResetToFixed() {
    cols_.SetFixed(FixedCols());
    rows_.SetFixed(FixedRows());
    current_ = {FixedCols(), FixedRows()};
    Relayout();
}

void cuiGrid::SetCol(int col) {
    if (col != current_.col) {
        MoveCurrent(col, current_.row, true);
    }
}

void cuiGrid::SetRow(int row) {
    if (row != current_.row) {
        MoveCurrent(current_.col, row, true);
    }
}

void cuiGrid::SetLeftCol(int col) {
    SetTopLeft(col, TopRow());
}

void cuiGrid::SetTopRow(int row) {
    SetTopLeft(LeftCol(), row);
}

int cuiGrid::VisibleColCount() const {
    return std::max(0, cols_.VisibleCount(ClientWidth()));
}

int cuiGrid::VisibleRowCount() const {
    return std::max(0, rows_.VisibleCount(ClientHeight()));
}

void cuiGrid::SetThumbTracking(bool on) {
    horizontalScrollBar()->setTracking(on);
    verticalScrollBar()->setTracking(on);
}

bool cuiGrid::ThumbTracking() const {
    return verticalScrollBar()->hasTracking();
}

void cuiGrid::SetColor(const QColor& color) {
    color_ = color;
    InvalidateGrid();
}

bool cuiGrid::HasScrollBars() const {
    return cols_.MaxFirst(ClientWidth()) > FixedCols() ||
           rows_.MaxFirst(ClientHeight()) > FixedRows();
}

QRect cuiGrid::CellRect(int col, int row) const {
    const int x = cols_.Position(col, ClientWidth());
    const int y = rows_.Position(row, ClientHeight());
    if (x < 0 || y < 0) {
        return {};
    }
    return {x, y, cols_.Extent(col), rows_.Extent(row)};
}

cuiGridCoord cuiGrid::MouseCell(QPoint point) const {
    const int col = cols_.CellAt(point.x(), ClientWidth());
    const int row = rows_.CellAt(point.y(), ClientHeight());
    if (col < 0 || row < 0) {
        return {};
    }
    return {col, row};
}

void cuiGrid::InvalidateCell(int col, int row) {
    const QRect rect = CellRect(col, row);
    if (!rect.isEmpty()) {
        viewport()->update(rect);
    }
}

void cuiGrid::InvalidateGrid() {
    viewport()->update();
}

bool cuiGrid::MoveTo(int col, int row) {
    return MoveCurrent(col, row, true);
}

bool cuiGrid::SelectCell(int col, int row) {
    bool maySelect = true;
    if (OnSelectCell) {
        OnSelectCell(this, col, row, maySelect);
    }
    return maySelect;
}

void cuiGrid::DrawCell(QPainter& painter, int col, int row, const QRect& rect) {
    if (!OnDrawCell) {
        return;
    }
    int state = 0;
    if (col < FixedCols() || row < FixedRows()) {
        state |= GD_Fixed;
    }
    if (cuiGridCoord{col, row} == current_) {
        state |= GD_Selected | (hasFocus() ? GD_Focused : 0);
    }
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    OnDrawCell(this, col, row, rect, state, painter);
    painter.restore();
}

void cuiGrid::TopLeftChanged() {
    if (OnTopLeftChanged) {
        OnTopLeftChanged(this);
    }
}

void cuiGrid::TimedScroll(int direction) {
    if (timedScrollHandler_) {
        timedScrollHandler_(direction);
        return;
    }
    const int dCol = ((direction & SD_Right) ? 1 : 0) - ((direction & SD_Left) ? 1 : 0);
    const int dRow = ((direction & SD_Down) ? 1 : 0) - ((direction & SD_Up) ? 1 : 0);
    const int col = ClampCol(current_.col + dCol);
    const int row = ClampRow(current_.row + dRow);
    if (cuiGridCoord{col, row} != current_) {
        MoveCurrent(col, row, true);
    }
}

bool cuiGrid::MoveCurrent(int col, int row, bool show) {
    if (!cols_.InRange(col) || !rows_.InRange(row) || !SelectCell(col, row)) {
        return false;
    }
    const cuiGridCoord old = current_;
    current_ = {col, row};
    if (show) {
        ClampInView(current_);
    }
    if (old != current_) {
        InvalidateCell(old.col, old.row);
        InvalidateCell(col, row);
    }
    return true;
}

void cuiGrid::ClampInView(cuiGridCoord cell) {
    // A fixed cell is always shown; a scrolled one becomes the first or the last whole cell.
    auto first = [](const cuiGridAxis& axis, int index, int limit) {
        if (index < axis.Fixed()) {
            return axis.First();
        }
        if (index < axis.First()) {
            return index;
        }
        if (index > axis.LastFullVisible(limit)) {
            return axis.FirstShowing(index, limit);
        }
        return axis.First();
    };
    SetTopLeft(first(cols_, cell.col, ClientWidth()), first(rows_, cell.row, ClientHeight()));
}

void cuiGrid::SetTopLeft(int col, int row) {
    const bool colMoved = cols_.SetFirst(col, ClientWidth());
    const bool rowMoved = rows_.SetFirst(row, ClientHeight());
    UpdateScrollBars();
    if (colMoved || rowMoved) {
        InvalidateGrid();
        TopLeftChanged();
    }
}

void cuiGrid::UpdateScrollBars() {
    syncingBars_ = true;
    auto sync = [](QScrollBar* bar, const cuiGridAxis& axis, int limit) {
        bar->setRange(axis.Fixed(), axis.MaxFirst(limit));
        bar->setSingleStep(1);
        bar->setPageStep(std::max(1, axis.VisibleCount(limit)));
        bar->setValue(axis.First());
    };
    sync(horizontalScrollBar(), cols_, ClientWidth());
    sync(verticalScrollBar(), rows_, ClientHeight());
    syncingBars_ = false;
}

void cuiGrid::Relayout() {
    SetTopLeft(LeftCol(), TopRow());
    InvalidateGrid();
}

void cuiGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRegion& dirty = event->region();
    // The class library erased with the grid colour before the cells were drawn.
    for (const QRect& rect : dirty) {
        painter.fillRect(rect, color_);
    }
    rows_.ForEachOnScreen(ClientHeight(), [&](int row, int y, int height) {
        cols_.ForEachOnScreen(ClientWidth(), [&](int col, int x, int width) {
            const QRect rect(x, y, width, height);
            if (dirty.intersects(rect)) {
                DrawCell(painter, col, row, rect);
            }
        });
    });
}

void cuiGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Relayout();
}

void cuiGrid::scrollContentsBy(int, int) {
    // The cells are drawn from the top left, so nothing is scrolled pixel-wise.
    if (!syncingBars_) {
        SetTopLeft(horizontalScrollBar()->value(), verticalScrollBar()->value());
    }
}

void cuiGrid::keyPressEvent(QKeyEvent* event) {
    int key = event->key();
    if (OnKeyDown) {
        OnKeyDown(this, key, event->modifiers());
    }
    if (key != 0) {
        GridKeyDown(key, event->modifiers());
    }
    for (char32_t code : event->text().toUcs4()) {
        // Delete carries a DEL character on some platforms; it is no typed character.
        int character = static_cast<int>(code);
        if (character >= 1 && character != 0x7F && OnKeyPress) {
            OnKeyPress(this, character);
        }
    }
    event->accept();
}

void cuiGrid::keyReleaseEvent(QKeyEvent* event) {
    int key = event->key();
    if (!event->isAutoRepeat() && OnKeyUp) {
        OnKeyUp(this, key, event->modifiers());
    }
    event->accept();
}

void cuiGrid::GridKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    for (const KeyMove& move : kKeyMoves) {
        if (move.key != key || move.ctrl != ctrl) {
            continue;
        }
        if (move.unit == KeyUnit::Scroll) {
            SetTopRow(TopRow() + move.dRow);
            return;
        }
        const int step = move.unit == KeyUnit::Page ? std::max(1, VisibleRowCount()) : 1;
        const int col = ClampCol(current_.col + move.dCol);
        const int row = ClampRow(current_.row + move.dRow * step);
        if (cuiGridCoord{col, row} != current_) {
            MoveCurrent(col, row, true);
        }
        return;
    }
}

void cuiGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    lastMouse_ = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const cuiGridCoord cell = MouseCell(lastMouse_);
        if (IsScrolledCell(cell)) {
            StartSelecting();
            MoveCurrent(cell.col, cell.row, true);
        }
    }
    if (OnMouseDown) {
        OnMouseDown(this, event->button(), event->modifiers(), lastMouse_);
    }
}

void cuiGrid::mouseReleaseEvent(QMouseEvent* event) {
    lastMouse_ = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        StopSelecting();
    }
    if (OnMouseUp) {
        OnMouseUp(this, event->button(), event->modifiers(), lastMouse_);
    }
}

void cuiGrid::mouseMoveEvent(QMouseEvent* event) {
    lastMouse_ = event->position().toPoint();
    if (selecting_) {
        const cuiGridCoord cell = MouseCell(lastMouse_);
        if (IsScrolledCell(cell) && cell != current_) {
            MoveCurrent(cell.col, cell.row, true);
        }
    }
    if (OnMouseMove) {
        OnMouseMove(this, event->buttons(), event->modifiers(), lastMouse_);
    }
}

void cuiGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    lastMouse_ = event->position().toPoint();
    if (OnDblClick) {
        OnDblClick(this);
    }
    if (OnMouseDown) {
        OnMouseDown(this, event->button(), event->modifiers(), lastMouse_);
    }
}

void cuiGrid::focusInEvent(QFocusEvent* event) {
    if (enterHandler_) {
        enterHandler_();
    }
    QAbstractScrollArea::focusInEvent(event);
    InvalidateCell(current_.col, current_.row);
}

void cuiGrid::focusOutEvent(QFocusEvent* event) {
    if (exitHandler_) {
        exitHandler_();
    }
    // A lost focus cancels a drag, whose button release may never arrive here.
    StopSelecting();
    QAbstractScrollArea::focusOutEvent(event);
    InvalidateCell(current_.col, current_.row);
}

void cuiGrid::StartSelecting() {
    selecting_ = true;
    if (!dragTimer_) {
        dragTimer_ = new cmcTask;
        dragTimer_->SetHandler([this](cmcTask*) { DragScrollTick(); });
        dragTimer_->SetInterval(kDragScrollMs);
    }
}

void cuiGrid::StopSelecting() {
    selecting_ = false;
    if (dragTimer_) {
        // A stopped task goes at once (unless this is its own tick), so none is left behind.
        dragTimer_->Stop();
        cmcTask::Dispose(dragTimer_);
    }
}

void cuiGrid::DragScrollTick() {
    if (!selecting_) {
        return;
    }
    int direction = 0;
    if (lastMouse_.x() < cols_.FixedExtent()) {
        direction |= SD_Left;
    } else if (lastMouse_.x() > cols_.FullVisibleBoundary(ClientWidth())) {
        direction |= SD_Right;
    }
    if (lastMouse_.y() < rows_.FixedExtent()) {
        direction |= SD_Up;
    } else if (lastMouse_.y() > rows_.FullVisibleBoundary(ClientHeight())) {
        direction |= SD_Down;
    }
    if (direction != 0) {
        TimedScroll(direction);
    }
}

bool cuiGrid::IsScrolledCell(cuiGridCoord cell) const {
    return cell.col >= FixedCols() && cell.row >= FixedRows();
}

int cuiGrid::ClampCol(int col) const {
    return std::clamp(col, FixedCols(), ColCount() - 1);
}

int cuiGrid::ClampRow(int row) const {
    return std::clamp(row, FixedRows(), RowCount() - 1);
}

int cuiGrid::ClientWidth() const {
    return viewport()->width();
}

int cuiGrid::ClientHeight() const {
    return viewport()->height();
}
