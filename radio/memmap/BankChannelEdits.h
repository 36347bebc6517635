#pragma once

#include <cstdint>

#include "radio/image/cmcEeprom.h"

struct cmcEvent;
class indDocument;

// The bank edits as the program carries them out for the user, over the record operations of
// radio/records/BankChannels.h: the boxes that say why an edit goes no further, and the answer to
// the channel events of the list edits.

// Gives the bank the size asked for, within its limits: beyond them it first shows why
// (memory full, no such channels, channels in use) and then goes as far as they allow.
// Returns the size the bank has now.
int ResizeBank(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int bank, int requested);

// The program's answer to EV_InsertChannel and EV_DeleteChannel (A = bank, B = position) on
// the document: the channel is opened or removed, and the bank sheet is told to add or remove
// its row, retitle itself and redraw.
void RunChannelEvent(indDocument& document, const cmcEvent& event);
