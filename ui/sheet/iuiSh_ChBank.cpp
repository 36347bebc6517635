#include "ui/sheet/iuiSh_ChBank.h"

#include <QLabel>
#include <algorithm>

#include "common/CurrentEvMan.h"
#include "common/DecimalNumber.h"
#include "common/cmcGTex.h"
#include "radio/host/indDocument.h"
#include "radio/host/indShell.h"
#include "radio/image/BankSize.h"
#include "radio/image/BankTable.h"
#include "radio/image/DottedText.h"
#include "radio/image/ImageLayout.h"
#include "radio/sheet/cmcScrBlock.h"
#include "ui/paint/ColourMapping.h"

namespace {

constexpr uint32_t kTrunkingTitleColour = 0xFFFF00;
constexpr uint32_t kTitleColour = 0x00FFFF;
constexpr uint32_t kTitleGround = 0x442A1F;
constexpr uint8_t kRowBits = kCellLineSelectable | kCellMarked | kCellLineMarked;

}  // namespace

iuiSh_ChBank::iuiSh_ChBank(QWidget* parent, const cmcCellCapsule* parentCapsule, int wantedItem,
                           int wantedIndex, cmcGTex& table, std::string name,
                           const cuiImageList* images)
    : cuiSheet(parent, parentCapsule, wantedItem, wantedIndex, table, std::move(name), images) {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->AddListener(OnEventThunk, this);
    }
}

iuiSh_ChBank::~iuiSh_ChBank() {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->RemoveListener(OnEventThunk, this);
    }
}

cmcEeprom& iuiSh_ChBank::Image() {
    return Shell().Document().CurrentImage();
}

// "Bank n" names the bank; a bank the table does not have keeps the one before.
void iuiSh_ChBank::SetArgs(std::string text) {
    const cmcScrBlock block(text);
    cuiSheet::SetArgs(std::move(text));
    if (block.GetHead() != "Bank") {
        return;
    }
    const std::string& item = block.GetItem(0);
    const int bank = item.empty() ? bank_ : ReadDecimal(item).value;
    if (IsValidBank(bank)) {
        bank_ = bank;
    }
    first_ = SumBankSizes(Image(), bank_);
    count_ = ReadBankSize(Image(), bank_);
}

void iuiSh_ChBank::Show() {
    cuiSheet::Show();
    // The title's colours tell a trunking bank; they need a dark ground to be read.
    if (QLabel* label = TitleLabel()) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, ToQColor(kTitleGround));
        label->setPalette(palette);
        label->setAutoFillBackground(true);
    }
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(EV_BankTitle);
    }
}

// "<head> <bank + 1>: <name> <trunking tag>", the name without its padding and the tag only
// for a trunking bank.
std::string iuiSh_ChBank::BankTitle(const std::string& head) {
    std::string title = FormatBankLabel(Image(), bank_);
    while (!title.empty() && title.back() == ' ') {
        title.pop_back();
    }
    title = head + " " + title;
    if (GetBankFlag(Image(), bank_)) {
        title += " " + Table().GetLine("GI_AppInd_MchSheet_Printer_SmarTrunk", 0);
    }
    return title;
}

std::string iuiSh_ChBank::GetTitle() {
    return BankTitle(Table().GetLine("GI_AppInd_MchSheet_Printer_Head", 0));
}

bool iuiSh_ChBank::IsPrintable() {
    return cuiSheet::IsPrintable() && count_ > 0;
}

// ---- Reading the layout ----

// "LoopFrom" alone repeats its row for every channel, and on screen once more for the empty
// row; "LoopFrom N" is the plain loop.
void iuiSh_ChBank::DoDirective(std::string_view item) {
    if (item != "LoopFrom") {
        cuiSheet::DoDirective(item);
        return;
    }
    RowReader().StartLoop(Printing() ? count_ : count_ + 1);
    if (loopFirstRow_ < 0) {
        loopFirstRow_ = RowReader().Rows();
    }
}

// Every row takes part in line selection but the empty row, which holds no channel yet.
void iuiSh_ChBank::ReadRows(const std::string& section) {
    cuiSheet::ReadRows(section);
    std::vector<clsSheeRowAtr>& rows = RowReader().RowAttrs();
    for (clsSheeRowAtr& row : rows) {
        row.select = true;
    }
    const int emptyRow = loopFirstRow_ + count_;
    if (!Printing() && loopFirstRow_ >= 0 && emptyRow < std::ssize(rows)) {
        rows[static_cast<size_t>(emptyRow)].select = false;
    }
}

void iuiSh_ChBank::BuildCells() {
    const std::string section = LayoutName() + "_Cells";
    LoadBasicCell();
    ReadRows(section);
    const int rows = RowReader().Rows();
    CellArray().Reset(Grid()->ColCount(), std::max(kCellRows, rows));
    PlaceCells(section);
    FillSpareRows(rows);
}

void iuiSh_ChBank::OnRowStart(int row) {
    if (row == loopFirstRow_) {
        ChannelVariables()[0] = first_;
    }
}

// The rows after the layout's are copies of the row above, each cell one index further on.
void iuiSh_ChBank::FillSpareRows(int from) {
    SheetCells& cells = CellArray();
    for (int row = std::max(from, 1); row < cells.Rows(); ++row) {
        for (int col = 0; col < cells.Cols(); ++col) {
            const clsSheetCellId& above = cells.At(col, row - 1);
            clsSheetCellId& entry = cells.At(col, row);
            entry.cell.CopyFrom(above.cell);
            ++entry.cell.index;
            entry.bits = above.bits & kRowBits;
        }
    }
}

// ---- The bank's events ----

void iuiSh_ChBank::OnEventThunk(void* data, const cmcEvent& event) {
    static_cast<iuiSh_ChBank*>(data)->OnEvent(event);
}

void iuiSh_ChBank::OnEvent(const cmcEvent& event) {
    switch (event.type) {
        case EV_QueryCurrentBank:
            CurrentEvMan()->Answer(bank_, first_);
            break;
        case EV_BankTitle:
            ShowBankTitle();
            break;
        case EV_BankRowAdded:
            AddRow();
            break;
        case EV_BankRowRemoved:
            RemoveRow();
            break;
        default:
            break;
    }
}

// The bank, its name, the trunking tag and the channels still free; a trunking bank in its
// own colour.
void iuiSh_ChBank::ShowBankTitle() {
    QLabel* label = TitleLabel();
    if (!label) {
        return;
    }
    const std::string text = BankTitle(cuiSheet::GetTitle()) + " (Left CH - " +
                             std::to_string(layout::kChannelCount - TotalBankChannels(Image())) +
                             ")";
    label->setText(QString::fromStdString(text));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     ToQColor(GetBankFlag(Image(), bank_) ? kTrunkingTitleColour : kTitleColour));
    label->setPalette(palette);
    label->update();
}

void iuiSh_ChBank::SetLineSelectable(int row, bool on) {
    SheetCells& cells = CellArray();
    for (int col = 0; col < cells.Cols(); ++col) {
        uint8_t& bits = cells.At(col, row).bits;
        bits = on ? (bits | kCellLineSelectable) : (bits & ~kCellLineSelectable);
    }
}

// The empty row holds the new channel; the row kept ready below it becomes the empty row.
void iuiSh_ChBank::AddRow() {
    cuiGrid* grid = Grid();
    const int n = grid ? grid->RowCount() : 0;
    if (n < 1 || n >= CellArray().Rows()) {
        return;
    }
    SetLineSelectable(n - 1, MultiSelect() != 0);
    SetLineSelectable(n, false);
    SetShownRows(n + 1);
    grid->SetRowHeight(n, grid->RowHeight(n - 1));
    count_ = ReadBankSize(Image(), bank_);
}

// The last channel row becomes the empty row; the row below it goes, unmarked.
void iuiSh_ChBank::RemoveRow() {
    cuiGrid* grid = Grid();
    const int n = grid ? grid->RowCount() : 0;
    if (n - 2 < std::max(loopFirstRow_, 0)) {
        return;
    }
    SetLineSelectable(n - 2, false);
    SheetCells& cells = CellArray();
    for (int col = 0; col < cells.Cols(); ++col) {
        cells.At(col, n - 1).bits &= ~(kCellMarked | kCellLineMarked);
    }
    const cuiGridCoord current = CurrentCell();
    SetShownRows(n - 1);
    if (current.row - 1 >= loopFirstRow_) {
        SelectQuiet(current.col, current.row - 1);
    }
    count_ = ReadBankSize(Image(), bank_);
}
