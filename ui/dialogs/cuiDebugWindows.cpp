#include "ui/dialogs/cuiDebugWindows.h"

#include <QDialog>

#include "common/cmcGTex.h"
#include "radio/image/cmcEeprom.h"
#include "radio/memmap/ImageDebugCells.h"
#include "radio/memmap/indActiveCell.h"
#include "ui/dialogs/DebugCompareForm.h"
#include "ui/dialogs/cuiDebugWin.h"
#include "ui/dialogs/cuiEeDebugWin.h"

cuiDebugWindows::cuiDebugWindows(cmcGTex& table, const ItemRegistry& rows, cmcEeprom& image,
                                 cmcEeprom& snapshot)
    : table_(table), rows_(rows), image_(image), snapshot_(snapshot) {}

void cuiDebugWindows::OpenEventWindow(QWidget* owner) {
    new cuiDebugWin(owner);
}

void cuiDebugWindows::OpenImageWindow(QWidget* owner, const cuiImageList* images) {
    auto handler = [this](cmcCellCapsule& capsule, int notify) {
        if (RenderImageDebugCell(capsule, image_, snapshot_)) {
            return 0;
        }
        return indActiveCell(rows_).DispatchItem(capsule, notify);
    };
    auto* window = new cuiEeDebugWin(owner, table_.GetLine("GI_Sys_AppTitle", 0), table_,
                                     "GI_Sheet_EeDebugWin", "", images, handler);
    std::erase_if(imageForms_, [](const QPointer<QWidget>& form) { return form.isNull(); });
    imageForms_.emplace_back(window->Form());
}

void cuiDebugWindows::ShowCompare(QWidget* owner, const QRect& place) {
    const std::vector<std::string> lines = CompareImageLines(snapshot_, image_);
    snapshot_.Assign(image_);
    MakeDebugCompareForm(owner, place, lines)->exec();
}

void cuiDebugWindows::CloseAll() {
    for (const QPointer<QWidget>& form : imageForms_) {
        delete form.data();
    }
    imageForms_.clear();
}
