#include "ui/sheet/iuiTree.h"

#include <optional>

#include <QTreeWidgetItem>

#include "common/CurrentEvMan.h"
#include "common/DecimalNumber.h"
#include "common/TextHelpers.h"
#include "common/cmcEvMan.h"
#include "radio/host/indShell.h"
#include "radio/image/BankTable.h"
#include "radio/sheet/SheetSelector.h"

namespace {

constexpr char kBankStyle[] = "St_ChBank";
constexpr int kFirstBankImage = 4;

// The sheet of a channel-bank node, or none for any other node.
std::optional<SheetSelector> BankSheetOf(const QTreeWidgetItem* node) {
    const cmcCellObj* cell = cuiTree::CellOf(node);
    if (!cell || !cell->optionText) {
        return std::nullopt;
    }
    SheetSelector sheet = SplitSheetSpec(*cell->optionText);
    if (sheet.style != kBankStyle) {
        return std::nullopt;
    }
    return sheet;
}

// The decimal number of the arguments from position from on, blanks trimmed; none when they
// hold anything else there.
std::optional<int> NumberFrom(const std::string& args, std::size_t from) {
    std::string text = from < args.size() ? args.substr(from) : std::string();
    return WholeDecimal(TrimBlanks(text));
}

}  // namespace

iuiTree::iuiTree(QWidget* panel, cmcGTex& table, std::string baseName, const cuiImageList& images)
    : cuiTree(panel, table, std::move(baseName), images), bus_(CurrentEvMan()) {
    if (bus_) {
        bus_->AddListener(&iuiTree::OnEventThunk, this);
    }
}

iuiTree::~iuiTree() {
    if (bus_) {
        bus_->RemoveListener(&iuiTree::OnEventThunk, this);
    }
}

void iuiTree::OnEventThunk(void* data, const cmcEvent& event) {
    static_cast<iuiTree*>(data)->OnEvent(event);
}

void iuiTree::OnEvent(const cmcEvent& event) {
    if (event.type == EV_RefreshBankMarks) {
        RefreshBankIcons(FirstNode());
    } else if (event.type == EV_RenameBank) {
        RenameBank(FirstNode(), static_cast<int>(event.B), event.Text());
    }
}

// Arguments "Bank <n>": the bank number stands from the fifth character on.
void iuiTree::RefreshBankIcons(QTreeWidgetItem* node) {
    if (!node) {
        return;
    }
    if (const std::optional<SheetSelector> sheet = BankSheetOf(node);
        sheet && sheet->args.starts_with('B')) {
        if (const std::optional<int> bank = NumberFrom(sheet->args, 4)) {
            const cmcEeprom& image = Shell().Document().CurrentImage();
            const int icon = kFirstBankImage + 2 * (GetBankFlag(image, *bank) != 0 ? 1 : 0) +
                             (GetBankSizeOf(image, *bank) > 0 ? 1 : 0);
            if (icon != ImageIndex(node)) {
                SetImageIndex(node, icon);
                SetSelectedIndex(node, icon);
            }
        }
    }
    for (int i = node->childCount() - 1; i >= 0; --i) {
        RefreshBankIcons(node->child(i));
    }
}

// The number of a bank node's arguments stands from their sixth character on.
void iuiTree::RenameBank(QTreeWidgetItem* node, int bank, const std::string& label) {
    if (!node) {
        return;
    }
    if (const std::optional<SheetSelector> sheet = BankSheetOf(node);
        sheet && NumberFrom(sheet->args, 5) == bank) {
        SetSelectedIndex(node, ImageIndex(node));
        node->setText(0, QString::fromStdString(label));
    }
    for (int i = node->childCount() - 1; i >= 0; --i) {
        RenameBank(node->child(i), bank, label);
    }
}
