#pragma once

#include "radio/ItemRegistry.h"
#include "radio/SegEditorHost.h"

class cmcCellCapsule;
class cmcGTex;

// The display-text and user-character editors on screen. Their answers go through the item
// dispatcher over the rows given (the program's memory map by default).
class cuiSegEditors : public SegEditorHost {
public:
    explicit cuiSegEditors(cmcGTex& table, const ItemRegistry& rows = ItemRegistry::Program());

    bool OpenSegTextEditor(const cmcCellCapsule& capsule, std::vector<uint8_t> startBytes,
                           bool selectAll, int width, std::span<const uint8_t> userTable) override;
    bool OpenSegCharEditor(const cmcCellCapsule& capsule, uint16_t pattern) override;

private:
    cmcGTex& table_;
    const ItemRegistry& rows_;
};
