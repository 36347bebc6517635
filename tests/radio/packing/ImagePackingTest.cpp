#include "radio/packing/ImagePacking.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "radio/image/BankTable.h"
#include "radio/image/ImageWords.h"
#include "radio/image/PackedLayout.h"
#include "tests/radio/support/PackedImage.h"

namespace {

using radiotest::CopyRadioPart;
using radiotest::MakeRadioImage;
using radiotest::SetBankSizes;
using radiotest::SetChannelCount;

int Word(const cmcEeprom& image, int address) {
    return GetBE16(image.GetData() + address);
}

void SetWord(cmcEeprom& image, int address, int value) {
    SetBE16(image.GetData() + address, value);
}

bool SameBytes(const cmcEeprom& a, int atA, const cmcEeprom& b, int atB, int length) {
    return std::memcmp(a.GetData() + atA, b.GetData() + atB, length) == 0;
}

bool IsBlank(const uint8_t* text) {
    for (int k = 0; k < 8; ++k) {
        if (text[k] != 0 && text[k] != ' ') {
            return false;
        }
    }
    return true;
}

TEST(ClampBankSizes, BanksPastTheWorkingTablesBecomeEmpty) {
    struct Case {
        std::vector<int> sizes;
        int count;
        std::vector<int> kept;
    };
    const Case cases[] = {
        {{200, 100, 50}, 200, {200, 0, 0}},
        {{100, 100, 56, 1}, 256, {100, 100, 56, 0}},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 256}, 256, {}},
        {{10, 0xFFFF, 3}, 10, {10, 0, 0}},
        {{300}, 0, {0}},
        {{}, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "expected count " << c.count);
        cmcEeprom image;
        image.Resize(48880);
        for (std::size_t bank = 0; bank < c.sizes.size(); ++bank) {
            SetBankSize(image, static_cast<int>(bank), c.sizes[bank]);
        }
        EXPECT_EQ(ClampedChannelCount(image), c.count);
        EXPECT_EQ(GetBankSizeOf(image, 0), c.sizes.empty() ? 0 : c.sizes[0]) << "read only";
        EXPECT_EQ(ClampBankSizes(image), c.count);
        for (std::size_t bank = 0; bank < c.kept.size(); ++bank) {
            EXPECT_EQ(GetBankSizeOf(image, static_cast<int>(bank)), c.kept[bank]) << bank;
        }
    }
}

TEST(PackedLayout, PartsFollowEachOther) {
    struct Case {
        ModelType model;
        int count;
        int entriesB, aliasTable, block1, block2, signature, end;
    };
    const Case cases[] = {
        {MT_Lmr, 0, 3968, 3968, 3968, 3968, 3968, 3976},
        {MT_VaskPmr, 0, 3968, 3968, 3968, 3968, 3968, 3976},
        {MT_Pmr, 256, 7552, 12672, 12672, 12672, 12672, 12680},
        {MT_MdcPmr, 10, 4108, 4308, 10308, 11028, 11748, 11756},
        {MT_MdcLmr, 256, 7552, 12672, 18672, 19392, 20112, 20120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model << ", " << c.count << " channels");
        PackedLayout area = PackedLayoutOf(c.count, c.model, 3968 + 14 * c.count);
        EXPECT_EQ(area.entriesA, 3968);
        EXPECT_EQ(area.entriesB, c.entriesB);
        EXPECT_EQ(area.aliasTable, c.aliasTable);
        EXPECT_EQ(area.block1, c.block1);
        EXPECT_EQ(area.block2, c.block2);
        EXPECT_EQ(area.signature, c.signature);
        EXPECT_EQ(area.end, c.end);
        EXPECT_TRUE(PackedAreaFits(area));
    }
    // The radio's limits: the 14-byte entries below 8159, the whole area below 32735.
    EXPECT_TRUE(PackedAreaFits(PackedLayoutOf(299, MT_Lmr, 3968 + 14 * 299)));
    EXPECT_FALSE(PackedAreaFits(PackedLayoutOf(300, MT_Lmr, 3968 + 14 * 300)));
    EXPECT_TRUE(PackedAreaFits(PackedLayout{0, 3968, 3968, 0, 0, 0, 0, 32734}));
    EXPECT_FALSE(PackedAreaFits(PackedLayout{0, 3968, 3968, 0, 0, 0, 0, 32735}));
}

// Packs the working tables of a pseudo-random image and checks the packed area part by part.
class PackTest : public ::testing::TestWithParam<std::tuple<ModelType, int>> {
protected:
    void SetUp() override {
        std::tie(model, count) = GetParam();
        MakeRadioImage(image, model);
        SetChannelCount(image, count);
        image.GetData()[41440 + 12 * 7] = 'A';  // "A" and seven spaces
        std::memset(image.GetData() + 41440 + 12 * 7 + 1, ' ', 7);
        std::memset(image.GetData() + 41440 + 12 * 8, ' ', 8);  // eight spaces
        area = PackedLayoutOf(count, model, 3968 + 14 * count);
    }

    ModelType model = MT_Lmr;
    int count = 0;
    cmcEeprom image;
    PackedLayout area;
};

TEST_P(PackTest, PackedAreaHoldsTheUsedChannelsAndTheTables) {
    cmcEeprom before;
    before.Assign(image);
    ASSERT_EQ(PackImage(image, model), PACK_Ok);

    EXPECT_EQ(image.GetByte(312), 0);
    EXPECT_EQ(Word(image, 314), count);
    EXPECT_EQ(Word(image, 316), 3968);
    EXPECT_EQ(Word(image, 318), area.entriesB);
    EXPECT_EQ(Word(image, 324), area.entriesB);
    EXPECT_EQ(image.GetByte(320), 23);
    EXPECT_EQ(Word(image, 322), 0);
    EXPECT_EQ(Word(image, 326), area.end);
    EXPECT_TRUE(SameBytes(image, 3968, before, 32736, 14 * count));
    EXPECT_TRUE(SameBytes(image, area.entriesB, before, 36320, 20 * count));
    EXPECT_EQ(std::memcmp(image.GetData() + area.signature, "ZELK Inc", 8), 0);
    for (int a = area.end; a < 32736; ++a) {
        ASSERT_EQ(image.GetByte(a), 0) << "behind the area at " << a;
    }
    if (!IsMdcType(model)) {
        EXPECT_TRUE(SameBytes(image, 3730, before, 3730, 3968 - 3730)) << "no MDC tables";
        EXPECT_TRUE(SameBytes(image, 41440, before, 41440, 48880 - 41440));
        return;
    }
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(Word(image, 3822 + 6 * k), area.aliasTable);
        EXPECT_EQ(Word(image, 3824 + 6 * k), area.aliasTable + 5988);
        EXPECT_EQ(Word(image, 3826 + 6 * k), 500);
        EXPECT_EQ(Word(image, 3730 + 10 * k), area.block1 + 144 * k);
        EXPECT_EQ(Word(image, 3779 + 10 * k), area.block2 + 144 * k);
    }
    for (int i = 0; i < 500; ++i) {
        const uint8_t* entry = before.GetData() + 41440 + 12 * i;
        const uint8_t flags = IsBlank(entry) ? entry[8] & ~0x40 : entry[8] | 0x40;
        ASSERT_EQ(image.GetByte(41440 + 12 * i + 8), flags) << "alias " << i;
    }
    EXPECT_EQ(image.GetByte(41440 + 12 * 7 + 8) & 0x40, 0x40);
    EXPECT_EQ(image.GetByte(41440 + 12 * 8 + 8) & 0x40, 0);
    EXPECT_TRUE(SameBytes(image, area.aliasTable, image, 41440, 6000));
    EXPECT_TRUE(SameBytes(image, area.block1, before, 47440, 720));
    EXPECT_TRUE(SameBytes(image, area.block2, before, 48160, 720));
}

// An image that came from a file or a radio: only its radio part. Unpacked, it holds the same
// channels and tables, and packs back byte for byte.
TEST_P(PackTest, UnpackThenPackReproducesThePackedArea) {
    ASSERT_EQ(PackImage(image, model), PACK_Ok);
    cmcEeprom taken;
    CopyRadioPart(image, taken);
    ASSERT_EQ(UnpackImage(taken, model, UNPACK_FromPackedArea), PACK_Ok);

    EXPECT_TRUE(SameBytes(taken, 32736, image, 32736, 14 * count));
    EXPECT_TRUE(SameBytes(taken, 36320, image, 36320, 20 * count));
    for (int a = 32736 + 14 * count; a < 36320; ++a) {
        ASSERT_EQ(taken.GetByte(a), 0) << "entries beyond the count keep what they held";
    }
    if (IsMdcType(model)) {
        EXPECT_TRUE(SameBytes(taken, 41440, image, 41440, 48880 - 41440));
    }
    cmcEeprom packed;
    packed.Assign(image);
    ASSERT_EQ(PackImage(taken, model), PACK_Ok);
    EXPECT_TRUE(SameBytes(taken, 0, packed, 0, 32736));
}

std::string PackCaseName(const testing::TestParamInfo<std::tuple<ModelType, int>>& info) {
    const char* names[] = {"Lmr", "Pmr", "VaskPmr", "MdcLmr", "MdcPmr"};
    return std::string(names[std::get<0>(info.param)]) + "_" +
           std::to_string(std::get<1>(info.param)) + "Channels";
}

INSTANTIATE_TEST_SUITE_P(EveryModel, PackTest,
                         testing::Combine(testing::ValuesIn(radiotest::kModelTypes),
                                          testing::Values(0, 1, 100, 256)),
                         PackCaseName);

TEST(PackImage, ClampsTheBanksFirst) {
    cmcEeprom image;
    MakeRadioImage(image, MT_Pmr);
    SetBankSizes(image, {200, 100, 50});
    ASSERT_EQ(PackImage(image, MT_Pmr), PACK_Ok);
    EXPECT_EQ(Word(image, 314), 200);
    EXPECT_EQ(GetBankSizeOf(image, 1), 0);
    EXPECT_EQ(GetBankSizeOf(image, 2), 0);
    EXPECT_EQ(Word(image, 326), 3968 + 34 * 200 + 8);
}

TEST(UnpackImage, ResetCopiesTheTemplatesToEveryEntry) {
    for (ModelType model : radiotest::kModelTypes) {
        SCOPED_TRACE(model);
        cmcEeprom image;
        MakeRadioImage(image, model);
        cmcEeprom before;
        before.Assign(image);
        ASSERT_EQ(UnpackImage(image, model, UNPACK_Reset), PACK_Ok);
        for (int c = 0; c < 256; ++c) {
            ASSERT_TRUE(SameBytes(image, 32736 + 14 * c, before, 3968, 14)) << c;
            ASSERT_TRUE(SameBytes(image, 36320 + 20 * c, before, 3982, 20)) << c;
        }
        if (IsMdcType(model)) {
            for (int i = 0; i < 500; ++i) {
                ASSERT_TRUE(SameBytes(image, 41440 + 12 * i, before, 4002, 12)) << i;
            }
            EXPECT_TRUE(SameBytes(image, 47440, before, 4014, 720));
            EXPECT_TRUE(SameBytes(image, 48160, before, 4734, 720));
        } else {
            EXPECT_TRUE(SameBytes(image, 41440, before, 41440, 48880 - 41440));
        }
        EXPECT_TRUE(SameBytes(image, 0, before, 0, 32736)) << "the radio part stays";
    }
}

TEST(UnpackImage, ImagesThatAreNoWholeDocumentAreLeftAlone) {
    cmcEeprom image;
    image.Resize(32736);
    EXPECT_EQ(UnpackImage(image, MT_Lmr, UNPACK_Reset), PACK_NotDocument);
    EXPECT_EQ(UnpackImage(image, MT_Lmr, UNPACK_FromPackedArea), PACK_NotDocument);
    EXPECT_EQ(PackImage(image, MT_Lmr), PACK_NotDocument);
    cmcEeprom empty;
    EXPECT_EQ(PackImage(empty, MT_MdcPmr), PACK_NotDocument);
}

// Headers of images from outside that point where no sound packed area lies: each is refused
// before anything is copied, and the image stays as it came.
TEST(UnpackImage, UnsoundHeadersAreRefusedUntouched) {
    struct Case {
        const char* what;
        ModelType model;
        int count;
        std::function<void(cmcEeprom&)> craft;
        PackedHeaderFault fault;
    };
    // Area of 100 MDC channels: B at 5368, alias 7368, blocks 13368 and 14088, end 14816.
    const Case cases[] = {
        {"sound", MT_MdcPmr, 100, [](cmcEeprom&) {}, PackedHeaderFault::None},
        {"A entries elsewhere", MT_Pmr, 100, [](cmcEeprom& i) { SetWord(i, 316, 3969); },
         PackedHeaderFault::EntriesAStart},
        {"A entries at 0", MT_Lmr, 0, [](cmcEeprom& i) { SetWord(i, 316, 0); },
         PackedHeaderFault::EntriesAStart},
        {"B inside A", MT_Pmr, 100, [](cmcEeprom& i) { SetWord(i, 318, 3968 + 1399); },
         PackedHeaderFault::EntriesBStart},
        {"B at 0", MT_MdcLmr, 1, [](cmcEeprom& i) { SetWord(i, 318, 0); },
         PackedHeaderFault::EntriesBStart},
        {"more banked channels than the header has room for", MT_Pmr, 100,
         [](cmcEeprom& i) { SetBankSize(i, 9, 50); }, PackedHeaderFault::EntriesBStart},
        {"B far out", MT_Pmr, 100, [](cmcEeprom& i) { SetWord(i, 318, 0xFFFF); },
         PackedHeaderFault::AreaEnd},
        {"MDC tables one byte past the radio part", MT_MdcPmr, 100,
         [](cmcEeprom& i) {
             SetWord(i, 318, 32736 - 2000 - 7440 - 8 + 1);
             SetWord(i, 326, 32736);
         },
         PackedHeaderFault::AreaEnd},
        {"MDC tables up to the last byte", MT_MdcPmr, 100,
         [](cmcEeprom& i) {
             SetWord(i, 318, 32736 - 2000 - 7440 - 8);
             SetWord(i, 326, 32736);
         },
         PackedHeaderFault::None},
        {"end offset past the radio part", MT_Pmr, 100,
         [](cmcEeprom& i) { SetWord(i, 326, 32737); }, PackedHeaderFault::EndOffset},
        {"end offset far out", MT_Lmr, 1, [](cmcEeprom& i) { SetWord(i, 326, 0xFFFF); },
         PackedHeaderFault::EndOffset},
        {"end offset inside the entries", MT_MdcLmr, 100,
         [](cmcEeprom& i) { SetWord(i, 326, 14816 - 1); }, PackedHeaderFault::EndOffset},
        {"end offset 0", MT_Lmr, 0, [](cmcEeprom& i) { SetWord(i, 326, 0); },
         PackedHeaderFault::EndOffset},
        {"packed without MDC tables, read as an MDC type", MT_Pmr, 100,
         [](cmcEeprom& i) { radiotest::SetModelBytes(i, MT_MdcPmr); },
         PackedHeaderFault::EndOffset},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cmcEeprom packed;
        MakeRadioImage(packed, c.model);
        SetChannelCount(packed, c.count);
        ASSERT_EQ(PackImage(packed, c.model), PACK_Ok);
        cmcEeprom image;
        CopyRadioPart(packed, image);
        c.craft(image);
        const ModelType model = ModelTypeFromImage(image);
        EXPECT_EQ(CheckPackedHeader(image, model), c.fault);
        cmcEeprom before;
        before.Assign(image);
        const ImagePackResult unpacked = UnpackImage(image, model, UNPACK_FromPackedArea);
        if (c.fault == PackedHeaderFault::None) {
            EXPECT_EQ(unpacked, PACK_Ok);
            continue;
        }
        EXPECT_EQ(unpacked, PACK_BadHeader);
        EXPECT_TRUE(image.IsEqual(before)) << "bank sizes and working tables untouched";
    }
}

TEST(CheckPackedHeader, AnImageWithoutTheWholeRadioPartIsRefused) {
    cmcEeprom image;
    image.Resize(32735);
    EXPECT_EQ(CheckPackedHeader(image, MT_Lmr), PackedHeaderFault::NotRadioPart);
    EXPECT_EQ(CheckPackedHeader(cmcEeprom(), MT_Lmr), PackedHeaderFault::NotRadioPart);
}

}  // namespace
