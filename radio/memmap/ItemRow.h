#pragma once

#include <cstdint>
#include <variant>

#include "radio/cells/CellCodes.h"
#include "radio/cells/CellNameTables.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/host/ItemContext.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/ChannelConverters.h"
#include "radio/memmap/ChoiceConverters.h"
#include "radio/memmap/CodeConverters.h"
#include "radio/memmap/CommandCells.h"
#include "radio/memmap/KeyConverters.h"
#include "radio/memmap/NumberConverters.h"
#include "radio/memmap/SegCellEditors.h"
#include "radio/records/datCh.h"

struct ItemRow;

// What a change of a row's value also does (derived fields), after the value was written.
using RowEffect = void (*)(ItemContext& context);

// A function of its own for a row whose rule fits no builder. It may run the row's regular
// part with RunRegularRow (radio/memmap/RunItemRow.h) and add its rule around it. Returns the
// editor request (0, 1 refresh, 2 in-place editor).
using RowFunction = int (*)(ItemContext& context, const ItemRow& row);

// The vocabulary of the memory map. A row names an item code, where the value lives (a
// field), the converter that shows and edits it with its named parameters, when the row
// applies and what a change redraws: all as data, one constexpr line a row. A group file
// (radio/memmap/items/<Group>Items.cpp) writes its rows with these builders:
//
//   Choice(CL_Comm_PwrOnPassword, Bits(381, 0x20), "GI_Sheet_Sel_Misc_OnOff"),
//   Timer(CL_Comm_AtResetTimer_A, Byte(408), {.unitsPerSecond = 1, .offText = true}),
//   RecordChoice(CL_Mch_Nar, &datCh::nar, "GI_Sheet_Sel_Mch_Nar"),
//   RecordChoice(CL_Mch_Rpt_L, &datCh::rptLong, "GI_Sheet_Sel_Mch_LTone")
//       .OnlyIf(kVaskRuleA, "-"),
namespace memmap {

// --- Where a value lives ------------------------------------------------------------------

// An image address: fixed, or the same place in each record of a table (base + stride x the
// cell's index), or of a table kept in blocks (entry index % perBlock of block index / perBlock,
// the blocks blockStride apart).
struct Address {
    int base = 0;
    int stride = 0;
    int perBlock = 0;  // 0: one run of records
    int blockStride = 0;
    constexpr Address(int fixed) : base(fixed) {}  // NOLINT: a fixed address reads as a number
    constexpr Address(int base_, int stride_) : base(base_), stride(stride_) {}
    constexpr int At(int index) const {
        if (perBlock > 0) {
            return base + blockStride * (index / perBlock) + stride * (index % perBlock);
        }
        return base + stride * index;
    }
};
// Byte offset of the record of the cell's index in a table of the image.
constexpr Address InTable(layout::RecordArea area, int offset) {
    return Address(area.base + offset, area.stride);
}

// The same place in each entry of a table kept in blocks of perBlock entries, blockStride
// bytes apart: the cell's index i is entry i % perBlock of block i / perBlock.
constexpr Address InBlocks(Address entries, int perBlock, int blockStride) {
    if (perBlock < 1) {
        throw "a block holds one entry or more";  // fails the build of a constexpr row
    }
    entries.perBlock = perBlock;
    entries.blockStride = blockStride;
    return entries;
}

// How an odd value is read from and written to the document, for a codec of a field.
struct FieldCodec {
    int (*read)(const ItemContext& context) = nullptr;
    void (*write)(ItemContext& context, int value) = nullptr;
};

enum class FieldKind : uint8_t {
    None,
    ImageBits,     // (byte & mask) >> the mask's lowest bit
    ImageWord,     // BE16
    ImageLong,     // BE32, signed in two's complement
    ImageMapBit,   // bit n of a bitmap numbered from the most significant bit
    Record,        // an int field of the record view; a change is stored and reloaded
    Codec,         // read and written by functions of the group
    ImageBytes,    // length bytes of the image
    RecordText,    // a text field of the record view
    ImageNibbles,  // count nibbles, high nibble first
    ReversedBits,  // image bits, the mask's lowest the value's highest
    RecordReal,    // a real field of the record view, in whole units; a change is stored
};

struct Field {
    FieldKind kind = FieldKind::None;
    Address address = 0;
    int mask = 0;  // ImageBits: the mask; ImageMapBit: the bit; bytes and nibbles: the count
    int datCh::*member = nullptr;
    datCh::Text datCh::*text = nullptr;
    FieldCodec codec{};
    // An int field's value is the stored number divided by this (integer division); a change
    // stores value x scale.
    int scale = 1;
    // Added to the value after the scale; a change takes it off before storing.
    int offset = 0;
    double datCh::*real = nullptr;
};

// A field that holds one whole number, for the converters of numbers and lists.
struct IntField {
    Field field;
};
// A field of text bytes.
struct TextField {
    Field field;
};
// A field of nibbles, one digit each.
struct NibbleField {
    Field field;
};

constexpr IntField Bits(Address address, uint8_t mask) {
    return {{FieldKind::ImageBits, address, mask}};
}
// Bit n of a byte, counted from the least significant bit (bit 7 = 0x80).
constexpr IntField Bit(Address address, int n) {
    return Bits(address, static_cast<uint8_t>(1 << n));
}
constexpr IntField Byte(Address address) {
    return Bits(address, 0xFF);
}
constexpr IntField Word(Address address) {
    return {{FieldKind::ImageWord, address}};
}
// Four bytes, the most significant first, read as a signed number (two's complement).
constexpr IntField Long(Address address) {
    return {{FieldKind::ImageLong, address}};
}
// Bit n of the bitmap at address: byte address + n / 8, mask 0x80 >> n % 8.
constexpr IntField MapBit(Address address, int bit) {
    return {{FieldKind::ImageMapBit, address, bit}};
}
constexpr IntField Member(int datCh::*member) {
    return {{FieldKind::Record, 0, 0, member}};
}
// A real field of the record view (a tone, a period) in whole units: its integer part is the
// value, a change stores the whole number and reloads.
constexpr IntField Member(double datCh::*real) {
    Field field{FieldKind::RecordReal};
    field.real = real;
    return {field};
}
// The masked bits in the reverse order: the lowest bit of the mask is the value's highest
// (bits 2 and 3 of 0x0C give bit 2 x 2 + bit 3).
constexpr IntField ReversedBits(Address address, uint8_t mask) {
    return {{FieldKind::ReversedBits, address, mask}};
}
// The field's stored number in units of `divisor` (a word of tenths shown in whole units).
constexpr IntField Scaled(IntField field, int divisor) {
    if (divisor < 1) {
        throw "a field's divisor is 1 or more";  // fails the build of a constexpr row
    }
    field.field.scale = divisor;
    return field;
}
// The field's stored number shifted by n: the value is stored + n, a change stores value - n
// (a byte that keeps a count less 11 is Offset(Byte(35), 11)).
constexpr IntField Offset(IntField field, int n) {
    field.field.offset = n;
    return field;
}
constexpr IntField Custom(FieldCodec codec) {
    return {{FieldKind::Codec, 0, 0, nullptr, nullptr, codec}};
}
constexpr TextField Chars(Address address, int length) {
    return {{FieldKind::ImageBytes, address, length}};
}
constexpr TextField Member(datCh::Text datCh::*text) {
    return {{FieldKind::RecordText, 0, 0, nullptr, text}};
}
constexpr NibbleField Nibbles(Address address, int count) {
    return {{FieldKind::ImageNibbles, address, count}};
}

// --- When a row applies -------------------------------------------------------------------

struct Condition;
using ConditionTest = bool (*)(const ItemContext& context, const Condition& condition);

struct Condition {
    ConditionTest holds = nullptr;
    Address address = 0;
    uint8_t mask = 0;
    // A field of the record the frame loaded, for the conditions on a record's value.
    int datCh::*member = nullptr;
    constexpr bool IsSet() const { return holds != nullptr; }
};

bool AnyBitsSet(const ItemContext& context, const Condition& condition);
bool NoBitsSet(const ItemContext& context, const Condition& condition);
bool VaskRuleA(const ItemContext& context, const Condition& condition);
bool VaskRuleB(const ItemContext& context, const Condition& condition);
bool VaskRuleC(const ItemContext& context, const Condition& condition);
bool IndexNotZero(const ItemContext& context, const Condition& condition);
bool RecordReached(const ItemContext& context, const Condition& condition);
bool IndexIsBelow(const ItemContext& context, const Condition& condition);
bool InBankedMode(const ItemContext& context, const Condition& condition);
bool RecordFieldSet(const ItemContext& context, const Condition& condition);
bool AnalogueOnVask(const ItemContext& context, const Condition& condition);
bool Always(const ItemContext& context, const Condition& condition);

// Some of the masked bits of the image are set, or none is.
constexpr Condition ImageBitsSet(Address address, uint8_t mask) {
    return {AnyBitsSet, address, mask};
}
constexpr Condition ImageBitsClear(Address address, uint8_t mask) {
    return {NoBitsSet, address, mask};
}
// The channel rules of the Vask model type (every other type passes them): A analogue, or
// digital data on a Vask channel; B analogue; C a Vask channel.
constexpr Condition kVaskRuleA{VaskRuleA};
constexpr Condition kVaskRuleB{VaskRuleB};
constexpr Condition kVaskRuleC{VaskRuleC};
constexpr Condition kIndexNotZero{IndexNotZero};
// The record the row works on is there: its kind's limits hold its index (a two-tone code 0,
// a user tone 15 are not records).
constexpr Condition kRecordReached{RecordReached};
// The cell's index is below n (the rows of a table that ends with rows of its own).
constexpr Condition IndexBelow(int n) {
    return {IndexIsBelow, n};
}
// Bank 1 holds channels: the channels are divided into banks.
constexpr Condition kBankedMode{InBankedMode};
// The field of the loaded record is not 0.
constexpr Condition RecordFlagSet(int datCh::*member) {
    return {RecordFieldSet, 0, 0, member};
}
// On the Vask model type, a channel without Vask signalling.
constexpr Condition kAnalogueOnVask{AnalogueOnVask};
// Holds for every cell on every model type.
constexpr Condition kAlways{Always};

// A check of the row's value after its converter ran (an address in the wrong range, say):
// the marks (kMarkWarning, kMarkError) the value earns, 0 when none; the test and its
// parameter are the group's.
struct ValueCheck;
using ValueTest = uint8_t (*)(const ItemContext& context, int value, const ValueCheck& check);

struct ValueCheck {
    ValueTest holds = nullptr;
    int parameter = 0;
    constexpr bool IsSet() const { return holds != nullptr; }
};

// The horizontal alignment a greyed row's cell gets back when it applies again.
enum class Align : uint8_t { Left = 0, Centre = 1, Right = 2 };

// --- The converters' parameters -------------------------------------------------------------

using Editor =
    std::variant<std::monostate, ListEntryParams, ChoiceParams, TypedChoiceParams, ListNumberParams,
                 AbcCodeParams, ScramCodeParams, OptionLettersParams, NumberParams,
                 PaddedNumberParams, DecimalParams, TimerParams, MinSecParams, ScaledByteParams,
                 FigureParams, NibbleCodeParams, HexDigitParams, BitFieldParams, KeyAssignParams,
                 FrequencyParams, SubToneParams, PackedCodeParams, FiveToneParams, DigitsParams,
                 TextParams, DisplayTextParams, UserCharacterParams, CommandParams>;

}  // namespace memmap

// One row of the memory map.
struct ItemRow {
    int code = kItemNone;
    RowFunction special = nullptr;
    memmap::Field field{};
    memmap::Editor editor{};
    // Greyed (greyText, centred, silver, not editable) while this does not hold.
    memmap::Condition appliesWhen{};
    const char* greyText = "----";
    memmap::Align alignWhenApplies = memmap::Align::Right;
    // Painted silver while this holds; still editable.
    memmap::Condition silverWhen{};
    // Redraw flags a change adds (RD_SameItem, RD_AllCells, ...).
    int redraw = 0;
    // Runs after a change was written back: what the change tells the rest of the program.
    RowEffect afterChange = nullptr;
    // The marks (kMarkWarning, kMarkError) the cell gets for the row's value.
    memmap::ValueCheck marksBy{};
    // Painted teal and deaf to keys and input while this holds.
    memmap::Condition readOnlyWhen{};
    // The record the row works on, loaded at the cell's index whatever the cell's category;
    // RK_None: the record the frame loaded.
    uint32_t ownRecord = RK_None;

    // The row applies only while the condition holds; else its cell shows the grey text.
    constexpr ItemRow OnlyIf(memmap::Condition condition, const char* text = "----",
                             memmap::Align align = memmap::Align::Right) const {
        ItemRow row = *this;
        row.appliesWhen = condition;
        row.greyText = text;
        row.alignWhenApplies = align;
        return row;
    }
    constexpr ItemRow SilverWhile(memmap::Condition condition) const {
        ItemRow row = *this;
        row.silverWhen = condition;
        return row;
    }
    constexpr ItemRow Redraws(int flags) const {
        ItemRow row = *this;
        row.redraw |= flags;
        return row;
    }
    // Each modifier copies the row and sets its member itself: clang 14 instantiates a member
    // template shared by them too late for the constant rows of the group files.
    constexpr ItemRow AfterChange(RowEffect function) const {
        ItemRow row = *this;
        row.afterChange = function;
        return row;
    }
    constexpr ItemRow MarkedBy(memmap::ValueCheck check) const {
        ItemRow row = *this;
        row.marksBy = check;
        return row;
    }
    constexpr ItemRow ReadOnlyWhile(memmap::Condition condition) const {
        ItemRow row = *this;
        row.readOnlyWhen = condition;
        return row;
    }
    // Shown only, on every model type: saving and writing the image take these bits from the
    // model type's default image, so an edit could never last.
    constexpr ItemRow FixedByModel() const { return ReadOnlyWhile(memmap::kAlways); }
    constexpr ItemRow LoadsRecord(uint32_t kind) const {
        ItemRow row = *this;
        row.ownRecord = kind;
        return row;
    }
};

namespace memmap {

// --- Rows ---------------------------------------------------------------------------------

constexpr ItemRow Row(int code, Field field, Editor editor) {
    ItemRow row;
    row.code = code;
    row.field = field;
    row.editor = editor;
    return row;
}

// The cells of a choice list's sheet: each shows its caption, its index is the list's answer.
constexpr ItemRow ListEntry(int code) {
    return Row(code, {}, ListEntryParams{});
}
// A value shown as an entry of a choice list (answer item Flex0 unless given).
constexpr ItemRow Choice(int code, IntField field, const char* list, int answer = Flex0) {
    return Row(code, field.field, ChoiceParams{list, answer});
}
// The common case: masked bits of one image byte.
constexpr ItemRow Choice(int code, int address, uint8_t mask, const char* list) {
    return Choice(code, Bits(address, mask), list);
}
constexpr ItemRow RecordChoice(int code, int datCh::*member, const char* list, int answer = Flex0) {
    return Choice(code, Member(member), list, answer);
}
// A list of its own on the LMR model types.
constexpr ItemRow ModelChoice(int code, IntField field, const char* pmrList, const char* lmrList) {
    return Row(code, field.field, ChoiceParams{pmrList, Flex0, lmrList});
}
// One enable bit of the user set mode (bit n from the most significant bit of address).
constexpr ItemRow BitChoice(int code, Address address, int bit) {
    return Choice(code, MapBit(address, bit), "GI_Sheet_Sel_UserSetEnable");
}
constexpr ItemRow TypedChoice(int code, IntField field, TypedChoiceParams params) {
    return Row(code, field.field, params);
}
constexpr ItemRow ListNumber(int code, IntField field, ListNumberParams params) {
    return Row(code, field.field, params);
}
constexpr ItemRow AbcCode(int code, IntField field) {
    return Row(code, field.field, AbcCodeParams{});
}
constexpr ItemRow ScramCode(int code, IntField field) {
    return Row(code, field.field, ScramCodeParams{});
}
constexpr ItemRow OptionLetters(int code, IntField field, const char* list) {
    return Row(code, field.field, OptionLettersParams{list});
}
constexpr ItemRow Number(int code, IntField field, NumberParams params) {
    return Row(code, field.field, params);
}
constexpr ItemRow PaddedNumber(int code, IntField field, PaddedNumberParams params) {
    return Row(code, field.field, params);
}
constexpr ItemRow Decimal(int code, IntField field, DecimalParams params) {
    return Row(code, field.field, params);
}
constexpr ItemRow Timer(int code, IntField field, TimerParams params) {
    return Row(code, field.field, params);
}
// A timer byte of unitsPerSecond units a second: 0..255, shown "%3d.%03d" seconds, no off
// text.
constexpr ItemRow TimerByte(int code, Address address, int unitsPerSecond) {
    return Timer(code, Byte(address), {.unitsPerSecond = unitsPerSecond});
}
constexpr ItemRow MinSec(int code, IntField field, MinSecParams params) {
    return Row(code, field.field, params);
}
constexpr ItemRow ScaledByte(int code, IntField field) {
    return Row(code, field.field, ScaledByteParams{});
}
// A number shown only: a count or a figure the field's function works out.
constexpr ItemRow Figure(int code, IntField field) {
    return Row(code, field.field, FigureParams{});
}
constexpr ItemRow NibbleCode(int code, IntField field, NibbleCodeParams params) {
    return Row(code, field.field, params);
}
constexpr ItemRow OneHexDigit(int code, IntField field, HexDigitParams params) {
    return Row(code, field.field, params);
}
constexpr ItemRow BitField(int code, IntField field, BitFieldParams params) {
    return Row(code, field.field, params);
}
// A key's function byte with the model type's function list and the key options.
constexpr ItemRow KeyAssign(int code, IntField field) {
    return Row(code, field.field, KeyAssignParams{});
}
// Fields of the channel record the frame loaded.
constexpr ItemRow Frequency(int code, Side side) {
    return Row(code, {}, FrequencyParams{side});
}
constexpr ItemRow SubTone(int code, Side side) {
    return Row(code, {}, SubToneParams{side});
}
// The DTMF record's digits and digit count.
constexpr ItemRow PackedCode(int code, PackedCodeParams params) {
    return Row(code, {}, params);
}
// The code record's code bytes; "*" is the group tone, the record's common byte.
constexpr ItemRow FiveToneCode(int code, FiveToneParams params) {
    return Row(code, {}, params);
}
constexpr ItemRow Digits(int code, NibbleField field) {
    return Row(code, field.field, DigitsParams{field.field.mask});
}
constexpr ItemRow Text(int code, TextField field) {
    return Row(code, field.field, TextParams{});
}
// A name or message of the radio's display, painted as glyphs with the image's user
// characters, edited in the display-text editor.
constexpr ItemRow DisplayText(int code, TextField field, SegPadding padding = SegPadding::Blanks) {
    return Row(code, field.field, DisplayTextParams{padding});
}
// The user-character pattern of the record the frame loaded (RK_CEdit).
constexpr ItemRow UserCharacter(int code) {
    return Row(code, {}, UserCharacterParams{});
}
// A command of the menus and tool bar: Enter runs it.
constexpr ItemRow Command(int code, MenuCommand run) {
    return Row(code, {}, CommandParams{run});
}
constexpr ItemRow Special(int code, RowFunction function) {
    ItemRow row;
    row.code = code;
    row.special = function;
    return row;
}
// A regular row with a rule of its own: the function runs instead and may run the regular
// part (field, converter, modifiers) with RunRegularRow.
constexpr ItemRow Special(ItemRow regular, RowFunction function) {
    regular.special = function;
    return regular;
}

// The build guard of a group: every code names an item (0..698) and none is given twice.
template <std::size_t N>
constexpr bool CodesNamedOnce(const ItemRow (&rows)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (rows[i].code < 0 || rows[i].code >= kCellItemCount) {
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (rows[j].code == rows[i].code) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace memmap
