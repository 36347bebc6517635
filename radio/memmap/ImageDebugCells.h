#pragma once

#include <string>
#include <vector>

class cmcCellCapsule;
class cmcEeprom;

// The image debug window's cells: a line of the window shows 16 bytes of the image. The cell
// of CL_EeDebugWin_Adr with index n shows the line's address (n x 16), the cell of
// CL_EeDebugWin_<k> the byte at n x 16 + k in hexadecimal, red when it differs from the
// compare snapshot. A byte past the image end shows nothing. Returns false, touching nothing,
// for a cell of any other item.
bool RenderImageDebugCell(cmcCellCapsule& capsule, const cmcEeprom& image,
                          const cmcEeprom& snapshot);

// The debug compare listing: "%04X : %02X -> %02X" (address, snapshot byte, current byte) for
// each byte that differs, in address order; "Not match size !" when the sizes differ.
std::vector<std::string> CompareImageLines(const cmcEeprom& snapshot, const cmcEeprom& current);
