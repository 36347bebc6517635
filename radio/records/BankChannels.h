#pragma once

#include <cstdint>

#include "radio/image/cmcEeprom.h"

// Channel positions 0..255 hold the banks one after the other, so a bank grows or shrinks by
// moving every later channel. These keep the bank table and the moved records in step: the
// size changes exactly by the channels opened or removed, and never past 256 in all. The
// template image supplies the empty channels; kind is the model's channel kind. They show
// nothing and tell no one: what the user sees of them is the caller's.

// Opens an empty channel at position (first .. one past the last channel of the bank) and
// grows the bank by one. False, changing nothing, when the memory is full or the position
// lies outside the bank.
bool InsertChannelAt(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int bank,
                     int position);
// Removes the bank's channel at position and shrinks the bank by one. False, changing
// nothing, when the position is not one of the bank's channels.
bool DeleteChannelAt(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int bank,
                     int position);

// The sizes a bank may be given: down to its size less the unused channels at its end (the
// channels the image names excepted), up to its size plus the channels that still fit.
struct BankSizeLimits {
    int lowest = 0;
    int highest = 0;
};
BankSizeLimits GetBankSizeLimits(cmcEeprom& image, uint32_t kind, int bank);

// Why a size lies beyond the limits: above them the memory is full, below them a negative
// size names no channels and any other size would remove channels in use.
enum class BankSizeRefusal { None, Overflow, NoChannels, NotBlank };
// None within the limits, and for an invalid bank or kind, which no resize touches.
BankSizeRefusal GetBankSizeRefusal(cmcEeprom& image, uint32_t kind, int bank, int requested);
// Gives the bank the size asked for as far as its limits allow. Channels are opened or
// removed at the bank's end. Returns the size the bank has now; 0 for an invalid bank or kind.
int ResizeBankWithinLimits(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int bank,
                           int requested);
