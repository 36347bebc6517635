#pragma once

#include <functional>
#include <string>
#include <vector>

#include "radio/cells/clsSheeRowAtr.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/sheet/SheetCells.h"

class cmcGTex;

// Places the rows a SheetRowReader read into a sheet's cell array and sizes the columns and
// rows. A row whose source line is that of the row above repeats it, each cell copied with its
// index increased by 1, and takes its height; any other row is parsed from its line with the
// channel variables and the template. A parsed cell with W or H widens its column or heightens
// its row to its caption; sizes never shrink below the default, the scale.
class SheetCellPlacer {
public:
    // The widest line and the summed line heights of a caption.
    struct CaptionSize {
        int width = 0;
        int height = 0;
    };
    // What placing asks of its sheet: the row and cell slots, and the size of a caption in the
    // cell's font, which only the screen or the printer can measure.
    struct Hooks {
        std::function<void(int row)> rowStart;
        std::function<void(int col, int row)> cellStart;
        std::function<CaptionSize(const cmcCellObj& cell)> measure;
    };

    // The cells, template and channel variables must outlive the placer.
    SheetCellPlacer(SheetCells& cells, const cmcCellObj& tmpl, ChannelVars& vars, int scale);

    // Places one row per attribute; the cell array holds at least as many rows. With
    // lineSelect, the cells of rows whose select flag is set take part in line selection.
    void Place(cmcGTex& table, const std::string& section, const std::vector<clsSheeRowAtr>& rows,
               bool lineSelect, const Hooks& hooks);

    const std::vector<int>& ColWidths() const { return widths_; }
    const std::vector<int>& RowHeights() const { return heights_; }
    // The smallest column and row that hold a selectable cell (the counts when none does).
    int SmallestCol() const { return smallestCol_; }
    int SmallestRow() const { return smallestRow_; }

private:
    void PlaceRow(int row, bool repeats, bool lineSelect, std::string_view rest,
                  const Hooks& hooks);
    void Fit(int col, int row, const cmcCellObj& cell, const Hooks& hooks);

    SheetCells& cells_;
    const cmcCellObj& template_;
    ChannelVars& vars_;
    int scale_;
    std::vector<int> widths_;
    std::vector<int> heights_;
    // Cells per row, for the rows that repeat it.
    std::vector<int> rowCells_;
    int smallestCol_ = 0;
    int smallestRow_ = 0;
};
