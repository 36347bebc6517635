#pragma once

#include <cstdint>

#include "radio/image/BankSize.h"
#include "radio/image/ModelType.h"

class cmcCellCapsule;
class cmcEeprom;
class cmcEvMan;
class cmcFCache;
class cmcGTex;
class datCh;
class datVaskAdr;
class indCommands;
class indDocument;
class indHelp;
class indMenuCommands;
class ItemRegistry;
class PopupHost;

namespace platform {
class MessageBoxes;
}

// What a dispatch hands its rows from the program around it. Rows and converters reach the
// program only through these.
struct ItemServices {
    indDocument& document;
    indCommands& commands;
    indMenuCommands& menu;
    indHelp& help;
    PopupHost& popups;
    cmcGTex& texts;                 // the main text table
    cmcFCache& choices;             // the choice lists of the selection sheets
    cmcEvMan* events;               // the program's bus; null when none is installed
    platform::MessageBoxes& boxes;  // the message boxes a row asks or warns in
};

// What a value converter works with besides its value: the cell's capsule, the services, and
// the editor request it writes to ask the caller for more: 1 refresh the cell (a pop-up was
// opened and the cell waits for its answer), 2 open the in-place editor on the capsule's
// outText with selStart and selLength.
struct CellEdit {
    cmcCellCapsule& capsule;
    const ItemServices& services;
    int request = 0;
};

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

// Everything one item row works with during one dispatch: the converter's part, the document
// image with the record the frame loaded for the cell, and what the frame worked out.
struct ItemContext : CellEdit {
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
    // Redraw flags so far; rows add theirs (RD_SameItem, RD_AllCells, ...) on a change.
    int redraw;
    // The memory map that dispatched the cell, for rows that ask other cells for their marks.
    const ItemRegistry* rows = nullptr;
};
