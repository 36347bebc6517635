#include "radio/memmap/ImageDebugCells.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/image/cmcEeprom.h"
#include "tests/radio/support/RecordingCanvas.h"

namespace {

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kUntouched = 0x123456;

// A 40-byte image whose byte i is i + 0x80, and a snapshot that differs at 0x25.
struct Images {
    Images() {
        image.Resize(40);
        for (int i = 0; i < 40; ++i) {
            image.SetByte(i, static_cast<uint8_t>(i + 0x80));
        }
        snapshot.Assign(image);
        snapshot.SetByte(0x25, 0x00);
    }
    cmcEeprom image;
    cmcEeprom snapshot;
};

struct Rendered {
    bool handled;
    std::string text;
    uint32_t colour;
};

Rendered Render(const Images& images, int item, int index, const cmcEeprom* snapshot = nullptr) {
    cmcCellObj cell;
    cell.item = item;
    cell.index = index;
    testsupport::RecordingCanvas canvas;
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    capsule.canvas = &canvas;
    capsule.outText = "before";
    const bool handled =
        RenderImageDebugCell(capsule, images.image, snapshot ? *snapshot : images.snapshot);
    return {handled, capsule.outText, canvas.text};
}

TEST(ImageDebugCells, ShowAddressesAndBytesInHexRedWhereTheSnapshotDiffers) {
    const Images images;
    cmcEeprom otherSize;
    otherSize.Resize(8);
    const struct {
        int item;
        int index;
        const cmcEeprom* snapshot;
        Rendered expected;
    } cases[] = {
        {CL_EeDebugWin_Adr, 0, nullptr, {true, "0000", kUntouched}},
        {CL_EeDebugWin_Adr, 2, nullptr, {true, "0020", kUntouched}},
        {CL_EeDebugWin_Adr, 3, nullptr, {true, "", kUntouched}},  // no line of the image
        {CL_EeDebugWin_0, 0, nullptr, {true, "80", kUntouched}},
        {CL_EeDebugWin_F, 1, nullptr, {true, "9F", kUntouched}},
        {CL_EeDebugWin_5, 2, nullptr, {true, "A5", kRed}},
        {CL_EeDebugWin_7, 2, nullptr, {true, "A7", kUntouched}},
        {CL_EeDebugWin_8, 2, nullptr, {true, "", kUntouched}},  // past the image's end
        {CL_EeDebugWin_0, -1, nullptr, {true, "", kUntouched}},
        {CL_EeDebugWin_0, 0x7FFFFFFF, nullptr, {true, "", kUntouched}},
        // A snapshot of another size marks nothing.
        {CL_EeDebugWin_5, 2, &otherSize, {true, "A5", kUntouched}},
        // Cells of other items are left to the memory map.
        {CL_Null, 0, nullptr, {false, "before", kUntouched}},
        {CL_PMenu_NoItem, 0, nullptr, {false, "before", kUntouched}},
    };
    for (const auto& c : cases) {
        const Rendered got = Render(images, c.item, c.index, c.snapshot);
        EXPECT_EQ(got.handled, c.expected.handled) << c.item << "[" << c.index << "]";
        EXPECT_EQ(got.text, c.expected.text) << c.item << "[" << c.index << "]";
        EXPECT_EQ(got.colour, c.expected.colour) << c.item << "[" << c.index << "]";
    }
}

TEST(ImageDebugCells, CompareListsEachChangedByteOrTheSizeMismatch) {
    Images images;
    images.snapshot.SetByte(0, 0x7F);
    EXPECT_EQ(CompareImageLines(images.snapshot, images.image),
              (std::vector<std::string>{"0000 : 7F -> 80", "0025 : 00 -> A5"}));
    EXPECT_TRUE(CompareImageLines(images.image, images.image).empty());
    cmcEeprom shorter;
    shorter.Resize(39);
    EXPECT_EQ(CompareImageLines(shorter, images.image),
              std::vector<std::string>{"Not match size !"});
}

}  // namespace
