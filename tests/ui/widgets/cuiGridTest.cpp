#include "ui/widgets/cuiGrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <tuple>
#include <vector>

#include "tests/support/VirtualTime.h"
#include "tests/ui/support/TestApp.h"

void PrintTo(const cuiGridCoord& cell, std::ostream* out) {
    *out << "(" << cell.col << "," << cell.row << ")";
}

namespace {

constexpr int kClientWidth = 300;
constexpr int kClientHeight = 200;

// 10 columns of 50 and 20 rows of 20 pixels, one fixed column and row, in a 300 x 200 client
// area: the fixed cells plus 5 whole columns and 9 whole rows fit.
class cuiGridTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testsupport::EnsureTestApp(); }

    cuiGridTest() {
        grid.SetColCount(10);
        grid.SetRowCount(20);
        grid.SetDefaultColWidth(50);
        grid.SetDefaultRowHeight(20);
        grid.SetFixedCols(1);
        grid.SetFixedRows(1);
        const int bar = grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid);
        grid.resize(kClientWidth + bar, kClientHeight + bar);
        grid.show();
        QApplication::setActiveWindow(&grid);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&grid));
        QApplication::processEvents();
    }

    QPoint CentreOf(int col, int row) const { return grid.CellRect(col, row).center(); }

    void SendMouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), grid.viewport()->mapToGlobal(QPointF(at)), button,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &event);
    }
    void Press(QPoint at) {
        SendMouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    }
    void DragTo(QPoint at) { SendMouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
    void Release(QPoint at) { SendMouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, {}); }

    cuiGridCoord Current() const { return {grid.Col(), grid.Row()}; }

    testsupport::VirtualTime time;  // the drag-scroll timer runs on it
    cuiGrid grid;
};

TEST_F(cuiGridTest, FixedCellsStayWhileScrolledCellsFollowTheTopLeft) {
    ASSERT_EQ(grid.viewport()->size(), QSize(kClientWidth, kClientHeight));
    EXPECT_EQ(grid.VisibleColCount(), 5);
    EXPECT_EQ(grid.VisibleRowCount(), 9);
    grid.SetColWidth(2, 80);
    grid.SetLeftCol(2);
    grid.SetTopRow(5);
    struct Case {
        int col, row;
        QRect rect;
    };
    const Case cases[] = {
        {0, 0, {0, 0, 50, 20}},
        {0, 5, {0, 20, 50, 20}},
        {2, 0, {50, 0, 80, 20}},
        {3, 6, {130, 40, 50, 20}},
        {1, 5, {}},
        {2, 4, {}},
        {6, 13, {280, 180, 50, 20}},  // a partly shown cell keeps its whole size
        {7, 5, {}},                   // starts past the client area
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid.CellRect(c.col, c.row), c.rect) << c.col << "," << c.row;
        if (!c.rect.isEmpty()) {
            EXPECT_EQ(grid.MouseCell(c.rect.topLeft()), (cuiGridCoord{c.col, c.row}));
        }
    }
    EXPECT_EQ(grid.MouseCell({-1, 10}), cuiGridCoord{});
    EXPECT_EQ(grid.MouseCell({10, kClientHeight}), cuiGridCoord{});
    EXPECT_EQ(grid.VisibleColCount(), 4);  // 80 + 50 + 50 + 50 after the fixed 50
}

TEST_F(cuiGridTest, SizesAndFixedCellsFollowTheClassLibraryRules) {
    grid.SetColWidth(3, 90);
    grid.SetDefaultColWidth(40);
    EXPECT_EQ(grid.ColWidth(3), 40);  // a new default resets every column
    grid.SetRowHeight(4, -3);
    EXPECT_EQ(grid.RowHeight(4), 0);

    grid.SetFixedCols(9);
    EXPECT_EQ(grid.FixedCols(), 9);
    grid.SetColCount(3);
    EXPECT_EQ(grid.FixedCols(), 2);  // at least one column stays unfixed
    grid.SetFixedCols(1);
    grid.SetLeftCol(2);
    grid.MoveTo(2, 7);
    grid.SetFixedRows(2);  // the top left and the current cell go back to the fixed edge
    EXPECT_EQ(Current(), (cuiGridCoord{1, 2}));
    EXPECT_EQ(grid.LeftCol(), 1);
    EXPECT_EQ(grid.TopRow(), 2);
    grid.SetRowCount(0);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.FixedRows(), 0);
    EXPECT_EQ(grid.Row(), 0);
}

// The extents of a whole sheet at once: the default for every cell, the given sizes over it
// (a negative one is 0, one past the last row or column is left out), and scroll bars that
// count with them.
TEST_F(cuiGridTest, ExtentsSetAtOnceLayTheGridOutOnce) {
    grid.SetColWidth(5, 90);
    grid.SetExtents(30, {30, 120, -4}, std::vector<int>(21, 10));
    EXPECT_EQ(grid.DefaultColWidth(), 30);
    EXPECT_EQ(grid.ColWidth(1), 120);
    EXPECT_EQ(grid.ColWidth(2), 0);
    EXPECT_EQ(grid.ColWidth(5), 30);
    EXPECT_EQ(grid.DefaultRowHeight(), 30);
    EXPECT_EQ(grid.RowHeight(19), 10);
    QApplication::processEvents();
    EXPECT_FALSE(grid.verticalScrollBar()->isVisible());  // 20 rows of 10 fit the 200 pixels
    EXPECT_TRUE(grid.horizontalScrollBar()->isVisible());
}

TEST_F(cuiGridTest, ScrollBarsMoveTheTopLeftByWholeCells) {
    std::vector<std::pair<int, int>> moves;
    grid.OnTopLeftChanged = [&](cuiGrid* g) { moves.emplace_back(g->LeftCol(), g->TopRow()); };
    QScrollBar* bar = grid.verticalScrollBar();
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), 11);  // rows 11 to 19 fill the 180 pixels below the fixed row
    EXPECT_EQ(bar->pageStep(), 9);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(grid.TopRow(), 10);
    grid.horizontalScrollBar()->setValue(3);
    EXPECT_EQ(grid.LeftCol(), 3);
    grid.SetTopRow(50);
    EXPECT_EQ(grid.TopRow(), 11);
    EXPECT_EQ(bar->value(), 11);
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{1, 10}, {3, 10}, {3, 11}}));
}

TEST_F(cuiGridTest, ThumbTrackingScrollsWhileTheThumbIsDragged) {
    QScrollBar* bar = grid.verticalScrollBar();
    for (bool tracking : {false, true}) {
        grid.SetThumbTracking(tracking);
        grid.SetTopRow(1);
        bar->setSliderDown(true);
        bar->setSliderPosition(6);
        EXPECT_EQ(grid.TopRow(), tracking ? 6 : 1) << tracking;
        bar->setSliderDown(false);
        EXPECT_EQ(grid.TopRow(), 6) << tracking;
    }
}

TEST_F(cuiGridTest, ScrollBarsAppearOnlyWhenCellsDoNotFit) {
    EXPECT_TRUE(grid.HasScrollBars());
    grid.SetColCount(3);
    grid.SetRowCount(4);
    QApplication::processEvents();
    EXPECT_FALSE(grid.HasScrollBars());
    EXPECT_FALSE(grid.verticalScrollBar()->isVisible());
    grid.SetRowHeight(2, 500);
    QApplication::processEvents();
    EXPECT_TRUE(grid.HasScrollBars());
}

TEST_F(cuiGridTest, MovesGoThroughTheSelectCallbackAndShowTheCell) {
    std::vector<cuiGridCoord> asked;
    grid.OnSelectCell = [&](cuiGrid*, int col, int row, bool& maySelect) {
        asked.push_back({col, row});
        maySelect = col != 4;
    };
    EXPECT_FALSE(grid.MoveTo(4, 2));
    EXPECT_EQ(Current(), (cuiGridCoord{1, 1}));
    EXPECT_TRUE(grid.MoveTo(8, 15));
    EXPECT_EQ(Current(), (cuiGridCoord{8, 15}));
    EXPECT_EQ(grid.LeftCol(), 4);  // 4 to 8 fill the width after the fixed column
    EXPECT_EQ(grid.TopRow(), 7);
    EXPECT_TRUE(grid.MoveTo(0, 3));  // a fixed cell may be chosen by the owner; no scrolling
    EXPECT_EQ(grid.LeftCol(), 4);
    EXPECT_EQ(grid.TopRow(), 3);
    grid.SetCol(0);  // already there: not asked
    grid.SetRow(5);
    EXPECT_FALSE(grid.MoveTo(10, 0));  // outside the grid: not asked
    EXPECT_EQ(asked, (std::vector<cuiGridCoord>{{4, 2}, {8, 15}, {0, 3}, {0, 5}}));
}

TEST_F(cuiGridTest, KeyDownCanBeSwallowedAndTypedCharactersFollow) {
    std::vector<int> downs, ups, typed;
    bool swallow = false;
    grid.OnKeyDown = [&](cuiGrid*, int& key, Qt::KeyboardModifiers) {
        downs.push_back(key);
        if (swallow) {
            key = 0;
        }
    };
    grid.OnKeyUp = [&](cuiGrid*, int& key, Qt::KeyboardModifiers) { ups.push_back(key); };
    grid.OnKeyPress = [&](cuiGrid*, int& character) { typed.push_back(character); };

    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(Current(), (cuiGridCoord{1, 2}));
    QTest::keyClick(&grid, Qt::Key_Down, Qt::ControlModifier);  // scrolls, keeps the cell
    EXPECT_EQ(Current(), (cuiGridCoord{1, 2}));
    EXPECT_EQ(grid.TopRow(), 2);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    EXPECT_EQ(Current(), (cuiGridCoord{1, 11}));
    swallow = true;
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(Current(), (cuiGridCoord{1, 11}));
    QTest::keyClick(&grid, Qt::Key_Return);  // swallowing the key still types its character
    QTest::keyClick(&grid, Qt::Key_A);
    EXPECT_EQ(downs, (std::vector<int>{Qt::Key_Down, Qt::Key_Control, Qt::Key_Down,
                                       Qt::Key_PageDown, Qt::Key_Up, Qt::Key_Return, Qt::Key_A}));
    EXPECT_EQ(ups, (std::vector<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Control, Qt::Key_PageDown,
                                     Qt::Key_Up, Qt::Key_Return, Qt::Key_A}));
    EXPECT_EQ(typed, (std::vector<int>{13, 'a'}));
}

TEST_F(cuiGridTest, ClicksFocusSelectAndReachTheOwner) {
    std::vector<std::string> log;
    grid.clearFocus();
    grid.SetEnterHandler([&] { log.push_back("enter"); });
    grid.SetExitHandler([&] { log.push_back("exit"); });
    grid.OnSelectCell = [&](cuiGrid*, int col, int row, bool&) {
        log.push_back("select " + std::to_string(col) + "," + std::to_string(row));
    };
    grid.OnMouseDown = [&](cuiGrid* g, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint at) {
        const cuiGridCoord cell = g->MouseCell(at);
        log.push_back((button == Qt::LeftButton ? "down " : "other down ") +
                      std::to_string(cell.col) + "," + std::to_string(cell.row));
    };
    grid.OnMouseUp = [&](cuiGrid*, Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {
        log.push_back("up");
    };
    grid.OnDblClick = [&](cuiGrid*) { log.push_back("double"); };

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CentreOf(3, 4));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CentreOf(0, 6));  // fixed: no move
    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, CentreOf(2, 2));
    SendMouse(QEvent::MouseButtonDblClick, CentreOf(3, 4), Qt::LeftButton, Qt::LeftButton);
    grid.clearFocus();
    EXPECT_EQ(Current(), (cuiGridCoord{3, 4}));
    EXPECT_EQ(log,
              (std::vector<std::string>{"enter", "select 3,4", "down 3,4", "up", "down 0,6", "up",
                                        "other down 2,2", "up", "double", "down 3,4", "exit"}));
}

TEST_F(cuiGridTest, DraggingFollowsTheMouseAndScrollsOnTimerTicks) {
    std::vector<int> directions;
    grid.SetTimedScrollHandler([&](int direction) { directions.push_back(direction); });
    Press(CentreOf(2, 2));
    DragTo(CentreOf(3, 5));
    EXPECT_EQ(Current(), (cuiGridCoord{3, 5}));
    time.Advance(60 * 3);
    EXPECT_TRUE(directions.empty());                  // inside the whole cells: nothing to scroll
    DragTo({kClientWidth + 10, kClientHeight + 30});  // right of and below the whole cells
    time.Advance(60 * 2);
    DragTo({10, 10});  // over the fixed corner
    time.Advance(60);
    Release({10, 10});
    time.Advance(60 * 5);
    EXPECT_EQ(directions,
              (std::vector<int>{SD_Right | SD_Down, SD_Right | SD_Down, SD_Left | SD_Up}));
}

TEST_F(cuiGridTest, DragScrollWithoutAHandlerMovesTheCurrentCell) {
    Press(CentreOf(2, 8));
    DragTo({100, kClientHeight + 10});
    time.Advance(60 * 4);
    Release({100, kClientHeight + 10});
    EXPECT_EQ(Current(), (cuiGridCoord{2, 12}));
    EXPECT_EQ(grid.TopRow(), 4);
}

// Each cell paints itself in a colour made from its position.
QColor CellColour(int col, int row) {
    return QColor(20 * col, 10 * row, 200);
}

TEST_F(cuiGridTest, PaintsOnlyCellsOnScreenThroughTheDrawCallback) {
    QImage plain = grid.viewport()->grab().toImage();
    grid.SetColor(Qt::darkGreen);
    EXPECT_EQ(grid.viewport()->grab().toImage().pixelColor(100, 100), QColor(Qt::darkGreen));
    EXPECT_NE(plain.pixelColor(100, 100), QColor(Qt::darkGreen));  // nothing drawn by default

    grid.SetColCount(6);  // 50 + 5 x 50 fills the width exactly; rows leave room below
    grid.SetRowCount(8);
    grid.SetLeftCol(1);
    QApplication::processEvents();
    std::vector<std::tuple<int, int, int>> drawn;
    grid.OnDrawCell = [&](cuiGrid* g, int col, int row, const QRect& rect, int state,
                          QPainter& painter) {
        EXPECT_EQ(rect, g->CellRect(col, row));
        drawn.emplace_back(col, row, state);
        // Paints far beyond the cell: the clip keeps every neighbour intact.
        painter.fillRect(rect.adjusted(-30, -30, 30, 30), CellColour(col, row));
    };
    const QImage image = grid.viewport()->grab().toImage();
    EXPECT_EQ(drawn.size(), 6u * 8u);
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), std::make_tuple(0, 0, int(GD_Fixed))), 1);
    EXPECT_EQ(
        std::count(drawn.begin(), drawn.end(), std::make_tuple(1, 1, GD_Selected | GD_Focused)), 1);
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), std::make_tuple(3, 4, 0)), 1);
    for (auto [col, row] : {std::pair{0, 0}, {1, 3}, {4, 7}, {5, 2}}) {
        const QRect rect = grid.CellRect(col, row);
        EXPECT_EQ(image.pixelColor(rect.topLeft()), CellColour(col, row)) << col << "," << row;
        EXPECT_EQ(image.pixelColor(rect.bottomRight()), CellColour(col, row)) << col << "," << row;
    }
    EXPECT_EQ(image.pixelColor(10, 8 * 20 + 5), QColor(Qt::darkGreen));  // below the last row
}

TEST_F(cuiGridTest, InvalidateCellRepaintsThatCellAlone) {
    std::vector<cuiGridCoord> drawn;
    grid.OnDrawCell = [&](cuiGrid*, int col, int row, const QRect&, int, QPainter&) {
        drawn.push_back({col, row});
    };
    grid.SetLeftCol(3);
    QApplication::processEvents();
    drawn.clear();
    grid.InvalidateCell(3, 4);
    grid.InvalidateCell(5, 7);
    grid.InvalidateCell(2, 4);  // scrolled out of view: nothing to paint
    QApplication::processEvents();
    EXPECT_EQ(drawn, (std::vector<cuiGridCoord>{{3, 4}, {5, 7}}));
}

}  // namespace
