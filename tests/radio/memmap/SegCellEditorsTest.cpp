#include "radio/memmap/SegCellEditors.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "common/cmcGTex.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/glyphs/Segchar.h"
#include "radio/host/PopupHost.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"
#include "tests/radio/support/RecordingCanvas.h"
#include "tests/support/ScopedInstall.h"

namespace {

using Bytes = std::vector<uint8_t>;

// One segment a bit: bit 1 a triangle at the left, bit 0 one at the right.
const char* const kGeometry[] = {
    "#GI_PCG_Seg_Data",
    "1|(0,0)(10,0)(0,10)",
    "1|(20,0)(30,0)(30,10)",
    "#End_Of_Ovl",
};

// Records what the cell editors ask to open.
struct HostDouble : PopupHost {
    struct Text {
        Bytes start;
        bool selectAll;
        int width;
        std::size_t userTableSize;
    };
    void OpenDisplayTextEditor(const cmcCellCapsule&, const DisplayText& request) override {
        texts.push_back(
            {request.bytes, request.selectAll, request.width, request.userCharacters.size()});
    }
    void OpenUserCharacterEditor(const cmcCellCapsule&, const UserCharacter& request) override {
        patterns.push_back(request.pattern);
    }
    std::vector<Text> texts;
    std::vector<uint16_t> patterns;
};

class SegCellEditors : public ::testing::Test {
protected:
    SegCellEditors() {
        table.SetLines(kGeometry);
        geometry.emplace(table);
        geometryInstalled.emplace(&*geometry);
    }

    // A capsule of a sheet cell: a key for the grid, or a committed text.
    cmcCellCapsule KeyCapsule(int key) {
        cmcCellCapsule capsule;
        capsule.grid = grid;
        capsule.key = key;
        return capsule;
    }
    static cmcCellCapsule TextCapsule(std::string text, int mode = kInputPopupAnswer) {
        cmcCellCapsule capsule;
        capsule.inputMode = mode;
        capsule.inText = std::move(text);
        return capsule;
    }

    int RunText(cmcCellCapsule& capsule, std::span<uint8_t> field,
                SegPadding padding = SegPadding::Blanks) {
        return EditSegTextCell(capsule, field, userTable, padding, host, request);
    }

    cmcGTex table;
    std::optional<Segchar> geometry;
    std::optional<testsupport::ScopedSharedSegchar> geometryInstalled;
    HostDouble host;
    std::array<uint8_t, 32> userTable{};
    int request = 0;
    int gridMarker = 0;
    cuiGrid* grid = reinterpret_cast<cuiGrid*>(&gridMarker);
};

TEST_F(SegCellEditors, CommittedTextIsStoredPaddedAndCutToTheField) {
    const struct {
        std::string text;
        SegPadding padding;
        Bytes field;
    } cases[] = {
        {"A.B", SegPadding::Blanks, {0xC1, 'B', ' ', ' ', ' ', ' ', ' ', ' '}},
        {"A.B", SegPadding::Zeros, {0xC1, 'B', 0, 0, 0, 0, 0, 0}},
        {"%10x", SegPadding::Zeros, {0x10, 'x', 0, 0, 0, 0, 0, 0}},
        {"ABCDEFGHIJ", SegPadding::Blanks, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}},
        {"", SegPadding::Blanks, Bytes(8, ' ')},
    };
    for (const auto& c : cases) {
        for (const int mode : {kInputText, kInputPopupAnswer}) {
            Bytes field(8, '?');
            field.push_back('!');  // the byte after the field
            cmcCellCapsule capsule = TextCapsule(c.text, mode);
            EXPECT_EQ(RunText(capsule, std::span(field).first(8), c.padding), 1);
            EXPECT_EQ(Bytes(field.begin(), field.begin() + 8), c.field) << c.text;
            EXPECT_EQ(field[8], '!');
            EXPECT_EQ(host.texts.size(), 0u);
        }
    }
}

TEST_F(SegCellEditors, TheCellShowsTheTextWithoutItsPadding) {
    Bytes name = {'A', 'B', ' ', ' ', ' ', ' ', ' ', ' '};
    cmcCellCapsule capsule;
    EXPECT_EQ(RunText(capsule, name), 0);
    EXPECT_EQ(capsule.outText, "AB");
    Bytes text = {0xC1, '%', 0, 'X', 0, 0, 0, 0};
    EXPECT_EQ(RunText(capsule, text, SegPadding::Zeros), 0);
    EXPECT_EQ(capsule.outText, "A.%%");
}

TEST_F(SegCellEditors, PaintedCellsDrawGlyphsAndNoText) {
    testsupport::RecordingCanvas canvas;
    WindowRect rect{0, 0, 80, 20};
    Bytes name = {'A', 'B', ' ', ' ', ' ', ' ', ' ', ' '};
    cmcCellCapsule capsule;
    capsule.canvas = &canvas;
    capsule.rect = &rect;
    capsule.key = kKeyEnter;  // painting is no key for a grid
    EXPECT_EQ(RunText(capsule, name), 0);
    EXPECT_EQ(capsule.outText, "");
    EXPECT_FALSE(canvas.polygons.empty());
    EXPECT_TRUE(host.texts.empty());
}

TEST_F(SegCellEditors, KeysOpenTheTextEditor) {
    const struct {
        int key;
        Bytes start;
        bool selectAll;
    } cases[] = {
        {kKeyEnter, {0xC1, 'B'}, true},
        {8, {0xC1, 'B'}, true},  // Backspace counts as Enter
        {'x', {'x'}, false},
        {' ', {' '}, false},
        {'.', {0xA0}, false},
    };
    for (const auto& c : cases) {
        host.texts.clear();
        request = 0;
        Bytes name = {0xC1, 'B', ' ', ' ', ' ', ' ', ' ', ' '};
        cmcCellCapsule capsule = KeyCapsule(c.key);
        EXPECT_EQ(RunText(capsule, name), 0);
        ASSERT_EQ(host.texts.size(), 1u) << c.key;
        EXPECT_EQ(host.texts[0].start, c.start) << c.key;
        EXPECT_EQ(host.texts[0].selectAll, c.selectAll);
        EXPECT_EQ(host.texts[0].width, 8);
        EXPECT_EQ(host.texts[0].userTableSize, 32u);
        EXPECT_EQ(request, 1);
    }
    for (const int key : {0, 27, 0x7F, kKeyLeft, 0x7000}) {
        Bytes name(8, ' ');
        cmcCellCapsule capsule = KeyCapsule(key);
        RunText(capsule, name);
        cmcCellCapsule noGrid = KeyCapsule(kKeyEnter);
        noGrid.grid = nullptr;
        RunText(noGrid, name);
    }
    EXPECT_EQ(host.texts.size(), 1u);
}

TEST_F(SegCellEditors, ThePatternAnswerIsStoredHighByteFirst) {
    const struct {
        std::string text;
        std::array<uint8_t, 2> field;
    } cases[] = {
        {"12345", {0x30, 0x39}},
        {"16384", {0x40, 0x00}},
        {"abc", {0x00, 0x00}},
        {"", {0x00, 0x00}},
    };
    for (const auto& c : cases) {
        std::array<uint8_t, 2> field = {0xAA, 0x55};
        cmcCellCapsule capsule = TextCapsule(c.text);
        EXPECT_EQ(EditSegCharCell(capsule, field, host, request), 1);
        EXPECT_EQ(field, c.field) << c.text;
    }
    // Typed text is no answer of the dialog.
    std::array<uint8_t, 2> field = {0xAA, 0x55};
    cmcCellCapsule typed = TextCapsule("1", kInputText);
    EXPECT_EQ(EditSegCharCell(typed, field, host, request), 0);
    EXPECT_EQ(field[0], 0xAA);
}

TEST_F(SegCellEditors, ThePatternCellPaintsItsGlyphAndEnterOpensTheEditor) {
    std::array<uint8_t, 2> field = {0x00, 0x01};
    testsupport::RecordingCanvas canvas;
    WindowRect rect{0, 0, 40, 20};
    cmcCellCapsule painted;
    painted.canvas = &canvas;
    painted.rect = &rect;
    EXPECT_EQ(EditSegCharCell(painted, field, host, request), 0);
    ASSERT_EQ(canvas.polygons.size(), 1u);  // bit 0: the right-hand triangle
    EXPECT_GT(canvas.polygons[0][0].x, 10);
    EXPECT_TRUE(host.patterns.empty());

    cmcCellCapsule enter = KeyCapsule(kKeyEnter);
    EXPECT_EQ(EditSegCharCell(enter, field, host, request), 0);
    EXPECT_EQ(host.patterns, std::vector<uint16_t>{1});
    EXPECT_EQ(request, 1);
    cmcCellCapsule space = KeyCapsule(' ');
    EditSegCharCell(space, field, host, request);
    EXPECT_EQ(host.patterns.size(), 1u);
}

TEST(UserCharTable, TheImageAreaOrNothing) {
    cmcEeprom image;
    image.Resize(layout::kImageSize);
    image.SetByte(layout::kCEditArea.At(15) + 1, 0x42);
    const std::span<const uint8_t> table = UserCharTable(image);
    ASSERT_EQ(table.size(), 32u);
    EXPECT_EQ(table[31], 0x42);
    cmcEeprom tiny;
    tiny.Resize(100);
    EXPECT_TRUE(UserCharTable(tiny).empty());
}

}  // namespace
