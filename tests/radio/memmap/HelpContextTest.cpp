#include "radio/memmap/HelpContext.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/MainGTex.h"
#include "common/cmcGTex.h"
#include "common/cmcHelpGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/CellNameTables.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"
#include "radio/memmap/cmcFCache.h"
#include "tests/support/RecordingBoxes.h"

namespace {

// The key-function lists the help lookup reads the name of a key's function from.
const char* const kTable[] = {
    "#GI_Sheet_Sel_KDisp_Key_SmTr_Cells",
    "{(%Flex0[0])}None|{(%Flex0[4])}Talk Group|",
    "#GI_Sheet_Sel_Keys_Conv_Lmr_Cells",
    "{(%Flex0[0])}None|{(%Flex0[2])}Scan|",
    "#GI_Sheet_Sel_Keys_Conv_VaskPmr_Cells",
    "{(%Flex0[2])}Status|",
    "#GI_Sheet_Sel_Keys_Conv_MdcLmr_Cells",
    "{(%Flex0[2])}Emergency|",
    "#GI_Sheet_Sel_Keys_Conv_MdcPmr_Cells",
    "{(%Flex0[2])}Call Alert|",
    "#End_Of_Ovl",
};

// Topics by item name and by key function; contexts by topic, the last line of a topic wins.
// A part adds sections of the names, read after the first.
const char* const kHelp[] = {
    "#GI_AppItem_Help_Parts",
    "GI_AppItem_Topic_ID_Part",
    "GI_AppItem_Context_ID_Part",
    "#",
    "#GI_AppItem_Topic_ID",
    "CL_Menu_File_New\tIDH_Files",
    "CL_Menu_File_New\tIDH_Other",
    "CallSheet\tIDH_Window",
    "CL_Mch_FreqR\tIDH_NoContext",
    "#",
    "#GI_AppItem_Key_Assign_Topic_ID",
    "Scan\tIDH_KeyScan",
    "Talk Group\tIDH_KeyTalk",
    "Status\tIDH_KeyStatus",
    "Emergency\tIDH_KeyEmergency",
    "Call Alert\tIDH_KeyAlert",
    "#",
    "#GI_AppItem_Context_ID",
    "IDH_Files\t40",
    "IDH_Window\t10",
    "IDH_Files\t41",
    "IDH_KeyScan\t501",
    "IDH_KeyTalk\t502",
    "IDH_KeyStatus\t503",
    "IDH_KeyEmergency\t504",
    "IDH_KeyAlert\t505",
    "#",
    "#GI_AppItem_Topic_ID_Part",
    "CL_Menu_File_New\tIDH_Part",
    "CL_Menu_File_Open\tIDH_Part",
    "#",
    "#GI_AppItem_Context_ID_Part",
    "IDH_Part\t77",
    "IDH_Window\t11",
    "#",
    "#End_Of_Ovl",
};

class HelpContextTest : public ::testing::Test {
protected:
    HelpContextTest() {
        table.SetLines(kTable);
        InstallMainGTex(&table);
        {
            std::ofstream out(helpFile);
            for (const char* line : kHelp) {
                out << line << '\n';
            }
        }
        help.SetFileName(helpFile.string());
        image.Resize(layout::kImageSize);
    }
    ~HelpContextTest() override {
        InstallMainGTex(nullptr);
        std::filesystem::remove(helpFile);
    }

    int Context(int item, ModelType model = MT_Lmr) {
        return FindHelpContext(item, image, model, lists, help);
    }

    testsupport::RecordingBoxes boxes;
    const std::filesystem::path helpFile =
        std::filesystem::temp_directory_path() / ("help-" + std::to_string(getpid()) + ".OVL");
    cmcGTex table;
    cmcHelpGTex help;
    cmcFCache lists;
    cmcEeprom image;
};

TEST_F(HelpContextTest, AnItemFindsTheContextOfItsTopic) {
    EXPECT_EQ(Context(CL_Menu_File_New), 41) << "the first topic line, the last context line";
    EXPECT_EQ(Context(CallSheet), 11) << "a part's context line comes last";
    EXPECT_EQ(Context(CL_Menu_File_Open), 77) << "a topic and its context in a part";
    EXPECT_EQ(Context(CL_Mch_FreqR), 0) << "a topic without a context";
    EXPECT_EQ(Context(CL_Menu_File_Save), 0) << "an item without a topic";
    EXPECT_EQ(Context(kItemNone), 0);
    EXPECT_TRUE(boxes.fatals.empty());
}

// A key's help is that of the function assigned to it: the programmable keys (221..232) read
// byte item + 195, the trunking keys (233..244) byte item + 191.
TEST_F(HelpContextTest, AKeyFindsTheContextOfTheFunctionAssignedToIt) {
    image.SetByte(427, 2);  // item 232
    image.SetByte(424, 4);  // item 233
    const struct {
        int item;
        ModelType model;
        int context;
    } cases[] = {
        {232, MT_Lmr, 501},     {232, MT_VaskPmr, 503}, {232, MT_Pmr, 503},
        {232, MT_MdcLmr, 504},  {232, MT_MdcPmr, 505},  {233, MT_Lmr, 502},
        {233, MT_VaskPmr, 502}, {233, MT_MdcPmr, 0},  // function 4 is not in the MDC list
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Context(c.item, c.model), c.context) << c.item << " model " << c.model;
    }
    image.SetByte(416, 9);  // item 221: a function no list holds
    EXPECT_EQ(Context(221), 0);
    EXPECT_TRUE(boxes.fatals.empty());
}

}  // namespace
