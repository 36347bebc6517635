#pragma once

#include <QFrame>
#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/memmap/indActiveCell.h"
#include "radio/sheet/SheetCellPlacer.h"
#include "radio/sheet/SheetCells.h"
#include "radio/sheet/SheetRowReader.h"
#include "radio/sheet/SheetSelection.h"
#include "radio/sheet/SheetStyle.h"
#include "ui/paint/cuiCellPainter.h"
#include "ui/sheet/cuiSheetInput.h"
#include "ui/sheet/cuiSheetPopupMenu.h"
#include "ui/widgets/cuiGrid.h"
#include "ui/widgets/cuiInPlaceEditor.h"

struct cmcEvent;
class cmcGTex;
class cuiImageList;
class QLabel;
class QMenu;
class QPaintDevice;
class QPainter;
class QWidget;

// The sheet's name for its cell array.
using cuiSheetCells = SheetCells;

// A sheet of the text table shown as a grid of cells in a parent control. It holds no radio
// data: every caption it shows and every change it makes goes through one cell handler,
// normally the item dispatcher. Sections of a sheet named X: X_Style (style items), X_BasicCell
// (the template cell) and X_Cells (rows of cells and ":" lines of row directives).
//
// The sheet builds the controls and routes the grid's input; its pieces do the rest: the style
// (SheetStyle), reading rows and placing cells (SheetRowReader, SheetCellPlacer), the cursor and
// the marks (SheetSelection), painting a cell (cuiCellPainter) and the in-place editor
// (cuiInPlaceEditor), the pop-up menu (cuiSheetPopupMenu) and the keys and mouse
// (cuiSheetInput). Derived sheets override the virtual slots and reach the state they need
// through the protected accessors.
class cuiSheet {
public:
    // handler(capsule, notify) returns the editor result: 0 nothing, 1 refresh (marks are
    // cleared), 2 open the in-place editor.
    using CellHandler = std::function<int(cmcCellCapsule& capsule, int notify)>;

    // The parent capsule is copied; the parent control, table and image list are not owned.
    cuiSheet(QWidget* parent, const cmcCellCapsule* parentCapsule, int wantedItem, int wantedIndex,
             cmcGTex& table, std::string name, const cuiImageList* images = nullptr);
    virtual ~cuiSheet();
    cuiSheet(const cuiSheet&) = delete;
    cuiSheet& operator=(const cuiSheet&) = delete;

    virtual void SetArgs(std::string text) { args_ = std::move(text); }
    const std::string& GetArgs() const { return args_; }
    // Builds the controls and cells and selects the start cell.
    virtual void Show();
    virtual std::string GetTitle() { return style_.title.value_or(std::string()); }
    virtual bool IsPrintable() { return !style_.noPrint; }
    // The title's font from the style; none when the style gives none.
    const std::optional<cmcFont>& TitleFont() const { return style_.titleFont; }

    // Called before Show.
    void SetCellHandler(CellHandler handler) { handler_ = std::move(handler); }
    void SetPopupListMode(bool on) { popupList_ = on; }
    // Printing: the sheet measures and paints on the printer; none on screen.
    void SetPrinter(QPaintDevice* printer);
    void SetFontHeight(int height) { fontHeight_ = height; }
    void SetSavedPosition(int col, int row, int leftCol, int topRow);
    // The font percentage of the View setting, used by every sheet built afterwards.
    static void SetViewFontPercentage(int percent);
    // The program's inactive flag (set while the user has been away in another program), which
    // every sheet clears when it is made and after each right-button release on its grid; a
    // right click opens the pop-up menu only while the flag is clear. None: menus always open.
    static void SetInactiveFlag(bool* flag);

    // The one edit path: runs cell (col, row) with a key, a pop-up menu command or a typed
    // text (key 13 with the text as input).
    void RunCell(int col, int row, int key, int command, const std::string* inputText = nullptr);
    // Paints cell (col, row) into rect of the painter: the grid's paint and printing.
    void DrawCell(QPainter& painter, int col, int row, const QRect& rect);

    int NaturalWidth() const;
    int NaturalHeight() const;
    void ScrollHome();
    // The cell is in the array and on a row the grid shows.
    bool IsShown(int col, int row) const;
    const std::string& GetName() const { return historyName_; }
    void SetName(std::string name) { historyName_ = std::move(name); }
    cuiGrid* Grid() const { return grid_; }
    // The marks' icons; none when the sheet shows no marks.
    const cuiImageList* Images() const { return images_; }
    cuiGridCoord CurrentCell() const;
    const cuiSheetCells& Cells() const { return cells_; }
    int MultiSelect() const { return style_.multiSelect; }
    const cmcCellObj& Template() const { return template_; }
    int RowSourceLine(int row) const {
        return reader_.RowAttrs().at(static_cast<size_t>(row)).sourceLine;
    }
    bool EditorShowing() const { return editor_.Showing(); }
    QPlainTextEdit* Editor() const { return editor_.Widget(); }
    QMenu* PopupMenu() const { return popup_.Menu(); }
    bool MarksExist() const { return selection_.MarksExist(); }

    // Changes of the redraw flags: repaints the visible cells the flags select.
    void OnCellsChanged(const cmcCellCapsule& capsule, int flags);
    // Moves the cursor by whole steps over selectable cells (arrow keys, pages, drag scroll).
    void MoveCursor(int dx, int dy);
    void GoToCell(int col, int row);
    void SelectQuiet(int col, int row);
    void CommitInPlaceEditor() { editor_.Commit(); }

protected:
    // The slots, in the order the sheets know them.
    virtual void ParseStyle(std::string_view item);
    virtual void DoDirective(std::string_view item);
    virtual void BuildCells();
    virtual void LoadBasicCell();
    virtual void ReadRows(const std::string& section);
    virtual void PlaceCells(const std::string& section);
    virtual void OnRowStart(int) {}
    virtual void OnCellStart(int, int) {}

    // What the derived sheets' slots work on.
    cmcGTex& Table() { return table_; }
    SheetRowReader& RowReader() { return reader_; }
    SheetCells& CellArray() { return cells_; }
    ChannelVars& ChannelVariables() { return channelVars_; }
    bool Printing() const { return printer_ != nullptr; }
    // None unless the style gave a title.
    QLabel* TitleLabel() const { return titleLabel_; }
    // The sheet's name in the table, which its sections are named after.
    const std::string& LayoutName() const { return name_; }
    // The grid shows the first rows of the cell array only; the cursor and marks stay there.
    void SetShownRows(int rows);

private:
    void Build();
    void BuildTitle();
    void BuildGrid();
    void ConnectGrid();
    void ApplySizes(const SheetCellPlacer& placer);
    void AddMarkRoom();
    SheetCellPlacer::CaptionSize MeasureCaption(const cmcCellObj& cell) const;

    // Cursor and selection.
    void GoToCellId(const CellId& id);
    void SelectCell(int col, int row, bool& maySelect);
    void UpdateSelection(int col, int row);
    cuiCellPainter::Highlight HighlightOf(int col, int row) const;

    // Edit path.
    void FillCapsule(cmcCellCapsule& capsule, int col, int row);
    int RunPass(cmcCellCapsule& capsule, int& col, int& row, bool& moved);
    void RunPopupChoice(cmcCellCapsule& capsule);
    void OnEditRequest(cmcCellCapsule& capsule, int flag);
    void OpenInPlaceEditor(int col, int row, const cmcCellCapsule& capsule);

    // What the input and the pop-up menu (the sheet's own parts) ask of the sheet.
    friend class cuiSheetInput;
    friend class cuiSheetPopupMenu;
    void OnCurrentCellChanged(int col, int row, bool forced);
    void RepaintHighlighted();
    void SendStatusClear();
    void SendRefreshMenu();

    static void OnEventThunk(void* data, const cmcEvent& event);
    void OnEvent(const cmcEvent& event);

    cmcGTex& table_;
    QWidget* parent_;
    std::string name_;
    const cuiImageList* images_;
    std::unique_ptr<cmcCellCapsule> parentCapsule_;
    CellHandler handler_;
    int wantedItem_;
    int wantedIndex_;
    std::string args_;
    bool building_ = false;
    QPaintDevice* printer_ = nullptr;
    int scale_ = 1;
    int fontHeight_ = 0;
    cuiGridCoord savedCell_;
    cuiGridCoord savedTopLeft_;
    std::string historyName_;
    SheetStyle style_;
    bool popupList_ = false;
    int smallestCol_ = 0;
    int smallestRow_ = 0;

    // The parent control may delete the panels first.
    QPointer<QFrame> titlePanel_;
    QLabel* titleLabel_ = nullptr;
    QPointer<QFrame> gridPanel_;
    QPointer<cuiGrid> grid_;
    // The grid's identity for the pop-ups it owns, also once the grid is gone.
    const cuiGrid* gridId_ = nullptr;
    cuiSheetPopupMenu popup_{*this};
    cuiSheetInput input_{*this, popup_};

    SheetRowReader reader_;
    ChannelVars channelVars_{};
    cmcCellObj template_;
    SheetCells cells_;
    SheetSelection selection_;
    cuiCellPainter painter_;
    cuiInPlaceEditor editor_;
    indActiveCell dispatcher_;
    // Set while the sheet itself moves the grid's column: the grid's select event is ignored.
    bool internalMove_ = false;
};
