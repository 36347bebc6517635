#include "ui/sheet/cuiSheet.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPaintDevice>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

#include "common/CurrentEvMan.h"
#include "common/cmcGTex.h"
#include "platform/Clock.h"
#include "ui/paint/ColourMapping.h"
#include "ui/paint/FontMapping.h"
#include "ui/paint/cuiImageList.h"

namespace {

constexpr int kPrinterDpiUnit = 120;
int viewFontPercentage = 100;

// Which cells a redraw flag selects, against the reference cell of the change.
struct RedrawRule {
    int flag;
    bool (*selects)(const cmcCellObj& cell, const cmcCellObj& ref);
};

bool HasItem(const cmcCellObj& cell) {
    return cell.item != kItemNone;
}

bool IndexRule(const cmcCellObj& cell, const cmcCellObj& ref) {
    return HasItem(cell) && ref.category != kCategoryNone;
}

const RedrawRule kRedrawRules[] = {
    {RD_SameCell, [](const cmcCellObj& c,
                     const cmcCellObj& r) { return c.item == r.item && c.index == r.index; }},
    {RD_SameCategory,
     [](const cmcCellObj& c, const cmcCellObj& r) { return c.category == r.category; }},
    {RD_SameItem, [](const cmcCellObj& c, const cmcCellObj& r) { return c.item == r.item; }},
    {RD_SameIndex, [](const cmcCellObj& c,
                      const cmcCellObj& r) { return IndexRule(c, r) && c.index == r.index; }},
    {RD_NeighbourIndex,
     [](const cmcCellObj& c, const cmcCellObj& r) {
         return HasItem(c) && c.category == r.category && std::abs(c.index - r.index) <= 1;
     }},
    {RD_AllCells, [](const cmcCellObj& c, const cmcCellObj&) { return HasItem(c); }},
    {RD_IndexFrom, [](const cmcCellObj& c,
                      const cmcCellObj& r) { return IndexRule(c, r) && c.index >= r.index; }},
    {RD_IndexUpTo, [](const cmcCellObj& c,
                      const cmcCellObj& r) { return IndexRule(c, r) && c.index <= r.index; }},
};

}  // namespace

cuiSheet::cuiSheet(QWidget* parent, const cmcCellCapsule* parentCapsule, int wantedItem,
                   int wantedIndex, cmcGTex& table, std::string name, const cuiImageList* images)
    : table_(table),
      parent_(parent),
      name_(name),
      images_(images),
      parentCapsule_(parentCapsule ? std::make_unique<cmcCellCapsule>(*parentCapsule) : nullptr),
      wantedItem_(wantedItem),
      wantedIndex_(wantedIndex),
      historyName_(std::move(name)),
      selection_(cells_,
                 [this](int col, int row) {
                     if (grid_) {
                         grid_->InvalidateCell(col, row);
                     }
                 }),
      painter_(images, parentCapsule_.get(), template_),
      editor_({.key = [this] { SendStatusClear(); },
               .commit =
                   [this](GridCoord cell, const std::string& text) {
                       RunCell(cell.col, cell.row, kKeyEnter, 0, &text);
                   },
               .move = [this](int key) { input_.MoveByKey(key); }}) {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->AddListener(OnEventThunk, this);
    }
}

cuiSheet::~cuiSheet() {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->RemoveListener(OnEventThunk, this);
        bus->Send(EV_ControlDestroyed, 0, reinterpret_cast<intptr_t>(gridId_));
    }
    // The editor's focus loss while it goes must not run the edit path of a sheet that goes.
    editor_.Detach();
    popup_.Detach();
    delete titlePanel_;
    delete gridPanel_;
}

void cuiSheet::SetPrinter(QPaintDevice* printer) {
    printer_ = printer;
    scale_ = printer ? std::max(1, printer->logicalDpiY() / kPrinterDpiUnit) : 1;
    painter_.SetPrinting(printer != nullptr, scale_);
}

void cuiSheet::SetSavedPosition(int col, int row, int leftCol, int topRow) {
    savedCell_ = {col, row};
    savedTopLeft_ = {leftCol, topRow};
}

void cuiSheet::SetViewFontPercentage(int percent) {
    viewFontPercentage = percent;
}

void cuiSheet::SetInactiveFlag(bool* flag) {
    cuiSheetInput::SetInactiveFlag(flag);
}

cuiGridCoord cuiSheet::CurrentCell() const {
    return grid_ ? cuiGridCoord{grid_->Col(), grid_->Row()} : cuiGridCoord{};
}

// ---- Show and Build ----

void cuiSheet::Show() {
    if (!handler_) {
        handler_ = [this](cmcCellCapsule& capsule, int notify) {
            return dispatcher_.DispatchItem(capsule, notify);
        };
    }
    building_ = true;
    Build();
    if (!IsShown(savedCell_.col, savedCell_.row)) {
        savedCell_ = {};
    }
    if (savedCell_.col < 0 && wantedItem_ != 0) {
        for (int row = 0; row < grid_->RowCount() && savedCell_.col < 0; ++row) {
            for (int col = 0; col < cells_.Cols(); ++col) {
                const clsSheetCellId& entry = cells_.At(col, row);
                if (entry.Selectable() && entry.cell.item == wantedItem_ &&
                    entry.cell.index == wantedIndex_) {
                    SelectQuiet(col, row);
                    break;
                }
            }
        }
    } else if (cells_.Selectable(savedCell_.col, savedCell_.row)) {
        grid_->SetLeftCol(savedTopLeft_.col);
        grid_->SetTopRow(savedTopLeft_.row);
        GoToCell(savedCell_.col, savedCell_.row);
    }
    const cuiGridCoord current = CurrentCell();
    if (!cells_.Selectable(current.col, current.row)) {
        grid_->setEnabled(false);
    }
    building_ = false;
    grid_->InvalidateGrid();
    OnCurrentCellChanged(current.col, current.row, false);
}

void cuiSheet::Build() {
    SheetRowReader::ForEachItem(table_.GetLine(name_ + "_Style", 0),
                                [this](std::string_view item) { ParseStyle(item); });
    selection_.SetMultiSelect(style_.multiSelect);
    auto* layout = qobject_cast<QVBoxLayout*>(parent_->layout());
    if (!layout) {
        layout = new QVBoxLayout(parent_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
    }
    if (style_.title) {
        BuildTitle();
        layout->addWidget(titlePanel_);
    }
    BuildGrid();
    layout->addWidget(gridPanel_, 1);
    GoToCell(0, 0);
    MoveCursor(0, 1);
    MoveCursor(0, -1);
    MoveCursor(1, 0);
    MoveCursor(-1, 0);
    ConnectGrid();
    if (titlePanel_) {
        titlePanel_->setVisible(true);
    }
    gridPanel_->setVisible(true);
}

void cuiSheet::BuildTitle() {
    constexpr int kBevel = 2;
    titlePanel_ = new QFrame(parent_);
    titlePanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    titlePanel_->setLineWidth(kBevel);
    titleLabel_ = new QLabel(titlePanel_);
    titleLabel_->setTextFormat(Qt::PlainText);
    titleLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (style_.titleFont) {
        titleLabel_->setFont(ToQFont(*style_.titleFont));
    }
    titleLabel_->setText(QString::fromStdString(*style_.title));
    QPalette palette = titleLabel_->palette();
    palette.setColor(QPalette::WindowText, ToQColor(style_.titleColour));
    titleLabel_->setPalette(palette);
    auto* layout = new QVBoxLayout(titlePanel_);
    layout->setContentsMargins(kBevel, 0, kBevel, 0);
    layout->addWidget(titleLabel_);
    titlePanel_->setFixedHeight(QFontMetrics(titleLabel_->font()).height() + kBevel + 8);
}

void cuiSheet::BuildGrid() {
    gridPanel_ = new QFrame(parent_);
    gridPanel_->setFrameStyle(QFrame::Panel | (popupList_ ? QFrame::Raised : QFrame::Sunken));
    gridPanel_->setLineWidth(popupList_ ? 1 : 2);
    auto* layout = new QVBoxLayout(gridPanel_);
    const int border = popupList_ ? 2 + 1 : 2;
    layout->setContentsMargins(border, border, border, border);
    grid_ = new cuiGrid(gridPanel_);
    gridId_ = grid_;
    input_.Watch(grid_);
    grid_->setFrameShape(QFrame::NoFrame);
    layout->addWidget(grid_);
    editor_.Attach(gridPanel_, grid_);
    BuildCells();
    selection_.SetShownRows(grid_->RowCount());
    AddMarkRoom();
    grid_->SetThumbTracking(true);
    grid_->SetFixedCols(std::min(style_.fixedCols, cells_.Cols() - 1));
    grid_->SetFixedRows(std::min(style_.fixedRows, cells_.Rows() - 1));
    selection_.SetFixedCols(grid_->FixedCols());
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    popup_.Attach(grid_);
    grid_->OnSelectCell = [this](cuiGrid*, int col, int row, bool& may) {
        SelectCell(col, row, may);
    };
}

void cuiSheet::ConnectGrid() {
    input_.Connect(grid_);
    grid_->OnDrawCell = [this](cuiGrid*, int col, int row, const QRect& rect, int,
                               QPainter& painter) { DrawCell(painter, col, row, rect); };
}

// ---- Slots ----

void cuiSheet::ParseStyle(std::string_view item) {
    if (!style_.Apply(item)) {
        const std::string section = name_ + "_Style";
        SheetRowReader::LayoutError(section, table_.GetLine(section, 0));
    }
}

void cuiSheet::DoDirective(std::string_view item) {
    reader_.DoDirective(item);
}

void cuiSheet::BuildCells() {
    LoadBasicCell();
    const std::string section = name_ + "_Cells";
    ReadRows(section);
    cells_.Reset(grid_->ColCount(), grid_->RowCount());
    PlaceCells(section);
}

void cuiSheet::LoadBasicCell() {
    std::string text = table_.GetLine(name_ + "_BasicCell", 0);
    if (fontHeight_ != 0) {
        text += "{(Font=,,," + std::to_string(fontHeight_) + ",,,)}";
    } else {
        text += "{(Font=,,,%" + std::to_string(viewFontPercentage) + ",,,)}";
    }
    if (printer_ && style_.printFontRatio != 100) {
        text += "{(Font=,,,%" + std::to_string(style_.printFontRatio) + ",,,)}";
    }
    template_ = cmcCellObj();
    cmcCellObj::ParseDefinition(template_, text, &channelVars_, nullptr, false);
    grid_->SetColor(ToQColor(template_.colour));
    if (template_.font) {
        gridPanel_->setFont(ToQFont(*template_.font));
    }
}

void cuiSheet::ReadRows(const std::string& section) {
    reader_.Read(table_, section, template_, [this](std::string_view item) { DoDirective(item); });
    grid_->SetColCount(reader_.Cols());
    grid_->SetRowCount(reader_.Rows());
}

void cuiSheet::PlaceCells(const std::string& section) {
    SheetCellPlacer placer(cells_, template_, channelVars_, scale_);
    const SheetCellPlacer::Hooks hooks{
        .rowStart = [this](int row) { OnRowStart(row); },
        .cellStart = [this](int col, int row) { OnCellStart(col, row); },
        .measure = [this](const cmcCellObj& cell) { return MeasureCaption(cell); },
    };
    placer.Place(table_, section, reader_.RowAttrs(), style_.multiSelect != MS_None, hooks);
    ApplySizes(placer);
}

void cuiSheet::ApplySizes(const SheetCellPlacer& placer) {
    grid_->SetExtents(scale_, placer.ColWidths(), placer.RowHeights());
    smallestCol_ = placer.SmallestCol();
    smallestRow_ = placer.SmallestRow();
}

// The widest line and the summed line heights of the caption, in the cell's font on the
// device the sheet is shown on.
SheetCellPlacer::CaptionSize cuiSheet::MeasureCaption(const cmcCellObj& cell) const {
    const std::string caption = cell.GetCaption();
    if (caption.empty()) {
        return {};
    }
    const QFont font = ToQFont(cell.font ? *cell.font : template_.font.value_or(cmcFont()));
    const QFontMetrics metrics = printer_ ? QFontMetrics(font, printer_) : QFontMetrics(font);
    SheetCellPlacer::CaptionSize size;
    for (size_t start = 0;;) {
        const size_t end = caption.find('\n', start);
        const QString line = QString::fromStdString(caption.substr(start, end - start));
        size.width = std::max(size.width, metrics.horizontalAdvance(line));
        size.height += metrics.height();
        if (end == std::string::npos) {
            return size;
        }
        start = end + 1;
    }
}

// On a sheet that shows marks, each fitted column that holds cells with an item gets room for
// a mark beside its widest text, so that a mark never covers the value it marks.
void cuiSheet::AddMarkRoom() {
    if (!images_) {
        return;
    }
    const QFont font = ToQFont(template_.font.value_or(cmcFont()));
    const QFontMetrics metrics = printer_ ? QFontMetrics(font, printer_) : QFontMetrics(font);
    const int room = cuiCellPainter::MarkRoom(metrics.height(), printer_ != nullptr, scale_);
    for (int col = 0; col < cells_.Cols(); ++col) {
        bool items = false;
        for (int row = 0; row < cells_.Rows() && !items; ++row) {
            items = cells_.At(col, row).cell.item != kItemNone;
        }
        if (items && grid_->ColWidth(col) > scale_) {
            grid_->SetColWidth(col, grid_->ColWidth(col) + room);
        }
    }
}

int cuiSheet::NaturalWidth() const {
    int sum = 0;
    for (int col = 0; col < grid_->ColCount(); ++col) {
        sum += grid_->ColWidth(col);
    }
    return parent_->width() + sum - grid_->viewport()->width();
}

int cuiSheet::NaturalHeight() const {
    int sum = 0;
    for (int row = 0; row < grid_->RowCount(); ++row) {
        sum += grid_->RowHeight(row);
    }
    return parent_->height() + sum - grid_->viewport()->height();
}

bool cuiSheet::IsShown(int col, int row) const {
    return cells_.InRange(col, row) && grid_ && row < grid_->RowCount();
}

void cuiSheet::SetShownRows(int rows) {
    grid_->SetRowCount(rows);
    selection_.SetShownRows(rows);
}

void cuiSheet::ScrollHome() {
    grid_->SetTopRow(0);
    grid_->SetLeftCol(0);
    const cuiGridCoord current = CurrentCell();
    GoToCell(current.col, current.row);
}

// ---- Events ----

void cuiSheet::OnEventThunk(void* data, const cmcEvent& event) {
    static_cast<cuiSheet*>(data)->OnEvent(event);
}

void cuiSheet::OnEvent(const cmcEvent& event) {
    if (event.type == EV_ClosePopups) {
        CommitInPlaceEditor();
        return;
    }
    if (event.type == EV_QueryCurrentCell) {
        popup_.AnswerCellQuery(event);
        return;
    }
    static constexpr struct {
        int type;
        int flag;
    } kRedraws[] = {
        {EV_RedrawAllCells, RD_AllCells},   {EV_RedrawCategoryCells, RD_SameCategory},
        {EV_RedrawItemCells, RD_SameItem},  {EV_RedrawIndexCells, RD_SameIndex},
        {EV_RedrawCellsUpTo, RD_IndexUpTo}, {EV_RedrawCellsFrom, RD_IndexFrom},
    };
    for (const auto& redraw : kRedraws) {
        if (redraw.type != event.type) {
            continue;
        }
        cmcCellObj reference;
        const int b = static_cast<int>(event.B);
        reference.category = event.type == EV_RedrawCategoryCells ? b : 0;
        reference.item = event.type == EV_RedrawItemCells ? b : 0;
        reference.index = event.type >= EV_RedrawIndexCells ? b : -1;
        cmcCellCapsule capsule;
        capsule.cell = &reference;
        OnCellsChanged(capsule, redraw.flag);
    }
}

void cuiSheet::OnCellsChanged(const cmcCellCapsule& capsule, int flags) {
    if (!grid_ || cells_.Empty() || !capsule.cell) {
        return;
    }
    const cmcCellObj& ref = *capsule.cell;
    const int lastRow = std::min(cells_.Rows() - 1, grid_->TopRow() + grid_->VisibleRowCount());
    const int lastCol = std::min(cells_.Cols() - 1, grid_->LeftCol() + grid_->VisibleColCount());
    for (int row = 0; row <= lastRow; ++row) {
        for (int col = 0; col <= lastCol; ++col) {
            const cmcCellObj& cell = cells_.At(col, row).cell;
            const bool selected = std::any_of(
                std::begin(kRedrawRules), std::end(kRedrawRules), [&](const RedrawRule& rule) {
                    return (flags & rule.flag) && rule.selects(cell, ref);
                });
            if (selected) {
                grid_->InvalidateCell(col, row);
            }
        }
    }
}

void cuiSheet::SendStatusClear() {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->SendText(EV_StatusText, 0x80000008, 0x8000000F, "");
    }
}

// While the sheet is built its cursor moves several times; the menus ask once it stands.
void cuiSheet::SendRefreshMenu() {
    if (building_) {
        return;
    }
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(EV_RefreshMenu);
    }
}

// ---- Cursor and selection ----

void cuiSheet::MoveCursor(int dx, int dy) {
    if (dx == 0 && dy == 0) {
        return;
    }
    const bool wrap =
        popupList_ && !grid_->HasScrollBars() && std::abs(dx) <= 1 && std::abs(dy) <= 1;
    const cuiGridCoord position = selection_.Move(CurrentCell(), dx, dy, wrap, !popupList_);
    SelectQuiet(position.col, position.row);
    if (smallestCol_ >= position.col) {
        grid_->SetLeftCol(grid_->FixedCols());
    }
    if (smallestRow_ >= position.row) {
        grid_->SetTopRow(grid_->FixedRows());
    }
}

void cuiSheet::SelectQuiet(int col, int row) {
    if (CurrentCell() == cuiGridCoord{col, row}) {
        return;
    }
    UpdateSelection(col, row);
    internalMove_ = true;
    grid_->SetCol(col);
    internalMove_ = false;
    grid_->SetRow(row);
    const cuiGridCoord current = CurrentCell();
    OnCurrentCellChanged(current.col, current.row, false);
}

void cuiSheet::GoToCell(int col, int row) {
    if (CurrentCell() == cuiGridCoord{col, row}) {
        return;
    }
    UpdateSelection(col, row);
    grid_->MoveTo(col, row);
    const cuiGridCoord current = CurrentCell();
    OnCurrentCellChanged(current.col, current.row, false);
}

void cuiSheet::GoToCellId(const CellId& id) {
    if (const auto found = cells_.FindSelectable(id)) {
        GoToCell(found->col, found->row);
    }
}

void cuiSheet::SelectCell(int col, int row, bool& maySelect) {
    SendStatusClear();
    if (!internalMove_ && cells_.InRange(col, row)) {
        maySelect = selection_.MaySelect(col, row);
        if (CurrentCell() != cuiGridCoord{col, row}) {
            const CellId id = cells_.At(col, row).cell.GetCellId();
            if (cmcEvMan* bus = CurrentEvMan()) {
                bus->PostData(EV_CellSelected, &id, sizeof id);
            }
        }
        OnCurrentCellChanged(col, row, false);
        UpdateSelection(col, row);
    }
    editor_.Hide();
}

void cuiSheet::UpdateSelection(int col, int row) {
    selection_.Update(CurrentCell(), {col, row}, input_.Extending());
}

// ---- Painting ----

cuiCellPainter::Highlight cuiSheet::HighlightOf(int col, int row) const {
    const cuiGridCoord current = CurrentCell();
    bool highlight = selection_.IsHighlighted(current, col, row);
    if (!highlight && cells_.At(col, row).Tail() && row == current.row) {
        const auto anchor = cells_.FindAnchor(col, row);
        highlight = anchor && *anchor == current.col;
    }
    if (!highlight) {
        return cuiCellPainter::Highlight::None;
    }
    if (editor_.Showing()) {
        return cuiCellPainter::Highlight::UnderEditor;
    }
    return grid_->hasFocus() || popupList_ ? cuiCellPainter::Highlight::Focused
                                           : cuiCellPainter::Highlight::Unfocused;
}

// Cell (col, row) in rect; a joined cell draws its anchor's text over the joined width.
void cuiSheet::DrawCell(QPainter& painter, int col, int row, const QRect& rect) {
    if (cells_.Empty() || building_ || !cells_.InRange(col, row) || grid_->ColWidth(col) < 1 ||
        grid_->RowHeight(row) < 1) {
        return;
    }
    const int anchorCol = cells_.JoinAnchor(col, row);
    int textLeft = rect.left();
    for (int joined = anchorCol; joined < col; ++joined) {
        textLeft -= grid_->ColWidth(joined);
    }
    const bool joinedOnRight = cells_.InRange(col + 1, row) &&
                               ((cells_.At(col + 1, row).cell.layoutBits & kLayoutJoined) != 0 ||
                                cells_.At(col + 1, row).Tail());
    const cuiCellPainter::Target target{cells_.At(anchorCol, row).cell, rect, textLeft,
                                        HighlightOf(anchorCol, row), !joinedOnRight};
    painter_.Paint(painter, grid_->palette(), target, handler_);
    if (!printer_ && cells_.InRange(col + 1, row) && cells_.At(col + 1, row).Tail()) {
        grid_->InvalidateCell(col + 1, row);
    }
}

// ---- Edit path ----

void cuiSheet::FillCapsule(cmcCellCapsule& capsule, int col, int row) {
    capsule.Clear();
    capsule.grid = grid_;
    capsule.control = grid_;
    capsule.form = parent_;
    capsule.cell = &cells_.At(col, row).cell;
    capsule.parent = parentCapsule_.get();
    capsule.onChanged = [this](cmcCellCapsule* changed, int flags) {
        OnCellsChanged(*changed, flags);
    };
    capsule.onEditText = [this](cmcCellCapsule* request, int flag) {
        OnEditRequest(*request, flag);
    };
    if (CurrentCell() == cuiGridCoord{col, row}) {
        capsule.marks |= kMarkCurrent;
    }
    if (printer_) {
        capsule.marks |= kMarkPrinting;
    }
    capsule.sheet = this;
    if (const auto range = selection_.IndexRange(CurrentCell())) {
        capsule.selFlags |= kSelRange;
        capsule.selLow = range->first;
        capsule.selHigh = range->second;
    }
}

// Repeat keys run the cell again, with short sleeps between the passes that shrink to none.
// A redirect that finds no cell, or leaves the cursor where it was, ends the repeats: the same
// cell would ask for the same redirect again for ever. The passes are capped for any handler.
void cuiSheet::RunCell(int col, int row, int key, int command, const std::string* inputText) {
    constexpr int kMaxPasses = 64;
    constexpr int kFirstDelayMs = 30;
    constexpr int kDelayStepMs = 6;
    cmcCellCapsule capsule;
    int delay = kFirstDelayMs;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        FillCapsule(capsule, col, row);
        capsule.key = key;
        capsule.command = command;
        if (inputText && pass == 0) {
            capsule.inputMode = kInputText;
            capsule.key = 0;
            capsule.inText = *inputText;
        }
        if (popupList_) {
            RunPopupChoice(capsule);
            break;
        }
        bool moved = true;
        RunPass(capsule, col, row, moved);
        if (capsule.repeatKey == 0 || !moved) {
            break;
        }
        key = capsule.repeatKey;
        grid_->viewport()->repaint();
        if (delay > 0) {
            platform::CurrentClock().SleepMs(static_cast<uint32_t>(delay));
            delay -= kDelayStepMs;
        }
    }
    if (style_.multiSelect != MS_None && (capsule.selFlags & kSelMarkLines) &&
        cells_.InRange(col, row)) {
        selection_.MarkRange({col, row}, capsule.selLow, capsule.selHigh);
    } else {
        selection_.ClearMarks();
        const cuiGridCoord current = CurrentCell();
        UpdateSelection(current.col, current.row);
    }
    SendRefreshMenu();
}

// One pass through the handler; moved is false when a redirect found no other cell.
int cuiSheet::RunPass(cmcCellCapsule& capsule, int& col, int& row, bool& moved) {
    const int result = handler_(capsule, 1);
    if (capsule.redirect) {
        const cuiGridCoord before{col, row};
        GoToCellId({capsule.redirectCategory, capsule.redirectItem, capsule.redirectIndex});
        const cuiGridCoord current = CurrentCell();
        col = current.col;
        row = current.row;
        moved = current != before &&
                cells_.At(col, row).cell.GetCellId() ==
                    CellId{capsule.redirectCategory, capsule.redirectItem, capsule.redirectIndex};
    }
    if (result == 1) {
        selection_.ClearMarks();
    } else if (result == 2) {
        OpenInPlaceEditor(col, row, capsule);
    }
    return result;
}

// A pop-up list answers its caller: a copy of the caller's capsule whose parent is this one.
void cuiSheet::RunPopupChoice(cmcCellCapsule& capsule) {
    if (capsule.key != kKeyEnter && capsule.key != kKeyDoubleClick) {
        return;
    }
    cmcCellCapsule answer;
    if (parentCapsule_) {
        answer.CopyFrom(*parentCapsule_);
    }
    answer.parent = &capsule;
    answer.inputMode = kInputPopupAnswer;
    answer.key = 0;
    handler_(answer, 1);
    parent_->hide();
}

void cuiSheet::OnEditRequest(cmcCellCapsule& capsule, int flag) {
    const cuiGridCoord current = CurrentCell();
    if (!cells_.InRange(current.col, current.row)) {
        return;
    }
    cmcCellCapsule own;
    FillCapsule(own, current.col, current.row);
    if (own.cell == capsule.cell && flag == 0) {
        OpenInPlaceEditor(current.col, current.row, capsule);
    }
}

void cuiSheet::OpenInPlaceEditor(int col, int row, const cmcCellCapsule& capsule) {
    selection_.ClearMarks();
    GoToCell(col, row);
    QRect rect = grid_->CellRect(col, row);
    rect.translate(grid_->viewport()->mapTo(gridPanel_, QPoint(0, 0)));
    const cmcCellObj& cell = cells_.At(col, row).cell;
    const QFont font = ToQFont(cell.font ? *cell.font : template_.font.value_or(cmcFont()));
    const int vertical = (cell.layoutBits & kLayoutVertMask) >> 2;
    editor_.Open({col, row}, rect, font, vertical, capsule.outText, capsule.selStart,
                 capsule.selLength);
}

void cuiSheet::RepaintHighlighted() {
    const cuiGridCoord current = CurrentCell();
    for (int row = 0; row < cells_.Rows(); ++row) {
        for (int col = 0; col < cells_.Cols(); ++col) {
            if (selection_.IsHighlighted(current, col, row)) {
                grid_->InvalidateCell(col, row);
            }
        }
    }
}

// The pop-up menu follows the cell on screen; the menus ask again.
void cuiSheet::OnCurrentCellChanged(int col, int row, bool forced) {
    if (!printer_) {
        popup_.Follow(col, row, forced);
    }
    SendRefreshMenu();
}
