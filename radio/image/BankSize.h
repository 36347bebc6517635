#pragma once

#include "radio/image/cmcEeprom.h"

class cmcEvMan;

// The channel counts of the 16 banks as the dispatcher and the bank commands use them.
bool IsValidBank(int bank);
// 0 for an invalid bank.
int ReadBankSize(const cmcEeprom& image, int bank);
// Writes when the bank is valid; returns the value read back.
int WriteBankSize(cmcEeprom& image, int bank, int count);
// Bank 1 holds channels: the image is divided into banks.
bool HasSecondBank(const cmcEeprom& image);
// All sizes 0, then banks 0 and 1 at 4 channels each (banked) or bank 0 at 256. Returns 1.
int ResetBankSizes(cmcEeprom& image, bool banked);

// One bank's place among the channels; all 0 for a bank outside 0..15.
struct BankSpan {
    int bank = 0;
    int first = 0;
    int last = 0;
    int count = 0;
};

BankSpan GetBankSpan(const cmcEeprom& image, int bank);
// The bank of the open channel-bank sheet, as it answers the current-bank query on the bus; all
// 0 when no sheet answers (or there is no bus).
BankSpan GetCurrentBankSpan(const cmcEeprom& image, cmcEvMan* bus = nullptr);
