// The clone information cells: the identity block of the image, shown and never changed.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "tests/radio/support/CellRig.h"
#include "tests/support/MemorySettings.h"

namespace {

using namespace memmap;

class CloneInfoTest : public ::testing::Test {
protected:
    std::string Show(int item, std::map<int, uint8_t> bytes) {
        CloneIdentityBlock& block = rig.shell.cloneInformation;
        block.fill(0);
        for (const auto& [offset, value] : bytes) {
            block[static_cast<size_t>(offset)] = value;
        }
        rig.At(item);
        return rig.Paint();
    }
    std::string Line(const char* key, int n = 0) { return rig.table.GetLine(key, n) + "\n"; }

    testsupport::MemorySettings stores;
    radiotest::CellRig rig;
};

TEST_F(CloneInfoTest, ModelRevisionOverVoltageAndCheckSum) {
    const struct Case {
        int item;
        std::map<int, uint8_t> bytes;
        std::string text;
    } cases[] = {
        {CL_CloneInfo_Model, {{48, 0x29}}, "Merrow" + rig.table.GetLine("GI_AppInd_Model", 4)},
        {CL_CloneInfo_Model, {{48, 0x09}}, "Merrow" + rig.table.GetLine("GI_AppInd_Model", 2)},
        {CL_CloneInfo_Model, {{48, 0x20}}, "Merrow" + rig.table.GetLine("GI_AppInd_Model", 3)},
        {CL_CloneInfo_Model, {{48, 0x00}}, "Merrow" + rig.table.GetLine("GI_AppInd_Model", 0)},
        {CL_CloneInfo_Revision, {{34, 0x27}}, "2.7"},
        {CL_CloneInfo_Revision, {{34, 0xFF}}, "15.15"},
        {CL_CloneInfo_OverVolt, {{49, 0x20}}, rig.table.GetLine("GI_Mess_CloneInfo_OverVolt", 0)},
        {CL_CloneInfo_OverVolt, {{49, 0xDF}}, ""},
        {CL_CloneInfo_CheckSum, {{56, '1'}, {57, 'a'}, {58, '2'}, {59, 'F'}}, "$1A2F"},
        {CL_CloneInfo_CheckSum, {{56, '0'}, {57, '7'}, {58, 'x'}, {59, '9'}}, "$0007"},
        {CL_CloneInfo_CheckSum, {{56, 'Q'}}, "$0000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Show(c.item, c.bytes), c.text) << c.item << " " << c.text;
    }
}

// The option units in their fixed order, one line each.
TEST_F(CloneInfoTest, OptionUnits) {
    const struct Case {
        uint8_t units;    // byte 45
        uint8_t boards;   // byte 46
        uint8_t sensors;  // byte 47
        std::vector<const char*> keys;
    } cases[] = {
        {0x02, 0x00, 0x00, {"GI_Mess_CloneInfo_Opt_Kb03"}},
        {0x02, 0x01, 0x00, {"GI_Mess_CloneInfo_Opt_Kb07"}},
        {0x02, 0x02, 0x00, {"GI_Mess_CloneInfo_Opt_Kb09"}},
        {0x0A, 0x03, 0x00, {"GI_Mess_CloneInfo_Opt_Kb03"}},
        {0x01, 0x00, 0x00, {"GI_Mess_CloneInfo_Opt_Kb04"}},
        {0x00, 0x20, 0x00, {"GI_Mess_CloneInfo_Opt_Kb05"}},
        {0x00, 0x10, 0x00, {}},
        {0x03, 0x00, 0xBF, {}},
        {0x02,
         0x3D,
         0x40,
         {"GI_Mess_CloneInfo_Opt_Kb06", "GI_Mess_CloneInfo_Opt_Kb07", "GI_Mess_CloneInfo_Opt_Kb02",
          "GI_Mess_CloneInfo_Opt_Kb08", "GI_Mess_CloneInfo_Opt_Kb01"}},
    };
    for (const Case& c : cases) {
        std::string expected;
        for (const char* key : c.keys) {
            expected += Line(key);
        }
        EXPECT_EQ(Show(CL_CloneInfo_Option, {{45, c.units}, {46, c.boards}, {47, c.sensors}}),
                  expected)
            << int{c.units} << " " << int{c.boards};
    }
}

// The comments show what the radio holds, unprintable bytes blank; keys and typing change
// nothing and open no editor.
TEST_F(CloneInfoTest, CommentsAreShownAndReadOnly) {
    std::map<int, uint8_t> bytes;
    const std::string first = "FLEET 7";
    for (size_t i = 0; i < first.size(); ++i) {
        bytes[2 + static_cast<int>(i)] = static_cast<uint8_t>(first[i]);
    }
    bytes[4] = 0x07;
    bytes[17] = 'Z';
    bytes[18] = 'W';
    bytes[33] = 0xC1;
    EXPECT_EQ(Show(CL_CloneInfo_Comment1, bytes), "FL ET 7        Z");
    EXPECT_EQ(Show(CL_CloneInfo_Comment2, bytes), "W");
    const CloneIdentityBlock before = rig.shell.cloneInformation;
    for (int key : {kKeyEnter, kKeySpace, int{'A'}}) {
        EXPECT_EQ(rig.Key(key).request, 0);
    }
    rig.Type("CHANGED");
    EXPECT_EQ(rig.shell.cloneInformation, before);
    EXPECT_EQ(rig.editorOpenings, 0);
    EXPECT_TRUE(rig.shell.popups.choiceLists.empty());
}

}  // namespace
