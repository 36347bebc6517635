#pragma once

#include "radio/memmap/ItemRow.h"

// Runs a row: its function of its own when it has one, else its regular part. Returns the
// editor request.
int RunItemRow(ItemContext& context, const ItemRow& row);
// The regular part of a row: greyed while it does not apply; else the value read from its
// field goes through its converter, and a change is written back (a record field is stored
// and reloaded) and adds the row's redraw flags; painted silver while its silver condition
// holds.
int RunRegularRow(ItemContext& context, const ItemRow& row);

// The row's int field as the converters see it, and written back.
int ReadField(const ItemContext& context, const memmap::Field& field);
void WriteField(ItemContext& context, const memmap::Field& field, int value);
