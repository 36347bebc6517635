#pragma once

#include <cstdint>

#include "radio/memmap/ItemRegistry.h"

class cmcCellCapsule;
class cmcCellObj;
class datCh;

// The one operation that turns a cell into behaviour: renders its text and marks, applies a
// key or a pop-up menu command, edits the bound field of the document image, or runs a
// program command. Holds no state; the rows come from the memory map.
class indActiveCell {
public:
    explicit indActiveCell(const ItemRegistry& rows = ItemRegistry::Program()) : rows_(rows) {}

    // notify: 0 for painting and queries, 1 for user actions. Returns 0 nothing more to do,
    // 1 refresh the cell, 2 open the in-place editor with outText, selStart and selLength.
    int DispatchItem(cmcCellCapsule& capsule, int notify);

private:
    const ItemRegistry& rows_;
};

// The record kind of a category (0 for none); fatal outside 0..22.
uint32_t CategoryToRecordKind(int category, ModelType model);

// What kind of channel a loaded record of the kind is (the channel flags of a context).
ChannelFlags ChannelFlagsOf(uint32_t kind, const datCh& record, const ModelFlags& model);

// Runs the cell with a key through a fresh capsule (notify 0); 0 for a null cell.
int RunCellKey(cmcCellObj* cell, int key, const ItemRegistry& rows = ItemRegistry::Program());

struct CellMarks {
    bool error = false;
    bool warning = false;
};
// The marks a cell would be painted with, the bank context being the bank of channel index.
CellMarks QueryCellMarks(int category, int item, int index,
                         const ItemRegistry& rows = ItemRegistry::Program());
bool CellHasError(int category, int item, int index,
                  const ItemRegistry& rows = ItemRegistry::Program());
bool CellHasWarning(int category, int item, int index,
                    const ItemRegistry& rows = ItemRegistry::Program());
