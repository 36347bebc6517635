#include "ui/sheet/cuiSheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTest>
#include <cstdlib>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "common/CurrentEvMan.h"
#include "common/cmcGTex.h"
#include "platform/Clock.h"
#include "radio/cells/CellCodes.h"
#include "radio/memmap/ItemRegistry.h"
#include "tests/support/FakeShell.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedInstall.h"
#include "tests/support/VirtualTime.h"
#include "tests/ui/support/TestApp.h"
#include "ui/paint/ColourMapping.h"
#include "ui/paint/cuiImageList.h"

// Defined with the grid's tests.
void PrintTo(const cuiGridCoord& cell, std::ostream* out);

namespace {

// Sheets of a small table: "Chan" is a channel list with a header row and a numbered column,
// the others show one rule each.
const char* const kTable[] = {
    "#Chan_Style",
    "(TitleString=Channels)(FixedCols=1)(FixedRows=1)(MultiSelect=Line)",
    "#Chan_BasicCell",
    "{<-(Font=,Liberation Sans,clWindowText,-13,,,)}",
    "#Chan_Cells",
    "{^-WH(Color=clBtnFace)}No.|{^-WB(Color=clBtnFace)}Name|{^-WB(Color=clBtnFace)}Frequency|"
    "{^-WB(Color=clBtnFace)}Tone|",
    ":(LoopFrom 6)",
    "{^-HB(Color=clBtnFace)(%CT_Null.CL_Misc_ChNo_1Base[0])}000|"
    "{S<-WB(%CT_Null.CL_FBits[0])}MMMMMMMM|{S>-WB(%CT_Null.CL_Misc_ChNo_0Base[0])}000.00000|"
    "{^-B(Color=clInfoBk)}-|",
    ":(LoopTo)",
    "#Loop_Style",
    "",
    "#Loop_BasicCell",
    "",
    "#Loop_Cells",
    ":(LoopFrom 3)",
    "{S(%CT_Null.CL_FBits[1])}a|{S}b|",
    "{S}c|{S}d|",
    ":(LoopTo)",
    ":(LoopFrom 1)",
    "{S}e|",
    ":(LoopTo)",
    ":(LoopFrom 0)",
    "{S}f|",
    ":(LoopTo)",
    "#Inner_Style",
    "(FixedCols=9)(MultiSelect=line)(NoPrintNow)",
    "#Inner_BasicCell",
    "",
    "#Inner_Cells",
    ":(LoopFrom 2)",
    "{S}a|{S}b|",
    ":(SelectOFF)|x|x|x|x|x|x|",
    "{S}c|",
    ":(LoopTo)",
    "#Empty_Style",
    "",
    "#Empty_BasicCell",
    "",
    "#Empty_Cells",
    ":(SelectON)",
    "#Pop_Style",
    "",
    "#Pop_BasicCell",
    "{S}",
    "#Pop_Cells",
    "{(%CT_Null.CL_FBits[0])}zero|",
    "{(%CT_Null.CL_FBits[1])}one|",
    "{(%CT_Null.CL_FBits[2])}two|",
    "#Join_Style",
    "",
    "#Join_BasicCell",
    "{<-}",
    "#Join_Cells",
    "{SWB}WWWWWWWWWWWWWWWWWWWW|{+}|{SB}x|{T}tail|",
    "#Print_Style",
    "(PrintFontRatio=50)",
    "#Print_BasicCell",
    "{(Font=,,,-16,,,)}",
    "#Print_Cells",
    "{S}a|",
    "#Menu_Style",
    "",
    "#Menu_BasicCell",
    "{(PopupMenu=PM_Cell)}",
    "#Menu_Cells",
    "{S(%CT_Null.CL_FBits[0])}|{S(%CT_Null.CL_FBits[1])(PopupMenu=PM_Other)}|{S(%CT_Null.CL_FBits["
    "2])}|",
    "#PM_Cell_BasicCell",
    "{(%CT_PopupMenu.)}",
    "#PM_Cell_Body",
    "+Edit...\t{(%CL_PMenu_Edit:Enter)}",
    "+Copy\t{(%CL_PMenu_Copy:Ctrl+C)}",
    "#PM_Other_BasicCell",
    "{(%CT_PopupMenu.)}",
    "#PM_Other_Body",
    "+Help\t{(%CL_PMenu_Help:F1)}",
    "#",
    "#Marked_Style",
    "",
    "#Marked_BasicCell",
    "{(Font=,Liberation Sans,clWindowText,-13,,,)}",
    "#Marked_Cells",
    "{S>-WH(%CT_Null.CL_FBits[0])}145.52500|{S<-WH(%CT_Null.CL_FBits[1])}Channel 1|",
    "{S>-WH(%CT_Null.CL_FBits[2])}145.52500|{S<-WH(%CT_Null.CL_FBits[3])}Channel 1|",
    "#Plain_Style",
    "",
    "#Plain_BasicCell",
    "",
    "#Plain_Cells",
    "a|b|",
    "#Over_Style",
    "(TitleString=Over)(FixedRows=99999999999)",
    "#Over_BasicCell",
    "",
    "#Over_Cells",
    "a|",
    "#Derived_Style",
    "(TitleString=Bank)",
    "#Derived_BasicCell",
    "{S}",
    "#Derived_Cells",
    ":(Only_Paper 1)",
    "Paper|",
    "Head|",
    ":(LoopFrom)",
    "{(%CT_Null.CL_FBits[@ch0])}|",
    ":(LoopTo)",
    "#Derived_Title",
    "Channels",
    "#End_Of_Ovl",
};

// The memory map of the tests: a cell shows its code and index.
int ShowIndexRow(ItemContext& context, const ItemRow&) {
    context.capsule.outText = "ch" + std::to_string(context.index);
    return 0;
}

// A text value per index that Enter edits in place.
std::map<int, std::string> names;

int NameRow(ItemContext& context, const ItemRow&) {
    cmcCellCapsule& capsule = context.capsule;
    if (capsule.inputMode == kInputText) {
        names[context.index] = capsule.inText;
        return 0;
    }
    capsule.outText = names[context.index];
    if (capsule.key == kKeyEnter) {
        capsule.selStart = 0;
        capsule.selLength = static_cast<int>(capsule.outText.size());
        return 2;
    }
    return 0;
}

const ItemRow kRows[] = {
    memmap::Special(CL_FBits, NameRow),
    memmap::Special(CL_Misc_ChNo_0Base, ShowIndexRow),
    memmap::Special(CL_Misc_ChNo_1Base, ShowIndexRow),
};
const ItemRegistry kRegistry{kRows};

// Records the repeat-key sleeps of the edit path.
class SleepRecorder : public platform::Clock {
public:
    uint32_t TickCount() override { return 0; }
    void SleepMs(uint32_t ms) override { sleeps.push_back(static_cast<int>(ms)); }
    std::vector<int> sleeps;
};

struct Call {
    int col;
    int row;
    int key;
    int command;
    int inputMode;
    std::string inText;
};

class cuiSheetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testsupport::EnsureTestApp(); }

    cuiSheetTest() {
        table.SetLines(kTable);
        host.resize(420, 260);
    }

    // A sheet whose handler records user actions and renders through the dispatcher.
    cuiSheet& Open(const std::string& name, bool popupList = false,
                   const std::function<void(cuiSheet&)>& configure = {}) {
        sheet.reset();
        sheet = std::make_unique<cuiSheet>(&host, nullptr, wantedItem, wantedIndex, table, name,
                                           imageList);
        sheet->SetPopupListMode(popupList);
        if (configure) {
            configure(*sheet);
        }
        sheet->SetCellHandler([this](cmcCellCapsule& capsule, int notify) {
            if (notify == 0) {
                painted.insert({capsule.cell->item, capsule.cell->index});
                const int result = indActiveCell(kRegistry).DispatchItem(capsule, 0);
                capsule.marks |= paintMarks;
                return result;
            }
            return Act(capsule);
        });
        host.show();
        QApplication::setActiveWindow(&host);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
        sheet->Show();
        sheet->Grid()->setFocus();
        QApplication::processEvents();
        return *sheet;
    }

    int Act(cmcCellCapsule& capsule) {
        const cuiGridCoord at = Find(capsule.cell);
        calls.push_back(
            {at.col, at.row, capsule.key, capsule.command, capsule.inputMode, capsule.inText});
        return respond ? respond(capsule) : 0;
    }

    cuiGridCoord Find(const cmcCellObj* cell) const {
        const cuiSheetCells& cells = sheet->Cells();
        for (int row = 0; row < cells.Rows(); ++row) {
            for (int col = 0; col < cells.Cols(); ++col) {
                if (&cells.At(col, row).cell == cell) {
                    return {col, row};
                }
            }
        }
        return {};
    }

    void Key(int key) { QTest::keyClick(sheet->Grid(), static_cast<Qt::Key>(key)); }
    cuiGridCoord Current() const { return sheet->CurrentCell(); }

    testsupport::VirtualTime time;
    testsupport::RecordingBoxes boxes;
    testsupport::FakeShell shell;
    cmcEvMan bus;
    testsupport::ScopedEvMan busInstalled{&bus};
    cmcGTex table;
    QWidget host;
    std::unique_ptr<cuiSheet> sheet;
    std::set<std::pair<int, int>> painted;
    std::vector<Call> calls;
    std::function<int(cmcCellCapsule&)> respond;
    int wantedItem = 0;
    int wantedIndex = 0;
    const cuiImageList* imageList = nullptr;
    uint8_t paintMarks = 0;
};

QImage RenderCell(cuiSheet& sheet, int col, int row) {
    const QRect rect(0, 0, sheet.Grid()->ColWidth(col), sheet.Grid()->RowHeight(row));
    QImage image(rect.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    sheet.DrawCell(painter, col, row, rect);
    return image;
}

int CountChanged(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            n += a.pixel(x, y) != b.pixel(x, y);
        }
    }
    return n;
}

int CountPixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == colour;
        }
    }
    return count;
}

TEST_F(cuiSheetTest, LoopsRepeatTheirRowsAndOneRowLoopsCountTheIndexUp) {
    cuiSheet& s = Open("Loop");
    // LoopFrom 3 over two rows gives six rows on the same two lines; LoopFrom 1 and 0 add none.
    const std::vector<int> lines = {1, 2, 1, 2, 1, 2, 5, 8};
    ASSERT_EQ(s.Cells().Rows(), static_cast<int>(lines.size()));
    for (size_t row = 0; row < lines.size(); ++row) {
        EXPECT_EQ(s.RowSourceLine(static_cast<int>(row)), lines[row]) << row;
    }
    // The two-row loop parses its rows again: every repeat keeps index 1.
    EXPECT_EQ(s.Cells().At(0, 2).cell.index, 1);
    EXPECT_EQ(s.Cells().At(1, 5).cell.GetCaption(), "d");

    Open("Chan");
    const cuiSheetCells& cells = sheet->Cells();
    ASSERT_EQ(cells.Rows(), 7);
    for (int row = 1; row < 7; ++row) {
        EXPECT_EQ(cells.At(1, row).cell.index, row - 1) << row;
        EXPECT_EQ(cells.At(1, row).cell.item, CL_FBits);
    }
}

TEST_F(cuiSheetTest, StyleItemsAreReadByTheirRules) {
    cuiSheet& chan = Open("Chan");
    EXPECT_EQ(chan.GetTitle(), "Channels");
    EXPECT_EQ(chan.MultiSelect(), MS_Line);
    EXPECT_TRUE(chan.IsPrintable());
    EXPECT_EQ(chan.Grid()->FixedCols(), 1);
    EXPECT_GT(chan.Grid()->ColWidth(1), 8);

    cuiSheet& inner = Open("Inner");
    EXPECT_EQ(inner.MultiSelect(), MS_None);  // "line" is not "Line"
    EXPECT_TRUE(inner.IsPrintable());         // "NoPrintNow" is not NoPrint
    EXPECT_EQ(inner.Grid()->ColCount(), 2);
    EXPECT_EQ(inner.Grid()->FixedCols(), 1);  // FixedCols 9 on two columns
    // Columns without a fitted cell keep the default width of one pixel.
    EXPECT_EQ(inner.Grid()->ColWidth(0), 1);
}

// A loop that takes in a directive line repeats that line as a row; its many cells must not
// reach past the columns counted from the real rows.
TEST_F(cuiSheetTest, ARepeatedDirectiveLineStaysInsideTheCellArray) {
    cuiSheet& s = Open("Inner");
    EXPECT_EQ(s.Cells().Cols(), 2);
    EXPECT_EQ(s.Cells().Rows(), 4);
    EXPECT_TRUE(boxes.fatals.empty());
}

TEST_F(cuiSheetTest, ASheetWithoutRowsIsFatal) {
    EXPECT_THROW(Open("Empty"), platform::FatalError);
    ASSERT_EQ(boxes.fatals.size(), 1u);
    EXPECT_EQ(boxes.fatals[0], "Illegal Cell assign");
}

TEST_F(cuiSheetTest, ArrowsMoveOverSelectableCellsAndRightOnTheLastRunsTheCell) {
    Open("Chan");
    EXPECT_EQ(Current(), (cuiGridCoord{1, 1}));
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), (cuiGridCoord{1, 2}));
    Key(Qt::Key_Right);
    EXPECT_EQ(Current(), (cuiGridCoord{2, 2}));
    EXPECT_TRUE(calls.empty());
    Key(Qt::Key_Right);  // column 3 holds nothing selectable
    EXPECT_EQ(Current(), (cuiGridCoord{2, 2}));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].key, 0x2700);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Current(), (cuiGridCoord{2, 6}));
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Current(), (cuiGridCoord{2, 1}));
    Key(Qt::Key_F5);
    EXPECT_EQ(calls.back().key, 0x7400);
    QTest::keyClicks(sheet->Grid(), "7");
    EXPECT_EQ(calls.back().key, '7');
}

TEST_F(cuiSheetTest, APopupListWrapsOnSingleStepsOnly) {
    host.resize(200, 300);
    Open("Pop", true);
    ASSERT_FALSE(sheet->Grid()->HasScrollBars());
    EXPECT_EQ(Current(), (cuiGridCoord{0, 0}));
    Key(Qt::Key_Up);
    EXPECT_EQ(Current(), (cuiGridCoord{0, 2}));
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), (cuiGridCoord{0, 0}));
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Current(), (cuiGridCoord{0, 2}));
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Current(), (cuiGridCoord{0, 2}));
    // Only Enter reaches the handler, as the answer to the list's caller.
    QTest::keyClicks(sheet->Grid(), "x");
    EXPECT_TRUE(calls.empty());
    Key(Qt::Key_Return);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].inputMode, kInputPopupAnswer);
    EXPECT_FALSE(host.isVisible());
}

TEST_F(cuiSheetTest, RepeatKeysSleepLessEachPassAndARedirectThatFindsNothingEnds) {
    SleepRecorder clock;
    const testsupport::ScopedClock installed(&clock);
    Open("Chan");
    int passes = 0;
    respond = [&](cmcCellCapsule& capsule) {
        capsule.repeatKey = ++passes < 8 ? 'x' : 0;
        return 0;
    };
    sheet->RunCell(1, 1, 'a', 0);
    EXPECT_EQ(passes, 8);
    EXPECT_EQ(clock.sleeps, (std::vector<int>{30, 24, 18, 12, 6}));

    // The redirect lands on the cell it names, which then runs with the repeat key.
    calls.clear();
    respond = [&](cmcCellCapsule& capsule) {
        if (capsule.key == 'b') {
            capsule.redirect = 1;
            capsule.redirectCategory = CT_Null;
            capsule.redirectItem = CL_FBits;
            capsule.redirectIndex = 3;
            capsule.repeatKey = 'c';
        }
        return 0;
    };
    sheet->RunCell(1, 1, 'b', 0);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(Current(), (cuiGridCoord{1, 4}));
    EXPECT_EQ(calls[1].col, 1);
    EXPECT_EQ(calls[1].row, 4);
    EXPECT_EQ(calls[1].key, 'c');

    // A redirect to a cell that is not on the sheet would repeat for ever.
    calls.clear();
    respond = [](cmcCellCapsule& capsule) {
        capsule.redirect = 1;
        capsule.redirectItem = CL_Mch_FreqR;
        capsule.repeatKey = capsule.key;
        return 0;
    };
    sheet->RunCell(1, 4, 'd', 0);
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(cuiSheetTest, TheInPlaceEditorCommitsOnEnterArrowsAndPagesAndEscDiscards) {
    Open("Chan");
    respond = [](cmcCellCapsule& capsule) {
        if (capsule.key == kKeyEnter && capsule.inputMode == kInputKey) {
            capsule.outText = "old";
            return 2;
        }
        return 0;
    };
    struct Case {
        int key;
        bool commits;
        cuiGridCoord after;
    };
    const Case cases[] = {
        {Qt::Key_Escape, false, {1, 3}},  {Qt::Key_Return, true, {1, 3}},
        {Qt::Key_Down, true, {1, 4}},     {Qt::Key_Up, true, {1, 2}},
        {Qt::Key_PageDown, true, {1, 6}}, {Qt::Key_PageUp, true, {1, 1}},
    };
    for (const Case& c : cases) {
        sheet->GoToCell(1, 3);
        calls.clear();
        Key(Qt::Key_Return);
        ASSERT_TRUE(sheet->EditorShowing()) << c.key;
        QPlainTextEdit* editor = sheet->Editor();
        EXPECT_EQ(editor->toPlainText(), "old");
        editor->selectAll();
        QTest::keyClicks(editor, "145");
        QTest::keyClick(editor, static_cast<Qt::Key>(c.key));
        EXPECT_FALSE(sheet->EditorShowing()) << c.key;
        ASSERT_EQ(calls.size(), c.commits ? 2u : 1u) << c.key;
        if (c.commits) {
            EXPECT_EQ(calls[1].inputMode, kInputText);
            EXPECT_EQ(calls[1].inText, "145");
            EXPECT_EQ(calls[1].row, 3);
        }
        EXPECT_EQ(Current(), c.after) << c.key;
    }
}

TEST_F(cuiSheetTest, RedrawFlagsRepaintTheCellsTheySelect) {
    Open("Chan");
    cmcCellObj reference;
    reference.category = CT_Null;
    reference.item = CL_FBits;
    reference.index = 2;
    cmcCellCapsule capsule;
    capsule.cell = &reference;
    using Painted = std::set<std::pair<int, int>>;
    const int one = CL_Misc_ChNo_1Base;
    const int zero = CL_Misc_ChNo_0Base;
    const int bits = CL_FBits;
    struct Case {
        int flags;
        Painted expected;
    };
    const Case cases[] = {
        {RD_SameCell, {{bits, 2}}},
        {RD_SameItem, {{bits, 0}, {bits, 1}, {bits, 2}, {bits, 3}, {bits, 4}, {bits, 5}}},
        {RD_SameIndex, {{one, 2}, {bits, 2}, {zero, 2}}},
        {RD_NeighbourIndex,
         {{one, 1},
          {bits, 1},
          {zero, 1},
          {one, 2},
          {bits, 2},
          {zero, 2},
          {one, 3},
          {bits, 3},
          {zero, 3}}},
        {RD_IndexFrom | RD_SameCell,
         {{one, 4},
          {bits, 4},
          {zero, 4},
          {one, 5},
          {bits, 5},
          {zero, 5},
          {one, 2},
          {bits, 2},
          {zero, 2},
          {one, 3},
          {bits, 3},
          {zero, 3}}},
    };
    for (const Case& c : cases) {
        QApplication::processEvents();
        painted.clear();
        sheet->OnCellsChanged(capsule, c.flags);
        QApplication::processEvents();
        EXPECT_EQ(painted, c.expected) << c.flags;
    }
    // A change of index 5 beyond the visible rows selects none of them.
    bus.Send(EV_RedrawIndexCells, 0, 40);
    painted.clear();
    QApplication::processEvents();
    EXPECT_TRUE(painted.empty());
}

// The cell painter shows the dispatcher's text: a cell whose item renders "ch3" paints like a
// cell whose caption is "ch3".
TEST_F(cuiSheetTest, APaintedCellShowsTheDispatchersText) {
    Open("Chan");
    cuiSheet& s = *sheet;
    auto render = [&](int col, int row) { return RenderCell(s, col, row); };
    const QImage rendered = render(2, 4);
    const_cast<cmcCellObj&>(s.Cells().At(2, 4).cell).item = kItemNone;
    const_cast<cmcCellObj&>(s.Cells().At(2, 4).cell).SetCaption("ch3");
    EXPECT_EQ(rendered, render(2, 4));
    const_cast<cmcCellObj&>(s.Cells().At(2, 4).cell).SetCaption("ch4");
    EXPECT_NE(rendered, render(2, 4));
}

TEST_F(cuiSheetTest, ShowStartsAtTheWantedOrRememberedCell) {
    wantedItem = CL_Misc_ChNo_0Base;
    wantedIndex = 4;
    Open("Chan");
    EXPECT_EQ(Current(), (cuiGridCoord{2, 5}));
    host.resize(420, 110);
    Open("Chan", false, [](cuiSheet& s) { s.SetSavedPosition(1, 3, 1, 2); });
    EXPECT_EQ(Current(), (cuiGridCoord{1, 3}));
    EXPECT_EQ(sheet->Grid()->TopRow(), 2);
    // A remembered cell off the sheet is forgotten.
    Open("Chan", false, [](cuiSheet& s) { s.SetSavedPosition(9, 3, 1, 1); });
    EXPECT_EQ(Current(), (cuiGridCoord{2, 5}));
    Open("Plain");
    EXPECT_FALSE(sheet->Grid()->isEnabled());
}

// With MultiSelect Line, Shift extends the marks, whole rows are line-marked, and the handler
// is told the range of indices; a handler can also ask for a range to be marked.
TEST_F(cuiSheetTest, ShiftExtendsLineMarksAndTheHandlerSeesTheRange) {
    Open("Chan");
    QTest::keyClick(sheet->Grid(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(sheet->Grid(), Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_TRUE(sheet->MarksExist());
    const cuiSheetCells& cells = sheet->Cells();
    for (int row = 1; row < 7; ++row) {
        const bool inRange = row <= 3;
        EXPECT_EQ(cells.At(1, row).Has(kCellMarked), inRange) << row;
        EXPECT_EQ(cells.At(2, row).Has(kCellLineMarked), inRange) << row;
        EXPECT_FALSE(cells.At(0, row).Has(kCellLineMarked)) << row;  // the fixed column
    }
    cmcCellCapsule seen;
    respond = [&](cmcCellCapsule& capsule) {
        seen = capsule;
        capsule.selFlags |= kSelMarkLines;
        capsule.selLow = 3;
        capsule.selHigh = 5;
        return 0;
    };
    Key(Qt::Key_F2);
    EXPECT_TRUE(seen.selFlags & kSelRange);
    EXPECT_EQ(seen.selLow, 0);
    EXPECT_EQ(seen.selHigh, 2);
    for (int row = 1; row < 7; ++row) {
        EXPECT_EQ(cells.At(2, row).Has(kCellLineMarked), row >= 4) << row;
    }
    // A plain move clears every mark.
    Key(Qt::Key_Up);
    EXPECT_FALSE(sheet->MarksExist());
    EXPECT_FALSE(cells.At(2, 5).Has(kCellLineMarked));
}

TEST_F(cuiSheetTest, TheBusClosesTheEditorAndAsksForTheCurrentCell) {
    Open("Chan");
    respond = [](cmcCellCapsule& capsule) {
        capsule.outText = "old";
        return capsule.inputMode == kInputKey ? 2 : 0;
    };
    Key(Qt::Key_Return);
    ASSERT_TRUE(sheet->EditorShowing());
    sheet->Editor()->insertPlainText(QString(2000, 'x'));
    EXPECT_EQ(sheet->Editor()->toPlainText().size(), 1024);
    sheet->Editor()->setPlainText("old");
    bus.Send(EV_ClosePopups);
    EXPECT_FALSE(sheet->EditorShowing());
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].inText, "old");

    EXPECT_EQ(bus.Query(EV_QueryCurrentCell, 0), nullptr);
    const cmcEvAns* answer =
        bus.Query(EV_QueryCurrentCell, reinterpret_cast<intptr_t>(sheet->PopupMenu()));
    ASSERT_NE(answer, nullptr);
    const auto* cell = reinterpret_cast<const cmcCellObj*>(answer->pointerAnswer);
    EXPECT_EQ(cell->GetCellId(), (CellId{CT_Null, CL_FBits, 0}));
}

TEST_F(cuiSheetTest, ADoubleClickRunsTheCurrentCellAsEnter) {
    Open("Chan");
    QWidget* viewport = sheet->Grid()->viewport();
    const QPoint other = sheet->Grid()->CellRect(2, 3).center();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, other);
    EXPECT_EQ(Current(), (cuiGridCoord{2, 3}));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, other);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].key, kKeyDoubleClick);
    // A click on a cell that is not selectable leaves the cursor.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, sheet->Grid()->CellRect(3, 4).center());
    EXPECT_EQ(Current(), (cuiGridCoord{2, 3}));
}

// On paper a coloured cell turns dark grey with white text, white cells keep a black bottom
// line, and an error mark is a black cross drawn as a polygon (no icons on paper).
TEST_F(cuiSheetTest, PrintingPaintsGreyOrWhiteWithPolygonMarks) {
    QImage paper(100, 100, QImage::Format_RGB32);
    paper.setDotsPerMeterY(static_cast<int>(240 / 0.0254));  // 240 dpi: everything twice as big
    cuiImageList images;
    imageList = &images;
    Open("Chan", false, [&](cuiSheet& s) { s.SetPrinter(&paper); });
    const QImage header = RenderCell(*sheet, 1, 0);
    EXPECT_EQ(header.pixel(0, 0), qRgb(0x60, 0x60, 0x60));
    EXPECT_GT(CountPixels(header, qRgb(255, 255, 255)), 0);  // the caption

    const QImage plain = RenderCell(*sheet, 1, 2);
    EXPECT_EQ(plain.pixel(plain.width() / 2, plain.height() - 1), qRgb(0, 0, 0));
    const int textOnly = CountPixels(plain, qRgb(0, 0, 0));
    paintMarks = kMarkError;
    const QImage marked = RenderCell(*sheet, 1, 2);
    EXPECT_GT(CountPixels(marked, qRgb(0, 0, 0)), textOnly + 10);
}

// A joined cell shows its anchor's text over the joined width; a tail cell is highlighted with
// the cell it belongs to. The column rule of a lined cell stands only where no cell is joined
// to it, nor a tail.
TEST_F(cuiSheetTest, JoinedCellsCarryTheAnchorsTextAndTailsItsHighlight) {
    Open("Join");
    ASSERT_EQ(Current(), (cuiGridCoord{0, 0}));
    sheet->Grid()->SetColWidth(0, 20);
    sheet->Grid()->SetColWidth(1, 40);
    sheet->Grid()->SetColWidth(2, 20);
    sheet->Grid()->SetRowHeight(0, 20);
    const QImage joined = RenderCell(*sheet, 1, 0);
    const QRgb rule = qRgb(0x80, 0x80, 0x80);
    EXPECT_EQ(joined.pixel(joined.width() - 1, 0), rule);
    const QImage anchor = RenderCell(*sheet, 0, 0);
    EXPECT_NE(anchor.pixel(anchor.width() - 1, 0), rule);
    const QImage beforeTail = RenderCell(*sheet, 2, 0);
    EXPECT_NE(beforeTail.pixel(beforeTail.width() - 1, 0), rule);
    const_cast<cmcCellObj&>(sheet->Cells().At(0, 0).cell).SetCaption("");
    EXPECT_NE(joined, RenderCell(*sheet, 1, 0));
    const QRgb highlight = ToQColor(0x8000000D, sheet->Grid()->palette()).rgb();
    EXPECT_NE(RenderCell(*sheet, 3, 0).pixel(0, 0), highlight);
    Key(Qt::Key_Right);
    EXPECT_EQ(Current(), (cuiGridCoord{2, 0}));
    EXPECT_EQ(RenderCell(*sheet, 3, 0).pixel(0, 0), highlight);
}

// The template's font: the layout's, scaled by the View percentage or set by the host, and
// scaled again by the print ratio on paper.
TEST_F(cuiSheetTest, TheTemplateFontFollowsTheViewTheHostAndThePrintRatio) {
    cuiSheet::SetViewFontPercentage(150);
    Open("Print");
    EXPECT_EQ(sheet->Template().font->height, -24);
    cuiSheet::SetViewFontPercentage(100);
    Open("Print", false, [](cuiSheet& s) { s.SetFontHeight(-10); });
    EXPECT_EQ(sheet->Template().font->height, -10);
    QImage paper(10, 10, QImage::Format_RGB32);
    Open("Print", false, [&](cuiSheet& s) { s.SetPrinter(&paper); });
    EXPECT_EQ(sheet->Template().font->height, -8);
}

// Dragging below the grid moves the cursor one selectable row a tick, extending the marks.
TEST_F(cuiSheetTest, ADragBelowTheGridScrollsTheCursorByTicks) {
    host.resize(420, 110);
    Open("Chan");
    QWidget* viewport = sheet->Grid()->viewport();
    const QPoint start = sheet->Grid()->CellRect(1, 1).center();
    const QPoint below(start.x(), viewport->height() + 5);
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), viewport->mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    };
    send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, below, Qt::NoButton, Qt::LeftButton);
    const int row = Current().row;
    time.Advance(60);
    EXPECT_EQ(Current().row, row + 1);
    time.Advance(60);
    EXPECT_EQ(Current().row, row + 2);
    EXPECT_TRUE(sheet->MarksExist());
    send(QEvent::MouseButtonRelease, below, Qt::LeftButton, {});
    time.Advance(120);
    EXPECT_EQ(Current().row, row + 2);
}

// A host sized to the sheet's natural size shows every cell without scroll bars.
TEST_F(cuiSheetTest, TheNaturalSizeShowsEveryCell) {
    host.resize(120, 90);
    Open("Chan");
    ASSERT_TRUE(sheet->Grid()->HasScrollBars());
    host.resize(sheet->NaturalWidth(), sheet->NaturalHeight());
    QApplication::processEvents();
    EXPECT_FALSE(sheet->Grid()->HasScrollBars());
    EXPECT_FALSE(sheet->Grid()->CellRect(3, 6).isEmpty());
}

// Through the dispatcher: Enter opens the editor on the value, Enter again stores the typed
// text, and the changed cell is repainted with it.
TEST_F(cuiSheetTest, ASheetEditsAValueThroughTheDispatcher) {
    names = {{0, "Base"}, {1, "Mobile"}};
    Open("Chan");
    sheet->SetCellHandler([this](cmcCellCapsule& capsule, int notify) {
        if (notify == 0) {
            painted.insert({capsule.cell->item, capsule.cell->index});
        }
        return indActiveCell(kRegistry).DispatchItem(capsule, notify);
    });
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    ASSERT_TRUE(sheet->EditorShowing());
    EXPECT_EQ(sheet->Editor()->toPlainText(), "Mobile");
    EXPECT_EQ(sheet->Editor()->textCursor().selectedText(), "Mobile");
    QTest::keyClicks(sheet->Editor(), "Relay");
    QApplication::processEvents();
    painted.clear();
    QTest::keyClick(sheet->Editor(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(names[1], "Relay");
    EXPECT_EQ(names[0], "Base");
    EXPECT_TRUE(painted.count({CL_FBits, 1}));
    EXPECT_FALSE(painted.count({CL_FBits, 3}));
    EXPECT_EQ(Current(), (cuiGridCoord{1, 2}));
    EXPECT_TRUE(sheet->Grid()->hasFocus());
}

struct MenuEvents {
    std::vector<std::pair<int, std::string>> seen;
};

void RecordMenuEvents(void* data, const cmcEvent& event) {
    if (event.type == EV_ClearSubMenu || event.type == EV_BuildSubMenu) {
        EXPECT_EQ(event.B, 17);
        static_cast<MenuEvents*>(data)->seen.push_back({event.type, event.Text()});
    }
}

// The focused grid's current cell offers its pop-up menu, mirrored in the Edit menu; a new
// menu is built only when the cell's menu differs, and an entry runs the cell with its command.
TEST_F(cuiSheetTest, TheCurrentCellsPopupMenuIsBuiltAndMirroredAndItsEntriesRunTheCell) {
    MenuEvents events;
    bus.AddListener(RecordMenuEvents, &events);
    Open("Menu");
    using Seen = std::vector<std::pair<int, std::string>>;
    EXPECT_EQ(events.seen, (Seen{{EV_ClearSubMenu, ""}, {EV_BuildSubMenu, "PM_Cell"}}));
    ASSERT_EQ(sheet->PopupMenu()->actions().size(), 2);
    events.seen.clear();
    Key(Qt::Key_Right);
    EXPECT_EQ(events.seen, (Seen{{EV_ClearSubMenu, ""}, {EV_BuildSubMenu, "PM_Other"}}));
    events.seen.clear();
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    Key(Qt::Key_Left);
    EXPECT_EQ(events.seen.size(), 6u);  // each move changes the menu
    events.seen.clear();

    // (Copy is greyed: the cell holds no record the list edits reach.)
    ASSERT_EQ(Current(), (cuiGridCoord{0, 0}));
    EXPECT_FALSE(sheet->PopupMenu()->actions().at(1)->isEnabled());
    sheet->PopupMenu()->actions().at(0)->trigger();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].key, 0);
    EXPECT_EQ(calls[0].command, CL_PMenu_Edit);
    EXPECT_TRUE(events.seen.empty());

    // A right click makes the cell under the mouse current and pops its menu up.
    QMenu* menu = sheet->PopupMenu();
    QTest::mouseClick(sheet->Grid()->viewport(), Qt::RightButton, {},
                      sheet->Grid()->CellRect(1, 0).center());
    EXPECT_EQ(Current(), (cuiGridCoord{1, 0}));
    EXPECT_TRUE(menu->isVisible());
    ASSERT_EQ(menu->actions().size(), 1);
    menu->hide();
    // The keyboard's menu request pops it up only once a key went up since the last click.
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(5, 5),
                              sheet->Grid()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(sheet->Grid(), &request);
    EXPECT_FALSE(menu->isVisible());
    Key(Qt::Key_Shift);
    QApplication::sendEvent(sheet->Grid(), &request);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();

    // An entry whose command moves the cursor to a cell with another menu replaces the menu
    // it was clicked in.
    Key(Qt::Key_Left);
    ASSERT_EQ(menu->actions().size(), 2);
    respond = [](cmcCellCapsule& capsule) {
        capsule.redirect = 1;
        capsule.redirectCategory = CT_Null;
        capsule.redirectItem = CL_FBits;
        capsule.redirectIndex = 1;
        return 0;
    };
    menu->actions().at(0)->trigger();
    EXPECT_EQ(Current(), (cuiGridCoord{1, 0}));
    EXPECT_EQ(menu->actions().size(), 1);
    QApplication::processEvents();  // the replaced items go now
}

void RecordDestroyed(void* data, const cmcEvent& event) {
    if (event.type == EV_ControlDestroyed) {
        *static_cast<intptr_t*>(data) = event.B;
    }
}

TEST_F(cuiSheetTest, GoingAwayTellsThePopUpsOfItsGridEvenAfterItsParentWent) {
    intptr_t destroyed = 0;
    bus.AddListener(RecordDestroyed, &destroyed);
    auto parent = std::make_unique<QWidget>();
    auto own = std::make_unique<cuiSheet>(parent.get(), nullptr, 0, 0, table, "Chan");
    own->Show();
    const auto grid = reinterpret_cast<intptr_t>(own->Grid());
    own->SetCellHandler([](cmcCellCapsule& capsule, int) { return capsule.key == 13 ? 2 : 0; });
    parent->show();
    QApplication::setActiveWindow(parent.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(parent.get()));
    own->RunCell(1, 1, kKeyEnter, 0);
    ASSERT_TRUE(own->EditorShowing());
    ASSERT_TRUE(own->Editor()->hasFocus());
    parent.reset();
    own.reset();
    EXPECT_EQ(destroyed, grid);
}

// Layout numbers are outside input: one that overflows ends the program, naming its line.
TEST_F(cuiSheetTest, AnOverflowingStyleNumberIsTheFatalLayoutError) {
    EXPECT_THROW(Open("Over"), platform::FatalError);
    ASSERT_EQ(boxes.fatals.size(), 1u);
    EXPECT_EQ(boxes.fatals[0],
              "Illegal Cell assign\nOver_Style: (TitleString=Over)(FixedRows=99999999999)");
}

// A sheet built as the channel-bank and model-conditional sheets are: its slots override the
// base's and reach the reading, the cell array, the channel variables and the title through
// the protected accessors. Its "(LoopFrom)" repeats a row per channel (one more on screen),
// "(Only_Paper N)" skips N lines on screen, channels count from 10, and the cell array keeps
// two spare rows.
class ChannelSheet : public cuiSheet {
public:
    using cuiSheet::cuiSheet;

    void Show() override {
        cuiSheet::Show();
        TitleLabel()->setText(QString::fromStdString(GetTitle()));
    }
    std::string GetTitle() override {
        return cuiSheet::GetTitle() + " " + Table().GetLine("Derived_Title", 0);
    }

protected:
    void DoDirective(std::string_view item) override {
        if (item == "LoopFrom") {
            RowReader().StartLoop(Printing() ? 2 : 3);
        } else if (item.starts_with("Only_Paper") && !Printing()) {
            RowReader().SkipLines(RowReader().NumberAfter(item, "Only_Paper").value_or(0));
        } else {
            cuiSheet::DoDirective(item);
        }
    }
    void BuildCells() override {
        LoadBasicCell();
        ReadRows("Derived_Cells");
        CellArray().Reset(Grid()->ColCount(), Grid()->RowCount() + 2);
        PlaceCells("Derived_Cells");
    }
    void OnRowStart(int row) override {
        if (row == 1) {
            ChannelVariables()[0] = 10;
        }
    }
};

TEST_F(cuiSheetTest, ADerivedSheetOverridesTheSlotsThroughTheAccessors) {
    ChannelSheet own(&host, nullptr, 0, 0, table, "Derived");
    own.Show();
    const QLabel* title = host.findChild<QLabel*>();
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Bank Channels");
    ASSERT_EQ(own.Grid()->RowCount(), 4);
    EXPECT_EQ(own.Cells().Rows(), 6);
    EXPECT_EQ(own.RowSourceLine(0), 2);
    EXPECT_EQ(own.Cells().At(0, 0).cell.GetCaption(), "Head");
    for (int row = 1; row < 4; ++row) {
        EXPECT_EQ(own.Cells().At(0, row).cell.index, row + 9) << row;
    }
    EXPECT_EQ(own.CurrentCell(), (cuiGridCoord{0, 0}));

    QImage paper(10, 10, QImage::Format_RGB32);
    QWidget printHost;
    ChannelSheet printed(&printHost, nullptr, 0, 0, table, "Derived");
    printed.SetPrinter(&paper);
    printed.Show();
    EXPECT_EQ(printed.Grid()->RowCount(), 4);
    EXPECT_EQ(printed.Cells().At(0, 0).cell.GetCaption(), "Paper");
}

// A warning or error mark sits beside the value it marks, in the room its column keeps for
// it, at the size of the text: a value as wide as the column's widest text keeps every pixel.
TEST_F(cuiSheetTest, MarksNeverCoverTheValueTheyMark) {
    cuiImageList images;
    for (int i = 0; i < 10; ++i) {
        images.Add(host.style()->standardIcon(i == 9 ? QStyle::SP_MessageBoxCritical
                                                     : QStyle::SP_MessageBoxWarning));
    }
    imageList = &images;
    names = {{2, "145.52500"}, {3, "Channel 1"}};
    Open("Marked");  // row 1 is not the current row, so its cells are drawn as values are
    for (int col : {0, 1}) {
        SCOPED_TRACE(col);
        paintMarks = 0;
        const QImage plain = RenderCell(*sheet, col, 1);
        for (uint8_t mark : {kMarkWarning, kMarkError}) {
            paintMarks = mark;
            const QImage marked = RenderCell(*sheet, col, 1);
            int text = 0;
            int changed = 0;
            for (int y = 0; y < plain.height(); ++y) {
                for (int x = 0; x < plain.width(); ++x) {
                    if (qGray(plain.pixel(x, y)) < 128) {
                        ++text;
                        changed += marked.pixel(x, y) != plain.pixel(x, y);
                    }
                }
            }
            EXPECT_GT(text, 30);
            EXPECT_EQ(changed, 0) << "text pixels the mark covers";
            EXPECT_GT(CountChanged(plain, marked), 40) << "the mark is drawn";
        }
    }
}

// Not a check: renders the channel sheet, with two marked lines and warning marks, to the PNG
// file that MERROW_SHEET_SCREENSHOT names, for a person to look at.
TEST_F(cuiSheetTest, Screenshots) {
    const char* path = std::getenv("MERROW_SHEET_SCREENSHOT");
    if (!path) {
        GTEST_SKIP() << "MERROW_SHEET_SCREENSHOT not set";
    }
    cuiImageList images;
    for (int i = 0; i < 10; ++i) {
        images.Add(host.style()->standardIcon(i == 9 ? QStyle::SP_MessageBoxCritical
                                                     : QStyle::SP_MessageBoxWarning));
    }
    imageList = &images;
    paintMarks = kMarkWarning;
    names = {{0, "Base"}, {1, "Mobile"}, {2, "Relay"}, {3, "Depot"}, {4, "Yard"}, {5, "Spare"}};
    Open("Chan");
    Key(Qt::Key_Down);
    QTest::keyClick(sheet->Grid(), Qt::Key_Down, Qt::ShiftModifier);
    QApplication::processEvents();
    const QPixmap shot = host.grab();
    EXPECT_TRUE(shot.scaled(shot.size() * 2).save(QString::fromLocal8Bit(path)));
}

}  // namespace
