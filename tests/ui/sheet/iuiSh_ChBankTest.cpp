// The channel-bank sheets of the program's own table, built offscreen over the model types'
// initial files: every cell shows a value, the looped rows follow the bank, typing a frequency
// into the empty row opens a channel and adds a row, deleting and inserting through the pop-up
// menu's commands, the clipboard from one bank's sheet to another's, the bank title; and the
// model-conditional sheet's lines. MERROW_BANK_SCREENSHOT=<dir> draws each channel sheet to
// <dir>/<sheet>.png.
#include "ui/sheet/iuiSh_ChBank.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "common/MainGTex.h"
#include "common/cmcGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/clone/file/cmcTovFile.h"
#include "radio/image/BankSize.h"
#include "radio/image/BankTable.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/BankChannelEdits.h"
#include "radio/packing/ImagePacking.h"
#include "radio/records/datCh.h"
#include "tests/ui/support/UiRig.h"
#include "ui/paint/ColourMapping.h"
#include "ui/sheet/iuiSh_Common.h"

namespace {

struct ModelSheet {
    ModelType model;
    const char* token;
};

const ModelSheet kModelSheets[] = {
    {MT_Lmr, "LMR"},     {MT_Pmr, "PMR"},     {MT_VaskPmr, "PMRV"},
    {MT_MdcLmr, "MDCL"}, {MT_MdcPmr, "PMRM"},
};

constexpr int kFirstRowOfChannels = 1;  // after the head row
constexpr QRgb kRuleGrey = qRgb(0x80, 0x80, 0x80);

// The cell drawn alone on white, at its grid size.
QImage RenderCell(cuiSheet& sheet, int col, int row) {
    QImage image(sheet.Grid()->ColWidth(col), sheet.Grid()->RowHeight(row), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    sheet.DrawCell(painter, col, row, image.rect());
    return image;
}

// The box of a drawn cell's dark pixels, its bottom line and right rule left out: where its
// text or glyphs lie.
QRect InkBox(const QImage& cell) {
    QRect box;
    for (int y = 0; y < cell.height() - 1; ++y) {
        for (int x = 0; x < cell.width() - 1; ++x) {
            if (qGray(cell.pixel(x, y)) < 96) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

class BankSheetTest : public ::testing::Test {
protected:
    BankSheetTest() {
        table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
        rig.bus->AddListener(OnEvent, this);
        rig.shell.runListEdits = true;
        window.resize(1000, 420);
        new QVBoxLayout(&window);
        window.show();
    }
    ~BankSheetTest() override {
        sheets.clear();
        rig.bus->RemoveListener(OnEvent, this);
    }

    // The main window's part of the channel events.
    static void OnEvent(void* data, const cmcEvent& event) {
        if (event.type == EV_InsertChannel || event.type == EV_DeleteChannel) {
            RunChannelEvent(static_cast<BankSheetTest*>(data)->rig.shell, event);
        }
    }

    // The model type's initial file as document and default image, with the banks given and
    // channel c of each bank on 146.5 MHz + c x 12.5 kHz.
    void Document(ModelType model, const std::vector<int>& banks) {
        testsupport::FakeShell& shell = rig.shell;
        shell.model = model;
        cmcTovFile file;
        file.SetImage(&shell.defaultImage);
        file.SetModelId(layout::kModelCodeValue);
        file.SetMapRevHandler([](int) { return true; });
        file.SetHeaderHandler([](int, int, int*) { return true; });
        const std::string name = table.GetLine("GI_App_InitialFile", model);
        ASSERT_EQ(file.Read(std::string(MERROW_DATA_DIR) + "/" + name, nullptr), 0) << name;
        ASSERT_EQ(UnpackImage(shell.defaultImage, model, UNPACK_Reset), PACK_Ok);
        shell.image.Assign(shell.defaultImage);
        int position = 0;
        for (int bank = 0; bank < std::ssize(banks); ++bank) {
            SetBankSize(shell.image, bank, banks[static_cast<size_t>(bank)]);
            for (int c = 0; c < banks[static_cast<size_t>(bank)]; ++c) {
                PutChannel(position++, 146500000 + c * 12500);
            }
        }
    }

    void PutChannel(int position, int hz) {
        datCh channel(&rig.shell.image);
        channel.Load(ChannelKindOf(rig.shell.model), position);
        channel.used = 1;
        channel.rxFreq = channel.txFreq = hz;
        channel.Store();
    }

    void SetChannel(int position, const std::function<void(datCh&)>& change) {
        datCh channel(&rig.shell.image);
        channel.Load(ChannelKindOf(rig.shell.model), position);
        change(channel);
        channel.Store();
    }

    int Frequency(int position) {
        datCh channel(&rig.shell.image);
        channel.Load(ChannelKindOf(rig.shell.model), position);
        return channel.used ? channel.rxFreq : 0;
    }

    // The bank's sheet, its cells' painted texts noted; printing on paper when given.
    iuiSh_ChBank& Open(const std::string& token, int bank, QPaintDevice* paper = nullptr) {
        sheets.clear();
        painted.clear();
        auto sheet =
            std::make_unique<iuiSh_ChBank>(&window, nullptr, 0, 0, table, "GI_Sheet_Mch_" + token);
        Watch(*sheet);
        sheet->SetPrinter(paper);
        sheet->SetArgs("Bank " + std::to_string(bank));
        sheet->Show();
        sheet->Grid()->setFocus();
        sheets.push_back(std::move(sheet));
        Repaint();
        return Bank();
    }

    void Watch(cuiSheet& sheet) {
        sheet.SetCellHandler([this](cmcCellCapsule& capsule, int notify) {
            const int result = dispatcher.DispatchItem(capsule, notify);
            if (!notify && capsule.canvas) {
                painted[{capsule.cell->item, capsule.cell->index}] = capsule.outText;
            }
            return result;
        });
    }

    iuiSh_ChBank& Bank() { return static_cast<iuiSh_ChBank&>(*sheets.back()); }
    std::string Shown(int item, int index) { return painted[{item, index}]; }
    void Repaint() { window.grab(); }

    // The column of the item in the channel rows.
    int Column(int item) {
        const cuiSheetCells& cells = Bank().Cells();
        for (int col = 0; col < cells.Cols(); ++col) {
            if (cells.At(col, kFirstRowOfChannels).cell.item == item) {
                return col;
            }
        }
        ADD_FAILURE() << "no column of item " << item;
        return 0;
    }

    void Press(int item, int row, Qt::Key key) {
        Bank().Grid()->MoveTo(Column(item), row);
        QTest::keyClick(Bank().Grid(), key);
        Repaint();
    }

    // Every painted text is a value: no row missing, no value outside its list.
    void ExpectEveryCellAValue(const std::string& name) {
        EXPECT_FALSE(painted.empty()) << name;
        for (const auto& [cell, text] : painted) {
            EXPECT_EQ(text.find("*Yet*"), std::string::npos) << name << ": " << text;
            EXPECT_EQ(text.find("error"), std::string::npos) << name << ": " << cell.first;
        }
    }

    testsupport::UiRig rig;
    cmcGTex table;
    testsupport::ScopedMainGTex tableInstalled{&table};
    indActiveCell dispatcher;
    QWidget window;
    std::vector<std::unique_ptr<cuiSheet>> sheets;
    std::map<std::pair<int, int>, std::string> painted;
};

TEST_F(BankSheetTest, EachModelTypesChannelSheetShowsItsBank) {
    for (const ModelSheet& m : kModelSheets) {
        SCOPED_TRACE(m.token);
        Document(m.model, {2, 3});
        iuiSh_ChBank& sheet = Open(m.token, 1);
        EXPECT_EQ(sheet.FirstChannel(), 2);
        EXPECT_EQ(sheet.ChannelCount(), 3);
        EXPECT_EQ(sheet.Grid()->RowCount(), kFirstRowOfChannels + 3 + 1);
        EXPECT_EQ(sheet.Cells().Rows(), iuiSh_ChBank::kCellRows);
        ExpectEveryCellAValue(m.token);
        EXPECT_EQ(Shown(CL_Mch_No, 2), "2-  1");
        EXPECT_EQ(Shown(CL_Mch_No, 4), "2-  3");
        EXPECT_EQ(Shown(CL_Mch_No, 5), "New");
        EXPECT_EQ(Shown(CL_Mch_FreqR, 3), "146.512500");
        EXPECT_EQ(Shown(CL_Mch_FreqR, 5), "");
        EXPECT_TRUE(rig.boxes.fatals.empty());
    }
}

TEST_F(BankSheetTest, TheBankOverviewAndTheBankTableShowTheBanks) {
    Document(MT_Pmr, {2, 3});
    for (const char* name : {"GI_Sheet_Memory_CH_Top", "GI_Sheet_Mch_BankOperation"}) {
        sheets.clear();
        painted.clear();
        sheets.push_back(std::make_unique<cuiSheet>(&window, nullptr, 0, 0, table, name));
        Watch(*sheets.back());
        sheets.back()->Show();
        Repaint();
        ExpectEveryCellAValue(name);
    }
    EXPECT_EQ(Shown(CL_Mch_Bank, 1), "3");
    EXPECT_EQ(Shown(CL_Mch_Bank, 16), "5");
    EXPECT_EQ(Shown(CL_Mch_UsedCHs, 16), "5");
    EXPECT_EQ(Shown(CL_Misc_ChNo_1Base, 15), "16");
}

// On screen a bank shows its channels and the empty row; on paper its channels only.
TEST_F(BankSheetTest, LoopedRowsFollowTheBank) {
    QImage paper(200, 200, QImage::Format_RGB32);
    for (int count : {0, 1, 4}) {
        SCOPED_TRACE(count);
        Document(MT_Pmr, {count});
        EXPECT_EQ(Open("PMR", 0).Grid()->RowCount(), kFirstRowOfChannels + count + 1);
        EXPECT_EQ(Bank().IsPrintable(), count > 0);
        // The empty row takes no part in a line selection.
        const cuiSheetCells& cells = Bank().Cells();
        EXPECT_FALSE(cells.At(2, kFirstRowOfChannels + count).Has(kCellLineSelectable));
        if (count > 0) {
            EXPECT_TRUE(cells.At(2, kFirstRowOfChannels).Has(kCellLineSelectable));
        }
        EXPECT_EQ(Open("PMR", 0, &paper).Grid()->RowCount(),
                  kFirstRowOfChannels + std::max(count, 1));
    }
}

TEST_F(BankSheetTest, TypingAFrequencyIntoTheEmptyRowAddsAChannelAndARow) {
    Document(MT_Pmr, {2, 3});
    iuiSh_ChBank& sheet = Open("PMR", 0);
    const int emptyRow = kFirstRowOfChannels + 2;
    ASSERT_EQ(sheet.Grid()->RowCount(), emptyRow + 1);
    Press(CL_Mch_FreqR, emptyRow, Qt::Key_1);
    ASSERT_TRUE(sheet.EditorShowing());
    EXPECT_EQ(sheet.Editor()->toPlainText(), "1");
    QTest::keyClicks(sheet.Editor(), "46.8");
    QTest::keyClick(sheet.Editor(), Qt::Key_Return);
    Repaint();
    EXPECT_EQ(sheet.Grid()->RowCount(), emptyRow + 2);
    EXPECT_EQ(GetBankSizeOf(rig.shell.image, 0), 3);
    EXPECT_EQ(Frequency(2), 146800000);
    EXPECT_EQ(Frequency(3), 146500000);  // bank 1's first channel moved on
    EXPECT_EQ(Shown(CL_Mch_FreqR, 2), "146.800000");
    EXPECT_EQ(Shown(CL_Mch_No, 2), "1-  3");
    EXPECT_EQ(Shown(CL_Mch_No, 3), "New");
    EXPECT_FALSE(sheet.Cells().At(2, emptyRow + 1).Has(kCellLineSelectable));
    EXPECT_TRUE(sheet.Cells().At(2, emptyRow).Has(kCellLineSelectable));
    // The cursor goes no further than the new empty row.
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(sheet.Grid(), Qt::Key_Down);
    }
    EXPECT_EQ(sheet.CurrentCell().row, emptyRow + 1);
}

TEST_F(BankSheetTest, DeleteAndInsertChangeTheRowsThroughThePopupMenuCommands) {
    Document(MT_Pmr, {4, 1});
    iuiSh_ChBank& sheet = Open("PMR", 0);
    const int col = Column(CL_Mch_FreqR);
    rig.boxes.Answer(platform::BoxAnswer::Ok);
    sheet.RunCell(col, kFirstRowOfChannels + 1, 0, CL_PMenu_Delete);
    rig.bus->Pump();
    EXPECT_EQ(sheet.Grid()->RowCount(), kFirstRowOfChannels + 3 + 1);
    EXPECT_EQ(GetBankSizeOf(rig.shell.image, 0), 3);
    EXPECT_EQ(Frequency(1), 146525000);
    EXPECT_EQ(sheet.CurrentCell(), (cuiGridCoord{col, kFirstRowOfChannels + 1}));
    sheet.RunCell(col, kFirstRowOfChannels, 0, CL_PMenu_Insert);
    rig.bus->Pump();
    EXPECT_EQ(sheet.Grid()->RowCount(), kFirstRowOfChannels + 4 + 1);
    EXPECT_EQ(Frequency(0), 0);
    EXPECT_EQ(Frequency(1), 146500000);
    EXPECT_EQ(Frequency(4), 146500000);  // bank 1's channel
    EXPECT_GE(rig.shell.packs, 2);
}

TEST_F(BankSheetTest, TheClipboardCarriesChannelsFromOneBanksSheetToAnothers) {
    Document(MT_Pmr, {3, 2});
    iuiSh_ChBank& first = Open("PMR", 0);
    const int col = Column(CL_Mch_FreqR);
    first.Grid()->MoveTo(col, kFirstRowOfChannels + 1);
    QTest::keyClick(first.Grid(), Qt::Key_Down, Qt::ShiftModifier);
    first.RunCell(col, kFirstRowOfChannels + 2, 0, CL_PMenu_Copy);
    iuiSh_ChBank& second = Open("PMR", 1);
    rig.boxes.Answer(platform::BoxAnswer::Ok);
    second.RunCell(col, kFirstRowOfChannels, 0, CL_PMenu_Paste);
    rig.bus->Pump();
    EXPECT_EQ(Frequency(3), 146512500);
    EXPECT_EQ(Frequency(4), 146525000);
    EXPECT_EQ(rig.boxes.boxes.size(), 1u);  // the overwrite question
    EXPECT_TRUE(second.MarksExist());
}

TEST_F(BankSheetTest, TheTitleTellsTheBankAndTheChannelsLeft) {
    Document(MT_Pmr, {2, 3});
    rig.shell.image.WriteBlock(layout::kBankNames + 8, reinterpret_cast<const uint8_t*>("DEPOT   "),
                               8);
    Open("PMR", 1);
    const QLabel* title = window.findChild<QLabel*>();
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text().toStdString(), "PMR Channels, Bank 2: DEPOT (Left CH - 251)");
    EXPECT_EQ(title->palette().color(QPalette::WindowText), ToQColor(0x00FFFF));
    SetBankFlag(rig.shell.image, 1, 1);
    rig.bus->Send(EV_BankTitle);
    EXPECT_EQ(title->text().toStdString(),
              "PMR Channels, Bank 2: DEPOT (Trunking) (Left CH - 251)");
    EXPECT_EQ(title->palette().color(QPalette::WindowText), ToQColor(0xFFFF00));
    EXPECT_EQ(Bank().GetTitle(), "Memory Channels, Bank 2: DEPOT (Trunking)");
    const cmcEvAns* answer = rig.bus->Query(EV_QueryCurrentBank);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->pointerAnswer, 1);
    EXPECT_EQ(answer->intAnswer, 2);
}

// A bit field ends its value with a line end; its digits still sit whole in the middle of
// their cell, at every font size and on paper.
TEST_F(BankSheetTest, ABitFieldsDigitsSitWholeInTheMiddleOfTheirCell) {
    Document(MT_Lmr, {2});
    SetChannel(0, [](datCh& channel) { channel.scanMask = 0x3FF; });
    QImage paper(100, 100, QImage::Format_RGB32);
    paper.setDotsPerMeterY(static_cast<int>(300 / 0.0254));
    const struct {
        int percentage;
        QPaintDevice* paper;
    } cases[] = {{75, nullptr}, {100, nullptr}, {150, nullptr}, {200, nullptr}, {100, &paper}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.percentage << (c.paper ? "% on paper" : "%"));
        cuiSheet::SetViewFontPercentage(c.percentage);
        Open("LMR", 0, c.paper);
        const QImage cell = RenderCell(Bank(), Column(CL_Mch_Scan), kFirstRowOfChannels);
        EXPECT_EQ(Shown(CL_Mch_Scan, 0), "1234567890\n");
        const QRect ink = InkBox(cell);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_GT(ink.top(), 0) << "the tops of the digits are cut";
        EXPECT_LT(ink.bottom(), cell.height() - 2);
        const int inkMiddle = ink.top() + ink.bottom();
        const int cellMiddle = cell.height() - 2;
        EXPECT_LE(std::abs(inkMiddle - cellMiddle), cell.height() / 3)
            << "ink " << ink.top() << ".." << ink.bottom() << " in " << cell.height();
    }
    cuiSheet::SetViewFontPercentage(100);
}

// Each column has a rule along its right edge, from its heading down, so that a short value
// beside another ("Inv" of the scrambler code, "Off" of auto reset) reads under its own heading.
TEST_F(BankSheetTest, ColumnRulesKeepEachValueUnderItsOwnHeading) {
    Document(MT_Lmr, {2});
    Open("LMR", 0);
    for (int item : {CL_Mch_Scrm_Code, CL_Mch_AutoReset}) {
        for (int row : {0, kFirstRowOfChannels}) {
            SCOPED_TRACE(testing::Message() << "item " << item << ", row " << row);
            const QImage cell = RenderCell(Bank(), Column(item), row);
            for (int y = 0; y < cell.height() - 1; ++y) {
                ASSERT_EQ(cell.pixel(cell.width() - 1, y), kRuleGrey) << "y " << y;
            }
            const QRect ink = InkBox(cell);
            EXPECT_GE(ink.left(), 2);
            EXPECT_LE(ink.right(), cell.width() - 4) << "the text touches the rule";
        }
    }
    EXPECT_EQ(Shown(CL_Mch_Scrm_Code, 0), "Inv");
    EXPECT_EQ(Shown(CL_Mch_AutoReset, 0), "Off");
}

// A name in the segment font keeps the margin of a typed value from the cell before it.
TEST_F(BankSheetTest, ANameInTheSegmentFontKeepsClearOfTheCellBeforeIt) {
    Document(MT_Lmr, {2});
    SetChannel(0, [](datCh& channel) {
        const char name[] = "HARBOUR8";
        std::copy(name, name + 8, channel.name.begin());
    });
    for (int percentage : {100, 200}) {
        SCOPED_TRACE(percentage);
        cuiSheet::SetViewFontPercentage(percentage);
        Open("LMR", 0);
        const QImage cell = RenderCell(Bank(), Column(CL_Mch_Text), kFirstRowOfChannels);
        const QRect ink = InkBox(cell);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_GE(ink.left(), 4 * percentage / 100);
        EXPECT_LE(ink.right(), cell.width() - 4);
    }
    cuiSheet::SetViewFontPercentage(100);
}

// Not a check: draws every model type's channel sheet, with a few channels, for a person to
// look at.
TEST_F(BankSheetTest, Screenshots) {
    const char* folder = std::getenv("MERROW_BANK_SCREENSHOT");
    if (!folder) {
        GTEST_SKIP() << "MERROW_BANK_SCREENSHOT not set";
    }
    window.resize(1400, 300);
    auto setUp = [this](ModelType model) {
        Document(model, {4});
        SetChannel(0, [](datCh& channel) {
            channel.scanMask = 0x2A5;
            channel.rxCodeNo = 0x85;
            const char name[] = "HARBOUR ";
            std::copy(name, name + 8, channel.name.begin());
        });
        SetChannel(1, [](datCh& channel) { channel.scanMask = 0x3FF; });
    };
    for (const ModelSheet& m : kModelSheets) {
        setUp(m.model);
        Open(m.token, 0);
        for (int part = 0; part < 2; ++part) {
            Bank().Grid()->SetLeftCol(part == 0 ? 1 : Bank().Grid()->ColCount() - 1);
            window.grab().save(QString("%1/GI_Sheet_Mch_%2_%3.png").arg(folder, m.token).arg(part));
        }
    }
    for (int percentage : {75, 150, 200}) {
        cuiSheet::SetViewFontPercentage(percentage);
        setUp(MT_Lmr);
        Open("LMR", 0);
        window.grab().save(QString("%1/GI_Sheet_Mch_LMR_%2%.png").arg(folder).arg(percentage));
    }
    cuiSheet::SetViewFontPercentage(100);
    // The sheet as it comes out on paper at 300 dpi: its cells drawn one after the other.
    QImage paper(3000, 400, QImage::Format_RGB32);
    paper.setDotsPerMeterX(static_cast<int>(300 / 0.0254));
    paper.setDotsPerMeterY(static_cast<int>(300 / 0.0254));
    paper.fill(Qt::white);
    setUp(MT_Lmr);
    const cuiGrid& grid = *Open("LMR", 0, &paper).Grid();
    QPainter painter(&paper);
    for (int row = 0, y = 0; row < grid.RowCount(); y += grid.RowHeight(row++)) {
        for (int col = 0, x = 0; col < grid.ColCount(); x += grid.ColWidth(col++)) {
            Bank().DrawCell(painter, col, row,
                            QRect(x, y, grid.ColWidth(col), grid.RowHeight(row)));
        }
    }
    painter.end();
    paper.save(QString("%1/GI_Sheet_Mch_LMR_paper.png").arg(folder));
    window.resize(700, 520);
    for (const char* name : {"GI_Sheet_Memory_CH_Top", "GI_Sheet_Mch_BankOperation"}) {
        Document(MT_Pmr, {4, 2});
        sheets.clear();
        sheets.push_back(std::make_unique<cuiSheet>(&window, nullptr, 0, 0, table, name));
        sheets.back()->Show();
        window.grab().save(QString("%1/%2.png").arg(folder, name));
    }
}

// ---- Lines for some model types ----

const char* const kCommonTable[] = {
    "#Cond_Style",
    "",
    "#Cond_BasicCell",
    "{}",
    "#Cond_Cells",
    "all|",
    ":(Only_Lmr 2)",
    "lmr 1|",
    "lmr 2|",
    ":(Only_Pmr 2)",
    "pmr 1|",
    "pmr 2|",
    ":(Only_Pmr)",
    "after a count-less directive|",
    ":(Only_VASK 1)",
    "vask|",
    ":(Only_notVASK 1)",
    "not vask|",
    ":(Only_MDC 1)",
    "mdc|",
    ":(Only_SACC 1)",
    "sacc|",
    "end|",
    "#End_Of_Ovl",
};

std::vector<std::string> Captions(const cuiSheet& sheet) {
    std::vector<std::string> captions;
    for (int row = 0; row < sheet.Grid()->RowCount(); ++row) {
        captions.push_back(sheet.Cells().At(0, row).cell.GetCaption());
    }
    return captions;
}

TEST(ModelConditionalSheet, ShowsTheLinesOfTheModelTypeAndOption) {
    testsupport::UiRig rig;
    cmcGTex table;
    table.SetLines(kCommonTable);
    QWidget window;
    struct Case {
        ModelType model;
        bool sacc;
        std::vector<std::string> rows;
    } cases[] = {
        {MT_MdcLmr,
         false,
         {"all", "lmr 1", "lmr 2", "after a count-less directive", "not vask", "mdc", "end"}},
        {MT_VaskPmr,
         true,
         {"all", "pmr 1", "pmr 2", "after a count-less directive", "vask", "sacc", "end"}},
        {MT_Pmr,
         false,
         {"all", "pmr 1", "pmr 2", "after a count-less directive", "not vask", "end"}},
    };
    for (const Case& c : cases) {
        rig.shell.model = c.model;
        rig.shell.image.SetByte(layout::kOptions, c.sacc ? layout::kSaccFittedMask : 0);
        iuiSh_Common sheet(&window, nullptr, 0, 0, table, "Cond");
        sheet.Show();
        EXPECT_EQ(Captions(sheet), c.rows) << c.model;
    }
}

}  // namespace
