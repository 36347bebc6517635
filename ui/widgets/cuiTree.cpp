#include "ui/widgets/cuiTree.h"

#include <algorithm>
#include <set>

#include <QHeaderView>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "common/CurrentEvMan.h"
#include "common/DecimalNumber.h"
#include "common/TextHelpers.h"
#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "common/cmcTask.h"
#include "platform/MessageBox.h"
#include "radio/cells/BodyOutline.h"
#include "ui/paint/ColourMapping.h"
#include "ui/paint/FontMapping.h"
#include "ui/paint/cuiImageList.h"

namespace {

enum NodeRole : int {
    kCellRole = Qt::UserRole,
    kImageRole,
    kSelectedRole,
    kOverlayRole,
};

// The image-list pictures that become the overlays 0 and 1, as sheets use them for marks.
constexpr int kErrorImage = 9;
constexpr int kWarningImage = 8;

constexpr int kMaxChangeDelay = 10000;

// An overlay covers the lower right of the icon (11/16 of it), leaving the icon recognisable.
constexpr int kOverlaySixteenths = 11;
constexpr int kMinimumSectionWidth = 20;

}  // namespace

cuiTree::cuiTree(QWidget* panel, cmcGTex& table, std::string baseName, const cuiImageList& images)
    : panel_(panel),
      table_(table),
      baseName_(std::move(baseName)),
      images_(images),
      bus_(CurrentEvMan()) {
    auto* view = new QTreeWidget(panel);
    view->setHeaderHidden(true);
    // Set, so that the hidden header need not measure every glyph of the font for it.
    view->header()->setMinimumSectionSize(kMinimumSectionWidth);
    view->setColumnCount(1);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setIconSize(images.Size());
    if (panel) {
        QLayout* layout = panel->layout();
        if (!layout) {
            layout = new QVBoxLayout(panel);
            layout->setContentsMargins(0, 0, 0, 0);
        }
        layout->addWidget(view);
    }
    QObject::connect(view, &QTreeWidget::currentItemChanged, view, [this] { OnCurrentChanged(); });
    view_ = view;
    if (bus_) {
        bus_->AddListener(&cuiTree::OnEventThunk, this);
    }
}

cuiTree::~cuiTree() {
    if (bus_) {
        bus_->RemoveListener(&cuiTree::OnEventThunk, this);
    }
    cmcTask::Dispose(changeTask_);
    ForgetView();
}

void cuiTree::OnEventThunk(void* data, const cmcEvent& event) {
    static_cast<cuiTree*>(data)->OnEvent(event);
}

void cuiTree::OnEvent(const cmcEvent& event) {
    if (event.type == EV_ControlDestroyed && panel_ &&
        event.B == reinterpret_cast<intptr_t>(panel_.data())) {
        ForgetView();
    }
}

// The view leaves (its panel is going, or the tree is), and with it every node and cell.
void cuiTree::ForgetView() {
    if (view_) {
        view_->disconnect();
        view_->hide();
        delete view_.data();
    }
    cells_.clear();
    template_.reset();
}

void cuiTree::Build() {
    if (!view_) {
        return;
    }
    // A rebuilt tree starts empty: its cells point to the template that is replaced now.
    view_->clear();
    cells_.clear();
    template_ = std::make_unique<cmcCellObj>();
    cmcCellObj::ParseDefinition(*template_, table_.GetLine(baseName_ + "_BasicCell", 0), nullptr,
                                nullptr, false);
    ApplyTemplateLook();
    AddNodes(nullptr, baseName_ + "_Body", 0);
    if (QTreeWidgetItem* first = FirstNode()) {
        first->setExpanded(true);
    }
    overlayImages_ = {kErrorImage, kWarningImage};
}

void cuiTree::ApplyTemplateLook() {
    QPalette palette = view_->palette();
    palette.setColor(QPalette::Base, ToQColor(template_->colour, palette));
    if (template_->font) {
        view_->setFont(ToQFont(*template_->font));
        palette.setColor(QPalette::Text, ToQColor(template_->font->colour, palette));
    }
    // The selection stays visible while another control has the focus.
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    view_->setPalette(palette);
}

int cuiTree::AddNodes(QTreeWidgetItem* parent, const std::string& section, int first) {
    auto add = [this](QTreeWidgetItem* under, const std::string& line) {
        return AddNode(under, line);
    };
    return AddBodyGroup(table_, section, first, parent, add);
}

QTreeWidgetItem* cuiTree::AddNode(QTreeWidgetItem* parent, const std::string& line) {
    if (!view_) {
        return nullptr;
    }
    cmcCellObj& cell = *cells_.emplace_back(std::make_unique<cmcCellObj>());
    cmcCellObj::ParseDefinition(cell, BodyLineDefinition(line), nullptr, template_.get(), false);
    auto* node = new QTreeWidgetItem(QStringList(QString::fromStdString(cell.GetCaption())));
    node->setData(0, kCellRole, QVariant::fromValue(static_cast<void*>(&cell)));
    node->setData(0, kImageRole, cell.imageIndex);
    node->setData(0, kSelectedRole, cell.imageIndex);
    node->setData(0, kOverlayRole, kNoOverlay);
    UpdateIcon(node);
    if (parent) {
        parent->addChild(node);
    } else {
        view_->addTopLevelItem(node);
    }
    return node;
}

void cuiTree::ClearChildren(QTreeWidgetItem* node) {
    if (!node) {
        return;
    }
    qDeleteAll(node->takeChildren());
    ReleaseUnusedCells();
}

void cuiTree::FilterByFlag(int flag) {
    for (;;) {
        const std::vector<QTreeWidgetItem*> nodes = Nodes();
        const auto match = std::find_if(nodes.begin(), nodes.end(), [flag](QTreeWidgetItem* n) {
            return CellOf(n) && HasFlag(*CellOf(n), flag);
        });
        if (match == nodes.end()) {
            break;
        }
        delete *match;  // with its children
    }
    ReleaseUnusedCells();
}

void cuiTree::ReleaseUnusedCells() {
    std::set<const cmcCellObj*> carried;
    for (const QTreeWidgetItem* node : Nodes()) {
        carried.insert(CellOf(node));
    }
    cells_.remove_if(
        [&](const std::unique_ptr<cmcCellObj>& cell) { return !carried.contains(cell.get()); });
}

QTreeWidgetItem* cuiTree::FindNode(std::string_view spec) const {
    for (QTreeWidgetItem* node : Nodes()) {
        const cmcCellObj* cell = CellOf(node);
        if (cell && cell->optionText && *cell->optionText == spec) {
            return node;
        }
    }
    return nullptr;
}

cmcCellObj* cuiTree::GetSelectedCell() const {
    return view_ ? CellOf(view_->currentItem()) : nullptr;
}

void cuiTree::MarkWarningChecks(const std::vector<std::string>& warnings,
                                const std::vector<std::string>& errors) {
    if (!view_) {
        return;
    }
    ClearOverlays(NodeAt(0));
    for (int i = view_->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* node = view_->topLevelItem(i);
        MarkOverlays(node, warnings, kWarningOverlay);
        MarkOverlays(node, errors, kErrorOverlay);
    }
}

void cuiTree::ClearOverlays(QTreeWidgetItem* node) {
    if (!node) {
        return;
    }
    SetOverlay(node, kNoOverlay);
    for (int i = 0; i < node->childCount(); ++i) {
        ClearOverlays(node->child(i));
    }
}

int cuiTree::MarkOverlays(QTreeWidgetItem* node, const std::vector<std::string>& list,
                          int overlay) {
    if (!node) {
        return 0;
    }
    const cmcCellObj* cell = CellOf(node);
    const int own = cell && cell->optionText &&
                            std::find(list.begin(), list.end(), *cell->optionText) != list.end()
                        ? 1
                        : 0;
    int below = 0;
    for (int i = node->childCount() - 1; i >= 0; --i) {
        below += MarkOverlays(node->child(i), list, overlay);
    }
    if (own == 1 || (below > 0 && !node->isExpanded())) {
        SetOverlay(node, overlay);
    }
    return own + below;
}

void cuiTree::SetChangeDelay(int ms) {
    changeDelay_ = ms;
    if (ms <= 0) {
        cmcTask::Dispose(changeTask_);
        return;
    }
    if (!changeTask_) {
        changeTask_ = new cmcTask;
        changeTask_->SetHandler([this](cmcTask* task) {
            task->SetInterval(-1);
            DeliverChange();
        });
    }
}

int cuiTree::ReadChangeDelay(cmcGTex& table) {
    std::string text = table.GetLine("GI_Sys_TreeChangeDelay", 0);
    TrimBlanks(text);
    const std::optional<int> ms = WholeDecimal(text);
    if (!ms || *ms < 0 || *ms > kMaxChangeDelay) {
        platform::Fatal("Illegal tree change delay.\n'" + text + "'");
    }
    return *ms;
}

// Quick moves through the tree restart the delay, so only the node the user rests on counts.
void cuiTree::OnCurrentChanged() {
    if (changeTask_) {
        changeTask_->SetInterval(changeDelay_);
    } else {
        DeliverChange();
    }
}

void cuiTree::DeliverChange() {
    if (!onChange_ || !view_) {
        return;
    }
    const ChangeHandler handler = onChange_;  // the handler may replace itself
    handler(view_->currentItem());
}

std::vector<QTreeWidgetItem*> cuiTree::Nodes() const {
    std::vector<QTreeWidgetItem*> nodes;
    if (!view_) {
        return nodes;
    }
    for (QTreeWidgetItemIterator it(view_.data()); *it; ++it) {
        nodes.push_back(*it);
    }
    return nodes;
}

int cuiTree::FittingWidth() const {
    if (!view_) {
        return 0;
    }
    QStyleOptionViewItem option;
    option.initFrom(view_.data());
    option.font = view_->font();
    option.decorationSize = view_->iconSize();
    const int indentation = view_->indentation();
    int widest = 0;
    for (QTreeWidgetItem* node : Nodes()) {
        int depth = view_->rootIsDecorated() ? 1 : 0;
        for (const QTreeWidgetItem* up = node->parent(); up; up = up->parent()) {
            ++depth;
        }
        const QSize item = view_->itemDelegate()->sizeHint(option, view_->indexFromItem(node));
        widest = std::max(widest, depth * indentation + item.width());
    }
    // A character's width of air between the longest name and the scroll bar.
    const int air = view_->fontMetrics().averageCharWidth();
    const int scrollBar = view_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view_);
    return widest + air + 2 * view_->frameWidth() + scrollBar;
}

QTreeWidgetItem* cuiTree::NodeAt(int absoluteIndex) const {
    const std::vector<QTreeWidgetItem*> nodes = Nodes();
    if (absoluteIndex < 0 || absoluteIndex >= static_cast<int>(nodes.size())) {
        return nullptr;
    }
    return nodes[static_cast<std::size_t>(absoluteIndex)];
}

int cuiTree::AbsoluteIndex(const QTreeWidgetItem* node) const {
    const std::vector<QTreeWidgetItem*> nodes = Nodes();
    const auto found = std::find(nodes.begin(), nodes.end(), node);
    return found == nodes.end() ? -1 : static_cast<int>(found - nodes.begin());
}

QTreeWidgetItem* cuiTree::FirstNode() const {
    return view_ && view_->topLevelItemCount() > 0 ? view_->topLevelItem(0) : nullptr;
}

cmcCellObj* cuiTree::CellOf(const QTreeWidgetItem* node) {
    return node ? static_cast<cmcCellObj*>(node->data(0, kCellRole).value<void*>()) : nullptr;
}

// Flag0..Flag5 are bits 2..7 of the state bits, Flag6 and Flag7 bits 0 and 1 of the second.
bool cuiTree::HasFlag(const cmcCellObj& cell, int flag) {
    if (flag >= 0 && flag <= 5) {
        return (cell.stateBits & (0x04 << flag)) != 0;
    }
    if (flag == 6 || flag == 7) {
        return (cell.stateBits2 & (0x01 << (flag - 6))) != 0;
    }
    return false;
}

int cuiTree::ImageIndex(const QTreeWidgetItem* node) {
    return node->data(0, kImageRole).toInt();
}

int cuiTree::SelectedIndex(const QTreeWidgetItem* node) {
    return node->data(0, kSelectedRole).toInt();
}

int cuiTree::Overlay(const QTreeWidgetItem* node) {
    return node->data(0, kOverlayRole).toInt();
}

void cuiTree::SetImageIndex(QTreeWidgetItem* node, int image) {
    SetNodeValue(node, kImageRole, image);
}

void cuiTree::SetSelectedIndex(QTreeWidgetItem* node, int image) {
    SetNodeValue(node, kSelectedRole, image);
}

void cuiTree::SetOverlay(QTreeWidgetItem* node, int overlay) {
    SetNodeValue(node, kOverlayRole, overlay);
}

void cuiTree::SetNodeValue(QTreeWidgetItem* node, int role, int value) {
    if (node->data(0, role).toInt() != value) {
        node->setData(0, role, value);
        UpdateIcon(node);
    }
}

// The icon shows the image index, and the selected index while the node is selected.
void cuiTree::UpdateIcon(QTreeWidgetItem* node) {
    QIcon icon;
    icon.addPixmap(Picture(ImageIndex(node), Overlay(node)), QIcon::Normal);
    icon.addPixmap(Picture(SelectedIndex(node), Overlay(node)), QIcon::Selected);
    node->setIcon(0, icon);
}

QPixmap cuiTree::Picture(int image, int overlay) const {
    const auto kept = pictures_.find({image, overlay});
    if (kept != pictures_.end()) {
        return kept->second;
    }
    const QSize size = images_.Size();
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    images_.Icon(image).paint(&painter, QRect(QPoint(0, 0), size));
    if (overlay == kErrorOverlay || overlay == kWarningOverlay) {
        const QSize corner = size * kOverlaySixteenths / 16;
        const QPixmap mark =
            images_.Icon(overlayImages_[static_cast<std::size_t>(overlay)]).pixmap(corner);
        const QPoint at(size.width() - corner.width(), size.height() - corner.height());
        // A light rim keeps the mark apart from an icon of the same colour.
        QPixmap rim = mark;
        QPainter rimPainter(&rim);
        rimPainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        rimPainter.fillRect(rim.rect(), Qt::white);
        rimPainter.end();
        for (const QPoint step : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)}) {
            painter.drawPixmap(at + step, rim);
        }
        painter.drawPixmap(at, mark);
    }
    painter.end();
    return pictures_.emplace(std::make_pair(image, overlay), picture).first->second;
}
