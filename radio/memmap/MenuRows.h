#pragma once

#include "radio/host/ItemContext.h"
#include "radio/memmap/ItemRow.h"

// The rows of the File and Port menus (radio/memmap/items/ListCommandItems.cpp), which read and
// change the program's settings.

// Entry n of the recent-file list, "&<n + 1> <name>", the name shown from the current folder;
// Enter opens it. An empty entry is disabled, and hidden but for the first, which keeps the
// menu's own caption.
int RecentFileRow(ItemContext& context, const ItemRow& row);
// Checked, and naming the port, while the port is one beyond the fixed entries of the Port
// menu; Enter opens the port dialog.
int OtherPortRow(ItemContext& context, const ItemRow& row);

// Serial port n (the entry's index): Enter makes it the port; checked while it is the port.
void ChoosePort(ItemContext& context, int);
bool PortIsIndex(const ItemContext& context, const memmap::Condition&);
inline constexpr memmap::Condition kPortIsIndex{PortIsIndex};
// Clone speed n (1 the fast one): Enter chooses it; checked while it is the speed.
void ChooseCloneSpeed(ItemContext& context, int);
bool CloneSpeedIsIndex(const ItemContext& context, const memmap::Condition&);
inline constexpr memmap::Condition kCloneSpeedIsIndex{CloneSpeedIsIndex};
