#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <span>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/cells/CellNames.h"
#include "radio/cells/cmcCellObj.h"
#include "tests/radio/support/CellRig.h"
#include "tests/radio/support/ImageDiff.h"

namespace radiotest {

// A cell of the rows: item, and for a table of records its index and category.
struct Cell {
    int item;
    int index = 0;
    int category = kCategoryNone;
};

// What an edit does: a key pressed, a text typed, or a pop-up's answer (the chosen list value,
// with the text the text editors hand back).
struct Input {
    int key = 0;
    const char* text = "";
    int answer = -1;
};
constexpr Input Press(int key) {
    return {key};
}
constexpr Input Typed(const char* text) {
    return {0, text};
}
constexpr Input Chosen(int value, const char* text = "") {
    return {0, text, value};
}

// Runs the input on the cell.
inline CellRig::Run RunEdit(CellRig& rig, const Cell& cell, const Input& input) {
    rig.At(cell.item, cell.index, cell.category);
    if (input.answer >= 0) {
        return rig.Answer(Flex0, input.answer, input.text);
    }
    return input.key ? rig.Key(input.key) : rig.Type(input.text);
}

// An edit of a cell, and the bits of the image it must change.
struct EditCase {
    Cell cell;
    Input input;
    std::vector<Bits> changed;
};

// Each edit, on an image whose bytes are all 0xFF but the fixture's, stores at its bits and
// nowhere else.
inline void ExpectEditsStoreAtTheirBits(CellRig& rig, std::span<const EditCase> cases,
                                        std::initializer_list<ImageByte> fixture = {}) {
    for (const EditCase& c : cases) {
        rig.shell.image.Fill(0xFF);
        PutBytes(rig.shell.image, fixture);
        const std::vector<uint8_t> before = ImageBytes(rig.shell.image);
        RunEdit(rig, c.cell, c.input);
        EXPECT_EQ(ChangedBits(before, rig.shell.image), c.changed)
            << CellItemCodeToName(c.cell.item) << "[" << c.cell.index << "]";
    }
}

}  // namespace radiotest
