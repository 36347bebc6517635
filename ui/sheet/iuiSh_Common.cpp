#include "ui/sheet/iuiSh_Common.h"

#include <array>

#include "radio/host/indDocument.h"
#include "radio/host/indShell.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/ModelType.h"
#include "radio/image/cmcEeprom.h"

namespace {

bool SaccFitted(const cmcEeprom& image) {
    return image.IsValidAddress(layout::kOptions) &&
           (image.GetByte(layout::kOptions) & layout::kSaccFittedMask) != 0;
}

struct Condition {
    std::string_view key;
    bool (*holds)(ModelType model, const cmcEeprom& image);
};

constexpr std::array<Condition, 7> kConditions = {{
    {"Only_Pmr", [](ModelType model, const cmcEeprom&) { return IsPmrType(model); }},
    {"Only_Lmr", [](ModelType model, const cmcEeprom&) { return IsLmrType(model); }},
    {"Only_MDC", [](ModelType model, const cmcEeprom&) { return IsMdcType(model); }},
    {"Only_VASK", [](ModelType model, const cmcEeprom&) { return model == MT_VaskPmr; }},
    {"Only_notVASK", [](ModelType model, const cmcEeprom&) { return model != MT_VaskPmr; }},
    {"Only_SACC", [](ModelType, const cmcEeprom& image) { return SaccFitted(image); }},
    // The maker folder's lines, kept where the tree keeps the folder.
    {"Only_Maker", [](ModelType, const cmcEeprom&) { return Shell().Document().InMakerMode(); }},
}};

}  // namespace

void iuiSh_Common::DoDirective(std::string_view item) {
    for (const Condition& condition : kConditions) {
        if (!item.starts_with(condition.key)) {
            continue;
        }
        indDocument& document = Shell().Document();
        if (!condition.holds(document.CurrentModelType(), document.CurrentImage())) {
            if (const auto count = RowReader().NumberAfter(item, condition.key)) {
                RowReader().SkipLines(*count);
                return;
            }
        }
        break;
    }
    cuiSheet::DoDirective(item);
}
