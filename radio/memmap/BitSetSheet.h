#pragma once

#include <string>
#include <vector>

#include "common/cmcCanvas.h"
#include "radio/host/PopupHost.h"

class cmcCellCapsule;

// What the bit-set editor shows and edits, without its window: the sheet it writes for itself
// in the cell language (a row of labels over a row of bit cells of item CL_FBits, index m for
// the m-th label), and the value as the user toggles it. Cell m stands for the bit of the
// aligned value that CellBitField gives label first + m - 1.
class BitSetSheet {
public:
    static constexpr const char* kSheetName = "GI_Sheet_FBitsR";

    explicit BitSetSheet(const PopupHost::BitSet& request);
    BitSetSheet(const BitSetSheet&) = delete;
    BitSetSheet& operator=(const BitSetSheet&) = delete;

    // The sheet text as cmcGTex::SetLines reads it: valid while this object lives, so a table
    // over it must go first.
    const char* const* Lines() const { return pointers_.data(); }
    int LineCount() const { return static_cast<int>(pointers_.size()); }

    int Value() const { return value_; }
    int Count() const { return count_; }
    bool IsSet(int m) const;

    // A bit cell: no text, a set bit painted as a check mark; Space or a double-click toggles
    // it, reported through onChanged with notify. Returns false for any other cell.
    bool RunCell(cmcCellCapsule& capsule, int notify);

    // The check mark drawn in a cell: six corners inside a square of 0.7 x the cell's shorter
    // side, centred in the cell.
    static std::vector<CanvasPoint> CheckMark(const WindowRect& cell);

private:
    void BuildLines(int firstLabel, int labelStyle);
    int Mask(int m) const;

    int value_;
    int count_;
    std::vector<std::string> lines_;
    std::vector<const char*> pointers_;
};
