#include "ui/widgets/cuiMenu.h"

#include <set>

#include <QAction>
#include <QMenu>
#include <QVariant>
#include <QWidget>

#include "common/CurrentEvMan.h"
#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "radio/cells/BodyOutline.h"
#include "radio/memmap/indActiveCell.h"
#include "ui/widgets/ShortcutText.h"

namespace {

constexpr char kImageIndexProperty[] = "imageIndex";

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

cuiMenu::cuiMenu(QWidget* control, QWidget* root, cmcGTex& table, std::string baseName,
                 ClickHandler onClick, const ItemRegistry& rows)
    : control_(control),
      table_(table),
      baseName_(std::move(baseName)),
      root_(root),
      onClick_(std::move(onClick)),
      rows_(rows),
      bus_(CurrentEvMan()) {
    if (!onClick_) {
        onClick_ = [this, alive = std::weak_ptr<int>(alive_)](QAction* sender) {
            if (!alive.expired()) {
                OnItemClick(sender);
            }
        };
    }
    if (bus_) {
        bus_->AddListener(&cuiMenu::OnEventThunk, this);
    }
}

cuiMenu::~cuiMenu() {
    if (bus_) {
        bus_->RemoveListener(&cuiMenu::OnEventThunk, this);
    }
    // The items stay with their widgets; they must not point at the cells that go now.
    std::function<void(QAction*)> forget = [&](QAction* item) {
        for (QAction* sub : SubItems(item)) {
            sub->setData(QVariant());
            forget(sub);
        }
    };
    forget(nullptr);
}

void cuiMenu::OnEventThunk(void* data, const cmcEvent& event) {
    static_cast<cuiMenu*>(data)->OnEvent(event);
}

cmcCellObj* cuiMenu::CellOf(const QAction* item) {
    return item ? static_cast<cmcCellObj*>(item->data().value<void*>()) : nullptr;
}

QList<QAction*> cuiMenu::SubItems(const QAction* item) const {
    if (!item) {
        return root_->actions();
    }
    const QMenu* menu = item->menu();
    return menu ? menu->actions() : QList<QAction*>();
}

void cuiMenu::Build() {
    ClearItems(nullptr);
    template_ = std::make_unique<cmcCellObj>();
    cmcCellObj::ParseDefinition(*template_, table_.GetLine(baseName_ + "_BasicCell", 0), nullptr,
                                nullptr, false);
    AddItems(nullptr, baseName_ + "_Body", 0, nullptr);
}

int cuiMenu::AddItems(QAction* parent, const std::string& section, int first, cuiMenu* source) {
    auto add = [this, source](QAction* under, const std::string& line) {
        return AddItem(under, line, source);
    };
    return AddBodyGroup(table_, section, first, parent, add);
}

QAction* cuiMenu::AddItem(QAction* parent, const std::string& line, cuiMenu* source) {
    cmcCellObj& cell = *cells_.emplace_back(std::make_unique<cmcCellObj>());
    cmcCellObj::ParseDefinition(cell, BodyLineDefinition(line), nullptr, template_.get(), false);

    QWidget* holder = SubMenuOf(parent);
    auto* item = new QAction(source ? source->root_ : holder);
    if (cell.GetCaption() == "-") {
        item->setSeparator(true);  // a separator with a text would show it as a section title
    } else {
        item->setText(ToQString(cell.GetCaption()));
    }
    if (cell.optionText) {
        item->setShortcut(ShortcutFromText(*cell.optionText));
    }
    item->setData(QVariant::fromValue(static_cast<void*>(&cell)));
    item->setProperty(kImageIndexProperty, cell.imageIndex);
    const ClickHandler handler = source ? source->onClick_ : onClick_;
    QObject::connect(item, &QAction::triggered, item, [handler, item] { handler(item); });
    holder->addAction(item);
    return item;
}

// The widget whose actions are the parent's sub-items; a parent without one gets a submenu.
QWidget* cuiMenu::SubMenuOf(QAction* parent) {
    if (!parent) {
        return root_;
    }
    if (QMenu* menu = parent->menu()) {
        return menu;
    }
    auto* holder = qobject_cast<QWidget*>(parent->parent());
    auto* menu = new QMenu(holder ? holder : root_);
    parent->setMenu(menu);
    return menu;
}

void cuiMenu::ClearItems(QAction* item) {
    if (QWidget* holder = item ? item->menu() : root_) {
        for (QAction* sub : holder->actions()) {
            DeleteItem(holder, sub);
        }
    }
    if (item) {
        DetachMenu(item);  // an item without sub-items is a plain command again
    }
    ReleaseUnusedCells();
}

// Items leave their menus at once and are deleted by the event loop, since the item being
// clicked may be among them (a command can change the current cell and so the mirror).
void cuiMenu::DeleteItem(QWidget* holder, QAction* item) {
    if (QMenu* menu = item->menu()) {
        for (QAction* sub : menu->actions()) {
            DeleteItem(menu, sub);
        }
    }
    DetachMenu(item);
    holder->removeAction(item);
    item->setData(QVariant());
    item->deleteLater();
}

void cuiMenu::DetachMenu(QAction* item) {
    if (QMenu* menu = item->menu()) {
        item->setMenu(static_cast<QMenu*>(nullptr));
        menu->deleteLater();
    }
}

void cuiMenu::ReleaseUnusedCells() {
    std::set<const cmcCellObj*> carried;
    std::function<void(const QAction*)> collect = [&](const QAction* item) {
        for (const QAction* sub : SubItems(item)) {
            carried.insert(CellOf(sub));
            collect(sub);
        }
    };
    collect(nullptr);
    cells_.remove_if(
        [&](const std::unique_ptr<cmcCellObj>& cell) { return !carried.contains(cell.get()); });
}

QAction* cuiMenu::FindItem(QAction* start, int code) const {
    for (QAction* sub : SubItems(start)) {
        const cmcCellObj* cell = CellOf(sub);
        if (cell && cell->item == code) {
            return sub;
        }
        if (QAction* found = FindItem(sub, code)) {
            return found;
        }
    }
    return nullptr;
}

QAction* cuiMenu::FindItemByPointer(QAction* start, const QAction* item) const {
    for (QAction* sub : SubItems(start)) {
        if (sub == item) {
            return sub;
        }
        if (QAction* found = FindItemByPointer(sub, item)) {
            return found;
        }
    }
    return nullptr;
}

void cuiMenu::UpdateAll() {
    lastOwner_ = nullptr;
    UpdateItems(nullptr);
}

void cuiMenu::UpdateItems(QAction* item) {
    if (item) {
        UpdateItem(item);
    }
    for (QAction* sub : SubItems(item)) {
        UpdateItems(sub);
    }
}

void cuiMenu::UpdateItem(QAction* item) {
    cmcCellObj* cell = CellOf(item);
    stateCapsule_.Clear();
    stateCapsule_.control = control_;
    stateCapsule_.cell = cell;
    // Items of one owner share the owner's current cell: ask once per change of owner.
    const QObject* owner = item->parent();
    if (owner != lastOwner_) {
        parentCapsule_.reset();
        if (QueryCurrentCell(owner, parentCell_)) {
            parentCapsule_ = std::make_unique<cmcCellCapsule>();
            parentCapsule_->cell = &parentCell_;
        }
        lastOwner_ = owner;
    }
    stateCapsule_.parent = parentCapsule_.get();
    if (!cell) {
        item->setChecked(false);
        return;
    }
    cell->stateBits &= static_cast<uint8_t>(~kStateCommandBits);
    indActiveCell(rows_).DispatchItem(stateCapsule_, 0);
    ApplyState(item, *cell);
}

void cuiMenu::ApplyState(QAction* item, const cmcCellObj& cell) {
    const bool checked = cell.stateBits & kStateChecked;
    item->setCheckable(checked);
    item->setChecked(checked);
    item->setVisible(!(cell.stateBits & kStateHidden));
    item->setEnabled(!(cell.stateBits & kStateDisabled));
    const QString caption = ToQString(cell.GetCaption());
    if ((cell.stateBits & kStateCaptionReplaced) && caption != item->text()) {
        item->setText(caption);
    }
    if (item->property(kImageIndexProperty).toInt() != cell.imageIndex) {
        item->setProperty(kImageIndexProperty, cell.imageIndex);
    }
}

bool cuiMenu::QueryCurrentCell(const QObject* owner, cmcCellObj& cell) {
    if (!bus_) {
        return false;
    }
    const cmcEvAns* answer = bus_->Query(EV_QueryCurrentCell, reinterpret_cast<intptr_t>(owner));
    if (!answer || !answer->pointerAnswer) {
        return false;
    }
    cell.CopyFrom(*reinterpret_cast<const cmcCellObj*>(answer->pointerAnswer));
    return true;
}

void cuiMenu::OnItemClick(QAction* sender) {
    if (!FindItemByPointer(nullptr, sender) || !CellOf(sender)) {
        return;
    }
    cmcCellCapsule capsule;
    capsule.control = control_;
    capsule.cell = CellOf(sender);
    capsule.key = kKeyEnter;
    cmcCellObj parentCell;
    cmcCellCapsule parent;
    if (QueryCurrentCell(nullptr, parentCell)) {
        parent.cell = &parentCell;
        capsule.parent = &parent;
    }
    const std::weak_ptr<int> alive = alive_;
    indActiveCell(rows_).DispatchItem(capsule, 0);
    // A command may have closed the window and this menu with it.
    if (!alive.expired()) {
        UpdateAll();
    }
}

void cuiMenu::OnEvent(const cmcEvent& event) {
    switch (event.type) {
        case EV_RefreshMenu:
            UpdateAll();
            break;
        case EV_ClearSubMenu:
            if (QAction* item = FindItem(nullptr, static_cast<int>(event.B))) {
                ClearItems(item);
            }
            break;
        case EV_BuildSubMenu:
            // Only into an empty submenu: a queued request for the no-item section must not
            // replace (or repeat after) what a sheet has mirrored there.
            if (QAction* item = FindItem(nullptr, static_cast<int>(event.B));
                item && SubItems(item).isEmpty()) {
                AddItems(item, event.Text() + "_Body", 0, reinterpret_cast<cuiMenu*>(event.A));
            }
            break;
        default:
            break;
    }
}
