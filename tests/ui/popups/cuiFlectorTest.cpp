// The pop-up choice list, opened by Enter on a choice cell of a sheet and answering into the
// document image through the dispatcher: where it opens, how a value is chosen or left, what
// closes it, and lists of several columns and larger than the screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "common/CurrentEvMan.h"
#include "common/cmcGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/memmap/ItemRegistry.h"
#include "radio/memmap/items/ItemGroups.h"
#include "tests/support/ScopedInstall.h"
#include "tests/ui/support/CallingSheet.h"
#include "tests/ui/support/MainRig.h"
#include "tests/ui/support/ProgramFolder.h"
#include "tests/ui/support/UiRig.h"
#include "ui/paint/TreeImages.h"
#include "ui/popups/cuiFlector.h"
#include "ui/popups/cuiPopups.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/indMain.h"

namespace {

using namespace memmap;

constexpr int kBandAddress = 600;
constexpr int kToneAddress = 601;
constexpr int kLongAddress = 602;
constexpr int kAbcAddress = 603;

constexpr ItemRow kChoiceRows[] = {
    Choice(CL_Comm_RS232C_Mode, Byte(kBandAddress), "Sel_Band"),
    Choice(CL_Comm_RS232C_SPPED, Byte(kToneAddress), "Sel_Tone"),
    Choice(CL_Comm_Scrm_Type, Byte(kLongAddress), "Sel_Long"),
    AbcCode(CL_Comm_Scrm_GroupCode, Byte(kAbcAddress)),
};

// The choice cells, and the list entries as the program shows them.
const ItemRegistry& Rows() {
    static const ItemRegistry rows{ItemRegistry::Group(kChoiceRows), ListCommandRows()};
    return rows;
}

#define FONT "(Font=DEFAULT_CHARSET,Liberation Sans,clWindowText,-13,,,)"
#define ENTRY(value, caption) "{S<-WH(%Flex0[" #value "])}" caption "|"

std::vector<const char*> TableLines() {
    std::vector<const char*> lines = {
        "#Cal_Style", "", "#Cal_BasicCell", "{<-" FONT "(Color=clWindow)}", "#Cal_Cells",
        "{<-WH}Band|{SWH(%CL_Comm_RS232C_Mode)}MMMMMMMM|",
        "{<-WH}Tone|{SWH(%CL_Comm_RS232C_SPPED)}MMMMMMMM|",
        "{<-WH}Long|{SWH(%CL_Comm_Scrm_Type)}MMMMMMMM|",
        "{<-WH}Code|{SWH(%CL_Comm_Scrm_GroupCode)}MMMMMMMM|",
        // Four bands, one a line.
        "#Sel_Band_Style", "", "#Sel_Band_BasicCell", "{<-" FONT "(Color=clWindow)}",
        "#Sel_Band_Cells", ENTRY(0, "VHF Low"), ENTRY(1, "VHF High"), ENTRY(2, "UHF"),
        ENTRY(3, "800 MHz"),
        // Twelve tones in three columns, read column by column.
        "#Sel_Tone_Style", "", "#Sel_Tone_BasicCell", "{<-" FONT "(Color=clWindow)}",
        "#Sel_Tone_Cells", ENTRY(0, "67.0") ENTRY(4, "94.8") ENTRY(8, "123.0"),
        ENTRY(1, "71.9") ENTRY(5, "100.0") ENTRY(9, "131.8"),
        ENTRY(2, "77.0") ENTRY(6, "107.2") ENTRY(10, "141.3"),
        ENTRY(3, "82.5") ENTRY(7, "114.8") ENTRY(11, "151.4"),
        // More lines than a screen holds.
        "#Sel_Long_Style", "", "#Sel_Long_BasicCell", "{<-" FONT "(Color=clWindow)}",
        "#Sel_Long_Cells", ":(LoopFrom 80)", "{S<-WH(%Flex0[0])}Channel|", ":(LoopTo)",
        // A code, in two steps: "Code" opens the list of codes.
        "#GI_Sheet_Sel_RxC_AbcSel_Style", "", "#GI_Sheet_Sel_RxC_AbcSel_BasicCell",
        "{<-" FONT "(Color=clWindow)}", "#GI_Sheet_Sel_RxC_AbcSel_Cells", ENTRY(0, "Off"),
        ENTRY(1, "Code"), "#GI_Sheet_Sel_RxC_AbcCode_Style", "",
        "#GI_Sheet_Sel_RxC_AbcCode_BasicCell", "{<-" FONT "(Color=clWindow)}",
        "#GI_Sheet_Sel_RxC_AbcCode_Cells", "{S<-WH(%Flex1[1])}A|{S<-WH(%Flex1[2])}B|",
        "{S<-WH(%Flex1[3])}C|{S<-WH(%Flex1[4])}D|", "#End_Of_Ovl"};
    return lines;
}

using testsupport::ChildOf;

using testsupport::Settle;

// The value of the list's current entry.
int Current(const cuiFlector& list) {
    const cuiGridCoord at = list.Sheet()->CurrentCell();
    return list.Sheet()->Cells().At(at.col, at.row).cell.index;
}

// The calling window and the list as the screen shows them, when MERROW_FLECTOR_SHOTS names a
// folder.
void Shot(QWidget& host, cuiFlector& list, const std::string& name) {
    const char* folder = std::getenv("MERROW_FLECTOR_SHOTS");
    if (!folder) {
        return;
    }
    const QRect area = host.frameGeometry().united(list.geometry()).adjusted(-8, -8, 8, 8);
    QImage shot(area.size(), QImage::Format_RGB32);
    shot.fill(QColor(0x3A, 0x6E, 0xA5));
    QPainter painter(&shot);
    painter.drawPixmap(host.pos() - area.topLeft(), host.grab());
    painter.drawPixmap(list.pos() - area.topLeft(), list.grab());
    painter.end();
    shot.save(QString::fromStdString(std::string(folder) + "/" + name + ".png"));
}

constexpr int kValueCol = 1;
constexpr int kBandRow = 0;
constexpr int kToneRow = 1;
constexpr int kLongRow = 2;
constexpr int kAbcRow = 3;

class Flector : public ::testing::Test {
protected:
    Flector() {
        rig.shell.popupHost = &popups;
        table.SetLines(lines.data(), static_cast<int>(lines.size()));
        host.move(100, 100);
        calling.Build(table, "Cal", Rows(), QSize(240, 90), &images);
    }

    int Value(int address) const { return rig.shell.image.GetByte(address); }

    // Enter on the value cell of the row; the list it opened, once it is the active window.
    cuiFlector* Open(int row) {
        sheet->GoToCell(kValueCol, row);
        QTest::keyClick(sheet->Grid(), Qt::Key_Return);
        return ActiveList();
    }
    cuiFlector* List() const {
        cuiFlector* list = ChildOf<cuiFlector>(sheet->Grid());
        return list && list->isVisible() ? list : nullptr;
    }
    cuiFlector* ActiveList() const {
        cuiFlector* list = List();
        return list && QTest::qWaitFor([list] { return list->isActiveWindow(); }) ? list : nullptr;
    }
    QRect CallingCell() const {
        const cuiGrid* grid = sheet->Grid();
        const QRect cell = grid->CellRect(grid->Col(), grid->Row());
        return {grid->viewport()->mapToGlobal(cell.topLeft()), cell.size()};
    }

    testsupport::UiRig rig;
    std::vector<const char*> lines = TableLines();
    cmcGTex table;
    testsupport::ScopedMainGTex tableInstalled{&table};
    cuiPopups popups{table, Rows()};
    const cuiImageList images = TreeImages();
    testsupport::CallingSheet calling;
    QWidget& host = calling.host;
    std::unique_ptr<cuiSheet>& sheet = calling.sheet;
};

TEST_F(Flector, OpensBelowTheCellWithTheValueCurrent) {
    rig.shell.image.SetByte(kBandAddress, 2);
    cuiFlector* list = Open(kBandRow);
    ASSERT_TRUE(list);
    EXPECT_EQ(Current(*list), 2);
    const QRect cell = CallingCell();
    EXPECT_EQ(list->geometry().top(), cell.bottom() + 1);
    EXPECT_EQ(list->geometry().left(), cell.left() + 8);
    EXPECT_TRUE(list->Sheet()->Grid()->hasFocus());
    EXPECT_EQ(list->Sheet()->Images(), &images) << "the marks of the calling sheet";
    Shot(host, *list, "band");
    QTest::keyClick(list->Sheet()->Grid(), Qt::Key_Escape);
}

// Near the edges of the work area the list opens above the cell, flush with the bottom, or
// left of the cell, and always inside the work area.
TEST_F(Flector, NearTheScreensEdgesTheListStaysInsideTheWorkArea) {
    const QRect area = host.screen()->availableGeometry();
    const struct Case {
        const char* name;
        int row;
        QPoint hostAt;  // from the work area's bottom right
        bool above;
    } cases[] = {
        {"bottom", kBandRow, {-500, -60}, true},
        {"bottom right", kBandRow, {-250, -60}, true},
        {"right", kBandRow, {-250, -500}, false},
        {"tall list at the right", kLongRow, {-100, -300}, false},
    };
    for (const Case& c : cases) {
        host.move(area.bottomRight() + c.hostAt);
        QApplication::processEvents();
        cuiFlector* list = Open(c.row);
        ASSERT_TRUE(list) << c.name;
        const QRect placed = list->geometry();
        const QRect cell = CallingCell();
        ASSERT_TRUE(area.contains(cell.topLeft())) << c.name;
        EXPECT_TRUE(area.contains(placed)) << c.name;
        if (c.above) {
            EXPECT_EQ(placed.bottom(), cell.top() - 1) << c.name;
        }
        if (c.row == kLongRow) {
            EXPECT_EQ(placed.height(), area.height()) << c.name;
            EXPECT_EQ(placed.right(), cell.left() - 1) << c.name;  // no room below or above
        }
        Shot(host, *list, c.name);
        QTest::keyClick(list->Sheet()->Grid(), Qt::Key_Escape);
        Settle();
    }
}

// Arrow keys move over the entries (round from the last to the first, as every entry shows);
// Enter hands the current one back and closes the list.
TEST_F(Flector, TheKeyboardChoosesAndEnterHandsTheValueBack) {
    const struct Case {
        int start;
        std::vector<Qt::Key> keys;
        int chosen;
    } cases[] = {
        {1, {}, 1},
        {1, {Qt::Key_Down}, 2},
        {0, {Qt::Key_Up}, 3},
        {3, {Qt::Key_Down, Qt::Key_Down}, 1},
        {2, {Qt::Key_Space, Qt::Key_A, Qt::Key_Backspace}, 2},  // no other key chooses
    };
    for (const Case& c : cases) {
        rig.shell.image.SetByte(kBandAddress, static_cast<uint8_t>(c.start));
        cuiFlector* list = Open(kBandRow);
        ASSERT_TRUE(list);
        for (const Qt::Key key : c.keys) {
            QTest::keyClick(list->Sheet()->Grid(), key);
        }
        EXPECT_TRUE(List());
        EXPECT_EQ(Value(kBandAddress), c.start);
        QTest::keyClick(list->Sheet()->Grid(), Qt::Key_Return);
        EXPECT_EQ(Value(kBandAddress), c.chosen);
        EXPECT_FALSE(List());
        Settle();
        EXPECT_FALSE(ChildOf<cuiFlector>(sheet->Grid()));
    }
    EXPECT_GT(rig.shell.modifiedUpdates, 0);
}

// The mouse makes the entry under it current; a click or a double click hands it back.
TEST_F(Flector, TheMouseChoosesWithAClickOrADoubleClick) {
    for (const bool doubleClick : {false, true}) {
        rig.shell.image.SetByte(kBandAddress, 0);
        cuiFlector* list = Open(kBandRow);
        ASSERT_TRUE(list);
        const int updates = rig.shell.modifiedUpdates;
        cuiGrid* grid = list->Sheet()->Grid();
        const auto inList = [&](int row) {
            return grid->viewport()->mapTo(list, grid->CellRect(0, row).center());
        };
        QTest::mouseMove(list->windowHandle(), inList(1));
        QTest::mouseMove(list->windowHandle(), inList(2));
        EXPECT_EQ(Current(*list), 2);
        const QPoint at = grid->CellRect(0, 3).center();
        QTest::mouseMove(list->windowHandle(), inList(3));
        if (doubleClick) {
            // Its first click already chooses; the rest of it finds the list gone.
            QTest::mouseDClick(list->windowHandle(), Qt::LeftButton, {},
                               grid->viewport()->mapTo(list, at));
        } else {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        }
        EXPECT_EQ(Value(kBandAddress), 3) << doubleClick;
        EXPECT_EQ(rig.shell.modifiedUpdates, updates + 1) << "one answer";
        EXPECT_FALSE(List());
        Settle();
    }
}

// An answer may open the next list of two steps while the first closes.
TEST_F(Flector, AnAnswerOpensTheSecondListOfTwo) {
    cuiFlector* first = Open(kAbcRow);
    ASSERT_TRUE(first);
    EXPECT_EQ(Current(*first), 0);
    QTest::keyClick(first->Sheet()->Grid(), Qt::Key_Down);
    QTest::keyClick(first->Sheet()->Grid(), Qt::Key_Return);
    EXPECT_FALSE(first->isVisible());
    Settle();
    cuiFlector* second = ActiveList();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->Sheet()->GetName(), "GI_Sheet_Sel_RxC_AbcCode");
    EXPECT_EQ(Value(kAbcAddress), 0);
    QTest::keyClick(second->Sheet()->Grid(), Qt::Key_Right);
    QTest::keyClick(second->Sheet()->Grid(), Qt::Key_Return);
    EXPECT_EQ(Value(kAbcAddress), 2);
    Settle();
    EXPECT_FALSE(ChildOf<cuiFlector>(sheet->Grid()));
}

// A double click on the calling cell opens the list; its last release is no choice.
TEST_F(Flector, ADoubleClickOnTheCellOpensTheList) {
    rig.shell.image.SetByte(kBandAddress, 1);
    sheet->GoToCell(kValueCol, kBandRow);
    const cuiGrid* grid = sheet->Grid();
    const QPoint at = grid->viewport()->mapTo(&host, grid->CellRect(kValueCol, kBandRow).center());
    QTest::mouseDClick(host.windowHandle(), Qt::LeftButton, {}, at);
    cuiFlector* list = ActiveList();
    ASSERT_TRUE(list);
    EXPECT_EQ(Current(*list), 1);
    QTest::keyClick(list->Sheet()->Grid(), Qt::Key_Down);
    QTest::keyClick(list->Sheet()->Grid(), Qt::Key_Return);
    EXPECT_EQ(Value(kBandAddress), 2);
}

// Esc, a click beside the list, a close request and the calling sheet going close the list
// without an answer.
TEST_F(Flector, EscAClickElsewhereAndCloseRequestsLeaveTheValue) {
    enum class Way { Esc, ClickElsewhere, ClosePopups, CallerGoes };
    for (const Way way : {Way::Esc, Way::ClickElsewhere, Way::ClosePopups, Way::CallerGoes}) {
        rig.shell.image.SetByte(kBandAddress, 1);
        cuiFlector* list = Open(kBandRow);
        ASSERT_TRUE(list);
        QTest::keyClick(list->Sheet()->Grid(), Qt::Key_Down);
        switch (way) {
            case Way::Esc:
                QTest::keyClick(list->Sheet()->Grid(), Qt::Key_Escape);
                break;
            case Way::ClickElsewhere:
                // The window clicked becomes the active one.
                QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
                QApplication::setActiveWindow(&host);
                EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
                break;
            case Way::ClosePopups:
                rig.bus->Send(EV_ClosePopups);
                break;
            case Way::CallerGoes:
                sheet.reset();
                break;
        }
        if (sheet) {
            EXPECT_FALSE(List()) << static_cast<int>(way);
        }
        Settle();
        EXPECT_EQ(Value(kBandAddress), 1) << static_cast<int>(way);
        if (sheet) {
            EXPECT_FALSE(ChildOf<cuiFlector>(sheet->Grid()));
        }
    }
}

// A list of several columns shows them all, read column by column: Right moves a column on,
// Down an entry on, and both go round at the ends.
TEST_F(Flector, AListOfSeveralColumns) {
    rig.shell.image.SetByte(kToneAddress, 5);
    cuiFlector* list = Open(kToneRow);
    ASSERT_TRUE(list);
    cuiGrid* grid = list->Sheet()->Grid();
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_FALSE(grid->HasScrollBars());
    EXPECT_FALSE(grid->verticalScrollBar()->isVisible());
    for (int col = 0; col < 3; ++col) {
        EXPECT_FALSE(grid->CellRect(col, 3).isEmpty()) << "every cell shows";
    }
    EXPECT_EQ(Current(*list), 5);
    Shot(host, *list, "tones");
    const struct Step {
        Qt::Key key;
        int value;
    } steps[] = {
        {Qt::Key_Right, 9}, {Qt::Key_Right, 1}, {Qt::Key_Down, 2},
        {Qt::Key_Down, 3},  {Qt::Key_Down, 0},  {Qt::Key_Left, 8},
    };
    for (const Step& step : steps) {
        QTest::keyClick(grid, step.key);
        EXPECT_EQ(Current(*list), step.value);
    }
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(Value(kToneAddress), 8);
}

// A list larger than the work area is held inside it with both scroll bars, opens with its
// value in view, and its arrow keys stop at the ends.
TEST_F(Flector, AListLargerThanTheWorkAreaScrolls) {
    const QRect area = host.screen()->availableGeometry();
    rig.shell.image.SetByte(kLongAddress, 60);
    cuiFlector* list = Open(kLongRow);
    ASSERT_TRUE(list);
    cuiGrid* grid = list->Sheet()->Grid();
    EXPECT_EQ(grid->RowCount(), 80);
    EXPECT_LE(list->height(), area.height());
    EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
    EXPECT_TRUE(grid->horizontalScrollBar()->isVisible());
    EXPECT_EQ(Current(*list), 60);
    EXPECT_FALSE(grid->CellRect(0, 60).isEmpty()) << "the value is in view";
    list->Sheet()->GoToCell(0, 79);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(Current(*list), 79);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(Value(kLongAddress), 79);
}

// The program's own: in the main window, a choice cell of a common-settings sheet opened from
// the tree opens its list from the joined table, and the chosen entry lands in the image.
TEST(ProgramFlector, AChoiceInTheMainWindowLandsInTheImage) {
    constexpr int kPortByte = 376;
    testsupport::ProgramFolder folder;
    testsupport::MainRig rig;
    rig.Start();
    rig.main->ChangeModel(MT_VaskPmr, true);  // the type with the port mode
    cmcEeprom& image = rig.main->CurrentImage();
    image.SetByte(kPortByte, 0x15);  // 4800 bit/s, data terminal
    rig.Choose(rig.Node("[St_Common]GI_Sheet_Common_SerialPort"));
    cuiSheet* sheet = rig.main->OpenedSheet();
    ASSERT_TRUE(sheet);
    const cuiSheetCells& cells = sheet->Cells();
    for (int row = 0; row < cells.Rows(); ++row) {
        for (int col = 0; col < cells.Cols(); ++col) {
            if (cells.At(col, row).cell.item == CL_Comm_RS232C_Mode) {
                sheet->GoToCell(col, row);
            }
        }
    }
    QTest::keyClick(sheet->Grid(), Qt::Key_Return);
    cuiFlector* list = ChildOf<cuiFlector>(sheet->Grid());
    ASSERT_TRUE(list);
    ASSERT_TRUE(QTest::qWaitFor([list] { return list->isActiveWindow(); }));
    cuiGrid* grid = list->Sheet()->Grid();
    EXPECT_EQ(grid->RowCount(), 4);
    for (int row = 0; row < grid->RowCount(); ++row) {
        EXPECT_GE(grid->RowHeight(row), QFontMetrics(grid->font()).height()) << row;
    }
    EXPECT_EQ(Current(*list), 1);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    Shot(*rig.form, *list, "main-window");
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(image.GetByte(kPortByte), 0x35);
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(rig.main->IsModified());
    Settle();
    EXPECT_EQ(rig.boxes.boxes.size(), 1u) << "the model change's question only";
}

}  // namespace
