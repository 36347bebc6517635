#include "radio/records/clsChRecord.h"

namespace {

// Channel positions whose entries lie in the working tables of a whole document image.
bool HoldsEntries(const cmcEeprom& image, uint32_t kind, int index) {
    return IsChannelKind(kind) && index >= 0 && index < layout::kChannelCount &&
           image.GetSize() >= layout::kImageSize;
}

}  // namespace

void clsChRecord::Take(cmcEeprom& image, uint32_t kind, int index) {
    view_.SetImage(&image);
    view_.Load(kind, index);
    entries_.reset();
    if (HoldsEntries(image, kind, index)) {
        Entries entries;
        image.ReadBlock(layout::kChannelA.At(index), entries.a.data(), layout::kChannelEntryASize);
        image.ReadBlock(layout::kChannelB.At(index), entries.b.data(), layout::kChannelEntryBSize);
        entries_ = entries;
    }
}

void clsChRecord::Put(cmcEeprom& image, int index, int keepAttr) const {
    datCh record = view_;
    record.SetImage(&image);
    record.index = index;
    if (keepAttr != 0) {
        datCh there(&image);
        there.Load(view_.kind, index);
        record.attr = (record.attr & ~keepAttr) | (there.attr & keepAttr);
    }
    if (entries_ && HoldsEntries(image, view_.kind, index)) {
        image.WriteBlock(layout::kChannelA.At(index), entries_->a.data(),
                         layout::kChannelEntryASize);
        image.WriteBlock(layout::kChannelB.At(index), entries_->b.data(),
                         layout::kChannelEntryBSize);
    }
    record.Store();
}
