// The list sheets of the program's own window, offscreen: the status message the radio keeps
// for itself shows and keeps its bytes, and the records of the code and MSK lists are copied,
// pasted and carried through the cells' pop-up menu and through the Edit menu's shortcuts,
// each edit changing only the records of its own list.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/indActiveCell.h"
#include "radio/records/datCh.h"
#include "tests/radio/support/ImageDiff.h"
#include "tests/ui/support/MainRig.h"
#include "tests/ui/support/PaintedTexts.h"
#include "tests/ui/support/ProgramFolder.h"
#include "tests/ui/support/SettingSheetRig.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/widgets/cuiGrid.h"
#include "ui/widgets/cuiMenu.h"

namespace {

using testsupport::MainRig;
using testsupport::PaintedTexts;
using testsupport::ProgramFolder;

namespace fs = std::filesystem;

// The image places of a record: [first, last] byte ranges.
struct Span {
    int first;
    int last;
};

class ListEditSheetsTest : public ::testing::Test {
protected:
    void Start(ModelType model) {
        rig.settings.modelType = model;
        rig.Start();
        rig.Advance(300);
    }

    // Opens the sheet from the tree and gives its grid the focus, as a click there does.
    void Open(const std::string& spec) {
        rig.Choose(rig.Node(spec));
        sheet = rig.main->OpenedSheet();
        ASSERT_TRUE(sheet) << spec;
        rig.form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(rig.form.get()));
        sheet->Grid()->setFocus();
        rig.Advance(20);
    }

    cuiGridCoord CellOf(int item, int index) const {
        const cuiSheetCells& cells = sheet->Cells();
        for (int row = 0; row < cells.Rows(); ++row) {
            for (int col = 0; col < cells.Cols(); ++col) {
                const cmcCellObj& cell = cells.At(col, row).cell;
                if (cell.item == item && cell.index == index) {
                    return {col, row};
                }
            }
        }
        ADD_FAILURE() << "no cell of item " << item << " [" << index << "]";
        return {0, 0};
    }

    void MoveTo(int item, int index) {
        const cuiGridCoord cell = CellOf(item, index);
        sheet->Grid()->MoveTo(cell.col, cell.row);
        rig.Advance(20);
    }

    // What the cell paints, through the grid's own drawing.
    std::string Painted(int item, int index) {
        const cuiGridCoord cell = CellOf(item, index);
        cuiGrid& grid = *sheet->Grid();
        PaintedTexts device;
        {
            QPainter painter(&device);
            grid.OnDrawCell(&grid, cell.col, cell.row,
                            QRect(0, 0, grid.ColWidth(cell.col), grid.RowHeight(cell.row)), 0,
                            painter);
        }
        return device.Joined();
    }

    // What a text cell shows (it paints its characters as segment glyphs, not as text).
    std::string Shown(int item, int index) {
        const cuiGridCoord at = CellOf(item, index);
        cmcCellObj cell = sheet->Cells().At(at.col, at.row).cell;
        cmcCellCapsule capsule;
        capsule.cell = &cell;
        indActiveCell().DispatchItem(capsule, 0);
        return capsule.outText;
    }

    static QAction* Entry(const QList<QAction*>& actions, const QString& caption) {
        for (QAction* action : actions) {
            if (action->text().remove('&') == caption) {
                return action;
            }
        }
        ADD_FAILURE() << "no entry " << caption.toStdString();
        return nullptr;
    }

    // The entry of the current cell's pop-up menu, as the menu shows it when it pops up.
    QAction* PopupEntry(const QString& caption) {
        emit sheet->PopupMenu()->aboutToShow();
        return Entry(sheet->PopupMenu()->actions(), caption);
    }

    // The entry of the Edit menu of the menu bar, with the state it shows.
    QAction* EditEntry(const QString& caption) {
        QMenu* edit = Entry(rig.form->menuBar()->actions(), "Edit")->menu();
        rig.main->Menu()->UpdateAll();
        return Entry(edit->actions(), caption);
    }

    // Chooses the entry of the pop-up menu, which must be offered.
    void Choose(const QString& caption) {
        QAction* entry = PopupEntry(caption);
        ASSERT_TRUE(entry && entry->isEnabled()) << caption.toStdString();
        entry->trigger();
        rig.Advance(20);
    }

    // A key with Ctrl on the grid: the Edit menu's shortcut runs its entry.
    void CtrlKey(Qt::Key key) {
        QTest::keyClick(sheet->Grid(), key, Qt::ControlModifier);
        rig.Advance(20);
    }

    cmcEeprom& Image() { return rig.main->CurrentImage(); }

    datCh Record(uint32_t kind, int index) {
        datCh record(&Image());
        record.Load(kind, index);
        return record;
    }

    void Name(uint32_t kind, int index, const char* name) {
        datCh record = Record(kind, index);
        std::memset(record.name.data(), ' ', record.name.size());
        std::memcpy(record.name.data(), name, std::strlen(name));
        record.Store();
    }

    // Every byte changed since before lies in one of the spans.
    static void ExpectChangesWithin(const std::vector<uint8_t>& before, const cmcEeprom& image,
                                    const std::vector<Span>& spans) {
        for (const radiotest::Bits& bits : radiotest::ChangedBits(before, image)) {
            bool inside = false;
            for (const Span& span : spans) {
                inside = inside || (bits.address >= span.first && bits.address <= span.last);
            }
            EXPECT_TRUE(inside) << "changed outside the list's record: " << bits.address;
        }
    }

    ProgramFolder folder;
    MainRig rig;
    cuiSheet* sheet = nullptr;
};

// Status message 23 in the places the layout leaves for it: status byte, receive text,
// transmit text.
const std::vector<Span> kStatus23 = {{2789, 2789}, {3174, 3181}, {2982, 2989}};

TEST_F(ListEditSheetsTest, TheRadiosOwnStatusMessageShowsAndKeepsItsBytes) {
    Start(MT_VaskPmr);
    // Repeated beeps, automatic, special function, priority.
    Image().SetByte(2789, 0x5D);
    Name(RK_MskMsgStatus, 23, "FIXED");
    datCh status = Record(RK_MskMsgStatus, 23);
    std::memcpy(status.name2.data(), "SEND ALL", 8);
    status.Store();
    Open("GI_Sheet_Msk_StatusMsg");

    EXPECT_EQ(Shown(CL_Msk_Msg_Status_Text_Rx, 23), "FIXED");
    EXPECT_EQ(Painted(CL_Msk_Msg_Status_Beep, 23), "Repeated beeps");
    EXPECT_EQ(Painted(CL_Msk_Msg_Status_Auto, 23), "On");
    EXPECT_EQ(Shown(CL_Msk_Msg_Status_Text_Tx, 23), "SEND ALL");
    EXPECT_EQ(Painted(CL_Msk_Msg_Status_Rriority, 23), "Priority");

    // The radio's beep stays; its priority, a setting the user has there, changes.
    const std::vector<uint8_t> before = radiotest::ImageBytes(Image());
    MoveTo(CL_Msk_Msg_Status_Beep, 23);
    QTest::keyClick(sheet->Grid(), Qt::Key_Space);
    MoveTo(CL_Msk_Msg_Status_Rriority, 23);
    QTest::keyClick(sheet->Grid(), Qt::Key_Space);
    rig.Advance(20);
    EXPECT_EQ(radiotest::ChangedBits(before, Image()),
              (std::vector<radiotest::Bits>{{2789, 0x01}}));
    EXPECT_EQ(Painted(CL_Msk_Msg_Status_Rriority, 23), "Normal");

    // Saved and opened again, the row shows the same.
    const fs::path file = fs::temp_directory_path() / ("status-" + std::to_string(getpid()));
    ASSERT_EQ(rig.main->SaveFile(file.string()), 0);
    Image().SetByte(2789, 0);
    ASSERT_EQ(rig.main->LoadFile(file.string()), 0);
    fs::remove(file);
    rig.Advance(120);
    sheet = rig.main->OpenedSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(Shown(CL_Msk_Msg_Status_Text_Rx, 23), "FIXED");
    EXPECT_EQ(Painted(CL_Msk_Msg_Status_Beep, 23), "Repeated beeps");
    EXPECT_EQ(Shown(CL_Msk_Msg_Status_Text_Tx, 23), "SEND ALL");
    EXPECT_EQ(Painted(CL_Msk_Msg_Status_Rriority, 23), "Normal");
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

// Five-tone receive code i: its 17 bytes at 1938 + 17i.
Span RxCodeSpan(int i) {
    return {layout::kRxCodeArea.At(i), layout::kRxCodeArea.At(i) + 16};
}

TEST_F(ListEditSheetsTest, ToneCodesAreCopiedPastedAndCarriedThroughBothMenus) {
    Start(MT_VaskPmr);
    for (int code = 1; code <= 8; ++code) {
        Name(RK_RxCode, code, ("CODE " + std::to_string(code)).c_str());
    }
    Open("GI_Sheet_5Tone_RxCode");

    // Through the pop-up menu: code 2 onto code 5, after the question.
    MoveTo(CL_5TRx_Text, 2);
    EXPECT_FALSE(PopupEntry("Paste")->isEnabled()) << "nothing copied yet";
    EXPECT_FALSE(PopupEntry("Clear")->isEnabled()) << "the codes are a fixed list";
    EXPECT_FALSE(PopupEntry("Delete Line")->isEnabled());
    EXPECT_FALSE(PopupEntry("Insert Line")->isEnabled());
    Choose("Copy");
    MoveTo(CL_5TRx_Text, 5);
    std::vector<uint8_t> before = radiotest::ImageBytes(Image());
    const size_t questions = rig.boxes.boxes.size();
    Choose("Paste");
    EXPECT_EQ(rig.boxes.boxes.size(), questions + 1) << "overwrite asked";
    EXPECT_EQ(Shown(CL_5TRx_Text, 5), "CODE 2");
    ExpectChangesWithin(before, Image(), {RxCodeSpan(5)});

    // Carry Down swaps code 5 with code 6, and the cursor follows.
    before = radiotest::ImageBytes(Image());
    Choose("Carry Down");
    EXPECT_EQ(Shown(CL_5TRx_Text, 5), "CODE 6");
    EXPECT_EQ(Shown(CL_5TRx_Text, 6), "CODE 2");
    EXPECT_EQ(sheet->CurrentCell(), CellOf(CL_5TRx_Text, 6));
    ExpectChangesWithin(before, Image(), {RxCodeSpan(5), RxCodeSpan(6)});

    // Through the Edit menu's shortcuts: code 3 onto code 8.
    MoveTo(CL_5TRx_Text, 1);
    EXPECT_FALSE(EditEntry("Carry Up")->isEnabled()) << "the first code";
    EXPECT_TRUE(EditEntry("Carry Down")->isEnabled());
    MoveTo(CL_5TRx_Text, 3);
    EXPECT_TRUE(EditEntry("Copy")->isEnabled());
    CtrlKey(Qt::Key_C);
    MoveTo(CL_5TRx_Text, 8);
    EXPECT_TRUE(EditEntry("Paste")->isEnabled());
    EXPECT_FALSE(EditEntry("Carry Down")->isEnabled()) << "the last code";
    before = radiotest::ImageBytes(Image());
    CtrlKey(Qt::Key_V);
    EXPECT_EQ(Shown(CL_5TRx_Text, 8), "CODE 3");
    ExpectChangesWithin(before, Image(), {RxCodeSpan(8)});
    CtrlKey(Qt::Key_Up);
    EXPECT_EQ(Shown(CL_5TRx_Text, 7), "CODE 3");
    EXPECT_EQ(Shown(CL_5TRx_Text, 8), "CODE 7");
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

// Status message i: status byte, receive text, transmit text.
std::vector<Span> StatusSpans(int i) {
    return {{2766 + i, 2766 + i}, {2990 + 8 * i, 2997 + 8 * i}, {2798 + 8 * i, 2805 + 8 * i}};
}

TEST_F(ListEditSheetsTest, StatusMessagesAreCopiedAndPastedButNeverOntoTheRadiosOwn) {
    Start(MT_VaskPmr);
    Name(RK_MskMsgStatus, 0, "ARRIVED");
    Image().SetByte(2766, 0x3B);
    Name(RK_MskMsgStatus, 23, "FIXED");
    Open("GI_Sheet_Msk_StatusMsg");

    MoveTo(CL_Msk_Msg_Status_Text_Rx, 0);
    CtrlKey(Qt::Key_C);
    MoveTo(CL_Msk_Msg_Status_Beep, 23);
    for (const char* entry : {"Copy", "Paste", "Carry Up", "Carry Down"}) {
        EXPECT_FALSE(PopupEntry(entry)->isEnabled()) << entry << " on the radio's own";
        EXPECT_FALSE(EditEntry(entry)->isEnabled()) << entry << " on the radio's own";
    }
    std::vector<uint8_t> before = radiotest::ImageBytes(Image());
    CtrlKey(Qt::Key_V);
    EXPECT_EQ(radiotest::ChangedBits(before, Image()), std::vector<radiotest::Bits>{});
    EXPECT_EQ(Shown(CL_Msk_Msg_Status_Text_Rx, 23), "FIXED");

    MoveTo(CL_Msk_Msg_Status_Beep, 22);
    EXPECT_FALSE(EditEntry("Carry Down")->isEnabled()) << "the user's last";
    CtrlKey(Qt::Key_V);
    EXPECT_EQ(Shown(CL_Msk_Msg_Status_Text_Rx, 22), "ARRIVED");
    EXPECT_EQ(Image().GetByte(2766 + 22), 0x3B);
    ExpectChangesWithin(before, Image(), StatusSpans(22));

    // The pop-up menu's Carry Up moves it one place up.
    before = radiotest::ImageBytes(Image());
    Choose("Carry Up");
    EXPECT_EQ(Shown(CL_Msk_Msg_Status_Text_Rx, 21), "ARRIVED");
    std::vector<Span> spans = StatusSpans(21);
    for (const Span& span : StatusSpans(22)) {
        spans.push_back(span);
    }
    ExpectChangesWithin(before, Image(), spans);
    EXPECT_EQ(Shown(CL_Msk_Msg_Status_Text_Rx, 23), "FIXED");
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

// On the LMR types the two-tone code owns its receive entry, its transmit tones, its detection
// windows and its tone lengths: a paste writes those and nothing else.
TEST_F(ListEditSheetsTest, ATwoToneCodeIsPastedIntoItsOwnPlacesOnly) {
    Start(MT_Lmr);
    Name(RK_2ToneCode, 2, "FIRE");
    datCh code = Record(RK_2ToneCode, 2);
    code.toneA = 1200;
    code.toneB = 1800;
    code.StoreAndReload();
    Open("GI_Sheet_2Tone_TxCode");
    MoveTo(CL_2TTx_Freq_1st, 2);
    Choose("Copy");
    MoveTo(CL_2T_Text, 5);
    const std::vector<uint8_t> before = radiotest::ImageBytes(Image());
    Choose("Paste");
    EXPECT_EQ(Shown(CL_2T_Text, 5), "FIRE");
    EXPECT_EQ(Painted(CL_2TTx_Freq_1st, 5), Painted(CL_2TTx_Freq_1st, 2));
    const int tx = layout::kTxCodeArea.At(4);
    ExpectChangesWithin(before, Image(),
                        {RxCodeSpan(5), {tx, tx + 13}, {560 + 40, 567 + 40}, {676, 677}});
}

// Every value cell of a list of records offers the list edits; the user tones, whose list is
// fixed by the digits, and a sheet of settings offer only Edit and Help.
TEST(ListSheets, TheirValueCellsOfferTheListEdits) {
    const struct {
        const char* sheet;
        const char* menu;
    } cases[] = {
        {"GI_Sheet_Common_ToneTable", "GI_PMenu_Edit"},
        {"GI_Sheet_Scan_List", "GI_PMenu_Edit"},
        {"GI_Sheet_Dtmf_Memory", "GI_PMenu_Edit"},
        {"GI_Sheet_KDisp_UserChar", "GI_PMenu_Edit"},
        {"GI_Sheet_2Tone_RxCode", "GI_PMenu_Edit"},
        {"GI_Sheet_2Tone_TxCode", "GI_PMenu_Edit"},
        {"GI_Sheet_5Tone_RxCode", "GI_PMenu_Edit"},
        {"GI_Sheet_5Tone_TxCode", "GI_PMenu_Edit"},
        {"GI_Sheet_Msk_IdGroup", "GI_PMenu_Edit"},
        {"GI_Sheet_Msk_CallList", "GI_PMenu_Edit"},
        {"GI_Sheet_Msk_StatusMsg", "GI_PMenu_Edit"},
        {"GI_Sheet_Msk_ShortText", "GI_PMenu_Edit"},
        {"GI_Sheet_Mdc_Alias", "GI_PMenu_Edit"},
        {"GI_Sheet_UTone_List", "GI_PMenu_Setting"},
        {"GI_Sheet_Msk_Config", "GI_PMenu_Setting"},
    };
    testsupport::SettingSheetRig sheets(MT_MdcPmr, 400, 200);
    for (const auto& c : cases) {
        sheets.Open(c.sheet);
        const cuiSheetCells& cells = sheets.sheet->Cells();
        int offered = 0;
        for (int row = 0; row < cells.Rows(); ++row) {
            for (int col = 0; col < cells.Cols(); ++col) {
                const cmcCellObj& cell = cells.At(col, row).cell;
                if (cells.At(col, row).Selectable() && cell.item != kItemNone) {
                    const std::string* menu = cell.GetPopupMenuName();
                    EXPECT_EQ(menu ? *menu : "", c.menu) << c.sheet << " " << col << "," << row;
                    ++offered;
                }
            }
        }
        EXPECT_GT(offered, 0) << c.sheet;
    }
}

}  // namespace
