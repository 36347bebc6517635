#include "radio/records/cmcClipCh.h"

#include <algorithm>

void cmcClipCh::Clear() {
    records_.clear();
    kind_ = RK_None;
}

void cmcClipCh::Copy(cmcEeprom& image, uint32_t kind, int first, int count) {
    Clear();
    if (count <= 0) {
        return;
    }
    kind_ = kind;
    records_.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        records_[static_cast<size_t>(i)].Take(image, kind, first + i);
    }
}

void cmcClipCh::Paste(cmcEeprom& image, uint32_t kind, int first, int count) {
    if (!HasKind(kind)) {
        return;
    }
    const int n = std::min(Count(), count);
    for (int i = 0; i < n; ++i) {
        StoreRecord(image, first + i, records_[static_cast<size_t>(i)]);
    }
}

void cmcClipCh::StoreRecord(cmcEeprom& image, int index, const clsChRecord& record) {
    record.Put(image, index, 0);
}
