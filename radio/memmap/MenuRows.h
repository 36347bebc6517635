#pragma once

#include "radio/host/ItemContext.h"

struct ItemRow;

// The special rows of the File and Port menus, which read and change the program's settings.

// Entry n of the recent-file list, "&<n + 1> <name>", the name shown from the current folder;
// Enter opens it. An empty entry is disabled, and hidden but for the first, which keeps the
// menu's own caption.
int RecentFileRow(ItemContext& context, const ItemRow& row);
// Serial port n: checked while it is the port; Enter makes it the port.
int PortRow(ItemContext& context, const ItemRow& row);
// Checked, and naming the port, while the port is one beyond the fixed entries of the Port
// menu; Enter opens the port dialog.
int OtherPortRow(ItemContext& context, const ItemRow& row);
// Clone speed n (1 the fast one): checked while it is the speed; Enter chooses it.
int CloneSpeedRow(ItemContext& context, const ItemRow& row);
