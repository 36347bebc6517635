// The bit-set editor, opened from a sheet's bit-field cells through the dispatcher and
// answering into the document image.
#include "ui/popups/cuiFBitsR.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "common/cmcGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/memmap/ItemRegistry.h"
#include "radio/memmap/indActiveCell.h"
#include "tests/support/ProgramTable.h"
#include "tests/support/ScopedInstall.h"
#include "tests/ui/support/CallingSheet.h"
#include "tests/ui/support/UiRig.h"
#include "ui/sheet/cuiSheet.h"

namespace {

// Scan lists 1..10 in a word, shown 1..9, 0; compare digits 1..7 in the top bits of a byte.
constexpr int kListsAddress = 0x300;
constexpr int kDigitsAddress = 0x302;
constexpr ItemRow kRows[] = {
    memmap::BitField(CL_Mch_Scan, memmap::Word(kListsAddress),
                     {.firstLabel = 1, .lastLabel = 10, .labelStyle = 2}),
    memmap::BitField(CL_5TRx_CompareDigit, memmap::Byte(kDigitsAddress),
                     {.firstLabel = 1, .lastLabel = 7}),
};

const ItemRegistry& Rows() {
    static const ItemRegistry rows{ItemRegistry::Group(kRows)};
    return rows;
}

constexpr const char* kCallingCells =
    "{SWH(%CT_Null.CL_Mch_Scan)}MMMMMMMMMM|{SWH(%CT_Null.CL_5TRx_CompareDigit)}MMMMMMM|";
constexpr int kListsCol = 0;
constexpr int kDigitsCol = 1;

// The pop-ups of the program as far as this editor goes.
class BitSetHost : public PopupHost {
public:
    void OpenBitSetEditor(const cmcCellCapsule& capsule, const BitSet& request) override {
        cuiFBitsR::Open(capsule, testsupport::ProgramTable(), request, Rows());
    }
};

using testsupport::ChildOf;
using testsupport::Settle;

class BitSetEditor : public ::testing::Test {
protected:
    BitSetEditor() {
        rig.shell.popupHost = &popups;
        SetLists(0x201);  // lists 1 and 10
    }

    int Lists() const {
        const uint8_t* bytes = rig.shell.image.GetData() + kListsAddress;
        return bytes[0] << 8 | bytes[1];
    }
    void SetLists(int value) {
        const uint8_t bytes[] = {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
        rig.shell.image.WriteBlock(kListsAddress, bytes, 2);
    }
    int Digits() const { return rig.shell.image.GetData()[kDigitsAddress]; }

    // Enter on a cell of the calling sheet; the editor it opened, active.
    cuiFBitsR* Open(int col = kListsCol) {
        calling.Press(col, 0);
        cuiFBitsR* form = ChildOf<cuiFBitsR>(calling.sheet->Grid());
        if (form) {
            QApplication::setActiveWindow(form);
            EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        }
        return form;
    }
    bool EditorOpen() const {
        const cuiFBitsR* form = ChildOf<cuiFBitsR>(calling.sheet->Grid());
        return form && form->isVisible();
    }

    // Column of bit m in the editor's sheet.
    static int BitCol(int m) { return 2 * m - 1; }
    static constexpr int kBitRow = 3;

    testsupport::UiRig rig;
    testsupport::ScopedMainGTex tableInstalled{&testsupport::ProgramTable()};
    BitSetHost popups;
    testsupport::CallingSheet calling{kCallingCells, Rows(), {300, 80}};
};

// How the editor shows itself: a label over each bit, a check mark in each set bit's cell.
TEST_F(BitSetEditor, OpensBesideTheCellWithLabelsAndTheSetBitsChecked) {
    cuiFBitsR* form = Open();
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    const QRect callingCell = calling.sheet->Grid()->CellRect(kListsCol, 0);
    EXPECT_EQ(
        form->pos(),
        calling.sheet->Grid()->viewport()->mapToGlobal(callingCell.bottomLeft()) + QPoint(8, 1))
        << "below the calling cell, 8 pixels in";
    EXPECT_EQ(form->Value(), 0x201);
    cuiSheet* bits = form->Sheet();
    for (int m = 1; m <= 10; ++m) {
        EXPECT_EQ(bits->Cells().At(BitCol(m), 1).cell.GetCaption(), std::to_string(m % 10));
    }
    EXPECT_EQ(bits->CurrentCell(), (cuiGridCoord{BitCol(1), kBitRow}));
    EXPECT_TRUE(bits->Grid()->hasFocus());
    // The whole sheet shows, and the buttons below it.
    EXPECT_FALSE(bits->Grid()->CellRect(BitCol(10), kBitRow).isEmpty());
    EXPECT_GE(form->width(), form->OkButton()->width() + form->CancelButton()->width() + 8);

    bits->GoToCell(BitCol(2), kBitRow);
    const QImage shot = form->grab().toImage();
    const auto darkIn = [&](int m) {
        const QRect cell = bits->Grid()->CellRect(BitCol(m), kBitRow);
        const QPoint offset = bits->Grid()->viewport()->mapTo(form, QPoint(0, 0));
        int dark = 0;
        for (int y = cell.top() + 2; y < cell.bottom() - 2; ++y) {
            for (int x = cell.left() + 2; x < cell.right() - 2; ++x) {
                dark += shot.pixelColor(offset + QPoint(x, y)).lightness() < 80;
            }
        }
        return dark;
    };
    EXPECT_GT(darkIn(1), 10);
    EXPECT_GT(darkIn(10), 10);
    for (int m = 3; m <= 9; ++m) {
        EXPECT_EQ(darkIn(m), 0) << m;
    }
    if (const char* path = std::getenv("MERROW_BITSET_SCREENSHOT")) {
        shot.save(path);
    }
    QTest::mouseClick(form->CancelButton(), Qt::LeftButton);
}

// A click only moves to a bit; Space and a double-click toggle it; OK hands the value back.
TEST_F(BitSetEditor, SpaceAndDoubleClickToggleAndOkStoresTheBits) {
    cuiFBitsR* form = Open();
    ASSERT_TRUE(form);
    cuiSheet* bits = form->Sheet();
    cuiGrid* grid = bits->Grid();
    const QPoint bit3 = grid->CellRect(BitCol(3), kBitRow).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, bit3);
    EXPECT_EQ(bits->CurrentCell(), (cuiGridCoord{BitCol(3), kBitRow}));
    EXPECT_EQ(form->Value(), 0x201);
    QTest::keyClick(grid, Qt::Key_Space);  // list 3 on
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Space);  // list 4 on
    QTest::keyClick(grid, Qt::Key_Space);  // and off again
    const QPoint bit10 = grid->CellRect(BitCol(10), kBitRow).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, bit10);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, bit10);  // list 10 off
    EXPECT_EQ(form->Value(), 0x280);
    EXPECT_EQ(Lists(), 0x201) << "nothing is stored before OK";
    QTest::mouseClick(form->OkButton(), Qt::LeftButton);
    EXPECT_EQ(Lists(), 0x280);
    EXPECT_FALSE(EditorOpen());
    Settle();
    EXPECT_FALSE(ChildOf<cuiFBitsR>(calling.sheet->Grid()));
    // The calling cell shows the new value.
    cmcCellObj cell;
    cell.item = CL_Mch_Scan;
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    indActiveCell(Rows()).DispatchItem(capsule, 0);
    EXPECT_EQ(capsule.outText, "1_3_______\n");
}

// Seven bits stand in the top of a byte; Enter in the sheet stores them, the low bit is kept.
TEST_F(BitSetEditor, EnterStoresAByteFieldInItsTopBits) {
    const uint8_t low = 0x01;
    rig.shell.image.WriteBlock(kDigitsAddress, &low, 1);
    cuiFBitsR* form = Open(kDigitsCol);
    ASSERT_TRUE(form);
    cuiGrid* grid = form->Sheet()->Grid();
    QTest::keyClick(grid, Qt::Key_Space);  // digit 1
    form->Sheet()->GoToCell(BitCol(7), kBitRow);
    QTest::keyClick(grid, Qt::Key_Space);  // digit 7
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(Digits(), 0x83);
    EXPECT_FALSE(EditorOpen());
}

TEST_F(BitSetEditor, LeavingTheWindowStoresTheBits) {
    cuiFBitsR* form = Open();
    ASSERT_TRUE(form);
    QTest::keyClick(form->Sheet()->Grid(), Qt::Key_Space);  // list 1 off
    QApplication::setActiveWindow(&calling.host);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&calling.host));
    EXPECT_EQ(Lists(), 0x001);
    EXPECT_FALSE(EditorOpen());
}

// Cancel, Esc in the sheet or on a button leave the field; leaving the window afterwards too.
TEST_F(BitSetEditor, CancelAndEscNeverStore) {
    enum Way { CancelButton, EscInSheet, EscOnButton };
    for (const Way way : {CancelButton, EscInSheet, EscOnButton}) {
        SCOPED_TRACE(way);
        cuiFBitsR* form = Open();
        ASSERT_TRUE(form);
        QTest::keyClick(form->Sheet()->Grid(), Qt::Key_Space);
        if (way == CancelButton) {
            QTest::mouseClick(form->CancelButton(), Qt::LeftButton);
        } else if (way == EscInSheet) {
            QTest::keyClick(form->Sheet()->Grid(), Qt::Key_Escape);
        } else {
            form->OkButton()->setFocus();
            QTest::keyClick(form->OkButton(), Qt::Key_Escape);
        }
        EXPECT_FALSE(EditorOpen());
        QApplication::setActiveWindow(&calling.host);
        Settle();
        EXPECT_EQ(Lists(), 0x201);
    }
}

// Before a file command the program closes the pop-ups: the bits are handed back. When the
// calling sheet goes while the editor is open, the editor goes with it and stores nothing.
TEST_F(BitSetEditor, AClosePopupsRequestCommitsAndTheCallingSheetGoingCancels) {
    cuiFBitsR* form = Open();
    ASSERT_TRUE(form);
    QTest::keyClick(form->Sheet()->Grid(), Qt::Key_Space);
    rig.bus->Send(EV_ClosePopups);
    EXPECT_EQ(Lists(), 0x001);
    Settle();
    EXPECT_FALSE(ChildOf<cuiFBitsR>(calling.sheet->Grid()));

    form = Open();
    ASSERT_TRUE(form);
    QTest::keyClick(form->Sheet()->Grid(), Qt::Key_Space);
    calling.Close();  // its grid, the editor's owner, goes with it
    EXPECT_EQ(Lists(), 0x001);
}

}  // namespace
