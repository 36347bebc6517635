// Every cell a technician can reach from the tree, on every model type and in maker mode: an
// edit of it lasts through a save and an open, and no two cells of different settings write
// the same bit of the image. The sweeps run the program's own window, tree, sheets, rows and
// pop-up editors offscreen over each model type's initial clone file.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/cells/CellNames.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"
#include "tests/ui/support/SweepRig.h"

namespace {

using testsupport::SweepRig;
using Cell = SweepRig::Cell;
using Shown = SweepRig::Shown;

constexpr int kAnyIndex = -1;
constexpr int kKeySpace = ' ';
constexpr int kKeyBackspace = 8;
constexpr uint32_t kShownOnlyColour = 0x808000;  // teal: shown, deaf to keys
constexpr uint32_t kGreyedColour = 0xC0C0C0;     // silver: does not apply here
constexpr int kFixedStatusMessage = 23;          // the radio's own, after the 23 of the user

struct Listed {
    int item;
    int index;  // or kAnyIndex
    const char* reason;
};

// The cells shown without letting an edit last, each with its reason.
constexpr Listed kShownOnly[] = {
    {CL_Comm_Ctcss_RxAfFilt, kAnyIndex, "saving takes byte 378 bit 2 from the default image"},
    {CL_KDisp_HangAct_Moni, kAnyIndex, "saving takes byte 383 bit 7 from the default image"},
    {CL_KDisp_HangAct_PrioA, kAnyIndex, "saving takes byte 383 bit 6 from the default image"},
    {CL_KDisp_HangAct_Scan, kAnyIndex, "saving takes byte 383 bit 5 from the default image"},
    {CL_2T_ExoTimer, kAnyIndex, "saving takes byte 412 from the default image"},
    {CL_5TRx_ExoTimer, kAnyIndex, "saving takes byte 412 from the default image"},
    {CL_UTone_NotoneTimer, 15, "saving takes byte 686 from the default image (PMR types)"},
    {CL_Msk_IdGroup_SFunc, kAnyIndex, "saving takes each ID group's byte 12 bit 3 (Vask)"},
    {CL_Msk_Msg_Status_SFunc, kAnyIndex, "saving takes each status byte's bit 2 (Vask)"},
    {CL_Msk_Msg_Status_Beep, kFixedStatusMessage, "status message 24 is the radio's own"},
    {CL_Msk_Msg_Status_Auto, kFixedStatusMessage, "status message 24 is the radio's own"},
    {CL_Msk_Msg_Status_Text_Rx, kFixedStatusMessage, "status message 24 is the radio's own"},
};

bool Lists(std::span<const Listed> list, const Cell& cell) {
    return std::any_of(list.begin(), list.end(), [&](const Listed& entry) {
        return entry.item == cell.item && (entry.index == kAnyIndex || entry.index == cell.index);
    });
}

// A cell greyed because it does not apply to its record or the model type ("----", "-").
bool Greyed(const Shown& shown) {
    return shown.colour == kGreyedColour && !shown.text.empty() &&
           shown.text.find_first_not_of('-') == std::string::npos;
}

struct Mode {
    ModelType model;
    bool maker;
    const char* name;
};

// Maker mode adds the maker branch to the tree and nothing else: its sweep covers that branch.
constexpr Mode kModes[] = {
    {MT_Lmr, false, "Lmr"},           {MT_Pmr, false, "Pmr"},
    {MT_VaskPmr, false, "VaskPmr"},   {MT_MdcLmr, false, "MdcLmr"},
    {MT_MdcPmr, false, "MdcPmr"},     {MT_Lmr, true, "LmrMaker"},
    {MT_Pmr, true, "PmrMaker"},       {MT_VaskPmr, true, "VaskPmrMaker"},
    {MT_MdcLmr, true, "MdcLmrMaker"}, {MT_MdcPmr, true, "MdcPmrMaker"},
};

std::string ModeName(const ::testing::TestParamInfo<Mode>& info) {
    return info.param.name;
}

// ---- Every edit lasts ----

struct Edit {
    Cell cell;
    Shown before;
    std::string after;  // right after the edit
    std::string last;   // when every cell was edited
};

class EditsLast : public ::testing::TestWithParam<Mode> {
protected:
    // Each cell of each sheet edited in turn, then every cell read once more. Enter types the
    // value that the cell showed before the steps where it differs (a value the cell takes).
    std::vector<Edit> EditEveryCell(const std::vector<Edit>* steps = nullptr) {
        std::map<std::string, std::string> beforeSteps;
        for (const Edit& step : steps ? *steps : std::vector<Edit>()) {
            beforeSteps[SweepRig::Name(step.cell)] = step.before.text;
        }
        std::vector<Edit> edits;
        for (const std::string& spec : rig.Sheets(GetParam().maker)) {
            rig.Open(spec);
            for (const Cell& cell : rig.ValueCells()) {
                Edit edit{cell, rig.Show(cell), {}, {}};
                if (steps) {
                    rig.EnterOther(cell, beforeSteps[SweepRig::Name(cell)]);
                } else {
                    rig.Step(cell);
                }
                edit.after = rig.Text(cell);
                edits.push_back(edit);
            }
        }
        ForEachCell(edits, [this](Edit& edit) { edit.last = rig.Text(edit.cell); });
        return edits;
    }

    template <class Visit>
    void ForEachCell(std::vector<Edit>& edits, Visit visit) {
        std::string open;
        for (Edit& edit : edits) {
            if (edit.cell.spec != open) {
                open = edit.cell.spec;
                rig.Open(open);
            }
            visit(edit);
        }
    }

    // Saved and opened again, every cell shows what it showed before the save.
    void ExpectKeptThroughSaveAndOpen(std::vector<Edit>& edits, const char* pass) {
        rig.SaveAndReopen();
        ForEachCell(edits, [&](Edit& edit) {
            EXPECT_EQ(rig.Text(edit.cell), edit.last)
                << pass << ": " << SweepRig::Name(edit.cell) << " edited from '" << edit.before.text
                << "' to '" << edit.after << "'";
        });
    }

    SweepRig rig{GetParam().model, GetParam().maker};
};

TEST_P(EditsLast, EveryCellKeepsItsEditThroughASaveAndAnOpen) {
    // The cover lines open only sheets of the tree, in the tree's style.
    const std::vector<std::string> tree = rig.Sheets();
    for (const std::string& linked : rig.LinkedSheets()) {
        EXPECT_NE(std::find(tree.begin(), tree.end(), linked), tree.end()) << linked;
    }

    std::vector<Edit> steps = EditEveryCell();
    ASSERT_FALSE(steps.empty());
    ExpectKeptThroughSaveAndOpen(steps, "a step");
    std::vector<Edit> entries = EditEveryCell(&steps);
    ExpectKeptThroughSaveAndOpen(entries, "Enter");

    // Every cell takes one edit or the other, but those shown only and those greyed.
    std::map<std::string, bool> changed;
    for (const std::vector<Edit>* pass : {&steps, &entries}) {
        for (const Edit& edit : *pass) {
            changed[SweepRig::Name(edit.cell)] |= edit.after != edit.before.text;
        }
    }
    for (const Edit& edit : steps) {
        const std::string name = SweepRig::Name(edit.cell);
        if (Lists(kShownOnly, edit.cell)) {
            EXPECT_FALSE(changed[name]) << name << " is shown only";
            if (!edit.before.text.empty()) {
                EXPECT_EQ(edit.before.colour, kShownOnlyColour) << name << " is shown only";
            }
        } else if (!Greyed(edit.before)) {
            EXPECT_TRUE(changed[name]) << name << " '" << edit.before.text << "' takes no edit";
        }
    }
    EXPECT_TRUE(rig.main.boxes.fatals.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryModelType, EditsLast, ::testing::ValuesIn(kModes), ModeName);

// ---- Every setting its own bits ----

struct Sharing {
    int writer;
    int other;
    bool sameIndex;
    const char* reason;
};

// Cells of different settings that write the same bits by design, each with its reason.
constexpr Sharing kSharing[] = {
    {CL_Comm_Tot_ID_Out, CL_Comm_Tot_Dtmf_ID_Out, true, "one bit, shown on two lines"},
    {CL_2T_RxFreq_1st, CL_2TTx_Freq_1st, true, "the code's first tone, with its window"},
    {CL_2T_RxFreq_2nd, CL_2TTx_Freq_2nd, true, "the code's second tone, with its window"},
    {CL_UTone_Encode, CL_UTone_Dec_Low, true, "a user tone sets its decoder window"},
    {CL_UTone_Encode, CL_UTone_Dec_High, true, "a user tone sets its decoder window"},
    {CL_Mch_FreqR, CL_Mch_FreqT, true, "a transmit side that follows the receive side moves"},
    {CL_Mch_CTone_R, CL_Mch_CTone_T, true, "a transmit side that follows the receive side moves"},
    {CL_CTone_RX, CL_CTone_TX, true, "a transmit side that follows the receive side moves"},
    {CL_Mch_Atr, CL_Mch_Atr, false, "each attribute byte holds the number of one channel"},
    {CL_Mch_Bank, CL_Mch_Bank, false, "a bank's size moves the channels behind it"},
    {CL_Mch_Bank, CL_Mch_Atr, false, "the attribute channels' numbers move with them"},
    {CL_Bank_SelBankFree, CL_Mch_Bank, false, "banked or free mode sizes the first two banks"},
};

bool MayShare(const Cell& a, const Cell& b) {
    return std::any_of(std::begin(kSharing), std::end(kSharing), [&](const Sharing& rule) {
        const bool items = (rule.writer == a.item && rule.other == b.item) ||
                           (rule.writer == b.item && rule.other == a.item);
        return items && (!rule.sameIndex || a.index == b.index);
    });
}

// Written when a bank's size packs the image: the packed area and the places it is told at.
bool WrittenByPacking(int address) {
    using namespace layout;
    if (address >= kPackedArea && address < kRadioPartSize) {
        return true;
    }
    if (address >= kPackedHeaderZeroByte && address <= kPackedEnd + 1) {
        return true;
    }
    if (address >= kMdcAliasDescriptors &&
        address < kMdcAliasDescriptors + kMdcSubBlockCount * kMdcAliasDescriptorSize) {
        return true;
    }
    for (int k = 0; k < kMdcSubBlockCount; ++k) {
        for (int start : {kMdcBlock1Starts, kMdcBlock2Starts}) {
            const int at = start + kMdcStartStride * k;
            if (address == at || address == at + 1) {
                return true;
            }
        }
    }
    return false;
}

using Bit = std::pair<int, int>;  // address, mask

class SettingsOwnTheirBits : public ::testing::TestWithParam<Mode> {
protected:
    // The bits each edit changes, from the document as the sweep began: a step up and a step
    // down where the cell has them, else an edit in its pop-up editor.
    void NoteWriters(const Cell& cell) {
        const size_t size = static_cast<size_t>(image.GetSize());
        std::vector<uint8_t> changed(size);
        const auto collect = [&] {
            const uint8_t* now = image.GetData();
            const uint8_t* before = start.GetData();
            for (size_t a = 0; a < size; ++a) {
                changed[a] |= now[a] ^ before[a];
            }
            image.Assign(start);
        };
        if (SweepRig::Steps(cell)) {
            rig.Step(cell, kKeySpace);
            rig.Step(cell, kKeySpace);
            collect();
            rig.Step(cell, kKeyBackspace);
            rig.Step(cell, kKeyBackspace);
            collect();
        } else {
            rig.EnterOther(cell);
            collect();
        }
        for (size_t a = 0; a < size; ++a) {
            const int address = static_cast<int>(a);
            for (int mask = 1; changed[a] && mask < 0x100 && !WrittenByPacking(address);
                 mask <<= 1) {
                if (changed[a] & mask) {
                    AddWriter({address, mask}, cell);
                }
            }
        }
    }

    void AddWriter(const Bit& bit, const Cell& cell) {
        std::vector<Cell>& cells = writers[bit];
        const bool known = std::any_of(cells.begin(), cells.end(), [&](const Cell& other) {
            return other.item == cell.item && other.index == cell.index;
        });
        if (!known) {
            cells.push_back(cell);
        }
    }

    // Maker mode reaches every sheet that the model type's tree has.
    SweepRig rig{GetParam().model, true};
    cmcEeprom& image = rig.main.main->CurrentImage();
    cmcEeprom start;
    std::map<Bit, std::vector<Cell>> writers;
};

TEST_P(SettingsOwnTheirBits, NoTwoSettingsWriteOneBit) {
    start.Assign(image);
    for (const std::string& spec : rig.Sheets()) {
        rig.Open(spec);
        for (const Cell& cell : rig.ValueCells()) {
            NoteWriters(cell);
        }
    }
    ASSERT_FALSE(writers.empty());
    std::set<std::string> reported;
    for (const auto& [bit, cells] : writers) {
        for (size_t i = 0; i < cells.size(); ++i) {
            for (size_t j = i + 1; j < cells.size(); ++j) {
                const std::string pair =
                    SweepRig::Name(cells[i]) + " and " + SweepRig::Name(cells[j]);
                if (!MayShare(cells[i], cells[j]) && reported.insert(pair).second) {
                    ADD_FAILURE() << pair << " both write byte " << bit.first << " mask 0x"
                                  << std::hex << bit.second;
                }
            }
        }
    }
}

constexpr Mode kTypes[] = {
    {MT_Lmr, true, "Lmr"},       {MT_Pmr, true, "Pmr"},       {MT_VaskPmr, true, "VaskPmr"},
    {MT_MdcLmr, true, "MdcLmr"}, {MT_MdcPmr, true, "MdcPmr"},
};
INSTANTIATE_TEST_SUITE_P(EveryModelType, SettingsOwnTheirBits, ::testing::ValuesIn(kTypes),
                         ModeName);

}  // namespace
