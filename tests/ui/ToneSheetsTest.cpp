// The two-tone, five-tone and user-tone sheets of the program's own table, built offscreen
// over an initial clone file (LMR for two-tone, PMR for the others): every value cell paints a
// value of its own rows (none "*Yet*"), and keys on the real grid edit the image. With
// MERROW_TONE_SCREENSHOT=<dir> each sheet is also drawn to <dir>/<sheet>.png.
#include <gtest/gtest.h>

#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "common/MainGTex.h"
#include "common/cmcCanvas.h"
#include "common/cmcGTex.h"
#include "radio/CellCodes.h"
#include "radio/ImageLayout.h"
#include "radio/cmcTovFile.h"
#include "tests/ui/UiRig.h"
#include "ui/cuiSheet.h"

namespace {

struct Sheet {
    const char* name;
    ModelType model;
};

const Sheet kSheets[] = {
    {"GI_Sheet_2Tone_Top", MT_Lmr},      {"GI_Sheet_2Tone_RxCode", MT_Lmr},
    {"GI_Sheet_2Tone_TxCode", MT_Lmr},   {"GI_Sheet_2Tone_Common", MT_Lmr},
    {"GI_Sheet_5Tone_Top", MT_Pmr},      {"GI_Sheet_5Tone_RxCode", MT_Pmr},
    {"GI_Sheet_5Tone_RxCommon", MT_Pmr}, {"GI_Sheet_5Tone_TxCode", MT_Pmr},
    {"GI_Sheet_5Tone_TxCommon", MT_Pmr}, {"GI_Sheet_UTone_List", MT_Pmr},
};

constexpr uint32_t kSilver = 0xC0C0C0;

struct Painted {
    std::string text;
    uint32_t colour;
};

class ToneSheetsTest : public ::testing::Test {
protected:
    ToneSheetsTest() {
        table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
        window.resize(900, 420);
        new QVBoxLayout(&window);
        window.show();
    }

    void LoadInitialFile(ModelType model) {
        rig.shell.model = model;
        cmcTovFile file;
        file.SetImage(&rig.shell.image);
        file.SetModelId(layout::kModelCodeValue);
        file.SetMapRevHandler([](int) { return true; });
        file.SetHeaderHandler([](int, int, int*) { return true; });
        const std::string name = table.GetLine("GI_App_InitialFile", model);
        ASSERT_EQ(file.Read(std::string(MERROW_DATA_DIR) + "/" + name, nullptr), 0) << name;
    }

    // Opens the sheet with the dispatcher as its handler, noting what each cell painted.
    void Open(const Sheet& which) {
        LoadInitialFile(which.model);
        sheet.reset();
        painted.clear();
        sheet = std::make_unique<cuiSheet>(&window, nullptr, 0, 0, table, which.name);
        sheet->SetCellHandler([this](cmcCellCapsule& capsule, int notify) {
            const int result = dispatcher.DispatchItem(capsule, notify);
            if (!notify && capsule.canvas) {
                painted[{capsule.cell->item, capsule.cell->index}] = {
                    capsule.outText, capsule.canvas->GetTextColour()};
            }
            return result;
        });
        sheet->Show();
        Repaint();
    }

    void Repaint() { window.grab(); }

    const Painted& At(int item, int index) { return painted[{item, index}]; }

    // The cell of the item and index becomes current; then the key goes to the grid.
    void Press(int item, int index, Qt::Key key) {
        const cuiSheetCells& cells = sheet->Cells();
        for (int row = 0; row < cells.Rows(); ++row) {
            for (int col = 0; col < cells.Cols(); ++col) {
                const cmcCellObj& cell = cells.At(col, row).cell;
                if (cell.item == item && cell.index == index) {
                    sheet->Grid()->MoveTo(col, row);
                    QTest::keyClick(sheet->Grid(), key);
                    Repaint();
                    return;
                }
            }
        }
        FAIL() << "no cell of item " << item << "[" << index << "]";
    }

    int Word(int address) {
        return (rig.shell.image.GetByte(address) << 8) | rig.shell.image.GetByte(address + 1);
    }

    testsupport::UiRig rig;
    cmcGTex table;
    testsupport::ScopedMainGTex tableInstalled{&table};
    indActiveCell dispatcher;
    QWidget window;
    std::unique_ptr<cuiSheet> sheet;
    std::map<std::pair<int, int>, Painted> painted;
};

TEST_F(ToneSheetsTest, EveryValueCellShowsAValueOfTheImage) {
    window.resize(2400, 1400);  // every cell in sight, so that every cell is painted
    for (const Sheet& which : kSheets) {
        Open(which);
        EXPECT_FALSE(sheet->GetTitle().empty()) << which.name;
        const cuiSheetCells& cells = sheet->Cells();
        for (int row = 0; row < cells.Rows(); ++row) {
            for (int col = 0; col < cells.Cols(); ++col) {
                const cmcCellObj& cell = cells.At(col, row).cell;
                if (cell.item != kItemNone) {
                    EXPECT_TRUE(painted.contains({cell.item, cell.index}))
                        << which.name << ": " << cell.item << "[" << cell.index << "]";
                }
            }
        }
        for (const auto& [cell, shown] : painted) {
            const auto [item, index] = cell;
            EXPECT_GE(item, CL_2T_RxFreq_1st) << which.name;
            EXPECT_LE(item, CL_UTone_Length) << which.name;
            EXPECT_EQ(shown.text.find("*Yet*"), std::string::npos) << which.name << ": " << item;
            // Only the user tones' common entry has cells without a record.
            if (shown.text == "----") {
                EXPECT_EQ(index, 15) << which.name << ": " << item;
            }
        }
    }
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

TEST_F(ToneSheetsTest, ValuesOfTheInitialFiles) {
    Open({"GI_Sheet_UTone_List", MT_Pmr});
    EXPECT_EQ(At(CL_UTone_Encode, 10).text, "2400.0");
    EXPECT_EQ(At(CL_UTone_Dec_Low, 10).text, "2328.0");
    EXPECT_EQ(At(CL_UTone_TonePeriod, 15).text, "  0.100");
    EXPECT_EQ(At(CL_UTone_Encode, 15).text, "----");
    EXPECT_EQ(At(CL_UTone_Encode, 15).colour, kSilver);
    Open({"GI_Sheet_5Tone_TxCommon", MT_Pmr});
    EXPECT_EQ(At(CL_5TTx_SpTone_Group, 0).text, "A");
    EXPECT_EQ(At(CL_5TTx_DispDigit, 0).text, "12345__\n");
    Open({"GI_Sheet_2Tone_TxCode", MT_Lmr});
    EXPECT_EQ(At(CL_2T_Code_Type, 4).text, "Two tones");
    EXPECT_EQ(At(CL_2TTx_Freq_2nd, 4).text, "  0.0");
}

TEST_F(ToneSheetsTest, KeysOnTheGridEditTheImage) {
    // A single-tone code greys its second transmit tone at once.
    Open({"GI_Sheet_2Tone_TxCode", MT_Lmr});
    Press(CL_2T_Code_Type, 4, Qt::Key_Space);
    EXPECT_EQ(At(CL_2T_Code_Type, 4).text, "Single tone");
    EXPECT_EQ(At(CL_2TTx_Freq_2nd, 4).text, "----  ");
    EXPECT_EQ(At(CL_2TTx_Freq_2nd, 4).colour, kSilver);
    EXPECT_EQ(At(CL_2TTx_Freq_2nd, 5).text, "  0.0");
    EXPECT_EQ(rig.shell.image.GetByte(layout::kTwoToneTxArea.At(4) + 12) & 0x0F, 15);

    // A user tone's decoder window follows its tone, and its row is repainted.
    Open({"GI_Sheet_UTone_List", MT_Pmr});
    const int decode = layout::kUserToneDecodeArea.At(1);
    Press(CL_UTone_Encode, 1, Qt::Key_Space);
    EXPECT_EQ(At(CL_UTone_Encode, 1).text, "1124.1");
    EXPECT_EQ(Word(decode), 10904);
    EXPECT_EQ(At(CL_UTone_Dec_Low, 1).text, "1090.4");
    EXPECT_GT(rig.shell.modifiedUpdates, 0);
}

TEST_F(ToneSheetsTest, Screenshots) {
    const char* folder = std::getenv("MERROW_TONE_SCREENSHOT");
    if (!folder) {
        GTEST_SKIP() << "MERROW_TONE_SCREENSHOT not set";
    }
    for (const Sheet& which : kSheets) {
        Open(which);
        EXPECT_TRUE(window.grab().save(
            QString::fromStdString(std::string(folder) + "/" + which.name + ".png")));
    }
}

}  // namespace
