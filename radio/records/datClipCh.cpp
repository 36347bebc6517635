#include "radio/records/datClipCh.h"

#include "radio/records/ChannelAttr.h"

void datClipCh::PasteRaw(cmcEeprom& image, uint32_t kind, int first, int count) {
    raw_ = true;
    Paste(image, kind, first, count);
    raw_ = false;
}

void datClipCh::StoreRecord(cmcEeprom& image, int index, const clsChRecord& record) {
    record.Put(image, index, raw_ ? kAttrAll : kAttrReferenceOff | kAttrBankFlag);
}
