#pragma once

#include <span>

#include "radio/ItemRow.h"

// The groups of the memory map, one file of radio/items each; ItemRegistry::Program() joins
// them.
std::span<const ItemRow> CommonSettingRows();
std::span<const ItemRow> BankRows();
std::span<const ItemRow> ChannelRows();
