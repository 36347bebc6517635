#pragma once

#include <cstdint>
#include <span>
#include <vector>

class cmcCellCapsule;

// The pop-up editors of display text and user characters, as the cell editors of the radio
// layer open them; the user interface implements it. An editor hands its answer back by
// running a copy of the opening capsule through the item dispatcher with inputMode 2 and the
// answer as inText.
class SegEditorHost {
public:
    virtual ~SegEditorHost() = default;

    // The display-text editor beside the capsule's cell: starts with the bytes, all selected
    // or with the caret at the end; the text is at most width bytes; the user-character
    // patterns are copied. False when it could not be opened.
    virtual bool OpenSegTextEditor(const cmcCellCapsule& capsule, std::vector<uint8_t> startBytes,
                                   bool selectAll, int width,
                                   std::span<const uint8_t> userTable) = 0;
    // The user-character editor with the pattern; false when it could not be opened.
    virtual bool OpenSegCharEditor(const cmcCellCapsule& capsule, uint16_t pattern) = 0;
};

// The host in force, or null when none is installed.
SegEditorHost* SegEditors();
// Installs the host (not owned); nullptr removes it.
void InstallSegEditors(SegEditorHost* host);
