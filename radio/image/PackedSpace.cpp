#include "radio/image/PackedSpace.h"

#include "radio/image/ImageLayout.h"
#include "radio/image/RecordKind.h"

namespace {

int Word(const cmcEeprom& image, int address) {
    return (image.GetByte(address) << 8) | image.GetByte(address + 1);
}

}  // namespace

PackedFit PackedSpaceFits(const cmcEeprom& image, int kind, int count) {
    PackedFit fit{true, 0};
    int extra = 0;
    if (kind == RK_ChPmr) {
        fit.bytes = count * layout::kChannelEntryASize;
        fit.fits =
            fit.bytes < layout::kPackedEntriesALimit - Word(image, layout::kPackedEntriesBStart2);
        extra = count * layout::kChannelEntryBSize;
    }
    if (fit.fits) {
        int room = layout::kRadioPartLast - Word(image, layout::kPackedEnd) - fit.bytes;
        fit.fits = room >= 0 && room >= extra;
    }
    return fit;
}

int MaxChannelsThatFit(const cmcEeprom& image, int kind, int n) {
    for (int m = n; m >= 0; --m) {
        if (PackedSpaceFits(image, kind, m).fits) {
            return m;
        }
    }
    return -1;
}
