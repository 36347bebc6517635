#pragma once

#include <span>

#include "radio/ItemRow.h"

// The groups of the memory map, one file of radio/items each; ItemRegistry::Program() joins
// them.
// List cells, commands, checks, clone information and pop-up menu items (codes 0..80).
std::span<const ItemRow> ListCommandRows();
std::span<const ItemRow> CommonSettingRows();
std::span<const ItemRow> BankRows();
std::span<const ItemRow> ChannelRows();
std::span<const ItemRow> KeyDisplaySetModeRows();
std::span<const ItemRow> MskRows();
std::span<const ItemRow> ExpansionDtmfScanRows();
// Two-tone, five-tone and user-tone codes and their timers (codes 370..448).
std::span<const ItemRow> ToneCodeRows();
// Maker adjustments, the MDC model types' menu entries and a channel's MDC system (codes
// 449..563).
std::span<const ItemRow> MakerRows();
