#include "ui/popups/cuiFBitsR.h"

#include <QVBoxLayout>
#include <string>

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/memmap/ItemRegistry.h"
#include "radio/memmap/indActiveCell.h"
#include "ui/sheet/cuiSheet.h"

namespace {

constexpr int kBorder = 5;

}  // namespace

cuiFBitsR::cuiFBitsR(const cmcCellCapsule& capsule, cmcGTex& texts,
                     const PopupHost::BitSet& request, const ItemRegistry& rows)
    : cuiPopupForm(capsule), rows_(rows), bits_(request) {
    sheetText_.SetLines(bits_.Lines(), bits_.LineCount());
    auto* sheetPanel = new QWidget(PanelLayout()->parentWidget());
    auto* sheetLayout = new QVBoxLayout(sheetPanel);
    sheetLayout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    sheetLayout->setSpacing(0);
    PanelLayout()->addWidget(sheetPanel, 1);
    AddButtons(texts);
    BuildSheet(sheetPanel);
    FitToSheet(sheetPanel);
    Present(sheet_->Grid());
}

cuiFBitsR::~cuiFBitsR() {
    Detach();
    sheet_.reset();
}

void cuiFBitsR::Open(const cmcCellCapsule& capsule, cmcGTex& texts,
                     const PopupHost::BitSet& request, const ItemRegistry& rows) {
    if (capsule.grid) {
        new cuiFBitsR(capsule, texts, request, rows);
    }
}

void cuiFBitsR::BuildSheet(QWidget* host) {
    sheet_ = std::make_unique<cuiSheet>(host, &Caller(), 0, 0, sheetText_, BitSetSheet::kSheetName);
    sheet_->SetCellHandler(
        [this](cmcCellCapsule& capsule, int notify) { return OnSheetCell(capsule, notify); });
    sheet_->Show();
    cuiGrid* grid = sheet_->Grid();
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// The sheet's natural size is measured on the laid-out window, which is not shown meanwhile;
// its panel then keeps exactly that size and the window fits round it and the buttons.
void cuiFBitsR::FitToSheet(QWidget* host) {
    setAttribute(Qt::WA_DontShowOnScreen, true);
    show();
    host->setFixedSize(sheet_->NaturalWidth(), sheet_->NaturalHeight());
    adjustSize();
    hide();
    setAttribute(Qt::WA_DontShowOnScreen, false);
}

// The bits are the editor's own; Enter is OK and Esc is Cancel; the other cells are the
// dispatcher's.
int cuiFBitsR::OnSheetCell(cmcCellCapsule& capsule, int notify) {
    if (!bits_.RunCell(capsule, notify)) {
        return indActiveCell(rows_).DispatchItem(capsule, notify);
    }
    if (capsule.key == kKeyEnter) {
        Commit();
    } else if (capsule.key == kKeyEscape) {
        Cancel();
    }
    return 0;
}

// The parent cell of item Flex0 says that inText holds the bit-set editor's value.
void cuiFBitsR::HandBack(cmcCellCapsule& answer) {
    cmcCellObj answerCell;
    answerCell.item = Flex0;
    cmcCellCapsule answerParent;
    answerParent.cell = &answerCell;
    answer.parent = &answerParent;
    answer.inText = std::to_string(bits_.Value());
    indActiveCell(rows_).DispatchItem(answer, 1);
}
