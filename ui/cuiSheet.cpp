#include "ui/cuiSheet.h"

#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPaintDevice>
#include <QPen>
#include <QPlainTextEdit>
#include <QPolygon>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

#include "common/ColourNames.h"
#include "common/FontSetting.h"
#include "common/GlobalEvMan.h"
#include "common/cmcGTex.h"
#include "platform/Clock.h"
#include "platform/LeadByte.h"
#include "platform/MessageBox.h"
#include "ui/ColourMapping.h"
#include "ui/FontMapping.h"
#include "ui/cuiCanvas.h"
#include "ui/cuiImageList.h"
#include "ui/cuiMenu.h"

namespace {

constexpr int kPrinterDpiUnit = 120;
int viewFontPercentage = 100;
constexpr int kPageRows = 10;
constexpr int kVirtualKeyF1 = 0x70;
constexpr int kEditMenuCommand = 17;  // the Edit menu mirrors the current cell's pop-up menu

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// The widest line and the summed line heights of a caption in a font.
QSize MeasureCaption(const QFontMetrics& metrics, const std::string& caption) {
    if (caption.empty()) {
        return {0, 0};
    }
    int width = 0;
    int height = 0;
    size_t start = 0;
    for (;;) {
        const size_t end = caption.find('\n', start);
        const QString line = QString::fromStdString(caption.substr(start, end - start));
        width = std::max(width, metrics.horizontalAdvance(line));
        height += metrics.height();
        if (end == std::string::npos) {
            return {width, height};
        }
        start = end + 1;
    }
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The text after the first "=", or none.
std::optional<std::string_view> ValueOf(std::string_view item) {
    const size_t equals = item.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return item.substr(equals + 1);
}

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

// A style item: a key matched as a prefix (NoPrint must match whole) and its effect.
struct cuiSheet::StyleKey {
    const char* key;
    bool exact;
    void (*apply)(cuiSheet& sheet, std::string_view value);
};

const cuiSheet::StyleKey cuiSheet::kStyleKeys[] = {
    {"TitleString", false,
     [](cuiSheet& s, std::string_view v) {
         if (!v.empty()) {
             s.title_ = std::string(v);
         }
     }},
    {"TitleColor", false,
     [](cuiSheet& s, std::string_view v) { ColourFromName(std::string(v), s.titleColour_); }},
    {"TitleFont", false,
     [](cuiSheet& s, std::string_view v) {
         s.titleFont_ = cmcFont();
         ApplyFontSpec(v, *s.titleFont_);
     }},
    {"FixedCols", false,
     [](cuiSheet& s, std::string_view v) { s.fixedCols_ = std::atoi(std::string(v).c_str()); }},
    {"FixedRows", false,
     [](cuiSheet& s, std::string_view v) { s.fixedRows_ = std::atoi(std::string(v).c_str()); }},
    {"NoPrint", true, [](cuiSheet& s, std::string_view) { s.flags_ |= kNoPrint; }},
    {"PrintFontRatio", false,
     [](cuiSheet& s, std::string_view v) {
         s.printFontRatio_ = std::atoi(std::string(v).c_str());
     }},
    {"MultiSelect", false,
     [](cuiSheet& s, std::string_view v) {
         s.multiSelect_ = v == "Cell" ? MS_Cell : v == "Line" ? MS_Line : MS_None;
     }},
};

cuiSheet::cuiSheet(QWidget* parent, const cmcCellCapsule* parentCapsule, int wantedItem,
                   int wantedIndex, cmcGTex& table, std::string name, const cuiImageList* images)
    : table_(table),
      parent_(parent),
      name_(name),
      images_(images),
      wantedItem_(wantedItem),
      wantedIndex_(wantedIndex),
      historyName_(std::move(name)) {
    if (parentCapsule) {
        parentCapsule_ = std::make_unique<cmcCellCapsule>(*parentCapsule);
    }
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
    editorShowing_ = false;
    if (editor_) {
        editor_->removeEventFilter(&eventFilter_);
    }
    mirror_.reset();
    delete titlePanel_;
    delete gridPanel_;
}

void cuiSheet::SetPopupListMode(bool on) {
    flags_ = on ? (flags_ | kPopupList) : (flags_ & ~kPopupList);
}

void cuiSheet::SetPrinter(QPaintDevice* printer) {
    printer_ = printer;
    scale_ = printer ? std::max(1, printer->logicalDpiY() / kPrinterDpiUnit) : 1;
}

void cuiSheet::SetSavedPosition(int col, int row, int leftCol, int topRow) {
    savedCell_ = {col, row};
    savedTopLeft_ = {leftCol, topRow};
}

void cuiSheet::SetViewFontPercentage(int percent) {
    viewFontPercentage = percent;
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
    if (!cells_.InRange(savedCell_.col, savedCell_.row)) {
        savedCell_ = {};
    }
    if (savedCell_.col < 0 && wantedItem_ != 0) {
        for (int row = 0; row < cells_.Rows() && savedCell_.col < 0; ++row) {
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
    ScanItems(table_.GetLine(name_ + "_Style", 0),
              [this](std::string_view item) { ParseStyle(item); });
    auto* layout = qobject_cast<QVBoxLayout*>(parent_->layout());
    if (!layout) {
        layout = new QVBoxLayout(parent_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
    }
    if (title_) {
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
    if (titleFont_) {
        titleLabel_->setFont(ToQFont(*titleFont_));
    }
    titleLabel_->setText(QString::fromStdString(*title_));
    QPalette palette = titleLabel_->palette();
    palette.setColor(QPalette::WindowText, ToQColor(titleColour_));
    titleLabel_->setPalette(palette);
    auto* layout = new QVBoxLayout(titlePanel_);
    layout->setContentsMargins(kBevel, 0, kBevel, 0);
    layout->addWidget(titleLabel_);
    titlePanel_->setFixedHeight(QFontMetrics(titleLabel_->font()).height() + kBevel + 8);
}

void cuiSheet::BuildGrid() {
    gridPanel_ = new QFrame(parent_);
    const bool popupList = flags_ & kPopupList;
    gridPanel_->setFrameStyle(QFrame::Panel | (popupList ? QFrame::Raised : QFrame::Sunken));
    gridPanel_->setLineWidth(popupList ? 1 : 2);
    auto* layout = new QVBoxLayout(gridPanel_);
    const int border = popupList ? 2 + 1 : 2;
    layout->setContentsMargins(border, border, border, border);
    grid_ = new cuiGrid(gridPanel_);
    gridId_ = grid_;
    gridObject_ = grid_;
    eventFilter_.sheet = this;
    grid_->installEventFilter(&eventFilter_);
    grid_->setFrameShape(QFrame::NoFrame);
    layout->addWidget(grid_);
    BuildCells();
    AddMarkRoom();
    grid_->SetThumbTracking(true);
    grid_->SetFixedCols(std::min(fixedCols_, cells_.Cols() - 1));
    grid_->SetFixedRows(std::min(fixedRows_, cells_.Rows() - 1));
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    popupMenu_ = new QMenu(grid_);
    // The keyboard's context-menu request pops the menu up only after a key was released;
    // the mouse pops it up itself (AutoPopup of the class library).
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(grid_, &QWidget::customContextMenuRequested, [this](QPoint at) {
        if (autoPopup_) {
            popupMenu_->popup(grid_->mapToGlobal(at));
        }
    });
    QObject::connect(popupMenu_, &QMenu::aboutToShow, [this] {
        const cuiGridCoord current = CurrentCell();
        OnCurrentCellChanged(current.col, current.row, false);
    });
    grid_->OnSelectCell = [this](cuiGrid*, int col, int row, bool& may) {
        SelectCell(col, row, may);
    };
}

void cuiSheet::ConnectGrid() {
    grid_->SetEnterHandler([this] { OnGridEnter(); });
    grid_->SetExitHandler([this] { OnGridExit(); });
    grid_->SetTimedScrollHandler([this](int direction) { OnTimedScroll(direction); });
    grid_->OnKeyDown = [this](cuiGrid*, int& key, Qt::KeyboardModifiers modifiers) {
        OnGridKeyDown(key, modifiers);
    };
    grid_->OnKeyUp = [this](cuiGrid*, int&, Qt::KeyboardModifiers modifiers) {
        modifiers_ = modifiers;
        autoPopup_ = true;
    };
    grid_->OnKeyPress = [this](cuiGrid*, int& character) { OnGridKeyPress(character); };
    grid_->OnMouseDown = [this](cuiGrid*, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                QPoint at) { OnGridMouseDown(button, modifiers, at); };
    grid_->OnMouseUp = [this](cuiGrid*, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint at) {
        OnGridMouseUp(button, at);
    };
    grid_->OnMouseMove = [this](cuiGrid*, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint at) {
        OnGridMouseMove(at);
    };
    grid_->OnDblClick = [this](cuiGrid*) { OnGridDblClick(); };
    grid_->OnDrawCell = [this](cuiGrid*, int col, int row, const QRect& rect, int,
                               QPainter& painter) { DrawCell(painter, col, row, rect); };
}

// "(item)" items of a line; only single-byte parentheses count.
void cuiSheet::ScanItems(const std::string& line,
                         const std::function<void(std::string_view)>& take) {
    size_t open = std::string::npos;
    for (size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (platform::IsLeadByte(byte) && i + 1 < line.size()) {
            ++i;
            continue;
        }
        if (byte == '(' && open == std::string::npos) {
            open = i;
        } else if (byte == ')' && open != std::string::npos) {
            take(std::string_view(line).substr(open + 1, i - open - 1));
            open = std::string::npos;
        }
    }
}

void cuiSheet::ParseStyle(std::string_view item) {
    for (const StyleKey& key : kStyleKeys) {
        const bool match = key.exact ? item == key.key : StartsWith(item, key.key);
        if (!match) {
            continue;
        }
        if (key.exact) {
            key.apply(*this, {});
        } else if (const auto value = ValueOf(item)) {
            key.apply(*this, *value);
        }
        return;
    }
}

void cuiSheet::BuildCells() {
    LoadBasicCell();
    const std::string section = name_ + "_Cells";
    ReadRows(section);
    cells_.Reset(grid_->ColCount(), grid_->RowCount());
    grid_->SetDefaultColWidth(scale_);
    grid_->SetDefaultRowHeight(scale_);
    smallestCol_ = cells_.Cols();
    smallestRow_ = cells_.Rows();
    PlaceCells(section);
}

void cuiSheet::LoadBasicCell() {
    std::string text = table_.GetLine(name_ + "_BasicCell", 0);
    if (fontHeight_ != 0) {
        text += "{(Font=,,," + std::to_string(fontHeight_) + ",,,)}";
    } else {
        text += "{(Font=,,,%" + std::to_string(viewFontPercentage) + ",,,)}";
    }
    if (printer_ && printFontRatio_ != 100) {
        text += "{(Font=,,,%" + std::to_string(printFontRatio_) + ",,,)}";
    }
    template_ = cmcCellObj();
    cmcCellObj::ParseDefinition(template_, text, &channelVars_, nullptr, false);
    grid_->SetColor(ToQColor(template_.colour));
    if (template_.font) {
        gridPanel_->setFont(ToQFont(*template_.font));
    }
}

// ---- Rows ----

void cuiSheet::ReadRows(const std::string& section) {
    reading_ = RowReading();
    rowAttrs_.clear();
    for (reading_.line = 0;; ++reading_.line) {
        const std::string text = table_.GetLine(section, reading_.line);
        if (!text.empty() && text[0] == '#') {
            break;
        }
        if (reading_.skip > 0) {
            --reading_.skip;
            continue;
        }
        if (!text.empty() && text[0] == ':') {
            ScanItems(text, [this](std::string_view item) { DoDirective(item); });
            EndOfDirectiveLine();
        } else {
            ReadRowLine(text);
        }
    }
    if (reading_.cols == 0 || rowAttrs_.empty()) {
        platform::Fatal("Illegal Cell assign");
    }
    grid_->SetColCount(reading_.cols);
    grid_->SetRowCount(static_cast<int>(rowAttrs_.size()));
}

void cuiSheet::ReadRowLine(const std::string& text) {
    int count = 0;
    cmcCellObj scratch;
    for (std::string_view rest = text;;) {
        rest = cmcCellObj::ParseDefinition(scratch, rest, nullptr, &template_, true);
        ++count;
        if (rest.empty()) {
            break;
        }
    }
    reading_.cols = std::max(reading_.cols, count);
    rowAttrs_.push_back({reading_.line, reading_.select});
    if (reading_.loopStart >= 0 && reading_.loopEnd < 0) {
        reading_.loopRows.push_back(reading_.line);
    } else {
        reading_.loopRows.clear();
    }
}

// A complete loop repeats the rows read since its start; a repeated row refers to the same
// source line as the row it repeats.
void cuiSheet::EndOfDirectiveLine() {
    if (reading_.loopStart < 0 || reading_.loopEnd < 0 || reading_.loopCount <= 0) {
        return;
    }
    for (int k = 1; k < reading_.loopCount; ++k) {
        for (int32_t line : reading_.loopRows) {
            rowAttrs_.push_back({line, reading_.select});
        }
    }
    reading_.loopStart = -1;
    reading_.loopEnd = -1;
    reading_.loopCount = 0;
    reading_.loopRows.clear();
}

void cuiSheet::DoDirective(std::string_view item) {
    if (StartsWith(item, "LoopFrom")) {
        reading_.loopStart = reading_.line;
        reading_.loopCount = 1;
        const std::string_view rest = item.substr(8);
        if (rest.size() > 1 && rest[0] == ' ') {
            const int count = std::atoi(std::string(rest.substr(1)).c_str());
            reading_.loopCount = count > 1 ? count : 1;
        }
    } else if (StartsWith(item, "LoopTo")) {
        reading_.loopEnd = reading_.line;
    } else if (StartsWith(item, "SelectON")) {
        reading_.select = true;
    } else if (StartsWith(item, "SelectOFF")) {
        reading_.select = false;
    }
}

void cuiSheet::PlaceCells(const std::string& section) {
    rowCells_.assign(static_cast<size_t>(cells_.Rows()), 0);
    std::string lineText;
    for (int row = 0; row < cells_.Rows(); ++row) {
        OnRowStart(row);
        PlaceRow(row, section, lineText);
    }
}

int cuiSheet::RowCellCount(int row) const {
    return rowCells_[static_cast<size_t>(row)];
}

// A row whose source line is that of the row above repeats it (each cell copied with index + 1);
// any other row is parsed from its line. Cells past the column count are dropped, so no layout
// line (a directive line a loop refers to, say) ever writes outside the cell array.
void cuiSheet::PlaceRow(int row, const std::string& section, std::string& lineText) {
    const int32_t source = rowAttrs_[static_cast<size_t>(row)].sourceLine;
    const bool repeats = row > 0 && rowAttrs_[static_cast<size_t>(row) - 1].sourceLine == source;
    const bool lineSelect = multiSelect_ != MS_None && rowAttrs_[static_cast<size_t>(row)].select;
    if (repeats) {
        grid_->SetRowHeight(row, grid_->RowHeight(row - 1));
    } else {
        lineText = table_.GetLine(section, source);
    }
    std::string_view rest = lineText;
    const int count = repeats ? RowCellCount(row - 1) : cells_.Cols();
    int placed = 0;
    for (int col = 0; col < count; ++col) {
        OnCellStart(col, row);
        clsSheetCellId& entry = cells_.At(col, row);
        if (repeats) {
            entry.cell.CopyFrom(cells_.At(col, row - 1).cell);
            ++entry.cell.index;
        } else {
            rest = cmcCellObj::ParseDefinition(entry.cell, rest, &channelVars_, &template_, false);
            FitCell(col, row, entry.cell);
        }
        ++placed;
        if (entry.Selectable()) {
            smallestCol_ = std::min(smallestCol_, col);
            smallestRow_ = std::min(smallestRow_, row);
        }
        entry.bits = lineSelect ? kCellLineSelectable : 0;
        if (!repeats && rest.empty()) {
            break;
        }
    }
    rowCells_[static_cast<size_t>(row)] = placed;
}

void cuiSheet::FitCell(int col, int row, const cmcCellObj& cell) {
    if (!(cell.layoutBits & (kLayoutFitColumn | kLayoutFitRow))) {
        return;
    }
    const cmcFont& font = cell.font ? *cell.font : template_.font.value_or(cmcFont());
    const QFontMetrics metrics =
        printer_ ? QFontMetrics(ToQFont(font), printer_) : QFontMetrics(ToQFont(font));
    const QSize size = MeasureCaption(metrics, cell.GetCaption());
    if (cell.layoutBits & kLayoutFitColumn) {
        grid_->SetColWidth(col, std::max(grid_->ColWidth(col), size.width() + 8 * scale_));
    }
    if (cell.layoutBits & kLayoutFitRow) {
        grid_->SetRowHeight(row, std::max(grid_->RowHeight(row), size.height() + 2 * scale_));
    }
}

// The marks are drawn at the size of the template font's line, so that they fit the rows.
int cuiSheet::MarkSize() const {
    const cmcFont font = template_.font.value_or(cmcFont());
    const QFontMetrics metrics =
        printer_ ? QFontMetrics(ToQFont(font), printer_) : QFontMetrics(ToQFont(font));
    return printer_ ? metrics.height() / 2 : metrics.height();
}

// On a sheet that shows marks, each fitted column that holds cells with an item gets room for
// a mark beside its widest text, so that a mark never covers the value it marks.
void cuiSheet::AddMarkRoom() {
    if (!images_) {
        return;
    }
    const int room = MarkSize() + 4 * scale_;
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
        const cuiGridCoord current = CurrentCell();
        if (popupMenu_ && event.A == reinterpret_cast<intptr_t>(popupMenu_) &&
            cells_.InRange(current.col, current.row)) {
            queryAnswer_.CopyFrom(cells_.At(current.col, current.row).cell);
            CurrentEvMan()->Answer(reinterpret_cast<intptr_t>(&queryAnswer_), 0);
        }
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

void cuiSheet::SendRefreshMenu() {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(EV_RefreshMenu);
    }
}

// ---- Cursor ----

void cuiSheet::MoveCursor(int dx, int dy) {
    if (dx == 0 && dy == 0) {
        return;
    }
    const bool horizontal = dx != 0;
    const int sx = horizontal ? Sign(dx) : 0;
    const int sy = horizontal ? 0 : Sign(dy);
    const int steps = horizontal ? std::abs(dx) : std::abs(dy);
    const bool popupList = flags_ & kPopupList;
    const bool wrap =
        popupList && !grid_->HasScrollBars() && std::abs(dx) <= 1 && std::abs(dy) <= 1;
    cuiGridCoord position = CurrentCell();
    for (int step = 0; step < steps; ++step) {
        std::optional<cuiGridCoord> found = Walk(position, sx, sy, wrap);
        if (!found && !popupList) {
            found = NearestSearch(position, sx, sy);
        }
        if (found) {
            position = *found;
        }
        lastMove_ = position;
    }
    SelectQuiet(position.col, position.row);
    if (smallestCol_ >= position.col) {
        grid_->SetLeftCol(grid_->FixedCols());
    }
    if (smallestRow_ >= position.row) {
        grid_->SetTopRow(grid_->FixedRows());
    }
}

std::optional<cuiGridCoord> cuiSheet::Walk(cuiGridCoord from, int sx, int sy, bool wrap) const {
    const int cols = cells_.Cols();
    const int rows = cells_.Rows();
    cuiGridCoord at = from;
    for (;;) {
        at.col += sx;
        at.row += sy;
        if (wrap) {
            at.col = (at.col % cols + cols) % cols;
            at.row = (at.row % rows + rows) % rows;
            if (at == from) {
                return std::nullopt;
            }
        } else if (!cells_.InRange(at.col, at.row)) {
            return std::nullopt;
        }
        if (cells_.At(at.col, at.row).Selectable()) {
            return at;
        }
    }
}

// Beyond the last selectable cell along the move: the next column (row) that holds a selectable
// cell, at the row (column) nearest to the last keyboard move.
std::optional<cuiGridCoord> cuiSheet::NearestSearch(cuiGridCoord from, int sx, int sy) const {
    const bool horizontal = sx != 0;
    const int lines = horizontal ? cells_.Cols() : cells_.Rows();
    const int across = horizontal ? cells_.Rows() : cells_.Cols();
    const int target = horizontal ? lastMove_.row : lastMove_.col;
    const int step = horizontal ? sx : sy;
    for (int line = (horizontal ? from.col : from.row) + step; line >= 0 && line < lines;
         line += step) {
        int best = -1;
        for (int i = 0; i < across; ++i) {
            const bool selectable =
                horizontal ? cells_.Selectable(line, i) : cells_.Selectable(i, line);
            if (selectable && (best < 0 || std::abs(i - target) < std::abs(best - target))) {
                best = i;
            }
        }
        if (best >= 0) {
            return horizontal ? cuiGridCoord{line, best} : cuiGridCoord{best, line};
        }
    }
    return std::nullopt;
}

void cuiSheet::SelectQuiet(int col, int row) {
    if (CurrentCell() == cuiGridCoord{col, row}) {
        return;
    }
    UpdateSelection(col, row);
    state_ |= kInternalMove;
    grid_->SetCol(col);
    state_ &= ~kInternalMove;
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

// ---- Selection and marks ----

void cuiSheet::SelectCell(int col, int row, bool& maySelect) {
    SendStatusClear();
    if (!(state_ & kInternalMove) && cells_.InRange(col, row)) {
        const clsSheetCellId& entry = cells_.At(col, row);
        maySelect = entry.Selectable() && (!MarksExist() || entry.Has(kCellLineSelectable));
        if (CurrentCell() != cuiGridCoord{col, row}) {
            const CellId id = entry.cell.GetCellId();
            if (cmcEvMan* bus = CurrentEvMan()) {
                bus->PostData(EV_CellSelected, &id, sizeof id);
            }
        }
        OnCurrentCellChanged(col, row, false);
        UpdateSelection(col, row);
    }
    HideEditor();
}

bool cuiSheet::Extending() const {
    return (modifiers_ & Qt::ShiftModifier) || (state_ & kMouseHeld);
}

void cuiSheet::UpdateSelection(int col, int row) {
    const cuiGridCoord current = CurrentCell();
    const cuiGridCoord next{col, row};
    if (!cells_.InRange(col, row) || !cells_.InRange(current.col, current.row)) {
        return;
    }
    const bool rangeCapable = ((multiSelect_ != MS_None && next != current) || MarksExist()) &&
                              cells_.At(current.col, current.row).Has(kCellLineSelectable) &&
                              cells_.At(col, row).Has(kCellLineSelectable);
    const bool extending = Extending();
    if (!rangeCapable || !extending || anchor_.col < 0) {
        anchor_ = next;
    }
    if (extending && rangeCapable) {
        const int left = std::min({anchor_.col, current.col, col});
        const int right = std::max({anchor_.col, current.col, col});
        const int top = std::min({anchor_.row, current.row, row});
        const int bottom = std::max({anchor_.row, current.row, row});
        for (int r = top; r <= bottom; ++r) {
            for (int c = left; c <= right; ++c) {
                const bool inside =
                    c >= std::min(anchor_.col, col) && c <= std::max(anchor_.col, col) &&
                    r >= std::min(anchor_.row, row) && r <= std::max(anchor_.row, row);
                SetMark(c, r, inside);
            }
        }
        state_ |= kMarksExist;
    } else if (MarksExist()) {
        ClearMarks();
    } else {
        SetMark(current.col, current.row, false);
        SetLineMark(current.col, current.row, false);
    }
    SetMark(col, row, true);
    UpdateLineMarks();
}

void cuiSheet::SetMark(int col, int row, bool on) {
    clsSheetCellId& entry = cells_.At(col, row);
    if (!entry.Selectable() || entry.Has(kCellMarked) == on) {
        return;
    }
    entry.bits = on ? (entry.bits | kCellMarked) : (entry.bits & ~kCellMarked);
    grid_->InvalidateCell(col, row);
}

void cuiSheet::SetLineMark(int col, int row, bool on) {
    clsSheetCellId& entry = cells_.At(col, row);
    if (entry.Has(kCellLineMarked) == on) {
        return;
    }
    entry.bits = on ? (entry.bits | kCellLineMarked) : (entry.bits & ~kCellLineMarked);
    grid_->InvalidateCell(col, row);
}

void cuiSheet::UpdateLineMarks() {
    if (MarksExist() && multiSelect_ == MS_Line) {
        for (int row = 0; row < cells_.Rows(); ++row) {
            bool marked = false;
            for (int col = 0; col < cells_.Cols() && !marked; ++col) {
                marked = cells_.At(col, row).Has(kCellMarked);
            }
            for (int col = grid_->FixedCols(); col < cells_.Cols(); ++col) {
                SetLineMark(col, row, marked);
            }
        }
        state_ &= ~kLineMarksClear;
    } else if (!MarksExist() && !(state_ & kLineMarksClear)) {
        for (int row = 0; row < cells_.Rows(); ++row) {
            for (int col = 0; col < cells_.Cols(); ++col) {
                SetLineMark(col, row, false);
            }
        }
        state_ |= kLineMarksClear;
    }
}

void cuiSheet::ClearMarks() {
    if (!MarksExist()) {
        return;
    }
    for (int row = 0; row < cells_.Rows(); ++row) {
        for (int col = 0; col < cells_.Cols(); ++col) {
            SetMark(col, row, false);
        }
    }
    state_ &= ~kMarksExist;
    UpdateLineMarks();
}

bool cuiSheet::IsHighlighted(const clsSheetCellId& entry, int col, int row) const {
    return CurrentCell() == cuiGridCoord{col, row} ||
           (entry.Has(kCellLineSelectable) &&
            (entry.Has(kCellMarked) || entry.Has(kCellLineMarked)));
}

// The lines the channel-list operations asked for: every cell of the item whose index lies in
// the range; the anchor goes to the far end of the range.
void cuiSheet::MarkRange(int col, int row, const cmcCellCapsule& capsule) {
    ClearMarks();
    const cmcCellObj& own = cells_.At(col, row).cell;
    const int farEnd = own.index == capsule.selLow ? capsule.selHigh : capsule.selLow;
    for (int r = 0; r < cells_.Rows(); ++r) {
        for (int c = 0; c < cells_.Cols(); ++c) {
            const cmcCellObj& cell = cells_.At(c, r).cell;
            if (cell.item != own.item || cell.index < capsule.selLow ||
                cell.index > capsule.selHigh) {
                continue;
            }
            SetMark(c, r, true);
            if (cell.index == farEnd) {
                anchor_.row = r;
            }
        }
    }
    state_ |= kMarksExist;
    UpdateLineMarks();
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
    const cuiGridCoord current = CurrentCell();
    const int first = grid_->FixedCols();
    if (MarksExist() && cells_.InRange(first, anchor_.row) && cells_.InRange(first, current.row)) {
        const int a = cells_.At(first, anchor_.row).cell.index;
        const int b = cells_.At(first, current.row).cell.index;
        capsule.selFlags |= kSelRange;
        capsule.selLow = std::min(a, b);
        capsule.selHigh = std::max(a, b);
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
        if (flags_ & kPopupList) {
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
    if (multiSelect_ != MS_None && (capsule.selFlags & kSelMarkLines) && cells_.InRange(col, row)) {
        MarkRange(col, row, capsule);
    } else {
        ClearMarks();
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
        ClearMarks();
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

// ---- In-place editor ----

void cuiSheet::OpenInPlaceEditor(int col, int row, const cmcCellCapsule& capsule) {
    constexpr int kMaxEditorText = 1024;
    if (!editor_) {
        editor_ = new QPlainTextEdit(gridPanel_);
        editor_->hide();
        editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
        editor_->setFrameShape(QFrame::NoFrame);
        editor_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        editor_->document()->setDocumentMargin(0);
        QObject::connect(editor_, &QPlainTextEdit::textChanged, [this] {
            // A typed or pasted text past the limit is cut, as the memo's length limit did.
            const QString text = editor_->toPlainText();
            if (text.size() > kMaxEditorText) {
                const QSignalBlocker quiet(editor_);
                editor_->setPlainText(text.left(kMaxEditorText));
                editor_->moveCursor(QTextCursor::End);
            }
        });
        editor_->installEventFilter(&eventFilter_);
    }
    ClearMarks();
    GoToCell(col, row);
    QRect rect = grid_->CellRect(col, row);
    rect.translate(grid_->viewport()->mapTo(gridPanel_, QPoint(0, 0)));
    const int width = rect.width();
    int height = rect.height() - 1;
    if (width < 1 || height < 1) {
        return;
    }
    const cmcCellObj& cell = cells_.At(col, row).cell;
    const QFont font = ToQFont(cell.font ? *cell.font : template_.font.value_or(cmcFont()));
    editor_->setFont(font);
    const int h = QFontMetrics(font).height();
    int top = rect.top();
    if (h < height) {
        const int vertical = (cell.layoutBits & kLayoutVertMask) >> 2;
        if (vertical == 1) {
            top += (height - h) / 2;
        } else if (vertical == 2) {
            top = rect.top() + rect.height() - h - 1;
        }
        height = h;
    }
    editor_->setGeometry(rect.left(), top, width, height);
    editor_->setPlainText(QString::fromStdString(capsule.outText));
    QTextCursor cursor = editor_->textCursor();
    const int length = static_cast<int>(editor_->toPlainText().size());
    cursor.setPosition(std::clamp(capsule.selStart, 0, length));
    cursor.setPosition(std::clamp(capsule.selStart + capsule.selLength, 0, length),
                       QTextCursor::KeepAnchor);
    editor_->setTextCursor(cursor);
    editor_->document()->clearUndoRedoStacks();
    edited_ = {col, row};
    editorShowing_ = true;
    editor_->show();
    editor_->raise();
    editor_->setFocus();
}

void cuiSheet::HideEditor() {
    if (!editor_ || !editorShowing_) {
        return;
    }
    editorShowing_ = false;
    const bool hadFocus = editor_->hasFocus();
    editor_->hide();
    if (hadFocus) {
        grid_->setFocus();
    }
}

void cuiSheet::CommitInPlaceEditor() {
    if (!editor_ || !editorShowing_) {
        return;
    }
    const std::string text = editor_->toPlainText().toStdString();
    editorShowing_ = false;
    RunCell(edited_.col, edited_.row, kKeyEnter, 0, &text);
    editor_->hide();
}

bool cuiSheet::EventFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == sheet->gridObject_) {
        if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
            sheet->focusReason_ = static_cast<QFocusEvent*>(event)->reason();
        }
        return false;
    }
    if (type == QEvent::FocusOut) {
        sheet->CommitInPlaceEditor();
    } else if (type == QEvent::KeyPress) {
        return sheet->OnEditorKeyDown(static_cast<QKeyEvent*>(event)->key());
    }
    return false;
}

// Enter, Up and Down commit (by giving the focus back to the grid), Esc discards; PgUp and
// PgDn commit and then page as on the grid. Returns whether the key was swallowed.
bool cuiSheet::OnEditorKeyDown(int key) {
    SendStatusClear();
    if (!editorShowing_) {
        return false;
    }
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Up:
        case Qt::Key_Down:
            grid_->setFocus();
            CommitInPlaceEditor();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                MoveCursor(0, key == Qt::Key_Up ? -1 : 1);
            }
            return true;
        case Qt::Key_Escape:
            HideEditor();
            return true;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            grid_->setFocus();
            CommitInPlaceEditor();
            MoveCursor(0, key == Qt::Key_PageUp ? -kPageRows : kPageRows);
            return true;
        default:
            return false;
    }
}

// ---- Grid input ----

void cuiSheet::OnGridKeyDown(int& key, Qt::KeyboardModifiers modifiers) {
    modifiers_ = modifiers;
    HideEditor();
    SendStatusClear();
    const cuiGridCoord current = CurrentCell();
    switch (key) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            MoveCursor(0, key == Qt::Key_PageUp ? -kPageRows : kPageRows);
            break;
        case Qt::Key_Home:
        case Qt::Key_End:
            break;
        case Qt::Key_Left:
        case Qt::Key_Right:
            MoveCursor(key == Qt::Key_Left ? -1 : 1, 0);
            if (CurrentCell() == current) {
                RunCell(current.col, current.row, key == Qt::Key_Left ? kKeyLeft : kKeyRight, 0);
            }
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
            if ((modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) !=
                Qt::ControlModifier) {
                MoveCursor(0, key == Qt::Key_Up ? -1 : 1);
            }
            break;
        default:
            if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
                RunCell(current.col, current.row, (kVirtualKeyF1 + key - Qt::Key_F1) * 256, 0);
                break;
            }
            return;
    }
    key = 0;
}

void cuiSheet::OnGridKeyPress(int& character) {
    if (character < 1 || character > 255) {
        return;
    }
    const cuiGridCoord current = CurrentCell();
    RunCell(current.col, current.row, character, 0);
}

std::optional<cuiGridCoord> cuiSheet::SelectableUnder(QPoint at) const {
    const cuiGridCoord cell = grid_->MouseCell(at);
    if (!cells_.InRange(cell.col, cell.row)) {
        return std::nullopt;
    }
    if (cells_.At(cell.col, cell.row).Selectable()) {
        return cell;
    }
    if (const auto anchor = cells_.FindAnchor(cell.col, cell.row)) {
        return cuiGridCoord{*anchor, cell.row};
    }
    return std::nullopt;
}

void cuiSheet::OnGridMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
    modifiers_ = modifiers;
    lastPress_ = at;
    autoPopup_ = false;
    if (button != Qt::RightButton) {
        state_ |= kMouseHeld;
        return;
    }
    if (MarksExist()) {
        ShowPopupMenu();
        return;
    }
    if (const auto cell = SelectableUnder(at)) {
        GoToCell(cell->col, cell->row);
        ShowPopupMenu();
    }
}

void cuiSheet::OnGridMouseUp(Qt::MouseButton button, QPoint at) {
    lastPress_ = at;
    autoPopup_ = false;
    state_ &= ~kMouseHeld;
    if ((flags_ & kPopupList) && button == Qt::LeftButton) {
        OnGridDblClick();
    }
}

void cuiSheet::OnGridDblClick() {
    cuiGridCoord cell = grid_->MouseCell(lastPress_);
    if (cells_.InRange(cell.col, cell.row)) {
        if (const auto anchor = cells_.FindAnchor(cell.col, cell.row)) {
            cell.col = *anchor;
        }
    }
    if (cell == CurrentCell()) {
        RunCell(cell.col, cell.row, kKeyDoubleClick, 0);
    }
}

void cuiSheet::OnGridMouseMove(QPoint at) {
    if (!(flags_ & kPopupList)) {
        return;
    }
    const bool known = lastMouse_ != QPoint(-1, -1);
    const bool differs = lastMouse_ != at;
    lastMouse_ = at;
    if (known && differs && !editorShowing_) {
        if (const auto cell = SelectableUnder(at)) {
            GoToCell(cell->col, cell->row);
        }
    }
}

void cuiSheet::OnTimedScroll(int direction) {
    const int dx = ((direction & SD_Right) ? 1 : 0) - ((direction & SD_Left) ? 1 : 0);
    const int dy = ((direction & SD_Down) ? 1 : 0) - ((direction & SD_Up) ? 1 : 0);
    MoveCursor(dx, dy);
}

void cuiSheet::ShowPopupMenu() {
    popupMenu_->popup(QCursor::pos());
}

// A pop-up menu taking the focus and giving it back is no focus change of the sheet: the menu
// it shows must stay.
void cuiSheet::OnGridEnter() {
    if (focusReason_ == Qt::PopupFocusReason) {
        return;
    }
    const cuiGridCoord current = CurrentCell();
    OnCurrentCellChanged(current.col, current.row, true);
    RepaintHighlighted();
}

void cuiSheet::OnGridExit() {
    if (focusReason_ == Qt::PopupFocusReason) {
        return;
    }
    RebuildPopupMenu(nullptr);
    SendRefreshMenu();
    RepaintHighlighted();
}

void cuiSheet::RepaintHighlighted() {
    for (int row = 0; row < cells_.Rows(); ++row) {
        for (int col = 0; col < cells_.Cols(); ++col) {
            if (IsHighlighted(cells_.At(col, row), col, row)) {
                grid_->InvalidateCell(col, row);
            }
        }
    }
}

void cuiSheet::OnCurrentCellChanged(int col, int row, bool forced) {
    const cuiGridCoord cell{col, row};
    if (!printer_ && grid_ && grid_->hasFocus() && cells_.InRange(col, row) &&
        (cell != lastHandled_ || forced)) {
        lastHandled_ = cell;
        const std::string* name = cells_.At(col, row).cell.GetPopupMenuName();
        const bool same = name && *name == popupName_;
        if (forced || (name && !same)) {
            popupName_ = name ? *name : std::string();
            RebuildPopupMenu(name);
        }
    }
    SendRefreshMenu();
}

// ---- Painting ----

namespace {

constexpr uint32_t kClHighlight = 0x8000000D;
constexpr uint32_t kClHighlightText = 0x8000000E;
constexpr uint32_t kClBtnFace = 0x8000000F;
constexpr uint32_t kClGrayText = 0x80000011;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kPrintDark = 0x606060;
constexpr uint32_t kBarGrey = 0x808080;
constexpr uint32_t kSilver = 0xC0C0C0;
constexpr int kWarningIcon = 8;
constexpr int kErrorIcon = 9;

bool IsWhite(uint32_t colour) {
    return colour == kColourClWindow || colour == kWhite;
}

std::vector<CanvasPoint> Offset(std::vector<CanvasPoint> points, int x, int y) {
    for (CanvasPoint& point : points) {
        point.x += x;
        point.y += y;
    }
    return points;
}

// The printed marks, as polygons of a mark of size e at (x, y).
void PrintErrorMark(cmcCanvas& canvas, int x, int y, int e) {
    const int f = e / 8;
    const int g = e / 2;
    const int k = e - 1;
    canvas.FillPolygon(Offset({{f, 0},
                               {g, g - f},
                               {k - f, 0},
                               {k, f},
                               {g + f, g},
                               {k, k - f},
                               {k - f, k},
                               {g, g + f},
                               {f, k},
                               {0, k - f},
                               {g - f, g},
                               {0, f}},
                              x, y),
                       kBlack);
}

void PrintWarningMark(QPainter& painter, cmcCanvas& canvas, int x, int y, int e) {
    const int f = e / 8;
    const int g = e / 2;
    const int k = e - 1;
    const std::vector<CanvasPoint> triangle = Offset({{g, 0}, {k, k}, {0, k}}, x, y);
    canvas.FillPolygon(triangle, kWhite);
    QPolygon outline;
    for (const CanvasPoint& point : triangle) {
        outline << QPoint(point.x, point.y);
    }
    painter.setPen(QPen(Qt::black, e / 16 + 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(outline);
    canvas.FillPolygon(
        Offset({{g - f, e / 3}, {g + f, e / 3}, {g + e / 10, 2 * e / 3}, {g - e / 10, 2 * e / 3}},
               x, y),
        kBlack);
    const int dot = 3 * e / 4;
    canvas.FillPolygon(Offset({{g - e / 10, dot},
                               {g + e / 10, dot},
                               {g + e / 10, dot + e / 6},
                               {g - e / 10, dot + e / 6}},
                              x, y),
                       kBlack);
}

}  // namespace

// Cell (col, row) in rect R; joined cells draw their anchor's text over the joined width. The
// text is the handler's output for a cell with an item.
void cuiSheet::DrawCell(QPainter& painter, int col, int row, const QRect& rect) {
    if (cells_.Empty() || building_ || !cells_.InRange(col, row) || grid_->ColWidth(col) < 1 ||
        grid_->RowHeight(row) < 1) {
        return;
    }
    const bool printing = printer_ != nullptr;
    const bool focused = grid_->hasFocus();
    cuiCanvas canvas(painter, grid_->palette());
    // VCL-style edges: right and bottom are exclusive.
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    int textLeft = left;
    int anchorCol = col;
    if (cells_.At(col, row).cell.layoutBits & kLayoutJoined) {
        while (anchorCol > 0 && (cells_.At(anchorCol, row).cell.layoutBits & kLayoutJoined)) {
            --anchorCol;
            textLeft -= grid_->ColWidth(anchorCol);
        }
    }
    const clsSheetCellId& entry = cells_.At(anchorCol, row);
    cmcCellObj& cell = const_cast<cmcCellObj&>(entry.cell);
    bool highlight = IsHighlighted(entry, anchorCol, row);
    if (!highlight && entry.Tail() && row == CurrentCell().row) {
        const auto anchor = cells_.FindAnchor(anchorCol, row);
        highlight = anchor && *anchor == CurrentCell().col;
    }
    std::string text = cell.GetCaption();
    if (text.empty() && cell.item != kItemNone) {
        text = " ";
    }

    uint32_t brush = cell.colour;
    bool darkPrint = false;
    if (printing) {
        darkPrint = !IsWhite(cell.colour);
        brush = darkPrint ? kPrintDark : kWhite;
    } else if (highlight && !editorShowing_) {
        brush = focused || (flags_ & kPopupList) ? kClHighlight : kClBtnFace;
    }
    if (brush != kWhite) {
        canvas.FillRect({left, top, right - left, bottom - top}, brush);
    }
    if (cell.layoutBits & kLayoutBottomLine) {
        const uint32_t bar = IsWhite(cell.colour) ? (printing ? kBlack : kBarGrey) : kWhite;
        canvas.FillRect({left, bottom - 1, right - left, 1}, bar);
    }
    cmcFont font = cell.font ? *cell.font : template_.font.value_or(cmcFont());
    if (brush == kClHighlight) {
        font.colour = kClHighlightText;
    }
    canvas.SetFont(font);

    paintCapsule_.Clear();
    if (cell.item != kItemNone) {
        paintRect_ = {left, top, right - left, bottom - top};
        paintCapsule_.parent = parentCapsule_.get();
        paintCapsule_.cell = &cell;
        paintCapsule_.canvas = &canvas;
        paintCapsule_.rect = &paintRect_;
        paintCapsule_.marks =
            static_cast<uint8_t>((highlight ? kMarkCurrent : 0) | (printing ? kMarkPrinting : 0));
        handler_(paintCapsule_, 0);
        text = paintCapsule_.outText;
    }
    if (printing) {
        canvas.SetTextColour(darkPrint ? kWhite : kBlack);
    } else if (brush == kClBtnFace) {
        const uint32_t colour = canvas.GetTextColour();
        if (colour == kClBtnFace || colour == kSilver || colour == kClGrayText) {
            canvas.SetTextColour(kColourClWindow);
        }
    }
    const bool marked = paintCapsule_.marks & (kMarkWarning | kMarkError);
    const bool centred = (cell.layoutBits & kLayoutHorzMask) == 1;
    const int textRight = marked && centred ? right - MarkSize() - 4 * scale_ : right;
    const int penX = DrawCellText(canvas, cell, text, textLeft, top, textRight, bottom);
    DrawMarks(painter, canvas, cell, penX, top, right, bottom);
    paintCapsule_.marks &= static_cast<uint8_t>(~(kMarkWarning | kMarkError));
    if (!printing && cells_.InRange(col + 1, row) && cells_.At(col + 1, row).Tail()) {
        grid_->InvalidateCell(col + 1, row);
    }
}

// Lines split at "\n", placed by the cell's alignment; returns the pen position after the text.
int cuiSheet::DrawCellText(cuiCanvas& canvas, const cmcCellObj& cell, const std::string& text,
                           int left, int top, int right, int bottom) {
    std::vector<std::string_view> lines;
    int height = 0;
    for (size_t start = 0; !text.empty();) {
        const size_t end = text.find('\n', start);
        lines.push_back(std::string_view(text).substr(start, end - start));
        height += canvas.TextHeight(lines.back());
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    const int vertical = (cell.layoutBits & kLayoutVertMask) >> 2;
    const int horizontal = cell.layoutBits & kLayoutHorzMask;
    int y = vertical == 0   ? top + scale_
            : vertical == 1 ? top + (bottom + 1 - top - height) / 2
                            : bottom - height - scale_;
    int penX = left + 4 * scale_;
    for (std::string_view line : lines) {
        const int width = canvas.TextWidth(line);
        const int x = horizontal == 0   ? left + 4 * scale_
                      : horizontal == 1 ? left + (right + 1 - left - width) / 2
                                        : right - width - 4 * scale_ + 1;
        canvas.TextOut(x, y, line);
        penX = x + width;
        y += canvas.TextHeight(line);
    }
    return penX;
}

// The error or warning mark the handler reported, at the size of the text line: the tree's
// icons on screen, polygons on paper. A right-aligned value has its mark at the left of the
// cell, any other after its text; the column's mark room keeps both clear of the text.
void cuiSheet::DrawMarks(QPainter& painter, cuiCanvas& canvas, const cmcCellObj& cell, int penX,
                         int top, int right, int bottom) {
    const bool error = paintCapsule_.marks & kMarkError;
    const bool warning = paintCapsule_.marks & kMarkWarning;
    if (!images_ || !(error || warning)) {
        return;
    }
    const bool printing = printer_ != nullptr;
    const int e = std::max(1, std::min(MarkSize(), bottom - top - 2 * scale_));
    const int f = std::max(1, 2 * scale_);
    const bool rightAligned = (cell.layoutBits & kLayoutHorzMask) == 2;
    const int x = rightAligned ? paintRect_.left + f : std::min(penX + f, right - e - f);
    const int markTop = top + (bottom - top - e) / 2;
    if (printing) {
        if (error) {
            PrintErrorMark(canvas, x, markTop, e);
        } else {
            PrintWarningMark(painter, canvas, x, markTop, e);
        }
        return;
    }
    images_->Icon(error ? kErrorIcon : kWarningIcon).paint(&painter, QRect(x, markTop, e, e));
}

// ---- Pop-up menu ----

// The grid's pop-up menu is built from the cell's menu section, and the Edit menu mirrors it.
void cuiSheet::RebuildPopupMenu(const std::string* name) {
    // The items leave the menu at once and go later: the one being clicked may be among them.
    if (mirror_) {
        mirror_->ClearItems(nullptr);
        mirror_.reset();
    }
    cmcEvMan* bus = CurrentEvMan();
    if (bus) {
        bus->Send(EV_ClearSubMenu, 0, kEditMenuCommand);
    }
    if (!name) {
        return;
    }
    mirror_ = std::make_unique<cuiMenu>(grid_, popupMenu_, table_, *name,
                                        [this](QAction* item) { OnPopupItemClick(item); });
    mirror_->Build();
    if (bus) {
        bus->SendText(EV_BuildSubMenu, reinterpret_cast<intptr_t>(mirror_.get()), kEditMenuCommand,
                      *name);
    }
}

void cuiSheet::OnPopupItemClick(QAction* item) {
    const cmcCellObj* cell = cuiMenu::CellOf(item);
    const cuiGridCoord current = CurrentCell();
    if (cell && cells_.InRange(current.col, current.row)) {
        RunCell(current.col, current.row, 0, cell->item);
    }
}
