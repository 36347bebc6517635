#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "radio/cells/CellCodes.h"
#include "radio/cells/CellNameTables.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/host/ItemContext.h"
#include "radio/image/BitCodec.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/ChannelConverters.h"
#include "radio/memmap/ChoiceConverters.h"
#include "radio/memmap/CodeConverters.h"
#include "radio/memmap/CommandCells.h"
#include "radio/memmap/KeyConverters.h"
#include "radio/memmap/MarkSums.h"
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
//   IndexLabel(CL_Mdc_General_Text, {"Gen "}),
//   MenuEntry(CL_Menu_View_ToolBar, {ToggleToolBar}).CheckedWhile(Condition{ToolBarShown}),
//
// Special keeps what no builder says: a function of the group file for the row.
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

// Where a value can live: one struct a place, with the members that locate it (a field's
// place is one of them, see Place).
// Bits of one image byte, as the bit codec reads them.
struct ImageBits {
    Address address;
    BitCodec bits;
};
// BE16.
struct ImageWord {
    Address address;
};
// BE32, signed in two's complement.
struct ImageLong {
    Address address;
};
// Bit n of a bitmap numbered from the most significant bit: byte address + n / 8, mask
// 0x80 >> n % 8; any value but 0 sets it.
struct ImageMapBit {
    Address address;
    int bit = 0;
};
struct ImageBytes {
    Address address;
    int length = 0;
};
// Nibbles from the address, the high nibble of a byte first.
struct ImageNibbles {
    Address address;
    int count = 0;
};
// An int field of the record view; a change is stored and reloaded.
struct RecordInt {
    int datCh::*member = nullptr;
};
// A real field of the record view, in whole units; a change is stored and reloaded.
struct RecordReal {
    double datCh::*member = nullptr;
};
// A text field of the record view; a change is stored and reloaded.
struct RecordText {
    datCh::Text datCh::*member = nullptr;
};
// Bytes of the radio's identity block, which the document keeps beside the image: shown only.
struct IdentityBytes {
    int offset = 0;
    int length = 0;
};

using Place =
    std::variant<std::monostate, ImageBits, ImageWord, ImageLong, ImageMapBit, ImageBytes,
                 ImageNibbles, RecordInt, RecordReal, RecordText, FieldCodec, IdentityBytes>;

struct Field {
    Place place{};
    // An int field's value is the stored number divided by this (integer division); a change
    // stores value x scale.
    int scale = 1;
    // Added to the value after the scale; a change takes it off before storing.
    int offset = 0;
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
    return {{ImageBits{address, BitCodec::Masked(mask)}}};
}
// Bit n of a byte, counted from the least significant bit (bit 7 = 0x80).
constexpr IntField Bit(Address address, int n) {
    return Bits(address, static_cast<uint8_t>(1 << n));
}
constexpr IntField Byte(Address address) {
    return Bits(address, 0xFF);
}
constexpr IntField Word(Address address) {
    return {{ImageWord{address}}};
}
// Four bytes, the most significant first, read as a signed number (two's complement).
constexpr IntField Long(Address address) {
    return {{ImageLong{address}}};
}
// Bit n of the bitmap at address: byte address + n / 8, mask 0x80 >> n % 8.
constexpr IntField MapBit(Address address, int bit) {
    return {{ImageMapBit{address, bit}}};
}
constexpr IntField Member(int datCh::*member) {
    return {{RecordInt{member}}};
}
// A real field of the record view (a tone, a period) in whole units: its integer part is the
// value, a change stores the whole number and reloads.
constexpr IntField Member(double datCh::*real) {
    return {{RecordReal{real}}};
}
// The masked bits in the reverse order: the lowest bit of the mask is the value's highest
// (bits 2 and 3 of 0x0C give bit 2 x 2 + bit 3).
constexpr IntField ReversedBits(Address address, uint8_t mask) {
    return {{ImageBits{address, BitCodec::Reversed(mask)}}};
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
    return {{codec}};
}
constexpr TextField Chars(Address address, int length) {
    return {{ImageBytes{address, length}}};
}
constexpr TextField Member(datCh::Text datCh::*text) {
    return {{RecordText{text}}};
}
// Text bytes of the radio's identity block (the clone information): no key or input reaches
// their converter, since there is nothing an edit could change.
constexpr TextField IdentityChars(int offset, int length) {
    return {{IdentityBytes{offset, length}}};
}
constexpr NibbleField Nibbles(Address address, int count) {
    return {{ImageNibbles{address, count}}};
}

// --- When a row applies -------------------------------------------------------------------

struct Condition;
using ConditionTest = bool (*)(const ItemContext& context, const Condition& condition);

// The cell's index is below this (the rows of a table that ends with rows of its own).
struct IndexLimit {
    int below = 0;
};

struct Condition {
    ConditionTest holds = nullptr;
    // What the test looks at, as the builder named it: image bits, a field of the loaded record,
    // an index limit, a model type.
    std::variant<std::monostate, ImageBits, RecordInt, IndexLimit, ModelType> subject{};
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
bool ModelTypeIs(const ItemContext& context, const Condition& condition);
bool Always(const ItemContext& context, const Condition& condition);

// Some of the masked bits of the image are set, or none is.
constexpr Condition ImageBitsSet(Address address, uint8_t mask) {
    return {AnyBitsSet, ImageBits{address, BitCodec::Masked(mask)}};
}
constexpr Condition ImageBitsClear(Address address, uint8_t mask) {
    return {NoBitsSet, ImageBits{address, BitCodec::Masked(mask)}};
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
    return {IndexIsBelow, IndexLimit{n}};
}
// Bank 1 holds channels: the channels are divided into banks.
constexpr Condition kBankedMode{InBankedMode};
// The field of the loaded record is not 0.
constexpr Condition RecordFlagSet(int datCh::*member) {
    return {RecordFieldSet, RecordInt{member}};
}
// On the Vask model type, a channel without Vask signalling.
constexpr Condition kAnalogueOnVask{AnalogueOnVask};
// The program's model type is this one.
constexpr Condition ModelIs(ModelType model) {
    return {ModelTypeIs, model};
}
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

// A text shown only: fixed, or a number the cell's index gives after it ("Sys 3", the entry's
// place in its block counted from 1).
struct LabelParams {
    const char* text = "";  // the label, or what comes before the number
    bool numbered = true;   // the number follows the text
    int cycle = 0;          // the number is the index % cycle; 0: the index
    int first = 0;          // the number of index 0 (1: counted from 1)
};

// What Enter on a menu entry does: a function of the group with the entry's number (the model
// type it chooses, the pages it prints).
struct MenuAction {
    void (*run)(ItemContext& context, int number) = nullptr;
    int number = 0;
};
// An entry of a menu or the tool bar: shows its caption; Enter runs the action, unless the entry
// is disabled. Its state is the row's (DisabledWhile, CheckedWhile).
struct MenuEntryParams {
    MenuAction onEnter{};
};

// A text of the clone information, worked out from the radio's identity block.
using IdentityText = std::string (*)(std::span<const uint8_t> block, cmcGTex& texts);
struct IdentityTextParams {
    IdentityText show = nullptr;
};

// A check: while the condition holds, the cell gets every mark one of its sources passes on.
// It judges no value of its own: the fields give themselves their marks when painted.
struct MarkSumParams {
    std::span<const MarkSource> sources;
    Condition onlyWhile = kAlways;
};

using Editor =
    std::variant<std::monostate, ListEntryParams, ChoiceParams, TypedChoiceParams, ListNumberParams,
                 AbcCodeParams, ScramCodeParams, OptionLettersParams, NumberParams,
                 PaddedNumberParams, DecimalParams, TimerParams, MinSecParams, ScaledByteParams,
                 FigureParams, NibbleCodeParams, HexDigitParams, BitFieldParams, KeyAssignParams,
                 FrequencyParams, SubToneParams, PackedCodeParams, FiveToneParams, DigitsParams,
                 TextParams, DisplayTextParams, UserCharacterParams, CommandParams, LabelParams,
                 MenuEntryParams, IdentityTextParams, MarkSumParams>;

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
    // The cell's state in a menu or on the tool bar: disabled (it takes no Enter) and checked
    // while these hold.
    memmap::Condition disabledWhen{};
    memmap::Condition checkedWhen{};

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
    constexpr ItemRow DisabledWhile(memmap::Condition condition) const {
        ItemRow row = *this;
        row.disabledWhen = condition;
        return row;
    }
    constexpr ItemRow CheckedWhile(memmap::Condition condition) const {
        ItemRow row = *this;
        row.checkedWhen = condition;
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
    return Row(code, field.field, DigitsParams{std::get<ImageNibbles>(field.field.place).count});
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
// A fixed text, or a text and the number the cell's index gives: the name of a table's entry
// ("Sys 3") or its place in its block.
constexpr ItemRow Label(int code, const char* text) {
    return Row(code, {}, LabelParams{text, false});
}
constexpr ItemRow IndexLabel(int code, LabelParams params) {
    return Row(code, {}, params);
}
// A cell with no setting: it shows nothing and changes nothing.
constexpr ItemRow NoSetting(int code) {
    return Row(code, {}, {});
}
// An entry of a menu or the tool bar whose action is the group's, with its state chained on:
// MenuEntry(CL_Model_Lmr, {ChooseModel, MT_Lmr}).CheckedWhile(ModelIs(MT_Lmr)).
constexpr ItemRow MenuEntry(int code, MenuAction onEnter = {}) {
    return Row(code, {}, MenuEntryParams{onEnter});
}
// A cell of the clone information: the text the function works out from the identity block.
constexpr ItemRow IdentityField(int code, IdentityText show) {
    return Row(code, {}, IdentityTextParams{show});
}
// A warning check: the marks its sources pass on, while the condition holds.
constexpr ItemRow MarkSum(int code, std::span<const MarkSource> sources,
                          Condition onlyWhile = kAlways) {
    return Row(code, {}, MarkSumParams{sources, onlyWhile});
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
