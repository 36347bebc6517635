#include "loader/LoaderTextTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loader/clsGTex.h"
#include "loader/clsStrCom.h"

namespace {

class LoaderTextTableTest : public ::testing::Test {
protected:
    LoaderTextTableTest() { table.SetLines(kLoaderTextTable); }

    // The field names (field 0, blanks trimmed) of the lines of a key up to "#" or `count`.
    std::vector<std::string> Names(const std::string& key, int count) {
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            clsStrCom line;
            line.Set(table.GetLine(key, i));
            std::string name = line.GetField("@", 0);
            names.push_back(name.substr(0, name.find_last_not_of(' ') + 1));
        }
        return names;
    }

    // An error message as the window builds it: "$" is a line break, field 0 is not shown.
    std::string ErrorText(int code) {
        clsStrCom line;
        line.Set(table.GetLine("Seq_Mess_Error_Main", code));
        std::string text = table.GetLine("Seq_Mess_Error_Top", 0);
        for (int i = 1; i < line.CountFields("@"); ++i) {
            std::string field = line.GetField("@", i);
            text += field == "$" ? "\r\n" : field;
        }
        return text;
    }

    clsGTex table;
};

TEST_F(LoaderTextTableTest, HasEveryLineAndEndsTheIndex) {
    for (const char* line : kLoaderTextTable) {
        ASSERT_NE(line, nullptr);
    }
    EXPECT_EQ(std::string(kLoaderTextTable.back()), "#End_Of_Ovl");
}

TEST_F(LoaderTextTableTest, SystemAndApplicationTexts) {
    EXPECT_EQ(table.GetLine("Sys_Ovl", 0), "OVL");
    EXPECT_EQ(table.GetLine("Sys_AppTitle", 0), "Merrow Rev.2.0 Flash Loader");
    EXPECT_EQ(table.GetLine("Sys_Form_Size", 0), "560");
    EXPECT_EQ(table.GetLine("Sys_Form_Size", 1), "400");
    EXPECT_EQ(table.GetLine("Sys_Font_Name", 0), "Arial");
    EXPECT_EQ(table.GetLine("Sys_Font_Size", 0), "10");
    EXPECT_EQ(table.GetLine("Sys_Font_CharSet", 0), "1");
    EXPECT_EQ(table.GetLine("App_MenuList", 0), "+&File");
    EXPECT_EQ(table.GetLine("App_MenuList", 7), " +COM &4");
    EXPECT_EQ(table.GetLine("App_MenuList", 8), "");  // ends the menu
    EXPECT_EQ(table.GetLine("App_ButtonCaption", 2), "Exit");
    EXPECT_EQ(table.GetLine("App_Dialog_FOpen", 0), "mot");
    EXPECT_EQ(table.GetLine("App_Dialog_FOpen", 1),
              "ROM image files (*.mot)|*.mot|All files (*.*)|*.*");
    EXPECT_EQ(table.GetLine("Seq_Message_00", 0), "Merrow Rev.2.0 Flash Loader");
    EXPECT_EQ(table.GetLine("Seq_Message_00", 2), "#");
    EXPECT_EQ(table.GetLine("Seq_Message_OpWarn", 0),
              "For the Merrow/Selkie Conventional RADIOs ONLY.");
    EXPECT_EQ(table.GetLine("Seq_Message_OpWarn", 1), "#");
    EXPECT_EQ(table.GetLine("Seq_File_Flashw", 0), "FLASHW.FRM");
    EXPECT_EQ(table.GetLine("Seq_Mess_Cancel", 0), "* Cancel *");
    EXPECT_EQ(table.GetLine("Seq_Mess_Error_Top", 0), "Error ");
}

TEST_F(LoaderTextTableTest, OneTipPerStateThenTheEndMark) {
    const std::vector<std::string> states = {
        "WaitEcho",        "Opening",          "Reset",           "Standby",
        "RomFile_Open",    "RomFile_Load",     "RomFile_Ok",      "Ready",
        "Start",           "CommOpen",         "Boot_Reset_On",   "Boot_Mode_ON",
        "Boot_Reset_Off",  "Boot_Check_Setup", "Boot_Check_Loop", "BitRate_00_First",
        "BitRate_00_Next", "Bitrate_Send55",   "Bitrate_WaitAA",  "FlachChk_Setup",
        "FlachChk",        "Firm_SendAdr",     "Firm_ReplyAdr_U", "Firm_ReplyAdr_L",
        "Firm_SendData",   "Firm_WaitAA",      "RomW_Setup",      "RomW_Setup_Wait",
        "RomW_ChkRig",     "RomW_Data",        "RomW_Sum",        "Wake_Reset_Req",
        "Wake_Reset_On",   "Wake_Mode_Off",    "Wake_Reset_Off",  "Completed",
    };
    EXPECT_EQ(Names("Seq_Mess_SequenceTips", 36), states);
    EXPECT_EQ(table.GetLine("Seq_Mess_SequenceTips", 36), "#");
    EXPECT_EQ(table.GetLine("Seq_Mess_SequenceTips", 3), "Standby          @%R");
}

TEST_F(LoaderTextTableTest, ErrorTextsFollowTheErrorTop) {
    const std::vector<std::string> errors = {
        "None",       "RomImage_Open", "RomImage_Format", "ComOpen",   "Boot",     "Bitrate",
        "FirmUpload", "Product",       "RomData",         "WakeAgain", "MisMatch", "Unknown",
    };
    EXPECT_EQ(Names("Seq_Mess_Error_Main", 12), errors);
    EXPECT_EQ(ErrorText(1), "Error \r\nCannot open ROM image file.");
    EXPECT_THAT(ErrorText(4), testing::StartsWith(
                                  "Error \r\nCannot make boot mode.\r\n\r\nCheck the following:"));
    EXPECT_THAT(ErrorText(5), testing::StartsWith("Error in bitrate setting.\r\n"));
    EXPECT_EQ(ErrorText(7), "Error !\r\n\r\nIllegal ESN.\r\nFirmware update was cancelled.");
    EXPECT_EQ(ErrorText(3),
              "Error \r\nCannot open COM port.\r\n\r\nCheck the following:\r\n\r\n"
              "- The COM port settings.");
}

}  // namespace
