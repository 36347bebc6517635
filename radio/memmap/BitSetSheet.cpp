#include "radio/memmap/BitSetSheet.h"

#include <algorithm>

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/memmap/CodeConverters.h"

namespace {

constexpr int kLabelZeroForTen = 2;

// The sheet around the two rows of cells; the cell models it names are the main table's.
constexpr const char* kHead[] = {
    "#GI_Sheet_FBitsR_Style",     "(FixedCols=1)(FixedRows=1)",
    "#GI_Sheet_FBitsR_BasicCell", "{($Basic)(PopupMenu=GI_PMenu_NoItem)}",
    "#GI_Sheet_FBitsR_Cells",     "",
};
constexpr const char* kTail[] = {
    "",
    "",
    "#",
    "#CellModel_iChI",
    "^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)",
    "#CellModel_eWh",
    "S<_WHB",
    "#CellModel_iQp",
    "(%CT_Null.CL_Misc_QuarterPillar)",
    "#CellModel_Basic",
    "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)",
    "#GI_PMenu_NoItem_BasicCell",
    "{($Basic)}",
    "#GI_PMenu_NoItem_Body",
    "+No item\t{(%CT_PopupMenu.CL_PMenu_NoItem)}",
    "#",
    "#GI_PMenu_Edit_BasicCell",
    "{($Basic)(%CT_PopupMenu.)}",
    "#GI_PMenu_Edit_Body",
    "+Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}",
    "#",
    "#End_Of_Ovl",
    "",
};

// Corners of the check mark, in parts of its square's side from the square's top left.
struct MarkCorner {
    double x;
    double y;
};
constexpr MarkCorner kMarkCorners[] = {
    {0, 0.4}, {0, 0.6}, {0.4, 1}, {1, 0.35}, {1, 0.15}, {0.4, 0.7},
};
constexpr double kMarkSide = 0.7;

}  // namespace

BitSetSheet::BitSetSheet(const PopupHost::BitSet& request)
    : value_(request.value), count_(BitFieldCount(request.firstLabel, request.lastLabel)) {
    BuildLines(request.firstLabel, request.labelStyle);
}

void BitSetSheet::BuildLines(int firstLabel, int labelStyle) {
    lines_.assign(std::begin(kHead), std::end(kHead));
    std::string labels;
    std::string bits;
    for (int m = 1; m <= count_; ++m) {
        const int label = firstLabel + m - 1;
        const bool zero = labelStyle == kLabelZeroForTen && label == 10;
        labels += "|{($iChI)}" + std::to_string(zero ? 0 : label) + "|";
        if (m > 1) {
            bits += "{($iQp)}";
        }
        bits += "|{($eWh)^(%CL_FBits[" + std::to_string(m) + "])}9|";
    }
    lines_.push_back(labels);
    lines_.emplace_back();
    lines_.push_back(bits);
    lines_.insert(lines_.end(), std::begin(kTail), std::end(kTail));
    pointers_.clear();
    for (const std::string& line : lines_) {
        pointers_.push_back(line.c_str());
    }
}

int BitSetSheet::Mask(int m) const {
    return m >= 1 && m <= count_ ? 1 << BitFieldBit(m - 1, count_) : 0;
}

bool BitSetSheet::IsSet(int m) const {
    return (value_ & Mask(m)) != 0;
}

bool BitSetSheet::RunCell(cmcCellCapsule& capsule, int notify) {
    if (!capsule.cell || capsule.cell->item != CL_FBits) {
        return false;
    }
    const int m = capsule.cell->index;
    capsule.outText.clear();
    if (capsule.canvas && capsule.rect && IsSet(m)) {
        capsule.canvas->FillPolygon(CheckMark(*capsule.rect), capsule.canvas->GetTextColour());
    }
    if (capsule.key == kKeySpace || capsule.key == kKeyDoubleClick) {
        value_ ^= Mask(m);
        if (notify && capsule.onChanged) {
            capsule.onChanged(&capsule, RD_SameCell);
        }
    }
    return true;
}

std::vector<CanvasPoint> BitSetSheet::CheckMark(const WindowRect& cell) {
    const double side = kMarkSide * std::min(cell.width, cell.height);
    const double left = (cell.width - side) / 2;
    const double top = (cell.height - side) / 2;
    std::vector<CanvasPoint> points;
    for (const MarkCorner& corner : kMarkCorners) {
        points.push_back({cell.left + static_cast<int>(left + corner.x * side),
                          cell.top + static_cast<int>(top + corner.y * side)});
    }
    return points;
}
