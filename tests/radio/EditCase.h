#pragma once

#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "tests/radio/CellRig.h"
#include "tests/radio/ImageDiff.h"

namespace radiotest {

// An edit of an item's cell, and the bits of the image it must change.
struct EditCase {
    int item;
    int key;  // pressed, or 0 to type the text
    const char* typed;
    std::vector<Bits> changed;
};

// Each edit, on an image whose bytes are all 0xFF, stores at its bits and nowhere else.
inline void ExpectEditsStoreAtTheirBits(CellRig& rig, std::span<const EditCase> cases) {
    for (const EditCase& c : cases) {
        rig.shell.image.Fill(0xFF);
        const std::vector<uint8_t> before = ImageBytes(rig.shell.image);
        rig.At(c.item);
        if (c.key) {
            rig.Key(c.key);
        } else {
            rig.Type(c.typed);
        }
        EXPECT_EQ(ChangedBits(before, rig.shell.image), c.changed) << c.item;
    }
}

}  // namespace radiotest
