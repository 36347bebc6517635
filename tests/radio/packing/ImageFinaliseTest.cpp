#include "radio/packing/ImageFinalise.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "radio/image/BankTable.h"
#include "radio/image/ImageWords.h"
#include "radio/image/PackedLayout.h"
#include "radio/records/datCh.h"
#include "tests/radio/support/PackedImage.h"

namespace {

using radiotest::CopyRadioPart;
using radiotest::MakeRadioImage;
using radiotest::SetBankSizes;
using radiotest::SetChannelCount;

// The image is pseudo-random, the default image its complement, so that every bit tells
// which of the two it came from.
class FinaliseTest : public ::testing::Test {
protected:
    void Make(ModelType type) {
        model = type;
        MakeRadioImage(image, model);
        SetChannelCount(image, 100);
        defaults.Resize(48880);
        for (int a = 0; a < 48880; ++a) {
            defaults.GetData()[a] = static_cast<uint8_t>(~image.GetData()[a]);
        }
        before.Assign(image);
    }

    ImagePackResult Finalise(FinaliseMode mode = FINALISE_GoingOut) {
        return FinaliseImage(image, defaults, model, mode);
    }

    uint8_t* T() { return image.GetData(); }
    uint8_t* D() { return defaults.GetData(); }

    // The bits of mask at the address as the image held them (fromDefaults clear) or as the
    // default image does.
    uint8_t Expected(int address, uint8_t fromDefaults) {
        return static_cast<uint8_t>((before.GetData()[address] & ~fromDefaults) |
                                    (D()[address] & fromDefaults));
    }

    void ClearChannels() {
        for (int c = 0; c < 256; ++c) {
            std::memset(T() + 32736 + 14 * c, 0, 8);
        }
    }

    void UseChannel(int c, bool inhibited) {
        T()[32736 + 14 * c + 3] = 1;
        T()[32736 + 14 * c] = inhibited ? 0x80 : 0;
    }

    ModelType model = MT_Lmr;
    cmcEeprom image;
    cmcEeprom defaults;
    cmcEeprom before;
};

// Bytes outside the records: which bits follow the default image for each model type (in the
// order of radiotest::kModelTypes); every other bit of the checked mask keeps the image's value.
TEST_F(FinaliseTest, BitsThatFollowTheDefaultImage) {
    struct Row {
        int address;
        uint8_t checked;
        std::array<uint8_t, 5> fromDefaults;
    };
    constexpr uint8_t kAll = 0xFF;
    const Row rows[] = {
        {0, kAll, {kAll, kAll, kAll, kAll, kAll}},
        {3, kAll, {kAll, kAll, kAll, kAll, kAll}},
        {4, kAll, {}},
        {7, kAll, {}},
        {8, kAll, {kAll, kAll, kAll, kAll, kAll}},
        {10, kAll, {kAll, kAll, kAll, kAll, kAll}},
        {11, kAll, {}},
        {256, kAll, {kAll, kAll, kAll, kAll, kAll}},
        {264, kAll, {kAll, kAll, kAll, kAll, kAll}},
        {267, kAll, {kAll, kAll, kAll, kAll, kAll}},
        {277, kAll, {kAll, kAll, kAll, kAll, kAll}},
        {279, kAll, {}},
        {280, kAll, {kAll, kAll, kAll, kAll, kAll}},
        {286, kAll, {0xF0, 0xF0, 0xF0, 0xF0, 0xF0}},
        {287, kAll, {0x28, 0x28, 0x28, 0x28, 0x28}},
        {349, kAll, {0x04, 0x04, 0x04, 0x04, 0x04}},
        {376, kAll, {0x3F, 0x3F, 0x00, 0x3F, 0x3F}},
        {377, kAll, {0x33, 0x30, 0x30, 0x33, 0x30}},
        {378, 0xFE, {0x46, 0x44, 0x44, 0x46, 0x44}},  // bit 0x01 is derived
        {379, kAll, {0x41, 0x01, 0x01, 0x41, 0x01}},
        {380, 0xDF, {0xC0, 0xC0, 0x00, 0xC0, 0xC0}},  // bit 0x20 is derived
        {381, kAll, {0x83, 0x03, 0x03, 0x83, 0x03}},
        {382, 0x11, {}},  // the other bits are derived
        {383, kAll, {0xF8, 0xF8, 0xF8, 0xF8, 0xF8}},
        {392, kAll, {kAll, 0, 0, kAll, 0}},
        {410, kAll, {kAll, 0, 0, kAll, 0}},
        {396, kAll, {0, kAll, kAll, 0, kAll}},
        {686, kAll, {0, kAll, kAll, 0, kAll}},
        {412, kAll, {kAll, kAll, kAll, kAll, kAll}},
        {414, kAll, {}},
        {415, kAll, {kAll, kAll, kAll, kAll, kAll}},
        // TX-code entry 20: one flag on LMR types, the bits of no field on PMR types.
        {1490 + 14 * 20 + 13, 0xDF, {0x10, 0x0F, 0x0F, 0x10, 0x0F}},
        // MSK lists: ID group 2, call list 5, the status and short-text flag bytes.
        {2646 + 30 + 10, kAll, {0, 0, kAll, 0, 0}},
        {2646 + 30 + 12, kAll, {0, 0, 0xF8, 0, 0}},
        {2646 + 30 + 14, kAll, {0, 0, 0x80, 0, 0}},
        {2198 + 70 + 13, kAll, {0, 0, 0xC0, 0, 0}},
        {2766, kAll, {0, 0, 0x04, 0, 0}},
        {2789, kAll, {0, 0, 0x04, 0, 0}},
        {2797, kAll, {0, 0, 0x04, 0, 0}},
        {2798, kAll, {}},
        {2126, kAll, {kAll, kAll, kAll, kAll, kAll}},
    };
    for (ModelType type : radiotest::kModelTypes) {
        SCOPED_TRACE(testing::Message() << "model " << type);
        Make(type);
        ASSERT_EQ(Finalise(), PACK_Ok);
        for (const Row& row : rows) {
            EXPECT_EQ(T()[row.address] & row.checked,
                      Expected(row.address, row.fromDefaults[type]) & row.checked)
                << "byte " << row.address;
        }
        EXPECT_EQ(T()[2125], 1);
    }
}

TEST_F(FinaliseTest, SelectionsFollowTheUsedChannelsAndLists) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, bool>> used;  // channel, inhibited
        int start;                               // -1: the default image's
        std::array<int, 4> bankStarts;
    };
    const Case cases[] = {
        {"first uninhibited", {{5, true}, {9, false}, {12, false}}, 9, {0, 1, 1, 0}},
        {"all inhibited", {{5, true}, {7, true}}, 5, {0, 1, 0, 0}},
        {"none used", {}, -1, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Make(MT_Pmr);
        SetBankSizes(image, {4, 4, 4, 4});
        ClearChannels();
        for (auto [channel, inhibited] : c.used) {
            UseChannel(channel, inhibited);
        }
        for (int j = 0; j < 10; ++j) {
            T()[860 + 42 * j + 40] &= ~0x2F;
        }
        for (int k = 0; k < 8; ++k) {
            T()[1280 + 21 * k + 20] = 0;
        }
        if (!c.used.empty()) {
            T()[860 + 42 * 6 + 40] |= 0x01;
            T()[1280 + 21 * 3 + 20] = 4;
        }
        before.Assign(image);
        ASSERT_EQ(Finalise(), PACK_Ok);
        EXPECT_EQ(T()[278], c.start < 0 ? D()[278] : c.start);
        EXPECT_EQ(T()[281], c.used.empty() ? D()[281] : 6);
        EXPECT_EQ(T()[282], c.used.empty() ? D()[282] : 3);
        for (int bank = 0; bank < 16; ++bank) {
            EXPECT_EQ(T()[288 + bank], bank < 4 ? c.bankStarts[bank] : 0) << "bank " << bank;
        }
    }
}

TEST_F(FinaliseTest, OptionCharactersSelectTheVariantBits) {
    struct Case {
        const char* text;
        uint8_t selector;  // byte 439 before
        uint8_t variant;   // byte 382 before
        int space;         // byte 378 bit 0x01
        int letterI;       // byte 439 bit 0x04
        uint8_t result;    // byte 382
    };
    const Case cases[] = {
        {"ABCDEFGH", 0x00, 0xFE, 0, 0, 0x10}, {"AB 0XYZW", 0x04, 0xE0, 1, 0, 0x22},
        {"345     ", 0x00, 0xE1, 1, 0, 0xEF}, {"IIIIIIII", 0x01, 0xFF, 0, 1, 0x55},
        {"IIIIIIII", 0x03, 0xFF, 0, 1, 0x11}, {"I2      ", 0x00, 0x00, 1, 1, 0x0A},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Make(MT_Pmr);
        std::memcpy(T() + 416, c.text, 8);
        T()[439] = c.selector;
        T()[382] = c.variant;
        ASSERT_EQ(Finalise(), PACK_Ok);
        EXPECT_EQ(T()[378] & 0x01, c.space);
        EXPECT_EQ((T()[439] & 0x04) >> 2, c.letterI);
        EXPECT_EQ(T()[439] & 0xFB, c.selector & 0xFB);
        EXPECT_EQ(T()[382], c.result);
    }
    for (const char* second : {"        ", "       X"}) {
        Make(MT_Pmr);
        std::memcpy(T() + 2133, second, 8);
        ASSERT_EQ(Finalise(), PACK_Ok);
        EXPECT_EQ(T()[380] & 0x20, second[7] == ' ' ? 0 : 0x20) << '"' << second << '"';
    }
}

TEST_F(FinaliseTest, CommentsKeepOnlyPrintableCharacters) {
    Make(MT_Lmr);
    const uint8_t odd[] = {0x1F, 0x20, 0x7E, 0x7F, 0xC1, 'A'};
    std::memcpy(T() + 504, odd, sizeof odd);
    T()[535] = 0x00;
    ASSERT_EQ(Finalise(), PACK_Ok);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(T() + 504), 6), "  ~  A");
    EXPECT_EQ(T()[535], ' ');
}

// A used channel keeps its fields, and the bits no field names come from the default entry;
// an unused one becomes the default entry, but for what the model type derives.
TEST_F(FinaliseTest, ChannelsKeepTheirFieldsOverTheDefaultEntries) {
    Make(MT_Pmr);
    ClearChannels();
    UseChannel(3, false);
    std::memcpy(T() + 32736 + 14 * 3, "\x01\x2C\x4B\x40\x01\x2C\x4B\x40", 8);
    before.Assign(image);
    datCh old(&before);
    old.Load(RK_ChPmr, 3);
    ASSERT_EQ(Finalise(), PACK_Ok);

    datCh now(&image);
    now.Load(RK_ChPmr, 3);
    EXPECT_EQ(now.rxFreq, old.rxFreq);
    EXPECT_EQ(now.txFreq, old.txFreq);
    EXPECT_EQ(now.name, old.name);
    EXPECT_EQ(now.tone1.on, old.tone1.on);
    EXPECT_EQ(now.tone1.toneIndex, old.tone1.toneIndex);
    EXPECT_EQ(now.rfPower, old.rfPower);
    EXPECT_EQ(now.lockout, old.lockout);
    EXPECT_EQ(now.scanMask, old.scanMask);
    EXPECT_EQ(now.idCode, old.idCode);
    EXPECT_EQ(T()[32736 + 14 * 3 + 13], D()[32736 + 14 * 3 + 13]) << "no field";
    EXPECT_EQ(T()[32736 + 14 * 3 + 12] & 0x80, D()[32736 + 14 * 3 + 12] & 0x80);
    EXPECT_EQ(T()[36320 + 20 * 3 + 12], 0) << "no MDC system on a PMR type";

    const int a = 32736 + 14 * 4;
    const int b = 36320 + 20 * 4;
    EXPECT_EQ(std::memcmp(T() + a, D() + a, 14), 0);
    EXPECT_EQ(std::memcmp(T() + b, D() + b, 11), 0);
    EXPECT_EQ(T()[b + 11], D()[b + 11] & ~0x08);
    EXPECT_EQ(std::memcmp(T() + b + 13, D() + b + 13, 7), 0);
}

TEST_F(FinaliseTest, ChannelBitsTheModelTypeDerives) {
    struct Case {
        ModelType model;
        uint8_t b11, b18, b19;  // before
        uint8_t b11After;
        bool codeBits;      // LMR: byte 9 bit 0x01, byte 10 bits 0x0C
        bool fromDefaults;  // Vask: byte 18 bit 0x80, byte 17, byte 14 bits 0xC0
    };
    // The default entry's byte 11 is 0x0F: only the Vask record has fields in its low bits.
    const Case cases[] = {
        {MT_Lmr, 0xFF, 0x00, 0x40, 0xF7, true, false},
        {MT_Lmr, 0x08, 0x00, 0x3F, 0x07, false, false},
        {MT_MdcLmr, 0x0C, 0x80, 0x00, 0x07, true, false},
        {MT_MdcPmr, 0x0C, 0x80, 0x00, 0x07, false, false},
        {MT_VaskPmr, 0x0E, 0x12, 0x00, 0x0F, false, true},
        {MT_VaskPmr, 0x06, 0x12, 0x00, 0x03, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model << " b11 " << int(c.b11));
        Make(c.model);
        ClearChannels();
        UseChannel(0, false);
        uint8_t* b = T() + 36320;
        b[11] = c.b11;
        b[18] = c.b18;
        b[19] = c.b19;
        D()[36320 + 11] = 0x0F;
        before.Assign(image);
        ASSERT_EQ(Finalise(), PACK_Ok);
        EXPECT_EQ(b[11], c.b11After);
        if (IsLmrType(c.model)) {
            EXPECT_EQ(b[9] & 0x01, c.codeBits ? 0x01 : 0);
            EXPECT_EQ(b[10] & 0x0C, c.codeBits ? 0x0C : 0);
        }
        if (c.model == MT_VaskPmr) {
            const uint8_t* d = D() + 36320;
            const uint8_t* t = before.GetData() + 36320;
            const uint8_t* source = c.fromDefaults ? d : t;
            EXPECT_EQ(b[18] & 0x80, source[18] & 0x80);
            EXPECT_EQ(b[17], source[17]);
            EXPECT_EQ(b[14] & 0xC0, source[14] & 0xC0);
        }
        EXPECT_EQ(b[12], IsMdcType(c.model) ? before.GetData()[36320 + 12] : 0);
    }
}

TEST_F(FinaliseTest, RecordsKeepTheirFieldsOverTheDefaultBytes) {
    Make(MT_Pmr);
    // CTCSS 0: a digital tone; the bits between its fields come from the default image.
    T()[824] = 0x4B;
    T()[825] = 0x12;
    D()[824] = 0x34;
    ASSERT_EQ(Finalise(), PACK_Ok);
    EXPECT_EQ(T()[824], 0x55);
    EXPECT_EQ(T()[825], 0x12);
    // RX code 1: byte 16 holds one field; RX codes 0, 9 and 10 lie outside the view and keep
    // every byte.
    const int rx1 = 1938 + 17;
    EXPECT_EQ(T()[rx1 + 16], Expected(rx1 + 16, 0x7F));
    EXPECT_EQ(std::memcmp(T() + rx1 + 4, before.GetData() + rx1 + 4, 8), 0) << "name";
    for (int i : {0, 9, 10}) {
        EXPECT_EQ(std::memcmp(T() + 1938 + 17 * i, before.GetData() + 1938 + 17 * i, 17), 0) << i;
    }
}

TEST_F(FinaliseTest, TwoToneLimitsOnLmrTypes) {
    struct Case {
        int toneA, toneB;
        int lowA, highA, lowB, highB;
    };
    const Case cases[] = {
        {1000, 1500, 970, 1030, 1455, 1545},
        {0, 1, 0, 0, 1, 1},
        {65535, 50, 63569, 65535, 49, 52},  // the upper bound stops at what 16 bits hold
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.toneA);
        Make(MT_Lmr);
        SetBE16(T() + 1490 + 14 + 8, c.toneA);  // two-tone code 2 uses TX-code entry 1
        SetBE16(T() + 1490 + 14 + 10, c.toneB);
        ASSERT_EQ(Finalise(), PACK_Ok);
        datCh code(&image);
        code.Load(RK_2ToneCode, 2);
        EXPECT_EQ(code.toneA, c.toneA);
        EXPECT_EQ(code.lowA, c.lowA);
        EXPECT_EQ(code.highA, c.highA);
        EXPECT_EQ(code.lowB, c.lowB);
        EXPECT_EQ(code.highB, c.highB);
    }
}

TEST_F(FinaliseTest, TakenInUnpacksASoundImageAndRefusesAnUnsoundOne) {
    for (ModelType type : radiotest::kModelTypes) {
        SCOPED_TRACE(testing::Message() << "model " << type);
        Make(type);
        ASSERT_EQ(PackImage(image, type), PACK_Ok);
        cmcEeprom taken;
        CopyRadioPart(image, taken);
        cmcEeprom file;
        file.Assign(taken);
        ASSERT_EQ(FinaliseImage(taken, defaults, type, FINALISE_TakenIn), PACK_Ok);
        datCh channel(&taken);
        channel.Load(ChannelKindOf(type), 10);
        datCh packed(&image);
        packed.Load(ChannelKindOf(type), 10);
        EXPECT_EQ(channel.rxFreq, packed.rxFreq);
        EXPECT_EQ(channel.name, packed.name);
        EXPECT_EQ(taken.GetByte(2125), 1);

        SetBE16(file.GetData() + 318, 0xFFFF);
        cmcEeprom crafted;
        crafted.Assign(file);
        EXPECT_EQ(FinaliseImage(crafted, defaults, type, FINALISE_TakenIn), PACK_BadHeader);
        EXPECT_TRUE(crafted.IsEqual(file));
    }
}

TEST_F(FinaliseTest, GoingOutPacksAndReportsIt) {
    Make(MT_MdcPmr);
    ASSERT_EQ(Finalise(FINALISE_GoingOut), PACK_Ok);
    EXPECT_EQ(CheckPackedHeader(image, MT_MdcPmr), PackedHeaderFault::None);
    EXPECT_EQ(GetBE16(T() + 326), PackedLayoutOf(100, MT_MdcPmr, 3968 + 1400).end);

    Make(MT_Lmr);
    ASSERT_EQ(Finalise(FINALISE_TakenIn), PACK_BadHeader) << "a pseudo-random header";
    EXPECT_TRUE(image.IsEqual(before));
}

TEST_F(FinaliseTest, ImagesThatAreNoWholeDocumentAreLeftAlone) {
    Make(MT_Pmr);
    cmcEeprom small;
    small.Resize(32736);
    EXPECT_EQ(FinaliseImage(small, defaults, model, FINALISE_GoingOut), PACK_NotDocument);
    EXPECT_EQ(FinaliseImage(image, small, model, FINALISE_GoingOut), PACK_NotDocument);
    EXPECT_TRUE(image.IsEqual(before));
}

}  // namespace
