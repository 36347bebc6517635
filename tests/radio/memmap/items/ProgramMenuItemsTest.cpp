// The program's own menu commands: the Edit, View, Model and Help menus.
#include <gtest/gtest.h>

#include <vector>

#include "common/cmcEventTypes.h"
#include "radio/cells/CellCodes.h"
#include "tests/radio/support/CellRig.h"
#include "tests/support/MemorySettings.h"

namespace {

using namespace memmap;

class ProgramMenuItemsTest : public ::testing::Test {
protected:
    // The cell's state bits after a render with key 0.
    uint8_t StateOf(int item, int index) {
        rig.At(item, index);
        rig.cell.stateBits = 0;
        rig.Paint();
        rig.bus.Pump();
        return rig.cell.stateBits & kStateCommandBits;
    }

    testsupport::MemorySettings stores;
    radiotest::CellRig rig;
};

// With key 0 a command only reports its state; Enter runs it once.
TEST_F(ProgramMenuItemsTest, MenuCommandsReportTheirStateAndRunOnEnter) {
    indEnviron& settings = rig.shell.Settings();
    settings.fontSizePercentage = 125;
    settings.toolBarVisible = 1;
    rig.shell.model = MT_Pmr;
    const struct Case {
        int item;
        int index;
        uint8_t state;
        std::vector<int> events;  // the menus' events a render and an Enter post
    } cases[] = {
        {CL_Menu_View_FontSize, 125, kStateChecked, {}},
        {CL_Menu_View_FontSize, 75, 0, {}},
        {CL_Menu_View_ToolBar, 0, kStateChecked, {}},
        {CL_Model_Lmr, 0, 0, {}},
        {CL_Model_Pmr, 0, kStateChecked, {}},
        {CL_Model_VaskPmr, 0, 0, {}},
        {CL_Help_About, 0, 0, {EV_ShowAbout}},
        {CL_Menu_Edit_Top, 0, 0, {EV_BuildSubMenu, EV_BuildSubMenu}},
        {CL_PMenu_NoItem, 0, kStateDisabled, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        rig.events.clear();
        EXPECT_EQ(StateOf(c.item, c.index), c.state);
        rig.Key(kKeyEnter);
        std::erase_if(rig.events,
                      [](int type) { return type != EV_ShowAbout && type != EV_BuildSubMenu; });
        EXPECT_EQ(rig.events, c.events);
    }
    EXPECT_EQ(rig.shell.fontSizes, (std::vector<int>{125, 75}));
    EXPECT_EQ(rig.shell.toolBarToggles, 1);
    EXPECT_EQ(rig.shell.chosenModels, (std::vector<ModelType>{MT_Lmr, MT_Pmr, MT_VaskPmr}));

    settings.toolBarVisible = 0;
    EXPECT_EQ(StateOf(CL_Menu_View_ToolBar, 0), 0);
}

// A disabled entry takes no Enter: Print Current Sheet prints nothing while no sheet may be
// printed.
TEST_F(ProgramMenuItemsTest, ADisabledEntryTakesNoEnter) {
    for (const bool printable : {false, true}) {
        rig.shell.sheetPrintable = printable;
        EXPECT_EQ(StateOf(CL_Menu_File_Print_Current, 0), printable ? 0 : kStateDisabled);
        rig.Key(kKeyEnter);
    }
    EXPECT_EQ(rig.shell.prints, (std::vector<int>{0}));
}

}  // namespace
