// The memory channels through the program's own window, offscreen: a bank chosen in the tree
// opens its channel sheet, a frequency typed into its empty row opens a channel, the pop-up
// menu copies, pastes and deletes channels, and the tree and the title follow the bank.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidgetItem>
#include <string>

#include "radio/cells/CellCodes.h"
#include "radio/image/BankTable.h"
#include "radio/records/datCh.h"
#include "tests/ui/support/CallingSheet.h"
#include "tests/ui/support/MainRig.h"
#include "tests/ui/support/ProgramFolder.h"
#include "ui/popups/cuiFBitsR.h"
#include "ui/popups/cuiFSegText.h"
#include "ui/sheet/iuiSh_ChBank.h"
#include "ui/sheet/iuiTree.h"
#include "ui/widgets/cuiGrid.h"

namespace {

using testsupport::ChildOf;
using testsupport::MainRig;
using testsupport::ProgramFolder;

constexpr int kHeadRows = 1;

class ChannelWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.Start();
        rig.Advance(300);
        rig.Choose(rig.Node("[St_ChBank]GI_Sheet_Mch_LMR,Bank 0"));
        sheet = dynamic_cast<iuiSh_ChBank*>(rig.main->OpenedSheet());
        ASSERT_NE(sheet, nullptr);
        rig.form->activateWindow();
        sheet->Grid()->setFocus();
        rig.Advance(20);
    }

    int Column(int item) const {
        for (int col = 0; col < sheet->Cells().Cols(); ++col) {
            if (sheet->Cells().At(col, kHeadRows).cell.item == item) {
                return col;
            }
        }
        return -1;
    }

    // Types the frequency into the receive frequency of the row, as the user does.
    void TypeFrequency(int row, const QString& mhz) {
        sheet->Grid()->MoveTo(Column(CL_Mch_FreqR), row);
        QTest::keyClicks(sheet->Grid(), mhz.left(1));
        ASSERT_TRUE(sheet->EditorShowing());
        QTest::keyClicks(sheet->Editor(), mhz.mid(1));
        QTest::keyClick(sheet->Editor(), Qt::Key_Return);
        rig.Advance(20);
    }

    // The entry of the cell's pop-up menu, chosen as the user does.
    void Choose(int row, const QString& entry) {
        sheet->Grid()->MoveTo(Column(CL_Mch_FreqR), row);
        rig.Advance(20);
        for (QAction* action : sheet->PopupMenu()->actions()) {
            if (action->text().remove('&') == entry) {
                action->trigger();
                rig.Advance(20);
                return;
            }
        }
        ADD_FAILURE() << "no entry " << entry.toStdString();
    }

    int Frequency(int position) {
        datCh channel(&rig.main->CurrentImage());
        channel.Load(RK_ChLmr, position);
        return channel.used ? channel.rxFreq : 0;
    }

    ProgramFolder folder;
    MainRig rig;
    iuiSh_ChBank* sheet = nullptr;
};

TEST_F(ChannelWindowTest, ChannelsAreAddedCopiedAndDeletedInTheBankSheet) {
    EXPECT_EQ(sheet->Grid()->RowCount(), kHeadRows + 1);
    TypeFrequency(kHeadRows, "146.52");
    EXPECT_EQ(GetBankSizeOf(rig.main->CurrentImage(), 0), 1);
    EXPECT_EQ(Frequency(0), 146520000);
    EXPECT_EQ(sheet->Grid()->RowCount(), kHeadRows + 2);
    EXPECT_TRUE(rig.main->IsModified());

    Choose(kHeadRows, "Copy");
    EXPECT_TRUE(sheet->MarksExist());
    // While the copied line is marked the cursor stays on channel lines; a click on another
    // cell of the line ends the marks.
    sheet->Grid()->MoveTo(Column(CL_Mch_FreqT), kHeadRows);
    EXPECT_FALSE(sheet->MarksExist());
    TypeFrequency(kHeadRows + 1, "440");
    EXPECT_EQ(Frequency(1), 440000000);
    Choose(kHeadRows + 1, "Paste");
    EXPECT_EQ(Frequency(1), 146520000);
    EXPECT_EQ(sheet->Grid()->RowCount(), kHeadRows + 3);

    Choose(kHeadRows + 1, "Delete Line");
    EXPECT_EQ(GetBankSizeOf(rig.main->CurrentImage(), 0), 1);
    EXPECT_EQ(sheet->Grid()->RowCount(), kHeadRows + 2);
    EXPECT_EQ(Frequency(1), 0);

    const QLabel* title = rig.main->SheetPanel()->findChild<QLabel*>();
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text().toStdString(), "LMR Channels, Bank 1: (Left CH - 255)");
    std::vector<std::string> questions;
    for (const auto& box : rig.boxes.boxes) {
        questions.push_back(box.text.substr(0, box.text.find('\n')));
    }
    EXPECT_EQ(questions.size(), 2u) << "overwrite and delete";
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

// The scan lists open the bit-set editor and the name the display-text editor beside the grid,
// not the box that says an editor is not there yet.
TEST_F(ChannelWindowTest, TheScanListsAndTheNameOpenTheirEditors) {
    TypeFrequency(kHeadRows, "146.52");
    sheet->Grid()->MoveTo(Column(CL_Mch_Scan), kHeadRows);
    QTest::keyClick(sheet->Grid(), Qt::Key_Return);
    rig.Advance(20);
    cuiFBitsR* lists = ChildOf<cuiFBitsR>(sheet->Grid());
    ASSERT_NE(lists, nullptr);
    EXPECT_TRUE(lists->isVisible());
    QTest::keyClick(lists, Qt::Key_Escape);
    testsupport::Settle();
    rig.Advance(20);

    sheet->Grid()->MoveTo(Column(CL_Mch_Text), kHeadRows);
    QTest::keyClick(sheet->Grid(), Qt::Key_Return);
    rig.Advance(20);
    const cuiFSegText* name = ChildOf<cuiFSegText>(sheet->Grid());
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(name->isVisible());
    EXPECT_TRUE(rig.boxes.boxes.empty());
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

}  // namespace
