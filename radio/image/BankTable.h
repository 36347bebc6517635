#pragma once

#include "radio/image/cmcEeprom.h"

// The bank table of an image: 16 channel counts (channels are numbered bank after bank) and
// one flag bit per bank. A bank outside 0..15, or an image too small for the table, reads 0
// and writes nothing.
int GetBankSizeOf(const cmcEeprom& image, int bank);
// Returns the count as read back.
int SetBankSize(cmcEeprom& image, int bank, int count);
int GetBankFlag(const cmcEeprom& image, int bank);
// Returns the flag as read back.
int SetBankFlag(cmcEeprom& image, int bank, int flag);

// The counts of banks 0..n-1 summed: the first channel of bank n.
int SumBankSizes(const cmcEeprom& image, int n);
int LastChannelOfBank(const cmcEeprom& image, int bank);
int TotalBankChannels(const cmcEeprom& image);
// The bank that holds the channel, 16 when none does.
int BankOfChannel(const cmcEeprom& image, int channel);
// The first bank whose end reaches the count, 0 when none does.
int BankAtCount(const cmcEeprom& image, int count);
