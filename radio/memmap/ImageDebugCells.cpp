#include "radio/memmap/ImageDebugCells.h"

#include <cstdio>

#include "common/cmcCanvas.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/image/cmcEeprom.h"

namespace {

constexpr int kBytesPerLine = 16;
constexpr uint32_t kChangedColour = 0x0000FF;  // red

bool Differs(const cmcEeprom& image, const cmcEeprom& snapshot, int address) {
    return snapshot.GetSize() == image.GetSize() &&
           snapshot.GetByte(address) != image.GetByte(address);
}

}  // namespace

bool RenderImageDebugCell(cmcCellCapsule& capsule, const cmcEeprom& image,
                          const cmcEeprom& snapshot) {
    if (!capsule.cell) {
        return false;
    }
    const int item = capsule.cell->item;
    if (item < CL_EeDebugWin_Adr || item > CL_EeDebugWin_F) {
        return false;
    }
    // Indices beyond the image's lines (a negative one too) show nothing.
    const long long line = capsule.cell->index;
    char text[20] = "";
    if (item == CL_EeDebugWin_Adr) {
        if (line >= 0 && line * kBytesPerLine < image.GetSize()) {
            std::snprintf(text, sizeof text, "%04llX", line * kBytesPerLine);
        }
    } else {
        const long long address = line * kBytesPerLine + (item - CL_EeDebugWin_0);
        if (address >= 0 && address < image.GetSize()) {
            const int at = static_cast<int>(address);
            std::snprintf(text, sizeof text, "%02X", image.GetByte(at));
            if (capsule.canvas && Differs(image, snapshot, at)) {
                capsule.canvas->SetTextColour(kChangedColour);
            }
        }
    }
    capsule.outText = text;
    return true;
}

std::vector<std::string> CompareImageLines(const cmcEeprom& snapshot, const cmcEeprom& current) {
    if (snapshot.GetSize() != current.GetSize()) {
        return {"Not match size !"};
    }
    std::vector<std::string> lines;
    for (int i = 0; i < current.GetSize(); ++i) {
        if (Differs(current, snapshot, i)) {
            char line[24];
            std::snprintf(line, sizeof line, "%04X : %02X -> %02X", i, snapshot.GetByte(i),
                          current.GetByte(i));
            lines.emplace_back(line);
        }
    }
    return lines;
}
