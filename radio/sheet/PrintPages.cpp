#include "radio/sheet/PrintPages.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <string>

#include "common/TextHelpers.h"

namespace {

constexpr double kInchesPerMillimetre = 0.03937007874015748;

// Field n of the margins line in millimetres; 0 when missing or not a number.
double Millimetres(std::string_view margins, int n) {
    std::optional<std::string> field = GetToken(margins, ',', n);
    if (!field) {
        return 0.0;
    }
    TrimBlanks(*field);
    double value = 0.0;
    const auto [end, error] = std::from_chars(field->data(), field->data() + field->size(), value);
    return error == std::errc() && end == field->data() + field->size() && value >= 0.0 ? value
                                                                                        : 0.0;
}

int MarginPixels(std::string_view margins, int n, int dpi) {
    return static_cast<int>(Millimetres(margins, n) * dpi * kInchesPerMillimetre);
}

int SumFirst(const std::vector<int>& sizes, int count) {
    count = std::clamp(count, 0, static_cast<int>(sizes.size()));
    return std::accumulate(sizes.begin(), sizes.begin() + count, 0);
}

bool Joined(const PageGrid& grid, int col) {
    return col < std::ssize(grid.joinedCols) && grid.joinedCols[static_cast<size_t>(col)];
}

// The lines laid out on a page: the fixed ones, then count from first.
std::vector<int> ChunkLines(int fixed, int first, int count, int total) {
    std::vector<int> lines;
    for (int i = 0; i < std::min(fixed, total); ++i) {
        lines.push_back(i);
    }
    for (int i = std::max(first, 0); i < std::min(first + count, total); ++i) {
        lines.push_back(i);
    }
    return lines;
}

}  // namespace

WindowRect PrintArea(std::string_view margins, int pageWidth, int pageHeight, int dpi) {
    const int left = MarginPixels(margins, 0, dpi);
    const int top = MarginPixels(margins, 1, dpi);
    return {left, top, pageWidth - MarginPixels(margins, 2, dpi) - left,
            pageHeight - MarginPixels(margins, 3, dpi) - top};
}

PageFrame FramePage(const WindowRect& area, int textHeight) {
    const int h = std::abs(textHeight);
    const int a = h / 10 + 1;
    PageFrame frame;
    frame.bar = a;
    frame.headerTop = area.top;
    frame.headerBar = area.top + h + a;
    frame.footerTop = area.Bottom() - h - 1;
    frame.footerBar = area.Bottom() - h - 2 * a;
    frame.cells = {area.left, area.top + h + 6 * a, area.width, area.height - 2 * (h + 6 * a)};
    return frame;
}

// A column that is joined to its left neighbour cannot begin a page: a chunk ends before the
// last column that could begin one once the width is exceeded.
std::vector<int> SplitColumns(const PageGrid& grid, int width) {
    const int cols = static_cast<int>(grid.colWidths.size());
    const int fixedWidth = SumFirst(grid.colWidths, grid.fixedCols);
    std::vector<int> chunks;
    for (int first = std::max(grid.fixedCols, 0); first < cols;) {
        int count = 0;
        int running = fixedWidth;
        int col = first;
        for (; col < cols; ++col) {
            if (!Joined(grid, col)) {
                count = col - first;
            }
            running += grid.colWidths[static_cast<size_t>(col)];
            if (count > 0 && running > width) {
                break;
            }
        }
        if (col == cols) {
            count = cols - first;
        }
        count = std::max(count, 1);
        chunks.push_back(count);
        first += count;
    }
    return chunks;
}

std::vector<int> SplitRows(const PageGrid& grid, int height) {
    const int rows = static_cast<int>(grid.rowHeights.size());
    const int fixedHeight = SumFirst(grid.rowHeights, grid.fixedRows);
    std::vector<int> chunks;
    for (int first = std::max(grid.fixedRows, 0); first < rows;) {
        int running = fixedHeight;
        int row = first;
        for (; row < rows; ++row) {
            running += grid.rowHeights[static_cast<size_t>(row)];
            if (row > first && running > height) {
                break;
            }
        }
        chunks.push_back(row - first);
        first = row;
    }
    return chunks;
}

PlacedChunk PlaceChunk(const PageGrid& grid, const PageChunk& chunk, int left, int top) {
    const std::vector<int> cols = ChunkLines(grid.fixedCols, chunk.firstCol, chunk.cols,
                                             static_cast<int>(grid.colWidths.size()));
    const std::vector<int> rows = ChunkLines(grid.fixedRows, chunk.firstRow, chunk.rows,
                                             static_cast<int>(grid.rowHeights.size()));
    PlacedChunk placed;
    int y = top;
    int right = left;
    for (int row : rows) {
        const int height = grid.rowHeights[static_cast<size_t>(row)];
        int x = left;
        for (int col : cols) {
            const int width = grid.colWidths[static_cast<size_t>(col)];
            placed.cells.push_back({col, row, {x, y, width, height}});
            x += width;
        }
        right = x;
        y += height;
    }
    placed.covered = {left, top, right - left, y - top};
    return placed;
}

bool ChunkFits(const WindowRect& covered, const WindowRect& area) {
    return covered.Right() <= area.Right() && covered.Bottom() <= area.Bottom();
}

int ShrunkFontHeight(int height, const WindowRect& covered, const WindowRect& area) {
    const double coveredWidth = std::max(covered.width, 1);
    const double coveredHeight = std::max(covered.height, 1);
    const double scale = std::min(area.height / coveredHeight, area.width / coveredWidth);
    return std::max(1, static_cast<int>(std::abs(height) * scale));
}
