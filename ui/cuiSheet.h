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
#include <vector>

#include "radio/cmcCellCapsule.h"
#include "radio/cmcCellObj.h"
#include "radio/indActiveCell.h"
#include "ui/clsSheeRowAtr.h"
#include "ui/cuiGrid.h"
#include "ui/cuiSheetCells.h"

struct cmcEvent;
class cmcGTex;
class cuiCanvas;
class cuiImageList;
class cuiMenu;
class QAction;
class QLabel;
class QMenu;
class QPaintDevice;
class QPainter;
class QWidget;

// MultiSelect modes of a sheet.
enum cuiMultiSelect : int {
    MS_None = 0,
    MS_Cell = 1,
    MS_Line = 2,
};

// A sheet of the text table shown as a grid of cells in a parent control. It holds no radio
// data: every caption it shows and every change it makes goes through one cell handler,
// normally the item dispatcher. Sections of a sheet named X: X_Style (style items), X_BasicCell
// (the template cell) and X_Cells (rows of cells and ":" lines of row directives).
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
    virtual std::string GetTitle() { return title_.value_or(std::string()); }
    virtual bool IsPrintable() { return !(flags_ & kNoPrint); }

    // Called before Show.
    void SetCellHandler(CellHandler handler) { handler_ = std::move(handler); }
    void SetPopupListMode(bool on);
    // Printing: the sheet measures and paints on the printer; none on screen.
    void SetPrinter(QPaintDevice* printer);
    void SetFontHeight(int height) { fontHeight_ = height; }
    void SetSavedPosition(int col, int row, int leftCol, int topRow);
    // The font percentage of the View setting, used by every sheet built afterwards.
    static void SetViewFontPercentage(int percent);

    // The one edit path: runs cell (col, row) with a key, a pop-up menu command or a typed
    // text (key 13 with the text as input).
    void RunCell(int col, int row, int key, int command, const std::string* inputText = nullptr);
    // Paints cell (col, row) into rect of the painter: the grid's paint and printing.
    void DrawCell(QPainter& painter, int col, int row, const QRect& rect);

    int NaturalWidth() const;
    int NaturalHeight() const;
    void ScrollHome();
    const std::string& GetName() const { return historyName_; }
    void SetName(std::string name) { historyName_ = std::move(name); }
    cuiGrid* Grid() const { return grid_; }
    cuiGridCoord CurrentCell() const;
    const cuiSheetCells& Cells() const { return cells_; }
    int MultiSelect() const { return multiSelect_; }
    const cmcCellObj& Template() const { return template_; }
    int RowSourceLine(int row) const { return rowAttrs_.at(static_cast<size_t>(row)).sourceLine; }
    bool EditorShowing() const { return editorShowing_; }
    QPlainTextEdit* Editor() const { return editor_; }
    QMenu* PopupMenu() const { return popupMenu_; }
    bool MarksExist() const { return (state_ & kMarksExist) != 0; }

    // Changes of the redraw flags: repaints the visible cells the flags select.
    void OnCellsChanged(const cmcCellCapsule& capsule, int flags);
    // Moves the cursor by whole steps over selectable cells (arrow keys, pages, drag scroll).
    void MoveCursor(int dx, int dy);
    void GoToCell(int col, int row);
    void SelectQuiet(int col, int row);
    void CommitInPlaceEditor();

protected:
    virtual void ParseStyle(std::string_view item);
    virtual void DoDirective(std::string_view item);
    virtual void BuildCells();
    virtual void LoadBasicCell();
    virtual void ReadRows(const std::string& section);
    virtual void PlaceCells(const std::string& section);
    virtual void OnRowStart(int) {}
    virtual void OnCellStart(int, int) {}

    // Reading state the derived sheets' directives use.
    struct RowReading {
        int line = 0;
        int skip = 0;
        int cols = 0;
        int loopStart = -1;
        int loopEnd = -1;
        int loopCount = 0;
        bool select = true;
        // Source lines of the rows read since the loop start.
        std::vector<int32_t> loopRows;
    };
    RowReading reading_;
    ChannelVars channelVars_{};
    cmcGTex& table_;

private:
    static constexpr uint8_t kPopupList = 0x01;
    static constexpr uint8_t kNoPrint = 0x02;
    static constexpr uint8_t kInternalMove = 0x01;
    static constexpr uint8_t kMarksExist = 0x02;
    static constexpr uint8_t kMouseHeld = 0x04;
    static constexpr uint8_t kLineMarksClear = 0x08;

    struct StyleKey;
    static const StyleKey kStyleKeys[];

    void Build();
    void BuildTitle();
    void BuildGrid();
    void ConnectGrid();
    void ScanItems(const std::string& line, const std::function<void(std::string_view)>& take);
    void ReadRowLine(const std::string& text);
    void EndOfDirectiveLine();
    void PlaceRow(int row, const std::string& section, std::string& lineText);
    void FitCell(int col, int row, const cmcCellObj& cell);
    int MarkSize() const;
    void AddMarkRoom();
    int RowCellCount(int row) const;

    // Cursor, selection and marks.
    std::optional<cuiGridCoord> Walk(cuiGridCoord from, int sx, int sy, bool wrap) const;
    std::optional<cuiGridCoord> NearestSearch(cuiGridCoord from, int sx, int sy) const;
    void GoToCellId(const CellId& id);
    void SelectCell(int col, int row, bool& maySelect);
    void UpdateSelection(int col, int row);
    void SetMark(int col, int row, bool on);
    void SetLineMark(int col, int row, bool on);
    void UpdateLineMarks();
    void ClearMarks();
    bool IsHighlighted(const clsSheetCellId& entry, int col, int row) const;
    void MarkRange(int col, int row, const cmcCellCapsule& capsule);
    bool Extending() const;

    // Edit path.
    void FillCapsule(cmcCellCapsule& capsule, int col, int row);
    int RunPass(cmcCellCapsule& capsule, int& col, int& row, bool& moved);
    void RunPopupChoice(cmcCellCapsule& capsule);
    void OnEditRequest(cmcCellCapsule& capsule, int flag);
    void OpenInPlaceEditor(int col, int row, const cmcCellCapsule& capsule);
    void HideEditor();
    bool OnEditorKeyDown(int key);

    // Grid handlers.
    void OnGridKeyDown(int& key, Qt::KeyboardModifiers modifiers);
    void OnGridKeyPress(int& character);
    void OnGridMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
    void OnGridMouseUp(Qt::MouseButton button, QPoint at);
    void OnGridMouseMove(QPoint at);
    void OnGridDblClick();
    void OnGridEnter();
    void OnGridExit();
    void OnTimedScroll(int direction);
    std::optional<cuiGridCoord> SelectableUnder(QPoint at) const;
    void ShowPopupMenu();
    void OnCurrentCellChanged(int col, int row, bool forced);
    void RebuildPopupMenu(const std::string* name);
    void OnPopupItemClick(QAction* item);
    void RepaintHighlighted();
    void SendStatusClear();
    void SendRefreshMenu();

    int DrawCellText(cuiCanvas& canvas, const cmcCellObj& cell, const std::string& text, int left,
                     int top, int right, int bottom);
    void DrawMarks(QPainter& painter, cuiCanvas& canvas, const cmcCellObj& cell, int penX, int top,
                   int right, int bottom);

    // Commits the in-place editor when it loses the focus and routes its keys; notes why the
    // grid's focus changes.
    class EventFilter : public QObject {
    public:
        bool eventFilter(QObject* watched, QEvent* event) override;
        cuiSheet* sheet = nullptr;
    };

    static void OnEventThunk(void* data, const cmcEvent& event);
    void OnEvent(const cmcEvent& event);

    QWidget* parent_;
    std::string name_;
    const cuiImageList* images_;
    std::unique_ptr<cmcCellCapsule> parentCapsule_;
    CellHandler handler_;
    int wantedItem_;
    int wantedIndex_;
    std::string args_;
    bool building_ = false;
    QPoint lastMouse_{-1, -1};
    QPaintDevice* printer_ = nullptr;
    int scale_ = 1;
    int fontHeight_ = 0;
    cuiGridCoord savedCell_;
    cuiGridCoord savedTopLeft_;
    std::string historyName_;
    std::optional<std::string> title_;
    std::optional<cmcFont> titleFont_;
    uint32_t titleColour_ = 0x80000011;  // clGrayText
    int fixedCols_ = 0;
    int fixedRows_ = 0;
    int multiSelect_ = MS_None;
    int printFontRatio_ = 100;
    uint8_t flags_ = 0;
    int smallestCol_ = 0;
    int smallestRow_ = 0;

    // The parent control may delete the panels first.
    QPointer<QFrame> titlePanel_;
    QLabel* titleLabel_ = nullptr;
    QPointer<QFrame> gridPanel_;
    QPointer<cuiGrid> grid_;
    // The grid's identity for the pop-ups it owns, also once the grid is gone.
    const cuiGrid* gridId_ = nullptr;
    // The same as the object the event filter watches; compared, never used.
    const QObject* gridObject_ = nullptr;
    QMenu* popupMenu_ = nullptr;
    bool autoPopup_ = false;
    std::unique_ptr<cuiMenu> mirror_;
    std::string popupName_;
    cuiGridCoord lastHandled_;
    QPointer<QPlainTextEdit> editor_;
    cuiGridCoord edited_;
    bool editorShowing_ = false;
    EventFilter eventFilter_;
    Qt::FocusReason focusReason_ = Qt::OtherFocusReason;
    QPoint lastPress_;
    WindowRect paintRect_;

    std::vector<clsSheeRowAtr> rowAttrs_;
    // Cells per row of the last row read, for the rows that repeat it.
    std::vector<int> rowCells_;
    cmcCellObj template_;
    cuiSheetCells cells_;
    cmcCellCapsule paintCapsule_;
    indActiveCell dispatcher_;
    cuiGridCoord lastMove_{0, 0};
    cuiGridCoord anchor_;
    uint8_t state_ = kLineMarksClear;
    Qt::KeyboardModifiers modifiers_;
    // The answer to the current-cell query; valid until the next query.
    cmcCellObj queryAnswer_;
};
