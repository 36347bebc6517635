#include "radio/sheet/SheetCellPlacer.h"

#include <algorithm>

#include "common/cmcGTex.h"

SheetCellPlacer::SheetCellPlacer(SheetCells& cells, const cmcCellObj& tmpl, ChannelVars& vars,
                                 int scale)
    : cells_(cells), template_(tmpl), vars_(vars), scale_(scale) {}

void SheetCellPlacer::Place(cmcGTex& table, const std::string& section,
                            const std::vector<clsSheeRowAtr>& rows, bool lineSelect,
                            const Hooks& hooks) {
    widths_.assign(static_cast<size_t>(cells_.Cols()), scale_);
    heights_.assign(rows.size(), scale_);
    rowCells_.assign(rows.size(), 0);
    smallestCol_ = cells_.Cols();
    smallestRow_ = cells_.Rows();
    std::string lineText;
    for (size_t row = 0; row < rows.size(); ++row) {
        hooks.rowStart(static_cast<int>(row));
        const bool repeats = row > 0 && rows[row - 1].sourceLine == rows[row].sourceLine;
        if (repeats) {
            heights_[row] = heights_[row - 1];
        } else {
            lineText = table.GetLine(section, rows[row].sourceLine);
        }
        PlaceRow(static_cast<int>(row), repeats, lineSelect && rows[row].select, lineText, hooks);
    }
}

// Cells past the column count are dropped, so no layout line (a directive line a loop refers
// to, say) ever writes outside the cell array.
void SheetCellPlacer::PlaceRow(int row, bool repeats, bool lineSelect, std::string_view rest,
                               const Hooks& hooks) {
    const int count = repeats ? rowCells_[static_cast<size_t>(row) - 1] : cells_.Cols();
    int placed = 0;
    for (int col = 0; col < count; ++col) {
        hooks.cellStart(col, row);
        clsSheetCellId& entry = cells_.At(col, row);
        if (repeats) {
            entry.cell.CopyFrom(cells_.At(col, row - 1).cell);
            ++entry.cell.index;
        } else {
            rest = cmcCellObj::ParseDefinition(entry.cell, rest, &vars_, &template_, false);
            Fit(col, row, entry.cell, hooks);
        }
        ++placed;
        if (entry.Selectable()) {
            smallestCol_ = std::min(smallestCol_, col);
            smallestRow_ = std::min(smallestRow_, row);
        }
        entry.bits = lineSelect ? kCellLineSelectable : 0;
        if (!repeats && rest.empty()) {
            break;
        }
    }
    rowCells_[static_cast<size_t>(row)] = placed;
}

void SheetCellPlacer::Fit(int col, int row, const cmcCellObj& cell, const Hooks& hooks) {
    if (!(cell.layoutBits & (kLayoutFitColumn | kLayoutFitRow))) {
        return;
    }
    const CaptionSize size = hooks.measure(cell);
    if (cell.layoutBits & kLayoutFitColumn) {
        int& width = widths_[static_cast<size_t>(col)];
        width = std::max(width, size.width + 8 * scale_);
    }
    if (cell.layoutBits & kLayoutFitRow) {
        int& height = heights_[static_cast<size_t>(row)];
        height = std::max(height, size.height + 2 * scale_);
    }
}
