// The display glyphs of the program's own geometry, painted through the Qt canvas as a sheet
// cell paints them.
#include "radio/glyphs/SegGlyphs.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/cmcGTex.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/glyphs/Segchar.h"
#include "tests/support/ProgramTable.h"
#include "tests/support/ScopedInstall.h"
#include "tests/ui/support/TestApp.h"
#include "ui/paint/cuiCanvas.h"

namespace {

class GlyphPaint : public ::testing::Test {
protected:
    GlyphPaint() { testsupport::EnsureTestApp(); }

    // The text painted black on white into a cell of the size given, as a field of eight
    // characters.
    QImage Paint(const std::string& text, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        cuiCanvas canvas(painter, QPalette());
        canvas.SetTextColour(0);
        WindowRect rect{0, 0, width, height};
        cmcCellCapsule capsule;
        capsule.canvas = &canvas;
        capsule.rect = &rect;
        const std::vector<uint8_t> bytes(text.begin(), text.end());
        PaintGlyphs(capsule, bytes, 8, 8, 1, userTable);
        return image;
    }

    Segchar geometry{testsupport::ProgramTable()};
    testsupport::ScopedSharedSegchar geometryInstalled{&geometry};
    std::vector<uint8_t> userTable = std::vector<uint8_t>(32, 0);
};

// At the size of a name cell of the sheets (eight characters in 96 x 20 pixels) no two digits
// or capitals look the same, and each lights pixels inside its own character cell only.
TEST_F(GlyphPaint, DigitsAndCapitalsAreTellApartAtTheSheetsSize) {
    const std::string characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::vector<QImage> glyphs;
    for (const char c : characters) {
        const QImage cell = Paint(std::string(1, c), 96, 20);
        int lit = 0;
        for (int y = 0; y < cell.height(); ++y) {
            for (int x = 0; x < cell.width(); ++x) {
                if (cell.pixelColor(x, y) != Qt::white) {
                    ++lit;
                    EXPECT_LT(x, 12) << c;
                }
            }
        }
        EXPECT_GT(lit, 10) << c;
        glyphs.push_back(cell.copy(0, 0, 12, 20));
    }
    for (std::size_t a = 0; a < glyphs.size(); ++a) {
        for (std::size_t b = a + 1; b < glyphs.size(); ++b) {
            EXPECT_NE(glyphs[a], glyphs[b]) << characters[a] << " and " << characters[b];
        }
    }
}

// Not a check: MERROW_GLYPH_SCREENSHOT names a PNG file for a person to read the font in.
TEST_F(GlyphPaint, Screenshots) {
    const char* path = std::getenv("MERROW_GLYPH_SCREENSHOT");
    if (!path) {
        GTEST_SKIP() << "MERROW_GLYPH_SCREENSHOT not set";
    }
    const std::vector<std::string> lines = {"01234567", "89ABCDEF", "GHIJKLMN", "OPQRSTUV",
                                            "WXYZ-+/*", "abcdefgh", "ijklmnop", "qrstuvwx",
                                            "yz.,:;?!", "A.B.C 1.", "CH 1 RPT", "Station."};
    // At the sheet's size, its pixels four times enlarged, and drawn four times as large.
    const int cellW = 96;
    const int cellH = 20;
    const int zoom = 4;
    QImage sheet(cellW * (2 * zoom + 1) + 20, static_cast<int>(lines.size()) * (cellH * zoom + 4),
                 QImage::Format_RGB32);
    sheet.fill(Qt::lightGray);
    QPainter painter(&sheet);
    int y = 0;
    for (const std::string& line : lines) {
        const QImage cell = Paint(line, cellW, cellH);
        painter.drawImage(0, y, cell);
        painter.drawImage(cellW + 10, y, cell.scaled(cellW * zoom, cellH * zoom));
        painter.drawImage(cellW * (zoom + 1) + 20, y, Paint(line, cellW * zoom, cellH * zoom));
        y += cellH * zoom + 4;
    }
    painter.end();
    sheet.save(path);
}

}  // namespace
