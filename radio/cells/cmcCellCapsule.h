#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/WindowRect.h"

class cmcCanvas;
class cmcCellObj;
class cuiGrid;
class cuiSheet;

// Marks bits of a capsule.
inline constexpr uint8_t kMarkCurrent = 0x01;
inline constexpr uint8_t kMarkPrinting = 0x02;
inline constexpr uint8_t kMarkWarning = 0x04;
inline constexpr uint8_t kMarkError = 0x08;

// Selection flags of a capsule.
inline constexpr uint8_t kSelRange = 0x01;      // in: a range of lines is selected
inline constexpr uint8_t kSelMarkLines = 0x02;  // out: mark the lines selLow..selHigh

// Input modes.
inline constexpr int kInputKey = 0;
inline constexpr int kInputText = 1;
inline constexpr int kInputPopupAnswer = 2;

// Keys without a character travel as their virtual-key code times 256.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyDoubleClick = 256;
inline constexpr int kKeyLeft = 0x2500;
inline constexpr int kKeyUp = 0x2600;
inline constexpr int kKeyRight = 0x2700;
inline constexpr int kKeyDown = 0x2800;

// Redraw flags handed to onChanged.
inline constexpr int RD_SameCell = 0x01;
inline constexpr int RD_SameCategory = 0x02;
inline constexpr int RD_SameItem = 0x04;
inline constexpr int RD_SameIndex = 0x08;
inline constexpr int RD_NeighbourIndex = 0x10;
inline constexpr int RD_AllCells = 0x20;
inline constexpr int RD_IndexFrom = 0x40;
inline constexpr int RD_IndexUpTo = 0x80;

// One render, edit or command request for a cell, and its answer. The user-interface
// objects travel as opaque handles: the radio layer never looks inside them.
class cmcCellCapsule {
public:
    // Called as onChanged(capsule, redrawFlags) and onEditText(capsule, 0).
    using Closure = std::function<void(cmcCellCapsule* capsule, int flags)>;

    // Every field but bankContext back to 0 or empty.
    void Clear();
    // Every field but bankContext; of marks only bits 0..3, the target's other bits kept.
    void CopyFrom(const cmcCellCapsule& other);

    cmcCellCapsule* parent = nullptr;
    int bankContext = 0;
    cuiGrid* grid = nullptr;
    void* control = nullptr;
    cmcCellObj* cell = nullptr;
    cmcCanvas* canvas = nullptr;
    void* form = nullptr;
    WindowRect* rect = nullptr;
    int selStart = 0;
    int selLength = 0;
    int key = 0;
    int command = 0;
    std::string inText;
    std::string outText;
    uint8_t marks = 0;
    int inputMode = kInputKey;
    int redirect = 0;
    int redirectCategory = 0;
    int redirectItem = 0;
    int redirectIndex = 0;
    int repeatKey = 0;
    cuiSheet* sheet = nullptr;
    uint8_t selFlags = 0;
    int selLow = 0;
    int selHigh = 0;
    Closure onChanged;
    Closure onEditText;
};
