#include "radio/memmap/DigitalChannelMarks.h"

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"

namespace {

struct MarkRule {
    int item;
    uint8_t mark;
    bool (*unexpected)(int value);
};

constexpr MarkRule kRules[] = {
    {CL_Mch_Moni, kMarkWarning, [](int value) { return value != 6 && value != 7; }},
    {CL_Mch_Sel, kMarkError, [](int value) { return value != 1; }},
    {CL_Mch_Call, kMarkError, [](int value) { return value != 0; }},
    {CL_Mch_PTT, kMarkError, [](int value) { return value != 0; }},
    {CL_Mch_CH_Mute, kMarkWarning, [](int value) { return value == 0; }},
};

}  // namespace

uint8_t DigitalChannelMarks(int item, int value) {
    for (const MarkRule& rule : kRules) {
        if (rule.item == item) {
            return rule.unexpected(value) ? rule.mark : 0;
        }
    }
    return 0;
}
