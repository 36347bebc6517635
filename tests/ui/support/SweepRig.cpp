#include "tests/ui/support/SweepRig.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>

#include "radio/cells/CellCodes.h"
#include "radio/cells/CellNames.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/memmap/ItemRow.h"
#include "radio/memmap/indActiveCell.h"
#include "tests/ui/support/CallingSheet.h"
#include "tests/ui/support/PaintedTexts.h"
#include "ui/popups/cuiFBitsR.h"
#include "ui/popups/cuiFSegText.h"
#include "ui/popups/cuiFlector.h"
#include "ui/popups/cuiPopupForm.h"
#include "ui/popups/cuiSegEdit.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/sheet/iuiSh_ChBank.h"
#include "ui/sheet/iuiTree.h"
#include "ui/widgets/cuiPaintBox.h"

namespace testsupport {

namespace {

constexpr char kBankOperation[] = "GI_Sheet_Mch_BankOperation";
constexpr char kFirstBank[] = ",Bank 0";
constexpr int kKeySpace = ' ';
constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kMakerFlag = 0;
// Below it the items are commands, list entries, checks and pop-up menu entries.
constexpr int kFirstSettingItem = CL_Bank_SelBankFree;

bool IsDecoration(int item) {
    return item == CL_FBits || item == CL_Misc_ChNo_0Base || item == CL_Misc_ChNo_1Base ||
           item == CL_Misc_QuarterPillar || item == CL_Mch_No;
}

// A node of the maker-mode branch carries Flag0, or a node above it does.
bool MakerOnly(const QTreeWidgetItem* node) {
    for (; node; node = node->parent()) {
        const cmcCellObj* cell = cuiTree::CellOf(node);
        if (cell && cuiTree::HasFlag(*cell, kMakerFlag)) {
            return true;
        }
    }
    return false;
}

// What to type where a step changes nothing: a number, a code or a text for most fields; a
// transmit frequency shown as the receive one ("<-") needs a frequency of its own.
std::string TypedSample(int item) {
    return item == CL_Mch_FreqT ? "160.5" : "12";
}

// A point inside the first segment the user may switch.
GeoPoint FirstSegmentPoint(const Segchar& geometry) {
    for (const Segment& segment : geometry.Segments()) {
        if (segment.IsToggleable() && !segment.Triangles().empty()) {
            const auto& points = segment.Triangles().front().points;
            return {(points[0].x + points[1].x + points[2].x) / 3,
                    (points[0].y + points[1].y + points[2].y) / 3};
        }
    }
    return {};
}

uint32_t BgrOf(const QColor& colour) {
    return static_cast<uint32_t>(colour.red()) | static_cast<uint32_t>(colour.green()) << 8 |
           static_cast<uint32_t>(colour.blue()) << 16;
}

}  // namespace

SweepRig::SweepRig(ModelType model, bool maker)
    : file_(std::filesystem::temp_directory_path() /
            ("tarnwick-sweep-" + std::to_string(getpid()) + "-" + std::to_string(model) +
             (maker ? "-maker" : "") + ".tov")) {
    std::vector<std::string> arguments{"tarnwick"};
    if (maker) {
        arguments.push_back("/hearken");
    }
    main.Start(ItemRegistry::Program(), arguments);
    main.Advance(300);
    // Few cells on screen: every edit repaints those that are.
    main.form->resize(320, 200);
    const std::string initial = main.table.GetLine("GI_App_InitialFile", model);
    EXPECT_EQ(main.main->LoadFile((folder.Path() / initial).string()), 0) << initial;
    main.Advance(50);
    EXPECT_EQ(main.main->CurrentModelType(), model);
    AddChannels();
    FindSheets();
}

SweepRig::~SweepRig() {
    std::error_code ignored;
    std::filesystem::remove(file_, ignored);
}

cuiSheet& SweepRig::Sheet() {
    return *main.main->OpenedSheet();
}

cuiSheet& SweepRig::Open(const std::string& spec) {
    main.main->OpenSheet(spec);
    // The bus forgets the listeners of the sheets gone only when it pumps.
    main.Advance(10);
    return Sheet();
}

// Two channels in the first bank, as the user makes them: the bank's size, then frequencies.
void SweepRig::AddChannels() {
    Open(kBankOperation);
    Type(CL_Mch_Bank, 0, "2");
    for (QTreeWidgetItem* node : main.main->Tree()->Nodes()) {
        const cmcCellObj* cell = cuiTree::CellOf(node);
        if (cell && cell->optionText && cell->optionText->ends_with(kFirstBank)) {
            Open(*cell->optionText);
        }
    }
    Type(CL_Mch_FreqR, 0, "150.125");
    Type(CL_Mch_FreqR, 1, "155.5");
}

void SweepRig::Type(int item, int index, const std::string& text) {
    const cuiSheetCells& cells = Sheet().Cells();
    for (int row = 0; row < cells.Rows(); ++row) {
        for (int col = 0; col < cells.Cols(); ++col) {
            const cmcCellObj& cell = cells.At(col, row).cell;
            if (cell.item == item && cell.index == index) {
                Sheet().RunCell(col, row, kKeyEnter, 0, &text);
                return;
            }
        }
    }
    ADD_FAILURE() << "no cell " << CellItemCodeToName(item) << "[" << index << "]";
}

void SweepRig::FindSheets() {
    for (QTreeWidgetItem* node : main.main->Tree()->Nodes()) {
        const cmcCellObj* cell = cuiTree::CellOf(node);
        if (cell && cell->optionText && *cell->optionText != kBankOperation) {
            nodes_.push_back({*cell->optionText, MakerOnly(node)});
        }
    }
    nodes_.push_back({kBankOperation, false});
    for (const Node& node : nodes_) {
        const cuiSheetCells& cells = Open(node.spec).Cells();
        for (int row = 0; row < cells.Rows(); ++row) {
            for (int col = 0; col < cells.Cols(); ++col) {
                const cmcCellObj& cell = cells.At(col, row).cell;
                if (cell.item == CallSheet && cell.optionText) {
                    linked_.push_back(*cell.optionText);
                }
            }
        }
    }
}

std::vector<std::string> SweepRig::Sheets(bool makerOnly) const {
    std::vector<std::string> specs;
    for (const Node& node : nodes_) {
        if (node.makerOnly || !makerOnly) {
            specs.push_back(node.spec);
        }
    }
    return specs;
}

std::vector<SweepRig::Cell> SweepRig::ValueCells() {
    cuiSheet& sheet = Sheet();
    const cuiSheetCells& cells = sheet.Cells();
    const bool bank = dynamic_cast<iuiSh_ChBank*>(&sheet) != nullptr;
    const int rows = std::min(sheet.Grid()->RowCount(), cells.Rows());
    std::vector<Cell> out;
    for (int row = 0; row < rows; ++row) {
        if (bank && !HoldsChannel(row)) {
            continue;
        }
        for (int col = 0; col < cells.Cols(); ++col) {
            const clsSheetCellId& entry = cells.At(col, row);
            const int item = entry.cell.item;
            if (entry.Selectable() && item >= kFirstSettingItem && item < kCellItemCount &&
                !IsDecoration(item)) {
                out.push_back({main.main->OpenedSheetSpec(), col, row, item, entry.cell.index});
            }
        }
    }
    return out;
}

// A row of a bank sheet holds a channel when its receive frequency shows one (the row for a
// new channel and the channels made by a bank's size show none).
bool SweepRig::HoldsChannel(int row) {
    const cuiSheetCells& cells = Sheet().Cells();
    for (int col = 0; col < cells.Cols(); ++col) {
        const cmcCellObj& cell = cells.At(col, row).cell;
        if (cell.item == CL_Mch_FreqR) {
            return !Text({"", col, row, cell.item, cell.index}).empty();
        }
    }
    return false;
}

// The dispatcher's text for the cell (names are painted as glyphs, not as text), or the
// segments painted for a user character.
std::string SweepRig::Text(const Cell& cell) {
    cuiSheet& sheet = Sheet();
    cmcCellObj copy;
    copy.CopyFrom(sheet.Cells().At(cell.col, cell.row).cell);
    cmcCellCapsule capsule;
    capsule.cell = &copy;
    capsule.sheet = &sheet;
    indActiveCell().DispatchItem(capsule, 0);
    if (!capsule.outText.empty() || cell.item != CL_CEdit) {
        return capsule.outText;
    }
    PaintedTexts device;
    Paint(cell, device);
    return device.Shapes();
}

// The text as above and the colour of the painted text (0 when the cell paints none).
SweepRig::Shown SweepRig::Show(const Cell& cell) {
    PaintedTexts device;
    Paint(cell, device);
    return {Text(cell), device.texts.empty() ? 0 : BgrOf(device.texts.front().colour)};
}

void SweepRig::Paint(const Cell& cell, PaintedTexts& device) {
    QPainter painter(&device);
    Sheet().DrawCell(painter, cell.col, cell.row, QRect(0, 0, 600, 60));
}

void SweepRig::Key(const Cell& cell, int key) {
    Sheet().RunCell(cell.col, cell.row, key, 0);
}

// A name's or user character's key opens its pop-up editor, so only Enter edits them.
bool SweepRig::Steps(const Cell& cell) {
    const ItemRow* row = ItemRegistry::Program().Find(cell.item);
    return row && !std::holds_alternative<DisplayTextParams>(row->editor) &&
           !std::holds_alternative<UserCharacterParams>(row->editor);
}

void SweepRig::Step(const Cell& cell, int key) {
    if (Steps(cell)) {
        Key(cell, key);
        CancelPopups();
    }
}

// A pop-up that a step opened (a code's list, say) is left without an answer.
void SweepRig::CancelPopups() {
    const QWidget* grid = Sheet().Grid();
    while (auto* list = ChildOf<cuiFlector>(grid)) {
        QTest::keyClick(list->Sheet()->Grid(), Qt::Key_Escape);
        Settle();
    }
    while (auto* form = ChildOf<cuiPopupForm>(grid)) {
        form->CancelButton()->click();
        Settle();
    }
    while (auto* segments = ChildOf<cuiSegEdit>(grid)) {
        segments->CancelButton()->click();
        Settle();
    }
    main.bus->Pump();
}

bool SweepRig::EnterOther(const Cell& cell, const std::string& typed) {
    cuiSheet& sheet = Sheet();
    const std::string shown = Text(cell);
    Key(cell, kKeyEnter);
    if (!sheet.EditorShowing()) {
        return AnswerPopups();
    }
    std::string text = typed;
    if (text.empty() || text == shown) {
        QTest::keyClick(sheet.Editor(), Qt::Key_Escape);
        Key(cell, kKeySpace);
        text = Text(cell);
        Key(cell, kKeyBackspace);
        Key(cell, kKeyEnter);
        if (text == shown) {
            text = TypedSample(cell.item);
        }
    }
    sheet.Editor()->setPlainText(QString::fromStdString(text));
    sheet.CommitInPlaceEditor();
    if (sheet.EditorShowing()) {  // the text was refused
        QTest::keyClick(sheet.Editor(), Qt::Key_Escape);
    }
    return true;
}

// A choice can open a further list (the ABC code's "Code..."): each is answered in turn.
bool SweepRig::AnswerPopups() {
    constexpr int kMostNested = 3;
    bool answered = false;
    for (int i = 0; i < kMostNested && AnswerPopup(); ++i) {
        answered = true;
    }
    return answered;
}

bool SweepRig::AnswerPopup() {
    const QWidget* grid = Sheet().Grid();
    if (auto* list = ChildOf<cuiFlector>(grid)) {
        cuiGrid* entries = list->Sheet()->Grid();
        QTest::keyClick(entries, Qt::Key_Down);
        QTest::keyClick(entries, Qt::Key_Return);
    } else if (auto* bits = ChildOf<cuiFBitsR>(grid)) {
        QTest::keyClick(bits->Sheet()->Grid(), Qt::Key_Space);
        bits->OkButton()->click();
    } else if (auto* text = ChildOf<cuiFSegText>(grid)) {
        text->Memo()->setText(text->Memo()->text() + "Q");
        text->OkButton()->click();
    } else if (auto* segments = ChildOf<cuiSegEdit>(grid)) {
        QTest::mouseClick(segments->PaintBox(), Qt::LeftButton, {},
                          segments->ToBox(FirstSegmentPoint(segments->Geometry())));
        segments->OkButton()->click();
    } else {
        return false;
    }
    Settle();
    // The bus forgets the listeners of the pop-ups gone only when it pumps.
    main.bus->Pump();
    return true;
}

void SweepRig::SaveAndReopen() {
    ASSERT_EQ(main.main->SaveFile(file_.string()), 0);
    ASSERT_EQ(main.main->LoadFile(file_.string()), 0);
    main.Advance(50);
}

std::string SweepRig::Name(const Cell& cell) {
    return cell.spec + " " + CellItemCodeToName(cell.item) + "[" + std::to_string(cell.index) + "]";
}

}  // namespace testsupport
