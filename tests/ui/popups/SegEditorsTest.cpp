// The display-text editor and the user-character editor, opened from a sheet's cells through
// the dispatcher and answering into the document image.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <vector>

#include "common/CurrentEvMan.h"
#include "common/cmcGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/glyphs/Segchar.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/ItemRegistry.h"
#include "radio/memmap/SegCellEditors.h"
#include "radio/memmap/indActiveCell.h"
#include "radio/records/datCh.h"
#include "tests/support/ProgramTable.h"
#include "tests/support/ScopedInstall.h"
#include "tests/ui/support/CallingSheet.h"
#include "tests/ui/support/UiRig.h"
#include "ui/popups/cuiFSegText.h"
#include "ui/popups/cuiSegEdit.h"
#include "ui/popups/cuiSegEditors.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/widgets/cuiPaintBox.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Rows as the memory map writes them: a user character of the record view, and a bank name
// of the image.
constexpr ItemRow kRows[] = {
    memmap::UserCharacter(CL_CEdit),
    memmap::DisplayText(CL_Dtmf_Text, memmap::Chars(memmap::InTable(layout::kBankNameArea, 0),
                                                    layout::kNameLength)),
};

const ItemRegistry& Rows() {
    static const ItemRegistry rows{ItemRegistry::Group(kRows)};
    return rows;
}

// User character 3 and the name of bank 2.
constexpr const char* kCallingCells =
    "{SWH(%CT_CEdit.CL_CEdit[3])}MMM\\NMMM|{SWH(%CT_Null.CL_Dtmf_Text[2])}MMMMMMMM|";

constexpr int kCharAddress = 536 + 2 * 3;

using testsupport::ChildOf;
using testsupport::Settle;

constexpr int kCharCol = 0;
constexpr int kNameCol = 1;

class SegEditors : public ::testing::Test {
protected:
    SegEditors() {
        rig.shell.popupHost = &editors;
        SetName({'A', 'B', ' ', ' ', ' ', ' ', ' ', ' '});
    }

    Bytes Image(int address, int count) const {
        const uint8_t* bytes = rig.shell.image.GetData() + address;
        return Bytes(bytes, bytes + count);
    }
    Bytes Name() const { return Image(layout::kBankNameArea.At(2), layout::kNameLength); }
    void SetName(const Bytes& name) {
        rig.shell.image.WriteBlock(layout::kBankNameArea.At(2), name.data(), 8);
    }

    // Enter (or a typed key) on a cell of the calling sheet; the editor it opened.
    template <class Editor>
    Editor* Open(int col, Qt::Key key = Qt::Key_Return) {
        calling.Press(col, 0, key);
        return ChildOf<Editor>(calling.sheet->Grid());
    }
    cuiFSegText* OpenText(Qt::Key key = Qt::Key_Return) {
        cuiFSegText* form = Open<cuiFSegText>(kNameCol, key);
        if (form) {
            QApplication::setActiveWindow(form);
            EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        }
        return form;
    }
    bool TextEditorOpen() const {
        const cuiFSegText* form = ChildOf<cuiFSegText>(calling.sheet->Grid());
        return form && form->isVisible();
    }

    testsupport::UiRig rig;
    Segchar geometry{testsupport::ProgramTable()};
    testsupport::ScopedSharedSegchar geometryInstalled{&geometry};
    cuiSegEditors editors{testsupport::ProgramTable(), Rows()};
    testsupport::CallingSheet calling{kCallingCells, Rows(), {300, 120}};
};

// ---- Display-text editor ----

TEST_F(SegEditors, EnterOpensTheTextAllSelectedAndEnterInTheMemoStoresIt) {
    cuiFSegText* form = OpenText();
    ASSERT_TRUE(form);
    EXPECT_EQ(form->Memo()->text(), "AB");
    EXPECT_EQ(form->Memo()->selectedText(), "AB");
    EXPECT_TRUE(form->Memo()->hasFocus());
    QTest::keyClicks(form->Memo(), "A.B%10");
    EXPECT_EQ(form->Bytes(), (Bytes{0xC1, 'B', 0x10}));
    EXPECT_EQ(Name(), (Bytes{'A', 'B', ' ', ' ', ' ', ' ', ' ', ' '}));
    QTest::keyClick(form->Memo(), Qt::Key_Return);
    EXPECT_EQ(Name(), (Bytes{0xC1, 'B', 0x10, ' ', ' ', ' ', ' ', ' '}));
    EXPECT_FALSE(TextEditorOpen());
    Settle();
    EXPECT_FALSE(ChildOf<cuiFSegText>(calling.sheet->Grid()));
}

TEST_F(SegEditors, ATypedKeyStartsTheTextAndOkStoresIt) {
    cuiFSegText* form = OpenText(Qt::Key_Period);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->Memo()->text(), " .");  // a full stop starts as the blank with the dot
    EXPECT_FALSE(form->Memo()->hasSelectedText());
    EXPECT_EQ(form->Memo()->cursorPosition(), 2);
    QTest::keyClicks(form->Memo(), "x longer than eight");
    QTest::mouseClick(form->OkButton(), Qt::LeftButton);
    EXPECT_EQ(Name(), (Bytes{0xA0, 'x', ' ', 'l', 'o', 'n', 'g', 'e'}));
    EXPECT_FALSE(TextEditorOpen());
}

TEST_F(SegEditors, EscAndCancelNeverStore) {
    for (const bool button : {false, true}) {
        cuiFSegText* form = OpenText();
        ASSERT_TRUE(form);
        QTest::keyClicks(form->Memo(), "ZZ");
        if (button) {
            QTest::mouseClick(form->CancelButton(), Qt::LeftButton);
        } else {
            QTest::keyClick(form->Memo(), Qt::Key_Escape);
        }
        EXPECT_FALSE(TextEditorOpen());
        Settle();
        EXPECT_EQ(Name(), (Bytes{'A', 'B', ' ', ' ', ' ', ' ', ' ', ' '}));
    }
}

TEST_F(SegEditors, ClickingElsewhereCommitsTheTypedText) {
    cuiFSegText* form = OpenText();
    ASSERT_TRUE(form);
    QTest::keyClicks(form->Memo(), "GATE");
    QApplication::setActiveWindow(&calling.host);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&calling.host));
    EXPECT_EQ(Name(), (Bytes{'G', 'A', 'T', 'E', ' ', ' ', ' ', ' '}));
    EXPECT_FALSE(TextEditorOpen());
}

TEST_F(SegEditors, AClosePopupsRequestCommitsAndTheCallingSheetGoingCancels) {
    cuiFSegText* form = OpenText();
    ASSERT_TRUE(form);
    QTest::keyClicks(form->Memo(), "PRINT");
    rig.bus->Send(EV_ClosePopups);
    EXPECT_EQ(Name(), (Bytes{'P', 'R', 'I', 'N', 'T', ' ', ' ', ' '}));
    Settle();

    form = OpenText();
    ASSERT_TRUE(form);
    QTest::keyClicks(form->Memo(), "LOST");
    calling.Close();  // its grid, the form's owner, goes with it
    EXPECT_EQ(Name(), (Bytes{'P', 'R', 'I', 'N', 'T', ' ', ' ', ' '}));
}

// Clicking a character of the sheet, Space on it, or typing on it insert the character at the
// caret; Enter on the sheet commits.
TEST_F(SegEditors, TheCharacterSheetInsertsAndCommits) {
    cuiFSegText* form = OpenText();
    ASSERT_TRUE(form);
    cuiSheet* chars = form->Sheet();
    ASSERT_TRUE(chars);
    cuiGrid* grid = chars->Grid();
    // The first row holds the user characters from column 1 on.
    const QRect user0 = grid->CellRect(1, 0);
    ASSERT_FALSE(user0.isEmpty());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, user0.center());
    EXPECT_EQ(form->Memo()->text(), "%10");  // in place of the selected text
    EXPECT_TRUE(form->Memo()->hasFocus());
    grid->setFocus();
    chars->GoToCell(2, 0);
    QTest::keyClick(grid, Qt::Key_Space);  // user character 1
    QTest::keyClick(grid, Qt::Key_Q);      // typed: the memo takes it
    EXPECT_EQ(form->Memo()->text(), "%10%11q");
    EXPECT_TRUE(form->Memo()->hasFocus());
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(Name(), (Bytes{0x10, 0x11, 'q', ' ', ' ', ' ', ' ', ' '}));
    EXPECT_FALSE(TextEditorOpen());
}

// Not only a check: MERROW_SEGTEXT_SCREENSHOT names a PNG file for the editor as it shows.
TEST_F(SegEditors, TheTextEditorShowsTheTextAsGlyphs) {
    const Bytes user0 = {0x3F, 0x00};  // user character 0: a box
    rig.shell.image.WriteBlock(536, user0.data(), 2);
    cuiFSegText* form = OpenText();
    ASSERT_TRUE(form);
    QTest::keyClicks(form->Memo(), "CH.1 %10");
    const QImage shot = form->grab().toImage();
    EXPECT_GT(shot.width(), 200);
    EXPECT_LT(shot.height(), QApplication::primaryScreen()->availableGeometry().height());
    // The preview's glyphs are black.
    const QImage preview = ChildOf<cuiPaintBox>(form)->grab().toImage();
    int black = 0;
    for (int y = 2; y < preview.height() - 2; ++y) {
        for (int x = 2; x < preview.width() - 2; ++x) {
            black += preview.pixelColor(x, y) == Qt::black;
        }
    }
    EXPECT_GT(black, 40);
    if (const char* path = std::getenv("MERROW_SEGTEXT_SCREENSHOT")) {
        shot.save(path);
    }
    QTest::keyClick(form->Memo(), Qt::Key_Escape);
}

// ---- User-character editor ----

// Where segment i of the dialog is clicked: the middle of its first triangle.
QPoint MiddleOf(const cuiSegEdit& dialog, int i) {
    const auto& p = dialog.Geometry().Segments()[static_cast<std::size_t>(i)].Triangles()[0].points;
    return dialog.ToBox({(p[0].x + p[1].x + p[2].x) / 3, (p[0].y + p[1].y + p[2].y) / 3});
}

TEST_F(SegEditors, TheCharacterDialogSetsAndClearsSegmentsIntoTheImage) {
    const Bytes before = Image(0, layout::kImageSize);
    cuiSegEdit* dialog = Open<cuiSegEdit>(kCharCol);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isModal());
    // Segment i answers bit 14 - i.
    const auto click = [&](int i, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(dialog->PaintBox(), button, {}, MiddleOf(*dialog, i));
    };
    click(1);   // top: 0x2000
    click(4);   // bottom: 0x0400
    click(14);  // lower right diagonal: 0x0001
    click(1);   // top again: off
    click(0);   // the dot cannot be switched
    click(8, Qt::RightButton);
    QTest::mouseClick(dialog->PaintBox(), Qt::LeftButton, {}, QPoint(195, 5));  // no segment
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    Settle();
    EXPECT_FALSE(ChildOf<cuiSegEdit>(calling.sheet->Grid()));
    Bytes after = Image(0, layout::kImageSize);
    EXPECT_EQ(after[kCharAddress], 0x04);
    EXPECT_EQ(after[kCharAddress + 1], 0x01);
    after[kCharAddress] = before[kCharAddress];
    after[kCharAddress + 1] = before[kCharAddress + 1];
    EXPECT_TRUE(after == before) << "only the pattern changed";

    // The dialog opens with the stored pattern; Cancel and Esc store nothing.
    for (const bool esc : {false, true}) {
        dialog = Open<cuiSegEdit>(kCharCol);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->Geometry().Pattern(), 0x0401);
        click(2);
        if (esc) {
            QTest::keyClick(dialog, Qt::Key_Escape);
        } else {
            QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
        }
        Settle();
        EXPECT_EQ(Image(kCharAddress, 2), (Bytes{0x04, 0x01}));
    }
}

// Lit segments are black, unlit ones white, the dot is not drawn. MERROW_SEGEDIT_SCREENSHOT
// names a PNG file for the dialog.
TEST_F(SegEditors, TheCharacterDialogDrawsItsSegments) {
    const Bytes pattern = {0x7B, 0x18};  // "A" (0x3B18) with the dot
    rig.shell.image.WriteBlock(kCharAddress, pattern.data(), 2);
    cuiSegEdit* dialog = Open<cuiSegEdit>(kCharCol);
    ASSERT_TRUE(dialog);
    const QImage box = dialog->PaintBox()->grab().toImage();
    const Segchar& segments = dialog->Geometry();
    for (int i = 0; i < segments.Count(); ++i) {
        const auto& p = segments.Segments()[static_cast<std::size_t>(i)].Triangles()[0].points;
        const QPoint at =
            dialog->ToBox({(p[0].x + p[1].x + p[2].x) / 3, (p[0].y + p[1].y + p[2].y) / 3});
        const QColor expected = i == 0                        ? box.pixelColor(199, 199)
                                : segments.IsLitIn(0x7B18, i) ? QColor(Qt::black)
                                                              : QColor(Qt::white);
        EXPECT_EQ(box.pixelColor(at), expected) << i;
    }
    if (const char* path = std::getenv("MERROW_SEGEDIT_SCREENSHOT")) {
        dialog->grab().save(path);
    }
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    Settle();
    EXPECT_EQ(Image(kCharAddress, 2), pattern);  // the dot stays as it was
}

}  // namespace
