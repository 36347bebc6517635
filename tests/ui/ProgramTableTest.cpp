// The program's own text table: the menu, tool-bar and pop-up-menu sections parse, and every
// command line names an item.
#include <gtest/gtest.h>

#include <string>

#include "common/cmcGTex.h"
#include "radio/cmcCellObj.h"
#include "tests/support/RecordingBoxes.h"

namespace {

struct Section {
    const char* base;
    bool levelled;  // menu lines carry the level before a "+"
    int commands;   // lines that name an item
};

TEST(ProgramTable, MenuToolBarAndPopupSectionsParse) {
    testsupport::RecordingBoxes boxes;
    cmcGTex table;
    table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
    EXPECT_EQ(table.GetValue("GI_Sys_AppTitle"), "Tarnwick");
    for (const Section& section :
         {Section{"GI_Menu_Main", true, 39}, Section{"GI_ToolBar_Main", false, 10},
          Section{"GI_PMenu_NoItem", true, 1}, Section{"GI_PMenu_Edit", true, 9}}) {
        cmcCellObj tmpl;
        cmcCellObj::ParseDefinition(tmpl,
                                    table.GetLine(std::string(section.base) + "_BasicCell", 0),
                                    nullptr, nullptr, false);
        const std::string body = std::string(section.base) + "_Body";
        int commands = 0;
        for (int n = 0;; ++n) {
            const std::string line = table.GetLine(body, n);
            if (line.starts_with("#")) {
                break;
            }
            const std::size_t plus = section.levelled ? line.find('+') : std::string::npos;
            ASSERT_TRUE(!section.levelled || plus != std::string::npos) << line;
            cmcCellObj cell;
            cmcCellObj::ParseDefinition(cell, line.substr(plus + 1), nullptr, &tmpl, false);
            EXPECT_FALSE(cell.GetCaption().empty()) << line;
            commands += cell.item != kItemNone;
        }
        EXPECT_EQ(commands, section.commands) << section.base;
    }
    EXPECT_TRUE(boxes.fatals.empty());
}

}  // namespace
