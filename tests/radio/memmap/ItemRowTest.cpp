// The vocabulary of the memory map: every kind of field a row can name reads and writes
// exactly its bits, and the rules a row carries as data (applies, silver, redraw) act as said.
#include "radio/memmap/ItemRow.h"

#include <gtest/gtest.h>

#include <vector>

#include "radio/image/ImageLayout.h"
#include "radio/memmap/ItemRegistry.h"
#include "radio/memmap/RunItemRow.h"
#include "radio/records/datCh.h"
#include "tests/radio/support/CellRig.h"

namespace {

using namespace memmap;

const char* const kTable[] = {
    "#GI_Sys_AppTitle",
    "Tarnwick",
    "#GI_AppInd_TimerOff",
    "Off",
    "#GI_AppMess_PopupNotYet",
    "The %s cannot be opened yet.",
    "The setting is unchanged.",
    "#GI_AppInd_PopupNames",
    "pop-up choice list",
    "bit-set editor",
    "display-text editor",
    "user-character editor",
    "#Sel_T_Cells",
    "{(%Flex0[0])}Zero|",
    "{(%Flex0[1])}One|",
    "{(%Flex0[2])}Two|",
    "#Sel_B_Cells",
    "{(%Flex0[0])}Off|",
    "{(%Flex0[1])}On|",
    "#Sel_L_Cells",
    "{(%Flex0[0])}Lmr zero|{(%Flex0[1])}Lmr one|",
    "#End_Of_Ovl",
};

constexpr layout::RecordArea kTable7{600, 7};

int ReadDoubled(const ItemContext& context) {
    return context.image.GetByte(700) / 2;
}
void WriteDoubled(ItemContext& context, int value) {
    context.image.SetByte(700, static_cast<uint8_t>(value * 2));
}

int SpecialRow(ItemContext& context, const ItemRow& row) {
    const int request = RunRegularRow(context, row);
    context.capsule.outText += "!";
    return request;
}

// Codes are arbitrary here: the rows are this test's own memory map.
constexpr ItemRow kRows[] = {
    Choice(1, 381, 0x30, "Sel_T"),
    Number(2, Byte(408), {.minimum = 0, .maximum = 255}),
    Number(3, Word(InTable(kTable7, 2)), {.minimum = 0, .maximum = 65535}),
    Choice(4, MapBit(360, 10), "Sel_B"),
    Choice(5, Member(&datCh::flagA), "Sel_B"),
    Number(6, Custom({ReadDoubled, WriteDoubled}), {.minimum = 0, .maximum = 127}),
    Text(7, Chars(504, 4)),
    Digits(8, Nibbles(344, 4)),
    Text(9, Member(&datCh::name)),
    ModelChoice(10, Byte(410), "Sel_T", "Sel_L"),
    Choice(11, 349, 0x03, "Sel_T").OnlyIf(ImageBitsClear(349, 0x08), "-", Align::Left),
    Choice(12, 349, 0xC0, "Sel_T").SilverWhile(ImageBitsSet(349, 0x08)),
    Choice(13, 349, 0x08, "Sel_T").Redraws(RD_AllCells),
    Choice(14, Byte(411), "Sel_T").OnlyIf(kIndexNotZero),
    Special(15, SpecialRow),
    Choice(16, Bit(378, 7), "Sel_B"),
    Choice(17, ReversedBits(380, 0x0C), "Sel_T"),
    Number(18, Scaled(Word(354), 10), {.minimum = 400, .maximum = 3000}),
    TimerByte(19, 434, 10),
    Number(20, Long(440), {.minimum = -100000000, .maximum = 100000000}),
    Number(21, Offset(Byte(436), 11), {.minimum = 12, .maximum = 23}),
};
static_assert(CodesNamedOnce(kRows));
const ItemRegistry kRegistry{kRows};

struct Bits {
    int address;
    uint8_t mask;
};

class ItemRowTest : public ::testing::Test {
protected:
    ItemRowTest() {
        for (int i = 0; i < layout::kImageSize; ++i) {
            rig.shell.image.SetByte(i, static_cast<uint8_t>(i * 37 + 11));
        }
    }

    std::vector<uint8_t> Bytes() {
        const uint8_t* data = rig.shell.image.GetData();
        return {data, data + layout::kImageSize};
    }

    radiotest::CellRig rig{kRegistry, kTable};
};

// Space steps each field once; exactly the field's bits change.
TEST_F(ItemRowTest, EachFieldWritesOnlyItsBits) {
    struct Case {
        int code;
        int index;
        int category;
        std::vector<Bits> changed;
    } cases[] = {
        {1, 0, kCategoryNone, {{381, 0x30}}},
        {2, 0, kCategoryNone, {{408, 0xFF}}},
        {3, 3, kCategoryNone, {{600 + 21 + 2, 0xFF}, {600 + 21 + 3, 0xFF}}},
        {4, 0, kCategoryNone, {{361, 0x20}}},
        {5, 3, CT_Scan, {{layout::kScanArea.At(3) + 40, 0x80}}},
        {6, 0, kCategoryNone, {{700, 0xFF}}},
        {10, 0, kCategoryNone, {{410, 0xFF}}},
        {16, 0, kCategoryNone, {{378, 0x80}}},
        {17, 0, kCategoryNone, {{380, 0x0C}}},
        {18, 0, kCategoryNone, {{354, 0xFF}, {355, 0xFF}}},
        {19, 0, kCategoryNone, {{434, 0xFF}}},
        {20, 0, kCategoryNone, {{440, 0xFF}, {441, 0xFF}, {442, 0xFF}, {443, 0xFF}}},
        {21, 0, kCategoryNone, {{436, 0xFF}}},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> before = Bytes();
        rig.At(c.code, c.index, c.category);
        EXPECT_EQ(rig.Key(kKeySpace).redraw & RD_SameCell, RD_SameCell) << c.code;
        const std::vector<uint8_t> after = Bytes();
        std::vector<uint8_t> allowed(before.size(), 0);
        for (const Bits& bits : c.changed) {
            allowed[static_cast<size_t>(bits.address)] = bits.mask;
        }
        bool anyChange = false;
        for (size_t i = 0; i < before.size(); ++i) {
            const uint8_t diff = before[i] ^ after[i];
            anyChange = anyChange || diff != 0;
            EXPECT_EQ(diff & ~allowed[i], 0) << "code " << c.code << " byte " << i;
        }
        EXPECT_TRUE(anyChange) << c.code;
    }
}

TEST_F(ItemRowTest, FieldsReadTheirValues) {
    cmcEeprom& image = rig.shell.image;
    image.SetByte(381, 0x10);
    image.SetByte(361, 0x20);
    image.SetByte(600 + 7 + 2, 0x12);
    image.SetByte(600 + 7 + 3, 0x34);
    image.SetByte(700, 84);
    const char name[] =
        "AB\x01"
        "D";
    image.WriteBlock(504, reinterpret_cast<const uint8_t*>(name), 4);
    image.SetByte(344, 0x12);
    image.SetByte(345, 0x90);
    image.SetByte(378, 0x80);
    image.SetByte(380, 0xF4);  // bit 2 set, bit 3 clear
    image.SetByte(354, 12345 >> 8);
    image.SetByte(355, 12345 & 0xFF);
    image.SetByte(434, 25);
    struct Case {
        int code;
        int index;
        const char* text;
    } cases[] = {
        {1, 0, "One"},  {4, 0, "On"},  {3, 1, "4660"}, {6, 0, "42"},    {7, 0, "AB D"},
        {8, 0, "1290"}, {16, 0, "On"}, {17, 0, "Two"}, {18, 0, "1234"}, {19, 0, "  2.500"},
    };
    for (const Case& c : cases) {
        rig.At(c.code, c.index);
        EXPECT_EQ(rig.Paint(), c.text) << c.code;
    }
}

TEST_F(ItemRowTest, TextAndDigitFieldsTakeTypedText) {
    rig.At(7);
    rig.Type("xy");
    EXPECT_EQ(rig.shell.image.GetByte(504), 'x');
    EXPECT_EQ(rig.shell.image.GetByte(506), ' ');
    EXPECT_EQ(rig.shell.image.GetByte(508), static_cast<uint8_t>(508 * 37 + 11));  // past the field
    rig.At(8);
    rig.Type("75");
    EXPECT_EQ(rig.shell.image.GetByte(344), 0x00);
    EXPECT_EQ(rig.shell.image.GetByte(345), 0x75);
    rig.At(9, 2, CT_Scan);
    rig.Type("Scan 3");
    datCh record(&rig.shell.image);
    record.Load(RK_Scan, 2);
    EXPECT_EQ(std::string(record.name.begin(), record.name.end()), "Scan 3  ");
}

// A long is signed in two's complement; an offset field shows the stored number shifted.
TEST_F(ItemRowTest, LongAndOffsetFieldsWriteBackAsTheyRead) {
    cmcEeprom& image = rig.shell.image;
    rig.At(20);
    rig.Type("-2");
    const uint8_t* bytes = image.GetData() + 440;
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 4),
              (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFE}));
    image.WriteBlock(440, std::vector<uint8_t>{0x01, 0x02, 0x03, 0x04}.data(), 4);
    EXPECT_EQ(rig.Paint(), "16909060");
    image.SetByte(436, 3);
    rig.At(21);
    EXPECT_EQ(rig.Paint(), "14");
    rig.Type("20");
    EXPECT_EQ(image.GetByte(436), 9);
}

// Reversed bits go back in their order; a scaled field stores the value times its divisor.
TEST_F(ItemRowTest, ReversedAndScaledFieldsWriteBackAsTheyRead) {
    cmcEeprom& image = rig.shell.image;
    image.SetByte(380, 0xF4);
    rig.At(17);
    rig.Answer(Flex0, 1);
    EXPECT_EQ(image.GetByte(380), 0xF8);
    rig.Answer(Flex0, 2);
    EXPECT_EQ(image.GetByte(380), 0xF4);
    image.SetByte(354, 0);
    image.SetByte(355, 0);
    rig.At(18);
    rig.Type("1500");
    EXPECT_EQ((image.GetByte(354) << 8) | image.GetByte(355), 15000);
    EXPECT_EQ(rig.Paint(), "1500");
}

TEST_F(ItemRowTest, ModelChoiceTakesTheLmrListOnLmrTypes) {
    rig.shell.image.SetByte(410, 1);
    rig.At(10);
    EXPECT_EQ(rig.Paint(), "One");
    rig.shell.model = MT_MdcLmr;
    EXPECT_EQ(rig.Paint(), "Lmr one");
}

TEST_F(ItemRowTest, ARowThatDoesNotApplyIsGreyedAndTakesNoKey) {
    cmcEeprom& image = rig.shell.image;
    image.SetByte(349, 0x08 | 0x01);
    rig.At(11);
    rig.cell.layoutBits = 0x02;  // right
    EXPECT_EQ(rig.Paint(), "-");
    EXPECT_EQ(rig.PaintedColour(), 0xC0C0C0u);
    EXPECT_EQ(rig.cell.layoutBits & (kLayoutHorzMask | kLayoutVertMask), 0x01 | 0x04);
    EXPECT_EQ(rig.Key(kKeySpace).request, 0);
    EXPECT_EQ(image.GetByte(349), 0x09);
    image.SetByte(349, 0x01);
    EXPECT_EQ(rig.Paint(), "One");
    EXPECT_EQ(rig.PaintedColour(), 0u);
    EXPECT_EQ(rig.cell.layoutBits & kLayoutHorzMask, 0x00);  // back to its own alignment
    rig.Key(kKeySpace);
    EXPECT_EQ(image.GetByte(349), 0x02);
    // The first record of a list does not apply.
    rig.At(14, 0);
    EXPECT_EQ(rig.Paint(), "----");
    rig.At(14, 1);
    EXPECT_NE(rig.Paint(), "----");
}

TEST_F(ItemRowTest, ASilverRowIsPaintedSilverAndStillEdits) {
    cmcEeprom& image = rig.shell.image;
    image.SetByte(349, 0x08);
    rig.At(12);
    EXPECT_EQ(rig.Paint(), "Zero");
    EXPECT_EQ(rig.PaintedColour(), 0xC0C0C0u);
    rig.Key(kKeySpace);
    EXPECT_EQ(image.GetByte(349), 0x48);
    image.SetByte(349, 0x40);
    rig.Paint();
    EXPECT_EQ(rig.PaintedColour(), 0u);
}

TEST_F(ItemRowTest, RedrawFlagsComeWithAChangeOnly) {
    rig.shell.image.SetByte(349, 0);
    rig.At(13);
    EXPECT_EQ(rig.Key(kKeySpace).redraw, RD_SameCell | RD_AllCells);
    EXPECT_EQ(rig.Key(kKeyEnter).redraw, RD_SameCell);
    EXPECT_EQ(rig.Answer(Flex1, 0).redraw, RD_SameCell);  // an answer of another list
}

TEST_F(ItemRowTest, ASpecialRowRunsItsFunctionAroundTheRegularPart) {
    rig.At(15);
    EXPECT_EQ(rig.Paint(), "!");
}

TEST(PopupHost, PopupsNotBuiltYetSayThatTheyAreNotAvailable) {
    radiotest::CellRig rig{kRegistry, kTable};
    cmcCellCapsule caller;
    PopupHost& host = PopupHost::Unavailable();
    host.OpenChoiceList(caller, {"Sel_T", Flex0, 1});
    host.OpenBitSetEditor(caller, {0, 1, 8, 0, 1});
    host.OpenDisplayTextEditor(caller, {{}, true, 8, {}});
    host.OpenUserCharacterEditor(caller, {0});
    ASSERT_EQ(rig.boxes.boxes.size(), 4u);
    EXPECT_EQ(rig.boxes.boxes[0].text,
              "The pop-up choice list cannot be opened yet.\nThe setting is unchanged.");
    EXPECT_EQ(rig.boxes.boxes[1].text.substr(0, 18), "The bit-set editor");
    EXPECT_EQ(rig.boxes.boxes[3].text.substr(0, 25), "The user-character editor");
    EXPECT_EQ(rig.boxes.boxes[0].caption, "Tarnwick");
}

}  // namespace
