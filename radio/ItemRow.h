#pragma once

#include <cstdint>

#include "radio/BankSize.h"
#include "radio/ModelType.h"
#include "radio/RecordKind.h"

class cmcCellCapsule;
class cmcEeprom;
class datCh;
class datVaskAdr;

// Which of the model types are in force, from the program's model type.
struct ModelFlags {
    bool lmr = false;
    bool vask = false;
    bool mdcLmr = false;
    bool mdcPmr = false;
};

// What kind of channel the loaded record is.
struct ChannelFlags {
    bool vaskChannel = false;
    bool analogue = false;
    bool digitalData = false;
};

// Everything one item row works with during one dispatch.
struct ItemContext {
    cmcCellCapsule& capsule;
    cmcEeprom& image;
    datCh& record;
    datVaskAdr& vask;
    int category;
    int item;
    int index;
    uint32_t kind;
    ModelType model;
    ModelFlags modelFlags;
    ChannelFlags channel;
    bool banked;
    BankSpan bank;
    bool beyondBank;
    int notify;
    // Redraw flags so far; rows add RD_SameItem or RD_AllCells.
    int redraw;
};

// The parameters of a regular row: where its value lives and the rules of its editor.
struct ItemParams {
    int address = 0;
    int mask = 0;
    int low = 0;
    int high = 0;
    int step = 1;
    const char* list = nullptr;
    int flags = 0;
};

// A row of the memory map: an item code, the function that binds it (a converter over a
// binding, or a rule of its own) and that function's parameters. Returns the editor result:
// 0 nothing more, 1 refresh the cell, 2 open the in-place editor.
using ItemFunction = int (*)(ItemContext& context, const ItemParams& params);

struct ItemRow {
    int code;
    ItemFunction run;
    ItemParams params;
};
