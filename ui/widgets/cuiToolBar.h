#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "radio/cells/cmcCellObj.h"
#include "radio/memmap/ItemRegistry.h"

class QAction;
class QMainWindow;
class QToolBar;
class cmcEvMan;
class cmcGTex;
class cuiImageList;
struct cmcEvent;

// The main window's tool bar, built from the section pair <base>_BasicCell / <base>_Body:
// one button a body line, whose cell's image index picks the picture and whose caption is the
// hint. "-" is a separator, "/" starts a new row (each row is a QToolBar of the window; the
// rows are shown and hidden together). States come from the dispatcher on
// EV_RefreshToolBar, a click runs the cell with Enter.
class cuiToolBar {
public:
    using ClickHandler = std::function<void(QAction* sender)>;

    // The image list is not owned and must outlive the tool bar. Subscribes to the program's
    // bus when one is installed.
    cuiToolBar(QMainWindow* parent, cmcGTex& table, std::string baseName,
               const cuiImageList& images, const ItemRegistry& rows = ItemRegistry::Program());
    ~cuiToolBar();
    cuiToolBar(const cuiToolBar&) = delete;
    cuiToolBar& operator=(const cuiToolBar&) = delete;

    // Builds the buttons (a second Build first removes the earlier ones). Without a click
    // handler, clicks go to OnButtonClick of this object.
    void Build(ClickHandler onClick = {});
    void UpdateButtons();
    void OnButtonClick(QAction* sender);
    void OnEvent(const cmcEvent& event);

    void SetVisible(bool visible);
    bool IsVisible() const;
    // The rows of buttons, the first row first.
    const std::vector<QToolBar*>& Rows() const { return rows_; }
    static cmcCellObj* CellOf(const QAction* button);

private:
    static void OnEventThunk(void* data, const cmcEvent& event);
    void RemoveRows();
    QToolBar* AddRow();
    void AddButton(QToolBar* row, cmcCellObj& cell, const ClickHandler& onClick);
    void ApplyState(QAction* button, const cmcCellObj& cell);

    QMainWindow* parent_;
    cmcGTex& table_;
    std::string baseName_;
    const cuiImageList& images_;
    const ItemRegistry& registry_;
    cmcEvMan* bus_;
    std::unique_ptr<cmcCellObj> template_;
    std::vector<std::unique_ptr<cmcCellObj>> cells_;
    std::vector<QToolBar*> rows_;
    bool visible_ = true;
    // Expires with the object, so that clicks reaching buttons it left behind are dropped.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};
