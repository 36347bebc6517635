#pragma once

#include <cstdint>

#include "radio/image/cmcEeprom.h"

// Moving the records 0 .. count - 1 of one kind by one place, as a list grows or shrinks at a
// position. The template image (the model's initial image) supplies the empty record that
// fills the freed place; the bank-flag bit stays with each position. A position outside
// 0 .. count - 1 moves nothing. They say what they did; what to redraw is the caller's.

// The record (kind, index) becomes the template's, keeping its attr field.
void ResetRecordFromTemplate(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int index);
// Removes the record at position: the later records move up, the last becomes empty. False,
// moving nothing, for a position outside the list.
bool ShiftRecordsUp(cmcEeprom& image, cmcEeprom& templateImage, int count, uint32_t kind,
                    int position);
// Opens an empty record at position: it and the later records move down, the last drops out.
// False, moving nothing, for a position outside the list.
bool ShiftRecordsDown(cmcEeprom& image, cmcEeprom& templateImage, int count, uint32_t kind,
                      int position);
// The record is what ResetRecordFromTemplate would make of it: nothing would be lost.
bool IsTemplateRecord(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int index);
