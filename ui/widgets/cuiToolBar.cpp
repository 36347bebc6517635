#include "ui/widgets/cuiToolBar.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>
#include <QVariant>

#include "common/CurrentEvMan.h"
#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/memmap/indActiveCell.h"
#include "ui/paint/cuiImageList.h"
#include "ui/widgets/cuiToolBarStyle.h"

namespace {

constexpr char kImageIndexProperty[] = "imageIndex";
constexpr int kIndent = 4;

}  // namespace

cuiToolBar::cuiToolBar(QMainWindow* parent, cmcGTex& table, std::string baseName,
                       const cuiImageList& images, const ItemRegistry& rows)
    : parent_(parent),
      table_(table),
      baseName_(std::move(baseName)),
      images_(images),
      registry_(rows),
      bus_(CurrentEvMan()) {
    if (bus_) {
        bus_->AddListener(&cuiToolBar::OnEventThunk, this);
    }
}

cuiToolBar::~cuiToolBar() {
    if (bus_) {
        bus_->RemoveListener(&cuiToolBar::OnEventThunk, this);
    }
    // The buttons stay with the window; they must not point at the cells that go now.
    for (QToolBar* row : rows_) {
        for (QAction* button : row->actions()) {
            button->setData(QVariant());
        }
    }
}

void cuiToolBar::OnEventThunk(void* data, const cmcEvent& event) {
    static_cast<cuiToolBar*>(data)->OnEvent(event);
}

cmcCellObj* cuiToolBar::CellOf(const QAction* button) {
    return button ? static_cast<cmcCellObj*>(button->data().value<void*>()) : nullptr;
}

void cuiToolBar::Build(ClickHandler onClick) {
    if (!onClick) {
        onClick = [this, alive = std::weak_ptr<int>(alive_)](QAction* sender) {
            if (!alive.expired()) {
                OnButtonClick(sender);
            }
        };
    }
    RemoveRows();
    cells_.clear();
    template_ = std::make_unique<cmcCellObj>();
    cmcCellObj::ParseDefinition(*template_, table_.GetLine(baseName_ + "_BasicCell", 0), nullptr,
                                nullptr, false);
    const std::string body = baseName_ + "_Body";
    QToolBar* row = AddRow();
    for (int i = 0;; ++i) {
        const std::string line = table_.GetLine(body, i);
        if (line.starts_with('#')) {
            break;
        }
        cmcCellObj& cell = *cells_.emplace_back(std::make_unique<cmcCellObj>());
        cmcCellObj::ParseDefinition(cell, line, nullptr, template_.get(), false);
        const std::string caption = cell.GetCaption();
        if (caption == "-") {
            row->addSeparator();
        } else if (caption == "/") {
            row = AddRow();
        } else {
            AddButton(row, cell, onClick);
        }
    }
}

void cuiToolBar::RemoveRows() {
    for (QToolBar* row : rows_) {
        parent_->removeToolBar(row);
        delete row;
    }
    rows_.clear();
}

QToolBar* cuiToolBar::AddRow() {
    if (!rows_.empty()) {
        parent_->addToolBarBreak(Qt::TopToolBarArea);
    }
    auto* row = new QToolBar(parent_);
    auto* style = new cuiToolBarStyle;
    style->setParent(row);
    row->setStyle(style);
    row->setObjectName(QString::fromStdString(baseName_) + QString::number(rows_.size()));
    row->setMovable(true);
    row->setIconSize(images_.Size());
    row->setContentsMargins(kIndent, 0, 0, 0);
    row->setVisible(visible_);
    parent_->addToolBar(Qt::TopToolBarArea, row);
    rows_.push_back(row);
    return row;
}

void cuiToolBar::AddButton(QToolBar* row, cmcCellObj& cell, const ClickHandler& onClick) {
    const QString hint = QString::fromStdString(cell.GetCaption());
    auto* button = new QAction(row);
    button->setText(hint);
    button->setToolTip(hint);
    button->setIcon(images_.Icon(cell.imageIndex));
    button->setProperty(kImageIndexProperty, cell.imageIndex);
    button->setData(QVariant::fromValue(static_cast<void*>(&cell)));
    QObject::connect(button, &QAction::triggered, button, [onClick, button] { onClick(button); });
    row->addAction(button);
    // Raised buttons, not flat ones.
    if (auto* tool = qobject_cast<QToolButton*>(row->widgetForAction(button))) {
        tool->setAutoRaise(false);
    }
}

void cuiToolBar::UpdateButtons() {
    cmcCellCapsule capsule;
    for (QToolBar* row : rows_) {
        for (QAction* button : row->actions()) {
            cmcCellObj* cell = CellOf(button);
            if (!cell) {
                continue;  // separators
            }
            capsule.Clear();
            capsule.control = parent_;
            capsule.cell = cell;
            // Each pass reports the state afresh: bits a row leaves alone are not kept.
            cell->stateBits &= static_cast<uint8_t>(~kStateCommandBits);
            indActiveCell(registry_).DispatchItem(capsule, 0);
            ApplyState(button, *cell);
        }
    }
}

void cuiToolBar::ApplyState(QAction* button, const cmcCellObj& cell) {
    const bool checked = cell.stateBits & kStateChecked;
    button->setCheckable(checked);
    button->setChecked(checked);
    button->setEnabled(!(cell.stateBits & kStateDisabled));
    if (button->property(kImageIndexProperty).toInt() != cell.imageIndex) {
        button->setProperty(kImageIndexProperty, cell.imageIndex);
        button->setIcon(images_.Icon(cell.imageIndex));
    }
}

void cuiToolBar::OnButtonClick(QAction* sender) {
    cmcCellObj* cell = CellOf(sender);
    if (!cell) {
        return;
    }
    cmcCellCapsule capsule;
    capsule.control = parent_;
    capsule.cell = cell;
    capsule.key = kKeyEnter;
    indActiveCell(registry_).DispatchItem(capsule, 0);
}

void cuiToolBar::OnEvent(const cmcEvent& event) {
    if (event.type == EV_RefreshToolBar) {
        UpdateButtons();
    }
}

void cuiToolBar::SetVisible(bool visible) {
    visible_ = visible;
    for (QToolBar* row : rows_) {
        row->setVisible(visible);
    }
}

bool cuiToolBar::IsVisible() const {
    return visible_;
}
