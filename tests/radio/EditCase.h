#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "radio/CellCodes.h"
#include "radio/CellNames.h"
#include "radio/cmcCellObj.h"
#include "tests/radio/CellRig.h"
#include "tests/radio/ImageDiff.h"

namespace radiotest {

// An edit of an item's cell, and the bits of the image it must change. A cell of a table of
// records names its index and category; an answer of 0 or more is a pop-up's (item Flex0), with
// the text typed in its editor, if any.
struct EditCase {
    int item;
    int key;  // pressed, or 0 to type the text
    const char* typed;
    std::vector<Bits> changed;
    int index = 0;
    int category = kCategoryNone;
    int answer = -1;
};

// Each edit, on an image whose bytes are all 0xFF but the fixture's, stores at its bits and
// nowhere else.
inline void ExpectEditsStoreAtTheirBits(CellRig& rig, std::span<const EditCase> cases,
                                        std::initializer_list<ImageByte> fixture = {}) {
    for (const EditCase& c : cases) {
        rig.shell.image.Fill(0xFF);
        PutBytes(rig.shell.image, fixture);
        const std::vector<uint8_t> before = ImageBytes(rig.shell.image);
        rig.At(c.item, c.index, c.category);
        if (c.answer >= 0) {
            rig.Answer(Flex0, c.answer, c.typed);
        } else if (c.key) {
            rig.Key(c.key);
        } else {
            rig.Type(c.typed);
        }
        EXPECT_EQ(ChangedBits(before, rig.shell.image), c.changed)
            << CellItemCodeToName(c.item) << "[" << c.index << "]";
    }
}

}  // namespace radiotest
