// The warning checks: each sums up the marks of the fields it covers.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "radio/cells/CellCodes.h"
#include "radio/image/BankSize.h"
#include "radio/memmap/indActiveCell.h"
#include "radio/memmap/items/ItemGroups.h"
#include "tests/radio/support/CellRig.h"
#include "tests/support/MemorySettings.h"

namespace {

using namespace memmap;

// The marks the fields give themselves, by (item, index): set by each case.
std::map<std::pair<int, int>, uint8_t> fieldMarks;

int MarkedField(ItemContext& context, const ItemRow&) {
    const auto found = fieldMarks.find({context.item, context.index});
    if (found != fieldMarks.end()) {
        context.capsule.marks |= found->second;
    }
    return 0;
}

constexpr ItemRow kFieldRows[] = {
    Special(CL_Mch_Moni, &MarkedField),
    Special(CL_Mch_Sel, &MarkedField),
    Special(CL_Mch_Call, &MarkedField),
    Special(CL_Mch_PTT, &MarkedField),
    Special(CL_Mch_CH_Mute, &MarkedField),
    Special(CL_UTone_Dec_Low, &MarkedField),
    Special(CL_UTone_Dec_High, &MarkedField),
    Special(CL_Msk_AdrRange_Killer, &MarkedField),
    Special(CL_Msk_IdGroup_Adr, &MarkedField),
    Special(CL_Msk_Cfg_Status_FixBaseId, &MarkedField),
    Special(CL_Msk_Cfg_Gps_FixBaseId, &MarkedField),
};

TEST(WarningChecks, SumUpTheMarksOfTheirFields) {
    const ItemRegistry rows{CheckRows(), kFieldRows};
    testsupport::MemorySettings stores;
    radiotest::CellRig rig(rows);
    // Bank 0 holds channels 0..3, bank 1 channels 4..7.
    WriteBankSize(rig.shell.image, 0, 4);
    WriteBankSize(rig.shell.image, 1, 4);
    constexpr uint8_t W = kMarkWarning;
    constexpr uint8_t E = kMarkError;
    const struct Case {
        ModelType model;
        int check;
        int bank;
        int item;  // of the marked field
        int index;
        uint8_t fieldMark;
        uint8_t marks;  // of the check
    } cases[] = {
        {MT_VaskPmr, CL_Check_Mch, 1, CL_Mch_Moni, 4, W, W},
        {MT_VaskPmr, CL_Check_Mch, 1, CL_Mch_Moni, 7, E, 0},
        {MT_VaskPmr, CL_Check_Mch, 1, CL_Mch_PTT, 7, E, E},
        {MT_VaskPmr, CL_Check_Mch, 1, CL_Mch_CH_Mute, 5, E | W, E},
        {MT_VaskPmr, CL_Check_Mch, 1, CL_Mch_Sel, 3, E, 0},
        {MT_VaskPmr, CL_Check_Mch, 0, CL_Mch_Sel, 3, E, E},
        {MT_VaskPmr, CL_Check_Mch, 0, CL_Mch_Call, 8, E, 0},
        {MT_Pmr, CL_Check_Mch, 1, CL_Mch_PTT, 5, E | W, 0},
        {MT_Pmr, CL_Check_User_Tone_Encode, 0, CL_UTone_Dec_High, 14, W, W},
        // The LMR types have no user tones: their bytes are the two-tone windows.
        {MT_Lmr, CL_Check_User_Tone_Encode, 0, CL_UTone_Dec_High, 14, W, 0},
        {MT_MdcLmr, CL_Check_User_Tone_Encode, 0, CL_UTone_Dec_Low, 0, W, 0},
        {MT_Pmr, CL_Check_User_Tone_Encode, 0, CL_UTone_Dec_Low, 0, W, W},
        {MT_Pmr, CL_Check_User_Tone_Encode, 0, CL_UTone_Dec_Low, 15, W, 0},
        {MT_Pmr, CL_Check_User_Tone_Encode, 0, CL_UTone_Dec_Low, 3, E, 0},
        {MT_VaskPmr, CL_Check_Msk_IdRange, 0, CL_Msk_AdrRange_Killer, 0, E, E},
        {MT_Pmr, CL_Check_Msk_IdRange, 0, CL_Msk_AdrRange_Killer, 0, E, 0},
        {MT_VaskPmr, CL_Check_Msk_OwnIdGroup, 0, CL_Msk_IdGroup_Adr, 7, E, E},
        {MT_VaskPmr, CL_Check_Msk_OwnIdGroup, 0, CL_Msk_IdGroup_Adr, 8, E, 0},
        {MT_MdcPmr, CL_Check_Msk_OwnIdGroup, 0, CL_Msk_IdGroup_Adr, 0, E, 0},
        {MT_VaskPmr, CL_Check_Msk_Config, 0, CL_Msk_Cfg_Status_FixBaseId, 0, E, E},
        {MT_VaskPmr, CL_Check_Msk_Config, 0, CL_Msk_Cfg_Gps_FixBaseId, 0, E, E},
        {MT_VaskPmr, CL_Check_Msk_Config, 0, CL_Msk_Cfg_Gps_FixBaseId, 0, W, 0},
        {MT_Lmr, CL_Check_Msk_Config, 0, CL_Msk_Cfg_Gps_FixBaseId, 0, E, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.check << " model " << c.model << " field " << c.item
                                          << "[" << c.index << "]");
        rig.shell.model = c.model;
        fieldMarks = {{{c.item, c.index}, c.fieldMark}};
        cmcCellCapsule capsule;
        rig.At(c.check);
        capsule.cell = &rig.cell;
        capsule.bankContext = c.bank;
        indActiveCell(rows).DispatchItem(capsule, 0);
        EXPECT_EQ(capsule.marks & (kMarkError | kMarkWarning), c.marks);
    }
    fieldMarks.clear();
}

}  // namespace
