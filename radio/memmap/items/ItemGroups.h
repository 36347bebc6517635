#pragma once

#include <span>

#include "radio/memmap/ItemRow.h"

// The groups of the memory map, one file of radio/memmap/items each; ItemRegistry::Program() joins
// them.
// List cells, commands, checks, clone information and pop-up menu items (codes 0..80).
std::span<const ItemRow> ListCommandRows();
// The Edit, View, Model and Help menus' commands and the Edit menu's no-item entry.
std::span<const ItemRow> ProgramMenuRows();
// The warning checks.
std::span<const ItemRow> CheckRows();
// The cells of the clone information window.
std::span<const ItemRow> CloneInfoRows();
// The pop-up menu's entries that edit the list of records under the cell.
std::span<const ItemRow> PopupMenuRows();
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
// MDC signalling: the system and feature tables, status and message entries, aliases (codes
// 564..698).
std::span<const ItemRow> MdcRows();
