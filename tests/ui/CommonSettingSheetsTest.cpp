// The common-setting sheets of the program's own table, built offscreen over an initial clone
// file: every value cell paints a value (none "*Yet*"), and keys on the real grid edit the
// image. With MERROW_COMMON_SCREENSHOT=<dir> each sheet is also drawn to <dir>/<sheet>.png.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "common/MainGTex.h"
#include "common/cmcCanvas.h"
#include "common/cmcGTex.h"
#include "radio/CellCodes.h"
#include "radio/ImageLayout.h"
#include "radio/cmcTovFile.h"
#include "tests/ui/UiRig.h"
#include "ui/cuiSheet.h"

namespace {

const char* const kSheets[] = {
    "GI_Sheet_Common_General",      "GI_Sheet_Common_Timer",     "GI_Sheet_Common_Tot",
    "GI_Sheet_Common_Ctcss",        "GI_Sheet_Common_Scrambler", "GI_Sheet_Common_SerialPort",
    "GI_Sheet_Common_CloneComment",
};

struct Painted {
    std::string text;
    uint32_t colour;
};

class CommonSettingSheetsTest : public ::testing::Test {
protected:
    CommonSettingSheetsTest() {
        table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
        LoadInitialFile();
        window.resize(760, 320);
        new QVBoxLayout(&window);
        window.show();
    }

    void LoadInitialFile() {
        cmcTovFile file;
        file.SetImage(&rig.shell.image);
        file.SetModelId(layout::kModelCodeValue);
        file.SetMapRevHandler([](int) { return true; });
        file.SetHeaderHandler([](int, int, int*) { return true; });
        const std::string name = table.GetLine("GI_App_InitialFile", MT_Pmr);
        ASSERT_EQ(file.Read(std::string(MERROW_DATA_DIR) + "/" + name, nullptr), 0) << name;
    }

    // Opens the sheet with the dispatcher as its handler, noting what each cell painted.
    void Open(const std::string& name) {
        sheet.reset();
        painted.clear();
        sheet = std::make_unique<cuiSheet>(&window, nullptr, 0, 0, table, name);
        sheet->SetCellHandler([this](cmcCellCapsule& capsule, int notify) {
            const int result = dispatcher.DispatchItem(capsule, notify);
            if (!notify && capsule.canvas) {
                painted[capsule.cell->item] = {capsule.outText, capsule.canvas->GetTextColour()};
            }
            return result;
        });
        sheet->Show();
        Repaint();
    }

    void Repaint() { window.grab(); }

    // The cell of the item becomes current; then the key goes to the grid.
    void Press(int item, Qt::Key key) {
        const cuiSheetCells& cells = sheet->Cells();
        for (int row = 0; row < cells.Rows(); ++row) {
            for (int col = 0; col < cells.Cols(); ++col) {
                if (cells.At(col, row).cell.item == item) {
                    sheet->Grid()->MoveTo(col, row);
                    QTest::keyClick(sheet->Grid(), key);
                    Repaint();
                    return;
                }
            }
        }
        FAIL() << "no cell of item " << item;
    }

    testsupport::UiRig rig;
    cmcGTex table;
    testsupport::ScopedMainGTex tableInstalled{&table};
    indActiveCell dispatcher;
    QWidget window;
    std::unique_ptr<cuiSheet> sheet;
    std::map<int, Painted> painted;
};

TEST_F(CommonSettingSheetsTest, EveryValueCellShowsAValueOfTheImage) {
    for (const char* name : kSheets) {
        Open(name);
        EXPECT_FALSE(sheet->GetTitle().empty()) << name;
        EXPECT_FALSE(painted.empty()) << name;
        for (const auto& [item, cell] : painted) {
            EXPECT_GE(item, CL_Comm_UserPassword) << name;
            EXPECT_LE(item, CL_Comm_Wide) << name;
            EXPECT_EQ(cell.text.find("*Yet*"), std::string::npos) << name << ": " << cell.text;
            EXPECT_EQ(cell.text.find("error"), std::string::npos) << name << ": " << item;
        }
    }
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

TEST_F(CommonSettingSheetsTest, ValuesOfTheInitialFile) {
    Open("GI_Sheet_Common_General");
    EXPECT_EQ(painted[CL_Comm_UserPassword].text, "0000");
    EXPECT_EQ(painted[CL_Comm_DealerPasscode].text, "000000");
    Open("GI_Sheet_Common_CloneComment");
    EXPECT_EQ(painted[CL_Comm_CloneComment1].text, "");
}

TEST_F(CommonSettingSheetsTest, KeysOnTheGridEditTheImage) {
    cmcEeprom& image = rig.shell.image;
    image.SetByte(349, 0x00);
    Open("GI_Sheet_Common_Scrambler");
    EXPECT_EQ(painted[CL_Comm_Scrm_Type].text, "Rolling Code");
    EXPECT_NE(painted[CL_Comm_Scrm_GroupCode].colour, 0xC0C0C0u);
    // The inversion scrambler greys the rolling code's settings at once.
    Press(CL_Comm_Scrm_Type, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(349), 0x08);
    EXPECT_EQ(painted[CL_Comm_Scrm_Type].text, "Inversion");
    EXPECT_EQ(painted[CL_Comm_Scrm_GroupCode].colour, 0xC0C0C0u);
    EXPECT_EQ(painted[CL_Comm_Scrm_SyncCapture].colour, 0xC0C0C0u);
    Press(CL_Comm_Scrm_GroupCode, Qt::Key_Space);
    EXPECT_EQ(image.GetByte(349), 0x09);

    image.SetByte(408, 0);
    Open("GI_Sheet_Common_Timer");
    EXPECT_EQ(painted[CL_Comm_AtResetTimer_A].text, "Off");
    Press(CL_Comm_AtResetTimer_A, Qt::Key_Backspace);
    EXPECT_EQ(image.GetByte(408), 255);
    EXPECT_EQ(painted[CL_Comm_AtResetTimer_A].text, "255.000");
    EXPECT_GT(rig.shell.modifiedUpdates, 0);
}

TEST_F(CommonSettingSheetsTest, Screenshots) {
    const char* folder = std::getenv("MERROW_COMMON_SCREENSHOT");
    if (!folder) {
        GTEST_SKIP() << "MERROW_COMMON_SCREENSHOT not set";
    }
    rig.shell.image.SetByte(349, 0x08);
    const char comment[] = "Fleet 7 / north";
    rig.shell.image.WriteBlock(layout::kComment1, reinterpret_cast<const uint8_t*>(comment), 15);
    for (const char* name : kSheets) {
        Open(name);
        EXPECT_TRUE(
            window.grab().save(QString::fromStdString(std::string(folder) + "/" + name + ".png")));
    }
}

}  // namespace
