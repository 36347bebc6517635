// The common-setting rows against an image fixture and the program's own text table: the text
// each shows, and that an edit stores exactly its bits.
#include <gtest/gtest.h>

#include <vector>

#include "radio/CellCodes.h"
#include "radio/ImageLayout.h"
#include "tests/radio/CellRig.h"

namespace {

struct Bits {
    int address;
    uint8_t mask;
};

class CommonSettingItemsTest : public ::testing::Test {
protected:
    std::vector<uint8_t> Bytes() {
        const uint8_t* data = rig.shell.image.GetData();
        return {data, data + layout::kImageSize};
    }

    // The bytes that changed, each with the bits that did.
    std::vector<Bits> Changes(const std::vector<uint8_t>& before) {
        const std::vector<uint8_t> after = Bytes();
        std::vector<Bits> changes;
        for (size_t i = 0; i < before.size(); ++i) {
            if (before[i] != after[i]) {
                changes.push_back(
                    {static_cast<int>(i), static_cast<uint8_t>(before[i] ^ after[i])});
            }
        }
        return changes;
    }

    radiotest::CellRig rig;
};

TEST_F(CommonSettingItemsTest, RowsShowTheImage) {
    cmcEeprom& image = rig.shell.image;
    image.SetByte(381, 0x20);
    image.SetByte(408, 30);
    struct Case {
        int item;
        const char* text;
    } cases[] = {
        {CL_Comm_PwrOnPassword, "On"},
        {CL_Comm_AtResetTimer_A, " 30.000"},
    };
    for (const Case& c : cases) {
        rig.At(c.item);
        EXPECT_EQ(rig.Paint(), c.text) << c.item;
    }
    image.SetByte(408, 0);
    rig.At(CL_Comm_AtResetTimer_A);
    EXPECT_EQ(rig.Paint(), "Off");
}

// Each edit on a fixture whose bytes are all set stores at the row's bits and nowhere else.
TEST_F(CommonSettingItemsTest, EditsStoreAtTheirBits) {
    struct Case {
        int item;
        int key;  // pressed, or 0 to type the text
        const char* typed;
        std::vector<Bits> changed;
    } cases[] = {
        {CL_Comm_PwrOnPassword, kKeySpace, "", {{381, 0x20}}},
        {CL_Comm_AtResetTimer_A, 0, "12", {{408, 0xF3}}},
    };
    for (const Case& c : cases) {
        rig.shell.image.Fill(0xFF);
        const std::vector<uint8_t> before = Bytes();
        rig.At(c.item);
        if (c.key) {
            rig.Key(c.key);
        } else {
            rig.Type(c.typed);
        }
        const std::vector<Bits> changes = Changes(before);
        ASSERT_EQ(changes.size(), c.changed.size()) << c.item;
        for (size_t i = 0; i < changes.size(); ++i) {
            EXPECT_EQ(changes[i].address, c.changed[i].address) << c.item;
            EXPECT_EQ(changes[i].mask, c.changed[i].mask) << c.item;
        }
    }
}

}  // namespace
