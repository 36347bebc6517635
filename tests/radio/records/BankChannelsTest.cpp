#include "radio/records/BankChannels.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "radio/image/BankTable.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/BankChannelEdits.h"
#include "radio/records/datCh.h"
#include "tests/radio/support/ChannelRig.h"

// Banks growing and shrinking on the rig's document: banks 0..2 of 3, 5 and 2 channels, the
// channels tagged 1..6 at positions 0..5 and 9, 10 at 8, 9; positions 6 and 7 unused.
namespace {

using radiotest::ChannelRig;

const std::vector<int> kBefore = {1, 2, 3, 4, 5, 6, 0, 0, 9, 10, 0, 0};

struct ResizeCase {
    const char* name;
    std::vector<int> banks;  // before; bank 3 fills the memory where a case needs it
    int bank;
    int requested;
    std::vector<std::string> boxes;
    std::vector<int> banksAfter;
    std::vector<int> tags;  // positions 0..11 afterwards
    std::function<void(cmcEeprom&)> prepare = nullptr;
};

const std::vector<ResizeCase>& ResizeCases() {
    static const std::vector<ResizeCase> cases = {
        {"growing opens empty channels at the bank's end",
         {3, 5, 2},
         1,
         7,
         {},
         {3, 7, 2, 0},
         {1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 9, 10}},
        {"growing an empty first bank opens its channel at position 0",
         {0, 8, 2},
         0,
         1,
         {},
         {1, 8, 2, 0},
         {0, 1, 2, 3, 4, 5, 6, 0, 0, 9, 10, 0}},
        {"growing a full memory says so and changes nothing",
         {3, 5, 2, 246},
         1,
         6,
         {"GI_AppMess_ChErr_Overflow"},
         {3, 5, 2, 246},
         kBefore},
        {"growing past the free channels says so and grows by what is free",
         {3, 5, 2, 244},
         1,
         10,
         {"GI_AppMess_ChErr_Overflow"},
         {3, 7, 2, 244},
         {1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 9, 10}},
        {"shrinking removes the unused channels at the end",
         {3, 5, 2},
         1,
         3,
         {},
         {3, 3, 2, 0},
         {1, 2, 3, 4, 5, 6, 9, 10, 0, 0, 0, 0}},
        {"shrinking past a used channel says so and stops before it",
         {3, 5, 2},
         1,
         2,
         {"GI_AppMess_ChErr_NotBlank"},
         {3, 3, 2, 0},
         {1, 2, 3, 4, 5, 6, 9, 10, 0, 0, 0, 0}},
        {"a negative size says so and removes the unused channels",
         {3, 5, 2},
         1,
         -1,
         {"GI_AppMess_ChErr_NoCh"},
         {3, 3, 2, 0},
         {1, 2, 3, 4, 5, 6, 9, 10, 0, 0, 0, 0}},
        {"a priority channel at the end is kept",
         {3, 5, 2},
         1,
         4,
         {"GI_AppMess_ChErr_NotBlank"},
         {3, 5, 2, 0},
         kBefore,
         [](cmcEeprom& image) { image.GetData()[layout::kAttr1Channel] = 7; }},
    };
    return cases;
}

TEST(BankChannels, ResizeKeepsSizesAndChannelsInStep) {
    for (const ResizeCase& c : ResizeCases()) {
        SCOPED_TRACE(c.name);
        ChannelRig rig;
        rig.SetBanks(c.banks);
        if (c.prepare) {
            c.prepare(rig.shell.image);
        }
        const int size =
            ResizeBank(rig.shell.image, rig.shell.defaultImage, RK_ChPmr, c.bank, c.requested);
        EXPECT_EQ(size, c.banksAfter[static_cast<size_t>(c.bank)]);
        EXPECT_EQ(rig.Banks(4), c.banksAfter);
        EXPECT_EQ(rig.Tags(RK_ChPmr, 12), c.tags);
        EXPECT_EQ(rig.BoxTexts(), rig.Texts(c.boxes));
        for (const auto& box : rig.boxes.boxes) {
            EXPECT_EQ(box.icon, platform::BoxIcon::Error);
        }
    }
}

// The record operation alone: the same channels move, the refusal is only reported.
TEST(BankChannels, ResizeWithinLimitsShowsNothingAndReportsTheRefusal) {
    const auto key = [](BankSizeRefusal refusal) -> std::vector<std::string> {
        switch (refusal) {
            case BankSizeRefusal::Overflow:
                return {"GI_AppMess_ChErr_Overflow"};
            case BankSizeRefusal::NoChannels:
                return {"GI_AppMess_ChErr_NoCh"};
            case BankSizeRefusal::NotBlank:
                return {"GI_AppMess_ChErr_NotBlank"};
            case BankSizeRefusal::None:
                break;
        }
        return {};
    };
    for (const ResizeCase& c : ResizeCases()) {
        SCOPED_TRACE(c.name);
        ChannelRig rig;
        rig.SetBanks(c.banks);
        if (c.prepare) {
            c.prepare(rig.shell.image);
        }
        EXPECT_EQ(key(GetBankSizeRefusal(rig.shell.image, RK_ChPmr, c.bank, c.requested)), c.boxes);
        const int size = ResizeBankWithinLimits(rig.shell.image, rig.shell.defaultImage, RK_ChPmr,
                                                c.bank, c.requested);
        EXPECT_EQ(size, c.banksAfter[static_cast<size_t>(c.bank)]);
        EXPECT_EQ(rig.Banks(4), c.banksAfter);
        EXPECT_EQ(rig.Tags(RK_ChPmr, 12), c.tags);
        EXPECT_TRUE(rig.boxes.boxes.empty());
    }
    ChannelRig rig;
    EXPECT_EQ(GetBankSizeRefusal(rig.shell.image, RK_ChPmr, 16, 300), BankSizeRefusal::None);
    EXPECT_EQ(GetBankSizeRefusal(rig.shell.image, RK_CEdit, 1, 300), BankSizeRefusal::None);
}

TEST(BankChannels, SizeLimitsAreTheRemovableAndTheFreeChannels) {
    ChannelRig rig;
    BankSizeLimits limits = GetBankSizeLimits(rig.shell.image, RK_ChPmr, 1);
    EXPECT_EQ(limits.lowest, 3);
    EXPECT_EQ(limits.highest, 5 + 246);
    limits = GetBankSizeLimits(rig.shell.image, RK_ChPmr, 16);
    EXPECT_EQ(limits.lowest, 0);
    EXPECT_EQ(limits.highest, 0);
}

TEST(BankChannels, InsertAndDeleteRefusePositionsOutsideTheBank) {
    struct Case {
        const char* name;
        bool insert;
        std::vector<int> banks;
        int bank;
        int position;
        bool done;
    } cases[] = {
        {"insert after the bank's last channel", true, {3, 5, 2}, 1, 8, true},
        {"insert past the line after the bank", true, {3, 5, 2}, 1, 9, false},
        {"insert before the bank", true, {3, 5, 2}, 1, 2, false},
        {"insert into a full memory", true, {3, 5, 248}, 1, 4, false},
        {"insert into a bank beyond the table", true, {3, 5, 2}, 16, 10, false},
        {"delete the bank's last channel", false, {3, 5, 2}, 1, 7, true},
        {"delete past the bank's last channel", false, {3, 5, 2}, 1, 8, false},
        {"delete from an empty bank", false, {3, 0, 2}, 1, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChannelRig rig;
        rig.SetBanks(c.banks);
        cmcEeprom before;
        before.Assign(rig.shell.image);
        cmcEeprom& image = rig.shell.image;
        cmcEeprom& empty = rig.shell.defaultImage;
        bool done = c.insert ? InsertChannelAt(image, empty, RK_ChPmr, c.bank, c.position)
                             : DeleteChannelAt(image, empty, RK_ChPmr, c.bank, c.position);
        EXPECT_EQ(done, c.done);
        if (!done) {
            EXPECT_TRUE(image.IsEqual(before));
        } else {
            EXPECT_EQ(GetBankSizeOf(image, c.bank), c.banks[1] + (c.insert ? 1 : -1));
        }
    }
}

// A channel that moves takes its entries, scan lists and references along; bank flags stay
// with the banks; the freed last position is the default image's.
TEST(BankChannels, AMovedChannelTakesEverythingOfItsOwn) {
    ChannelRig rig;
    cmcEeprom& image = rig.shell.image;
    datCh channel(&image);
    channel.Load(RK_ChPmr, 8);
    channel.scanMask = 0x155;
    channel.Store();
    image.GetData()[layout::kAttr0Channel] = 8;
    image.GetData()[layout::kAttr1Channel] = 9;
    SetBankFlag(image, 1, 1);
    SetBankFlag(image, 2, 0);
    std::vector<uint8_t> entryA(image.GetData() + layout::kChannelA.At(8),
                                image.GetData() + layout::kChannelA.At(9));
    std::vector<uint8_t> entryB(image.GetData() + layout::kChannelB.At(8),
                                image.GetData() + layout::kChannelB.At(9));

    ASSERT_TRUE(DeleteChannelAt(image, rig.shell.defaultImage, RK_ChPmr, 1, 3));

    EXPECT_TRUE(
        std::equal(entryA.begin(), entryA.end(), image.GetData() + layout::kChannelA.At(7)));
    EXPECT_TRUE(
        std::equal(entryB.begin(), entryB.end(), image.GetData() + layout::kChannelB.At(7)));
    channel.Load(RK_ChPmr, 7);
    EXPECT_EQ(channel.scanMask, 0x155);
    EXPECT_EQ(image.GetData()[layout::kAttr0Channel], 7);
    EXPECT_EQ(image.GetData()[layout::kAttr1Channel], 8);
    EXPECT_EQ(GetBankFlag(image, 1), 1);
    EXPECT_EQ(GetBankFlag(image, 2), 0);
    const int last = layout::kChannelCount - 1;
    const uint8_t* emptyA = rig.shell.defaultImage.GetData() + layout::kChannelA.At(last);
    EXPECT_TRUE(std::equal(emptyA, emptyA + layout::kChannelEntryASize,
                           image.GetData() + layout::kChannelA.At(last)));
}

TEST(BankChannels, TheProgramAnswersChannelEventsAndTellsTheSheet) {
    struct Case {
        int type;
        int bank;
        int position;
        std::vector<int> sent;
        std::vector<int> banks;
    } cases[] = {
        {EV_InsertChannel, 2, 10, {EV_BankRowAdded, EV_BankTitle}, {3, 5, 3}},
        {EV_DeleteChannel, 1, 5, {EV_BankRowRemoved, EV_BankTitle, EV_RedrawCellsFrom}, {3, 4, 2}},
        {EV_DeleteChannel, 1, 9, {}, {3, 5, 2}},
        {EV_InsertChannel, -1, 0, {}, {3, 5, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " " << c.bank << " " << c.position);
        ChannelRig rig;
        rig.bus.Send(c.type, c.bank, c.position);
        std::vector<int> sent;
        for (const auto& event : rig.events) {
            if (event.type != c.type) {
                sent.push_back(event.type);
            }
            if (event.type == EV_RedrawCellsFrom) {
                EXPECT_EQ(event.B, c.position);
            }
        }
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(rig.Banks(3), c.banks);
    }
}

}  // namespace
