#include "radio/glyphs/Segchar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "common/cmcGTex.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/glyphs/SegGlyphs.h"
#include "tests/radio/support/RecordingCanvas.h"
#include "tests/support/ProgramTable.h"
#include "tests/support/ScopedInstall.h"

namespace {

// A square at the left that the user cannot switch (two triangles), a triangle at the right,
// and lines that are no segments.
const char* const kTable[] = {
    "#GI_PCG_Seg_Data",
    "-2|(0,0)(10,0)(10,10)|(0,0)(10,10)(0,10)",
    "// a comment",
    " 0 ",
    "1|( 20 , 0 )-(30,0)-(25,10)",
    "3|(1,2)(3,4)|junk|(5,5)(6,6)(7",
    "#Next",
    "#End_Of_Ovl",
};

class SegcharTest : public ::testing::Test {
protected:
    SegcharTest() { table.SetLines(kTable); }
    cmcGTex table;
};

TEST_F(SegcharTest, ReadsSegmentLinesAndTheirBounds) {
    const Segchar segchar(table);
    ASSERT_EQ(segchar.Count(), 3);
    EXPECT_FALSE(segchar.Segments()[0].IsToggleable());
    EXPECT_EQ(segchar.Segments()[0].Triangles().size(), 2u);
    EXPECT_TRUE(segchar.Segments()[1].IsToggleable());
    EXPECT_EQ(segchar.Segments()[1].LineNumber(), 3);
    EXPECT_EQ(segchar.Segments()[1].Triangles()[0].points[0].x, 20);
    // Fields without three points are left out.
    EXPECT_TRUE(segchar.Segments()[2].Triangles().empty());
    EXPECT_EQ(segchar.MinX(), 0);
    EXPECT_EQ(segchar.MaxX(), 30);
    EXPECT_EQ(segchar.MinY(), 0);
    EXPECT_EQ(segchar.MaxY(), 10);
}

TEST_F(SegcharTest, PatternBitsCountFromTheLastSegment) {
    Segchar segchar(table);
    segchar.SetPattern(0b101);
    EXPECT_TRUE(segchar.Segments()[0].IsOn());
    EXPECT_FALSE(segchar.Segments()[1].IsOn());
    EXPECT_TRUE(segchar.Segments()[2].IsOn());
    EXPECT_EQ(segchar.Pattern(), 0b101);
    EXPECT_TRUE(segchar.IsLitIn(0b010, 1));
    EXPECT_FALSE(segchar.IsLitIn(0xFFFF, 3));
}

TEST_F(SegcharTest, OnlyASwitchableSegmentUnderThePointSwitches) {
    Segchar segchar(table);
    EXPECT_FALSE(segchar.ToggleAt({5, 5}));   // the square cannot be switched
    EXPECT_FALSE(segchar.ToggleAt({15, 5}));  // no segment there
    EXPECT_EQ(segchar.Pattern(), 0);
    EXPECT_TRUE(segchar.ToggleAt({25, 2}));
    EXPECT_EQ(segchar.Pattern(), 0b010);
    EXPECT_TRUE(segchar.ToggleAt({20, 0}));  // a corner belongs to the triangle
    EXPECT_EQ(segchar.Pattern(), 0);
}

TEST(PointInTriangle, InsideOnTheEdgeAndOutside) {
    const dataTriangle triangle{{{{0, 0}, {100, 0}, {0, 100}}}};
    EXPECT_TRUE(PointInTriangle(triangle, {10, 10}));
    EXPECT_TRUE(PointInTriangle(triangle, {50, 50}));
    EXPECT_FALSE(PointInTriangle(triangle, {51, 50}));
    EXPECT_FALSE(PointInTriangle(triangle, {-1, 0}));
    const dataTriangle flat{{{{0, 0}, {0, 0}, {10, 0}}}};
    EXPECT_TRUE(PointInTriangle(flat, {5, 0}));
    EXPECT_FALSE(PointInTriangle(flat, {5, 1}));
}

TEST(SegcharBad, AnEmptySectionHasNothingToDraw) {
    const char* const lines[] = {"#GI_PCG_Seg_Data", "2|(x,y)", "#End_Of_Ovl"};
    cmcGTex table;
    table.SetLines(lines);
    const Segchar segchar(table);
    EXPECT_EQ(segchar.Count(), 1);
    EXPECT_FALSE(segchar.HasExtent());
}

// The program's own geometry, as the joined table beside the program holds it.
class ProgramGeometry : public ::testing::Test {
protected:
    // The glyphs of the bytes in a cell of 96 x 20 at (100, 50).
    testsupport::RecordingCanvas Paint(std::vector<uint8_t> bytes, int length, int perRow, int rows,
                                       std::span<const uint8_t> userTable = {}) {
        testsupport::RecordingCanvas canvas;
        WindowRect rect{100, 50, 96, 20};
        cmcCellCapsule capsule;
        capsule.canvas = &canvas;
        capsule.rect = &rect;
        PaintGlyphs(capsule, bytes, length, perRow, rows, userTable);
        return canvas;
    }

    Segchar geometry{testsupport::ProgramTable()};
    testsupport::ScopedSharedSegchar geometryInstalled{&geometry};
};

// Fifteen segments in the font's bit order: the dot (0x4000) first, which the user does not
// switch, then the fourteen segments of the character; each can be clicked at its middle.
TEST_F(ProgramGeometry, FifteenSegmentsEachClickableAtItsMiddle) {
    ASSERT_EQ(geometry.Count(), 15);
    EXPECT_FALSE(geometry.Segments()[0].IsToggleable());
    EXPECT_EQ(geometry.MinX(), 0);
    EXPECT_EQ(geometry.MinY(), 0);
    for (int i = 1; i < geometry.Count(); ++i) {
        const Segment& segment = geometry.Segments()[static_cast<std::size_t>(i)];
        ASSERT_TRUE(segment.IsToggleable()) << i;
        const auto& points = segment.Triangles()[0].points;
        const GeoPoint middle{(points[0].x + points[1].x + points[2].x) / 3,
                              (points[0].y + points[1].y + points[2].y) / 3};
        Segchar clicked(testsupport::ProgramTable());
        ASSERT_TRUE(clicked.ToggleAt(middle)) << i;
        EXPECT_EQ(clicked.Pattern(), 1 << (14 - i)) << i;
    }
}

// The arrow keys of the character editor: from the top bar the way leads to the segment that
// lies that way; an edge leads nowhere, the dot is never reached, and every segment can be
// reached from the first.
TEST_F(ProgramGeometry, ArrowKeysLeadToTheSegmentThatLiesThatWay) {
    enum {
        kTop = 1,
        kUpperRight = 2,
        kBottom = 4,
        kUpperLeft = 6,
        kUpperMiddle = 8,
        kMiddleLeft = 10,
        kMiddleRight = 11,
        kLowerMiddle = 13
    };
    ASSERT_EQ(geometry.FirstSwitchable(), kTop);
    const struct {
        int from, dx, dy, to;
    } ways[] = {
        {kTop, 0, 1, kUpperMiddle},         {kTop, 0, -1, kTop},
        {kUpperLeft, 0, 1, kMiddleLeft},    {kMiddleLeft, 1, 0, kMiddleRight},
        {kMiddleRight, -1, 0, kMiddleLeft}, {kUpperRight, 1, 0, kUpperRight},
        {kBottom, 0, -1, kLowerMiddle},     {kBottom, 0, 1, kBottom},
    };
    for (const auto& way : ways) {
        EXPECT_EQ(geometry.Neighbour(way.from, way.dx, way.dy), way.to)
            << way.from << " " << way.dx << "," << way.dy;
    }
    std::vector<int> reached{kTop};
    for (std::size_t n = 0; n < reached.size(); ++n) {
        for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
            const int next = geometry.Neighbour(reached[n], dx, dy);
            if (std::find(reached.begin(), reached.end(), next) == reached.end()) {
                reached.push_back(next);
            }
        }
    }
    std::sort(reached.begin(), reached.end());
    EXPECT_EQ(reached, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));

    Segchar keyed(testsupport::ProgramTable());
    keyed.Toggle(kTop);
    keyed.Toggle(0);  // the dot is not the user's
    EXPECT_EQ(keyed.Pattern(), 0x2000);
    EXPECT_EQ(keyed.SegmentAt({25, 3}), kTop);
    EXPECT_EQ(keyed.SegmentAt({56, 96}), -1) << "the dot";
}

// Glyph k stands pitch x k to the right, 10 % of the pitch and the row height in; a glyph
// lights the triangles of its pattern's segments in the text colour.
TEST_F(ProgramGeometry, GlyphsStandInCellsOfTheRow) {
    const testsupport::RecordingCanvas one = Paint({'1'}, 8, 8, 1);
    // "1" is the two right-hand verticals: two triangles each.
    ASSERT_EQ(one.polygons.size(), 4u);
    EXPECT_EQ(one.colours[0], 0x123456u);
    const double scale = std::min(0.8 * 12 / geometry.Width(), 0.8 * 20 / geometry.Height());
    const int pitch = static_cast<int>(scale * geometry.Width() * 1.25);
    const testsupport::RecordingCanvas two = Paint({' ', '1'}, 8, 8, 1);
    ASSERT_EQ(two.polygons.size(), 4u);
    EXPECT_EQ(two.polygons[0][0].x - one.polygons[0][0].x, pitch);
    EXPECT_EQ(one.polygons[0][0].x,
              100 + static_cast<int>(pitch * 0.1) +
                  static_cast<int>(geometry.Segments()[2].Triangles()[0].points[0].x * scale));
    EXPECT_EQ(one.polygons[0][0].y,
              50 + 2 + static_cast<int>(geometry.Segments()[2].Triangles()[0].points[0].y * scale));
}

// A second row starts again at the left, one row height down.
TEST_F(ProgramGeometry, ASecondRowStartsAtTheLeft) {
    const testsupport::RecordingCanvas first = Paint({'1', ' '}, 2, 1, 2);
    const testsupport::RecordingCanvas second = Paint({' ', '1'}, 2, 1, 2);
    ASSERT_EQ(second.polygons.size(), first.polygons.size());
    EXPECT_EQ(second.polygons[0][0].x, first.polygons[0][0].x);
    EXPECT_EQ(second.polygons[0][0].y - first.polygons[0][0].y, 10);
}

TEST_F(ProgramGeometry, WhatEachByteLights) {
    const std::array<uint8_t, 4> user = {0x00, 0x01, 0x40, 0x00};  // user 0 and 1
    const struct {
        std::vector<uint8_t> bytes;
        int length;
        std::size_t triangles;
    } cases[] = {
        {{'.'}, 8, 2},                   // a blank with the dot
        {{0xC1}, 8, 5 * 2 + 2 * 3 + 2},  // A: five bars, two middle bars, and the dot
        {{0x05, 0x0F}, 8, 0},            // codes 0..15 are blank
        {{0x10}, 8, 2},                  // user character 0: the lower right diagonal
        {{0x11}, 8, 2},                  // user character 1: only the dot
        {{0x12}, 8, 0},                  // beyond the table given
        {{'1', 0, '1'}, 8, 4},           // the text ends at a zero byte
        {{'1', '1'}, 1, 4},              // and at its length
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Paint(c.bytes, c.length, 8, 1, user).polygons.size(), c.triangles)
            << static_cast<int>(c.bytes[0]);
    }
    EXPECT_EQ(GlyphPattern(0x11, user), Segchar::kDotBit);
    EXPECT_EQ(GlyphPattern('.', {}), GlyphPattern(0xA0, {}));
    EXPECT_EQ(GlyphPattern('A', {}), 0x3B18);
}

TEST_F(ProgramGeometry, NothingWithoutACanvasOrRoom) {
    cmcCellCapsule capsule;
    const std::vector<uint8_t> bytes = {'A'};
    PaintGlyphs(capsule, bytes, 1, 1, 1, {});  // no canvas: nothing to do
    EXPECT_TRUE(Paint({'A'}, 0, 8, 1).polygons.empty());
    EXPECT_TRUE(Paint({'A'}, 1, 0, 1).polygons.empty());
    EXPECT_TRUE(Paint({'A'}, 1, 1, 0).polygons.empty());
}

}  // namespace
