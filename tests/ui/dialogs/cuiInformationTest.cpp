#include "ui/dialogs/cuiInformation.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <map>
#include <string>

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/clone/CloneIdentity.h"
#include "tests/ui/support/DialogRig.h"
#include "ui/widgets/cuiGrid.h"

namespace {

// The identity block of a radio: revision 2.7, two comments, checksum "1a2F", model byte 0x09.
CloneIdentityBlock IdentityBlock() {
    CloneIdentityBlock block{};
    block[identity::kLength] = identity::kSize;
    const std::string comment1 = "WORKSHOP 4";
    const std::string comment2 = "FLEET 12 SPARE";
    std::copy(comment1.begin(), comment1.end(), block.begin() + 2);
    std::copy(comment2.begin(), comment2.end(), block.begin() + 18);
    block[34] = 0x27;
    block[48] = 0x09;
    const std::string checksum = "1a2F";
    std::copy(checksum.begin(), checksum.end(), block.begin() + 56);
    return block;
}

std::string Bytes(const CloneIdentityBlock& block, int first, int count) {
    std::string text(block.begin() + first, block.begin() + first + count);
    return text.substr(0, text.find('\0'));
}

// Cells of the clone information, rendered from a block as a test's own memory map: enough
// of each item to tell which bytes reached which cell.
std::string Render(const CloneIdentityBlock& block, int item) {
    char text[16];
    switch (item) {
        case CL_CloneInfo_Model:
            std::snprintf(text, sizeof text, "model %02X", block[48]);
            return text;
        case CL_CloneInfo_Revision:
            std::snprintf(text, sizeof text, "%d.%d", block[34] >> 4, block[34] & 0x0F);
            return text;
        case CL_CloneInfo_Comment1:
            return Bytes(block, 2, 16);
        case CL_CloneInfo_Comment2:
            return Bytes(block, 18, 16);
        case CL_CloneInfo_Option:
            return "DTMF decoder unit\nGPS receiver unit\n";
        case CL_CloneInfo_OverVolt:
            return "";
        case CL_CloneInfo_CheckSum:
            return "$" + Bytes(block, 56, 4);
        default:
            return std::to_string(item) + " *Yet*";
    }
}

class cuiInformationTest : public ::testing::Test {
protected:
    cuiInformation* Open() {
        window = new cuiInformation(&rig.mainWindow, "Tarnwick", rig.table, "GI_Sheet_CloneInfo",
                                    "", nullptr, [this](cmcCellCapsule& capsule, int notify) {
                                        if (notify == 0) {
                                            capsule.outText = Render(block, capsule.cell->item);
                                            painted[capsule.cell->item] = capsule.outText;
                                        }
                                        return 0;
                                    });
        QApplication::processEvents();
        return window;
    }

    // Whether the main window takes the user's input: no modal window stands over it.
    bool MainWindowTakesInput() const { return QApplication::activeModalWidget() == nullptr; }

    void Released() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull());
        EXPECT_TRUE(MainWindowTakesInput());
    }

    testsupport::DialogRig rig;
    CloneIdentityBlock block = IdentityBlock();
    std::map<int, std::string> painted;
    QPointer<cuiInformation> window;
};

TEST_F(cuiInformationTest, ShowsTheIdentityBlockInTheWholeSheet) {
    cuiInformation* info = Open();
    ASSERT_TRUE(info->isVisible());
    EXPECT_FALSE(MainWindowTakesInput());
    EXPECT_EQ(info->windowTitle(), "Tarnwick");
    EXPECT_EQ(info->Sheet().GetTitle(), "Radio Information");
    info->grab();  // paints every cell

    const std::map<int, std::string> expected = {
        {CL_CloneInfo_Model, "model 09"},
        {CL_CloneInfo_Revision, "2.7"},
        {CL_CloneInfo_Comment1, "WORKSHOP 4"},
        {CL_CloneInfo_Comment2, "FLEET 12 SPARE"},
        {CL_CloneInfo_Option, "DTMF decoder unit\nGPS receiver unit\n"},
        {CL_CloneInfo_OverVolt, ""},
        {CL_CloneInfo_CheckSum, "$1a2F"},
    };
    EXPECT_EQ(painted, expected);

    // Every cell is shown whole: the grid is as large as its cells and has no scroll bars.
    const cuiGrid& grid = *info->Sheet().Grid();
    int width = 0;
    int height = 0;
    for (int col = 0; col < grid.ColCount(); ++col) {
        width += grid.ColWidth(col);
    }
    for (int row = 0; row < grid.RowCount(); ++row) {
        height += grid.RowHeight(row);
    }
    EXPECT_EQ(grid.viewport()->size(), QSize(width, height));
    EXPECT_FALSE(grid.HasScrollBars());
    // The OK button has the focus, 5 pixels from the window's right and bottom edges.
    EXPECT_EQ(QApplication::focusWidget(), info->OkButton());
    const QRect ok = info->OkButton()->geometry();
    const QPoint okCorner = info->OkButton()->parentWidget()->mapTo(info, ok.bottomRight());
    EXPECT_EQ(info->width() - 1 - okCorner.x(), 5);
    EXPECT_EQ(info->height() - 1 - okCorner.y(), 5);
    rig.SaveShot(*info, "clone-information");
    info->close();
    Released();
}

TEST_F(cuiInformationTest, EnterEscapeAndOkEachReleaseTheWindow) {
    for (const auto close :
         {+[](cuiInformation& info) { QTest::keyClick(&info, Qt::Key_Return); },
          +[](cuiInformation& info) { QTest::keyClick(&info, Qt::Key_Escape); },
          +[](cuiInformation& info) { QTest::mouseClick(info.OkButton(), Qt::LeftButton); }}) {
        close(*Open());
        Released();
    }
}

}  // namespace
