#pragma once

#include <functional>
#include <list>
#include <memory>
#include <string>

#include <QList>

#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/memmap/ItemRegistry.h"

class QAction;
class QObject;
class QWidget;
class cmcEvMan;
class cmcGTex;
struct cmcEvent;

// A menu whose items are cells, built from the section pair <base>_BasicCell / <base>_Body of
// a text table under a root (a QMenuBar or a QMenu): the main window's menu bar and every
// sheet's pop-up menu. Item states come from the dispatcher run with key 0, a click runs it
// with Enter, and the bus can refresh the states, empty a submenu, or rebuild a submenu from
// another menu's section (the Edit menu mirrors the current cell's pop-up menu so).
//
// Items are QActions; an item's submenu is its QMenu, and "none" as an item stands for the
// root. Each item carries its cell as its data. The QActions stay with their widgets when
// the object goes; a click on one after that does nothing.
class cuiMenu {
public:
    using ClickHandler = std::function<void(QAction* sender)>;

    // Without a click handler, clicks go to OnItemClick of this object. Subscribes to the
    // program's bus when one is installed.
    cuiMenu(QWidget* control, QWidget* root, cmcGTex& table, std::string baseName,
            ClickHandler onClick = {}, const ItemRegistry& rows = ItemRegistry::Program());
    ~cuiMenu();
    cuiMenu(const cuiMenu&) = delete;
    cuiMenu& operator=(const cuiMenu&) = delete;

    // Empties the menu, parses the template and builds the items of the body.
    void Build();
    // Adds the items of a body section from line first under parent (none: the root); the
    // items of a source menu are owned by its root and served by its click handler. Returns
    // the number of lines used.
    int AddItems(QAction* parent, const std::string& section, int first, cuiMenu* source);
    QAction* AddItem(QAction* parent, const std::string& line, cuiMenu* source);
    // Deletes every sub-item of the item (none: the root), then releases the cells that no
    // item under the root carries any more.
    void ClearItems(QAction* item);
    // Depth first from start (none: the root), not counting start itself.
    QAction* FindItem(QAction* start, int code) const;
    QAction* FindItemByPointer(QAction* start, const QAction* item) const;

    void UpdateAll();
    void UpdateItems(QAction* item);
    void OnItemClick(QAction* sender);
    void OnEvent(const cmcEvent& event);

    QWidget* Root() const { return root_; }
    const ClickHandler& Clicks() const { return onClick_; }
    // The cell an item carries, or null.
    static cmcCellObj* CellOf(const QAction* item);
    // The items directly under an item (none: the root).
    QList<QAction*> SubItems(const QAction* item) const;

private:
    static void OnEventThunk(void* data, const cmcEvent& event);
    void UpdateItem(QAction* item);
    void ApplyState(QAction* item, const cmcCellObj& cell);
    // Copies the answer of the current-cell query for owner into cell; false without one.
    bool QueryCurrentCell(const QObject* owner, cmcCellObj& cell);
    QWidget* SubMenuOf(QAction* parent);
    void DeleteItem(QWidget* holder, QAction* item);
    void DetachMenu(QAction* item);
    void ReleaseUnusedCells();

    QWidget* control_;
    cmcGTex& table_;
    std::string baseName_;
    QWidget* root_;
    ClickHandler onClick_;
    const ItemRegistry& rows_;
    cmcEvMan* bus_;
    std::unique_ptr<cmcCellObj> template_;
    std::list<std::unique_ptr<cmcCellObj>> cells_;
    const QObject* lastOwner_ = nullptr;
    cmcCellCapsule stateCapsule_;
    cmcCellObj parentCell_;
    std::unique_ptr<cmcCellCapsule> parentCapsule_;
    // Expires with the object, so that clicks reaching items it left behind are dropped.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};
