#include "radio/RecordShift.h"

#include "radio/ChannelAttr.h"
#include "radio/clsChRecord.h"
#include "radio/cmcCellCapsule.h"

namespace {

void MoveRecord(cmcEeprom& image, uint32_t kind, int from, int to) {
    clsChRecord record;
    record.Take(image, kind, from);
    record.Put(image, to, kAttrBankFlag);
}

}  // namespace

void ResetRecordFromTemplate(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int index,
                             int& redraw) {
    clsChRecord empty;
    empty.Take(templateImage, kind, index);
    empty.Put(image, index, kAttrAll);
    redraw |= RD_SameIndex;
}

void ShiftRecordsUp(cmcEeprom& image, cmcEeprom& templateImage, int count, uint32_t kind,
                    int position, int& redraw) {
    if (position < 0 || position >= count) {
        return;
    }
    for (int i = position; i < count - 1; ++i) {
        MoveRecord(image, kind, i + 1, i);
    }
    ResetRecordFromTemplate(image, templateImage, kind, count - 1, redraw);
    redraw |= RD_AllCells;
}

void ShiftRecordsDown(cmcEeprom& image, cmcEeprom& templateImage, int count, uint32_t kind,
                      int position, int& redraw) {
    if (position < 0 || position >= count) {
        return;
    }
    for (int i = count - 1; i > position; --i) {
        MoveRecord(image, kind, i - 1, i);
    }
    ResetRecordFromTemplate(image, templateImage, kind, position, redraw);
    redraw |= RD_AllCells;
}

bool IsTemplateRecord(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int index) {
    cmcEeprom reset;
    reset.Assign(image);
    int redraw = 0;
    ResetRecordFromTemplate(reset, templateImage, kind, index, redraw);
    return reset.IsEqual(image);
}
