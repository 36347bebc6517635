#include "radio/cells/CellNames.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "radio/cells/CellNameTables.h"
#include "tests/support/RecordingBoxes.h"

namespace {

TEST(CellNames, EveryItemCodeHasOneNameThatMapsBack) {
    std::set<std::string> seen;
    for (int32_t code = 0; code < kCellItemCount; ++code) {
        const std::string name = CellItemCodeToName(code);
        ASSERT_FALSE(name.empty()) << code;
        EXPECT_TRUE(seen.insert(name).second) << name << " named twice";
        EXPECT_EQ(ItemNameToCode(name), code) << name;
    }
    EXPECT_EQ(CellItemCodeToName(-1), "");
    EXPECT_EQ(CellItemCodeToName(kCellItemCount), "");
}

// The groups of the item-name table: every name of a group carries its prefix, and the
// group starts and ends with the names the memory map gives those codes.
TEST(CellNames, EachGroupSitsAtItsCodes) {
    struct Group {
        int32_t first;
        int32_t last;
        const char* prefix;
        const char* firstName;
        const char* lastName;
    };
    const Group groups[] = {
        {0, 0, "CL_Null", "CL_Null", "CL_Null"},
        {1, 8, "Flex", "Flex0", "FlexScrmPort"},
        {9, 25, "CL_Menu_", "CL_Menu_File_New", "CL_Menu_Clone_Info"},
        {26, 28, "CL_Model_", "CL_Model_Lmr", "CL_Model_VaskPmr"},
        {29, 30, "CL_Help_", "CL_Help_About", "CL_Help_Contents"},
        {31, 35, "CL_Menu_Debug_", "CL_Menu_Debug_Compare", "CL_Menu_Debug_EeWindow"},
        {36, 36, "CallSheet", "CallSheet", "CallSheet"},
        {37, 43, "CL_Check_", "CL_Check_Mch", "CL_Check_Msk_Config"},
        {44, 53, "CL_CloneInfo_", "CL_CloneInfo_Model", "CL_CloneInfo_CheckSum"},
        {54, 70, "CL_EeDebugWin_", "CL_EeDebugWin_Adr", "CL_EeDebugWin_F"},
        {71, 80, "CL_PMenu_", "CL_PMenu_NoItem", "CL_PMenu_Help"},
        {81, 85, "CL_Bank_", "CL_Bank_SelBankFree", "CL_Bank_UsedLeft"},
        {86, 89, "CL_Mch_", "CL_Mch_BankText", "CL_Mch_UsedCHs"},
        {90, 90, "CL_FBits", "CL_FBits", "CL_FBits"},
        {91, 93, "CL_Misc_", "CL_Misc_ChNo_0Base", "CL_Misc_QuarterPillar"},
        {94, 137, "CL_Mch_", "CL_Mch_No", "CL_Mch_Msk_RxCNo"},
        {138, 220, "CL_Msk_", "CL_Msk_AdrRange_Individual", "CL_Msk_Cfg_Etc_PttEnableAtConnect"},
        {221, 260, "CL_KDisp_", "CL_KDisp_Key_Conv_RightUp", "CL_KDisp_PrioA_ClearDown"},
        {261, 272, "CL_SetM_", "CL_SetM_Backlight", "CL_SetM_BATVDisp"},
        {273, 284, "CL_USetM_", "CL_USetM_Backlight", "CL_USetM_BATVDisp"},
        {285, 326, "CL_Comm_", "CL_Comm_UserPassword", "CL_Comm_Wide"},
        {327, 350, "CL_Exp_", "CL_Exp_UserCtcss", "CL_Exp_PttSw"},
        {351, 351, "CL_CEdit", "CL_CEdit", "CL_CEdit"},
        {352, 357, "CL_Dtmf_", "CL_Dtmf_ChNo", "CL_Dtmf_MarkTimer"},
        {358, 359, "CL_CTone_", "CL_CTone_RX", "CL_CTone_TX"},
        {360, 369, "CL_Scan", "CL_ScanList_ScanMode", "CL_ScanComm_AutoChCall_PmrOnly"},
        {370, 391, "CL_2T", "CL_2T_RxFreq_1st", "CL_2T_2nd_Period"},
        {392, 441, "CL_", "CL_5TRx_RxCode", "CL_5TTx_PTTCallIna"},
        {442, 448, "CL_UTone_", "CL_UTone_Encode", "CL_UTone_Length"},
        {449, 560, "CL_Maker_", "CL_Maker_SqlDelay_Op", "CL_Maker_mRSSISL"},
        {561, 562, "CL_Model_Mdc", "CL_Model_MdcLmr", "CL_Model_MdcPmr"},
        {563, 563, "CL_Mch_Mdc_System", "CL_Mch_Mdc_System", "CL_Mch_Mdc_System"},
        {564, 698, "CL_Mdc_", "CL_Mdc_System_List_Text", "CL_Mdc_System_List_Revive"},
    };
    int32_t next = 0;
    for (const Group& g : groups) {
        EXPECT_EQ(g.first, next) << "groups leave a gap before " << g.firstName;
        EXPECT_EQ(CellItemCodeToName(g.first), g.firstName);
        EXPECT_EQ(CellItemCodeToName(g.last), g.lastName);
        for (int32_t code = g.first; code <= g.last; ++code) {
            EXPECT_THAT(CellItemCodeToName(code), testing::StartsWith(g.prefix)) << code;
        }
        next = g.last + 1;
    }
    EXPECT_EQ(next, kCellItemCount);
}

// Codes inside the groups that other parts of the program name directly.
TEST(CellNames, NamedCodesInsideTheGroups) {
    const std::pair<int32_t, const char*> named[] = {
        {72, "CL_PMenu_Edit"},
        {79, "CL_PMenu_Insert"},
        {95, "CL_Mch_Atr"},
        {97, "CL_Mch_FreqR"},
        {117, "CL_Mch_Moni"},
        {142, "CL_Msk_AdrRange_Killer"},
        {143, "CL_Msk_IdGroup_Adr"},
        {200, "CL_Msk_Cfg_Status_FixBaseId"},
        {207, "CL_Msk_Cfg_Gps_FixBaseId"},
        {240, "CL_KDisp_Key_SmTr_P3"},
        {419, "CL_Select_TX_Code"},
        {437, "CL_5TTx_DispDigit0"},
        {444, "CL_UTone_Dec_Low"},
        {445, "CL_UTone_Dec_High"},
        {472, "CL_Maker_RollStart_RX"},
        {657, "CL_Mdc_Alias2_Strip"},
        {672, "CL_Mdc_Alias5_Text"},
    };
    for (const auto& [code, name] : named) {
        EXPECT_EQ(CellItemCodeToName(code), name);
    }
}

TEST(CellNames, CategoriesInCodeOrder) {
    for (int32_t code = 0; code < kCellCategoryCount; ++code) {
        EXPECT_EQ(CategoryNameToCode(kCellCategoryNames[static_cast<size_t>(code)]), code);
    }
    EXPECT_EQ(CategoryNameToCode("CT_Null"), 0);
    EXPECT_EQ(CategoryNameToCode("CT_PopupMenu"), 1);
    EXPECT_EQ(CategoryNameToCode("CT_MDC_Alias"), 21);
}

TEST(CellNames, EmptyNamesMeanNone) {
    EXPECT_EQ(CategoryNameToCode(""), 22);
    EXPECT_EQ(ItemNameToCode(""), 699);
}

TEST(CellNames, UnknownNamesAreFatal) {
    testsupport::RecordingBoxes boxes;
    EXPECT_THROW(CategoryNameToCode("CT_Nope"), platform::FatalError);
    EXPECT_THROW(ItemNameToCode("cl_null"), platform::FatalError);
    // Both sets share one hash; a name of the other set is still unknown.
    EXPECT_THROW(ItemNameToCode("CT_Mch"), platform::FatalError);
    EXPECT_THROW(CategoryNameToCode("CL_Mch_No"), platform::FatalError);
    ASSERT_EQ(boxes.fatals.size(), 4u);
    EXPECT_EQ(boxes.fatals[0], "Cannot use the specified category.\n'CT_Nope'");
    EXPECT_EQ(boxes.fatals[1], "Cannot use the specified cell.\n'cl_null'");
}

}  // namespace
