#include "radio/records/RecordShift.h"

#include "radio/records/ChannelAttr.h"
#include "radio/records/clsChRecord.h"

namespace {

void MoveRecord(cmcEeprom& image, uint32_t kind, int from, int to) {
    clsChRecord record;
    record.Take(image, kind, from);
    record.Put(image, to, kAttrBankFlag);
}

}  // namespace

void ResetRecordFromTemplate(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int index) {
    clsChRecord empty;
    empty.Take(templateImage, kind, index);
    empty.Put(image, index, kAttrAll);
}

bool ShiftRecordsUp(cmcEeprom& image, cmcEeprom& templateImage, int count, uint32_t kind,
                    int position) {
    if (position < 0 || position >= count) {
        return false;
    }
    for (int i = position; i < count - 1; ++i) {
        MoveRecord(image, kind, i + 1, i);
    }
    ResetRecordFromTemplate(image, templateImage, kind, count - 1);
    return true;
}

bool ShiftRecordsDown(cmcEeprom& image, cmcEeprom& templateImage, int count, uint32_t kind,
                      int position) {
    if (position < 0 || position >= count) {
        return false;
    }
    for (int i = count - 1; i > position; --i) {
        MoveRecord(image, kind, i - 1, i);
    }
    ResetRecordFromTemplate(image, templateImage, kind, position);
    return true;
}

bool IsTemplateRecord(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int index) {
    cmcEeprom reset;
    reset.Assign(image);
    ResetRecordFromTemplate(reset, templateImage, kind, index);
    return reset.IsEqual(image);
}
