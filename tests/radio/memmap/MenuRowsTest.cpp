// The File, Port and Clone menus' rows: the commands they run on Enter, the recent files and
// the port and speed settings they show and change.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/cmcEventTypes.h"
#include "radio/cells/CellCodes.h"
#include "tests/radio/support/CellRig.h"

namespace {

using radiotest::CellRig;

class MenuRowsTest : public ::testing::Test {
protected:
    // The cell's state bits after a run with the key (0 as a menu asks, 13 a click).
    uint8_t Run(int code, int index, int key) {
        rig.At(code, index);
        rig.cell.SetCaption("Caption");
        rig.cell.stateBits = 0;
        if (key == 0) {
            rig.Paint();
        } else {
            rig.Key(key);
        }
        return rig.cell.stateBits;
    }

    CellRig rig;
};

TEST_F(MenuRowsTest, CommandsRunOnEnterOnly) {
    const struct {
        int code;
        const char* command;
    } cases[] = {
        {CL_Menu_File_New, "FileNew"},          {CL_Menu_File_Open, "FileOpen"},
        {CL_Menu_File_Save, "FileSave"},        {CL_Menu_File_SaveAs, "FileSaveAs"},
        {CL_Menu_File_Exit, "CloseMainWindow"}, {CL_Menu_Clone_Read, "CloneRead"},
        {CL_Menu_Clone_Write, "CloneWrite"},    {CL_Menu_Clone_Info, "CloneInfo"},
    };
    for (const auto& c : cases) {
        rig.shell.menuCommands.clear();
        EXPECT_EQ(Run(c.code, 0, 0), 0) << c.command;
        EXPECT_EQ(Run(c.code, 0, ' '), 0) << c.command;
        EXPECT_TRUE(rig.shell.menuCommands.empty()) << c.command;
        Run(c.code, 0, 13);
        EXPECT_EQ(rig.shell.menuCommands, std::vector<std::string>{c.command});
        EXPECT_EQ(rig.Paint(), "Caption") << c.command;
    }
}

TEST_F(MenuRowsTest, RecentFilesShowTheirNameFromTheCurrentFolder) {
    indEnviron& settings = rig.shell.Settings();
    settings.currentFolder = "/home/tech/radios";
    // An empty list: the first entry keeps its caption, disabled; the others are hidden too.
    EXPECT_EQ(Run(CL_Menu_File_Recent, 0, 0), kStateDisabled);
    EXPECT_EQ(rig.cell.GetCaption(), "Caption");
    EXPECT_EQ(Run(CL_Menu_File_Recent, 3, 0), kStateDisabled | kStateHidden);

    settings.recentFiles.AddToTop("/srv/old/R&D.tov");
    settings.recentFiles.AddToTop("/home/tech/radios/shop.tov");
    EXPECT_EQ(Run(CL_Menu_File_Recent, 0, 0), kStateCaptionReplaced);
    EXPECT_EQ(rig.cell.GetCaption(), "&1 shop.tov");
    EXPECT_EQ(Run(CL_Menu_File_Recent, 1, 0), kStateCaptionReplaced);
    EXPECT_EQ(rig.cell.GetCaption(), "&2 /srv/old/R&&D.tov") << "the name's & is no mnemonic";
    EXPECT_EQ(Run(CL_Menu_File_Recent, 2, 0), kStateDisabled | kStateHidden);
    EXPECT_TRUE(rig.shell.menuCommands.empty());

    Run(CL_Menu_File_Recent, 1, 13);
    EXPECT_EQ(rig.shell.menuCommands, std::vector<std::string>{"OpenRecentFile 1"});
    rig.shell.menuCommands.clear();
    Run(CL_Menu_File_Recent, 2, 13);
    EXPECT_TRUE(rig.shell.menuCommands.empty()) << "an empty entry opens nothing";
}

TEST_F(MenuRowsTest, PortAndSpeedEntriesShowAndChangeTheSettings) {
    indEnviron& settings = rig.shell.Settings();
    settings.portNumber = 2;
    settings.highSpeed = 1;
    EXPECT_EQ(Run(CL_Menu_Port_Com, 1, 0), 0);
    EXPECT_EQ(Run(CL_Menu_Port_Com, 2, 0), kStateChecked);
    EXPECT_EQ(Run(CL_Menu_Port_Usb, 0, 0), kStateCaptionReplaced);
    EXPECT_EQ(rig.cell.GetCaption(), "&Other Port...");
    EXPECT_EQ(Run(CL_Menu_Port_SpeedHigh, 0, 0), 0);
    EXPECT_EQ(Run(CL_Menu_Port_SpeedHigh, 1, 0), kStateChecked);
    rig.events.clear();

    // A port chosen: the menus and tool bar learn it at once.
    EXPECT_EQ(Run(CL_Menu_Port_Com, 3, 13), kStateChecked);
    EXPECT_EQ(settings.portNumber, 3);
    EXPECT_NE(std::find(rig.events.begin(), rig.events.end(), EV_RefreshCommands),
              rig.events.end());
    EXPECT_EQ(Run(CL_Menu_Port_SpeedHigh, 0, 13), kStateChecked);
    EXPECT_EQ(settings.highSpeed, 0);

    // A port beyond the listed four is the other port's, which names it; Enter asks for it in
    // the dialog.
    settings.portNumber = 5;
    EXPECT_EQ(Run(CL_Menu_Port_Usb, 0, 0), kStateChecked | kStateCaptionReplaced);
    EXPECT_EQ(rig.cell.GetCaption(), "&Other Port: COM5...");
    EXPECT_EQ(Run(CL_Menu_Port_Com, 4, 0), 0);
    rig.shell.menuCommands.clear();
    Run(CL_Menu_Port_Usb, 0, 13);
    EXPECT_EQ(rig.shell.menuCommands, std::vector<std::string>{"SelectComPort"});
}

}  // namespace
