#include "radio/glyphs/SegGlyphs.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/cmcCanvas.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/glyphs/Segchar.h"

namespace {

// The built-in font, codes 32..127.
constexpr std::array<uint16_t, 96> kFont = {
    0x0000, 0x0042, 0x0140, 0x075A, 0x2D5A, 0x0924, 0x3699, 0x0020,  // 32..39
    0x0021, 0x0084, 0x00FF, 0x005A, 0x0004, 0x0018, 0x0001, 0x0024,  // 40..47
    0x3F24, 0x1800, 0x3618, 0x3C18, 0x1918, 0x2D18, 0x2F18, 0x3800,  // 48..55
    0x3F18, 0x3D18, 0x3230, 0x0D11, 0x0424, 0x0418, 0x0481, 0x300A,  // 56..63
    0x3E12, 0x3B18, 0x3C4A, 0x2700, 0x3C42, 0x2718, 0x2318, 0x2F08,  // 64..71
    0x1B18, 0x2442, 0x1E00, 0x0331, 0x0700, 0x1BA0, 0x1B81, 0x3F00,  // 72..79
    0x3318, 0x3F01, 0x3319, 0x2C88, 0x2042, 0x1F00, 0x0324, 0x1B05,  // 80..87
    0x00A5, 0x00A2, 0x2424, 0x2700, 0x0081, 0x3C00, 0x0005, 0x0400,  // 88..95
    0x0080, 0x3E18, 0x0F18, 0x0618, 0x1E18, 0x3718, 0x2318, 0x3D18,  // 96..103
    0x0B18, 0x0002, 0x1E00, 0x0331, 0x0042, 0x0A1A, 0x0A18, 0x0E18,  // 104..111
    0x3318, 0x3918, 0x0218, 0x2C88, 0x0718, 0x0E00, 0x0324, 0x0E02,  // 112..119
    0x00A5, 0x1D18, 0x2424, 0x2700, 0x0042, 0x3C00, 0x2000, 0x0405,  // 120..127
};

constexpr uint8_t kDotByte = 0x80;
constexpr uint8_t kBlankWithDot = 0xA0;

}  // namespace

uint16_t GlyphPattern(uint8_t byte, std::span<const uint8_t> userTable) {
    if (byte == '.') {
        byte = kBlankWithDot;
    }
    const int code = byte & 0x7F;
    uint16_t pattern = 0;
    if (code >= 32) {
        pattern = kFont[static_cast<std::size_t>(code - 32)];
    } else if (code >= 16 && userTable.size() >= 2 * static_cast<std::size_t>(code - 15)) {
        const std::size_t at = 2 * static_cast<std::size_t>(code - 16);
        pattern = static_cast<uint16_t>(userTable[at] << 8 | userTable[at + 1]);
    }
    if (byte & kDotByte) {
        pattern |= Segchar::kDotBit;
    }
    return pattern;
}

void PaintPatterns(cmcCanvas& canvas, const WindowRect& rect, std::span<const uint16_t> patterns,
                   int perRow, int rows, const Segchar& segchar) {
    if (perRow < 1 || rows < 1 || !segchar.HasExtent()) {
        return;
    }
    const int cellWidth = rect.width / perRow;
    const int rowHeight = rect.height / rows;
    const double scale =
        std::min(0.8 * cellWidth / segchar.Width(), 0.8 * rowHeight / segchar.Height());
    const int pitch = WholeCoordinate(scale * segchar.Width() * 1.25);
    const uint32_t colour = canvas.GetTextColour();
    std::vector<CanvasPoint> corners;
    for (std::size_t k = 0; k < patterns.size(); ++k) {
        const int column = static_cast<int>(k) % perRow;
        const int row = static_cast<int>(k) / perRow;
        const int left = rect.left + WholeCoordinate(pitch * 0.1) + pitch * column;
        const int top = rect.top + WholeCoordinate(rowHeight * 0.1) + rowHeight * row;
        corners.clear();
        for (int i = 0; i < segchar.Count(); ++i) {
            if (!segchar.IsLitIn(patterns[k], i)) {
                continue;
            }
            for (const dataTriangle& triangle :
                 segchar.Segments()[static_cast<std::size_t>(i)].Triangles()) {
                for (const auto& point : triangle.points) {
                    corners.push_back(
                        {WholeCoordinate(point.x * scale), WholeCoordinate(point.y * scale)});
                }
            }
        }
        canvas.FillShape({left, top}, corners, colour);
    }
}

namespace {

// The patterns of the display bytes up to the first zero byte or length.
std::vector<uint16_t> PatternsOf(std::span<const uint8_t> bytes, int length,
                                 std::span<const uint8_t> userTable) {
    std::vector<uint16_t> patterns;
    for (const uint8_t byte :
         bytes.first(std::min(bytes.size(), static_cast<std::size_t>(length)))) {
        if (byte == 0) {
            break;
        }
        patterns.push_back(GlyphPattern(byte, userTable));
    }
    return patterns;
}

}  // namespace

void PaintGlyphs(cmcCellCapsule& capsule, std::span<const uint8_t> bytes, int length, int perRow,
                 int rows, std::span<const uint8_t> userTable) {
    if (!capsule.canvas || !capsule.rect || length < 1) {
        return;
    }
    // The cells are laid out for the whole length, also where the text ends early.
    PaintPatterns(*capsule.canvas, *capsule.rect, PatternsOf(bytes, length, userTable),
                  std::min(perRow, length), rows, SharedSegchar());
}

void PaintTextGlyphs(cmcCellCapsule& capsule, std::span<const uint8_t> bytes, int length,
                     std::span<const uint8_t> userTable) {
    if (!capsule.canvas || !capsule.rect || length < 1) {
        return;
    }
    const WindowRect& cell = *capsule.rect;
    const int margin = std::min(capsule.canvas->TextWidth(" "), cell.width / 4);
    const WindowRect inside{cell.left + margin, cell.top, cell.width - 2 * margin, cell.height};
    PaintPatterns(*capsule.canvas, inside, PatternsOf(bytes, length, userTable), length, 1,
                  SharedSegchar());
}
