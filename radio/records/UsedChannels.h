#pragma once

#include "radio/image/ModelType.h"
#include "radio/image/cmcEeprom.h"

// Channels in use (their receive frequency set), counted through a record view over the bank
// table: above the table, which knows only the banks' sizes and flags.

// Channels of the bank in use, seen through the model type's record kind (MT_Lmr: RK_ChLmr,
// every other type: RK_ChPmr); 0 for a bank outside 0..15.
int CountUsedInBank(cmcEeprom& image, ModelType model, int bank);
int CountUsedInBanks(cmcEeprom& image, ModelType model);

// Channel positions first..last in use, seen through the model type's channel kind; -1 unless
// 0 <= first <= last <= 255.
int CountUsedChannelsIn(cmcEeprom& image, ModelType model, int first, int last);
// The same over all 256 positions.
int CountUsedChannels(cmcEeprom& image, ModelType model);
// The four positions of bank b in banked mode (4b .. 4b + 3); -1 for a bank outside 0..15.
int CountBankChannels(cmcEeprom& image, ModelType model, int bank);
