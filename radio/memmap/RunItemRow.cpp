#include "radio/memmap/RunItemRow.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "common/TextHelpers.h"
#include "common/cmcCanvas.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/image/ImageWords.h"
#include "radio/image/cmcEeprom.h"

using namespace memmap;

namespace {

constexpr uint32_t kSilver = 0xC0C0C0;
constexpr uint32_t kTeal = 0x808000;
constexpr int kMaxNibbles = 8;

int LowestBit(int mask) {
    int shift = 0;
    while (mask && !(mask & (1 << shift))) {
        ++shift;
    }
    return shift;
}

int AddressOf(const ItemContext& context, const Field& field) {
    return field.address.At(context.index);
}

uint8_t MapBitMask(int bit) {
    return static_cast<uint8_t>(0x80 >> (bit % 8));
}

void SetHorizontalAlignment(cmcCellCapsule& capsule, Align align) {
    if (cmcCellObj* cell = capsule.cell) {
        cell->layoutBits = static_cast<uint8_t>((cell->layoutBits & ~kLayoutHorzMask) |
                                                static_cast<uint8_t>(align));
    }
}

// Centred both ways, silver, the row's grey text.
void ShowGreyed(ItemContext& context, const ItemRow& row) {
    cmcCellCapsule& capsule = context.capsule;
    capsule.outText = row.greyText;
    capsule.selStart = 0;
    capsule.selLength = static_cast<int>(capsule.outText.size());
    if (cmcCellObj* cell = capsule.cell) {
        cell->layoutBits = static_cast<uint8_t>(
            (cell->layoutBits & ~(kLayoutHorzMask | kLayoutVertMask)) | 0x01 | (0x01 << 2));
    }
    if (capsule.canvas) {
        capsule.canvas->SetTextColour(kSilver);
    }
}

std::vector<uint8_t> ReadBytes(const ItemContext& context, const Field& field) {
    if (field.kind == FieldKind::RecordText) {
        const datCh::Text& text = context.record.*field.text;
        return {text.begin(), text.end()};
    }
    std::vector<uint8_t> bytes(static_cast<std::size_t>(std::max(field.mask, 0)));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = context.image.GetByte(AddressOf(context, field) + static_cast<int>(i));
    }
    return bytes;
}

void WriteBytes(ItemContext& context, const Field& field, const std::vector<uint8_t>& bytes) {
    if (field.kind == FieldKind::RecordText) {
        datCh::Text& text = context.record.*field.text;
        std::copy_n(bytes.begin(), std::min(bytes.size(), text.size()), text.begin());
        context.record.StoreAndReload();
        return;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        context.image.SetByte(AddressOf(context, field) + static_cast<int>(i), bytes[i]);
    }
}

// Nibble i of the field: byte i / 2 from its address, high nibble for even i.
int ReadNibble(const ItemContext& context, const Field& field, int i) {
    const uint8_t byte = context.image.GetByte(AddressOf(context, field) + i / 2);
    return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

void WriteNibble(ItemContext& context, const Field& field, int i, int nibble) {
    const int address = AddressOf(context, field) + i / 2;
    uint8_t byte = context.image.GetByte(address);
    SetNibble(&byte, static_cast<std::size_t>(i % 2), nibble);
    context.image.SetByte(address, byte);
}

// Runs the row's converter on its field; true when the value changed and was written back.
struct EditorRun {
    ItemContext& context;
    const ItemRow& row;

    template <class Convert>
    bool OnInt(Convert convert) {
        int value = ReadField(context, row.field);
        if (!convert(value)) {
            return false;
        }
        WriteField(context, row.field, value);
        return true;
    }

    bool OnRecord(bool changed) {
        if (changed) {
            context.record.StoreAndReload();
        }
        return changed;
    }

    bool operator()(std::monostate) { return false; }
    bool operator()(const ListEntryParams& p) {
        CellListEntry(context, p);
        return false;
    }
    bool operator()(const ChoiceParams& p) {
        const char* list = p.lmrList && context.modelFlags.lmr ? p.lmrList : p.list;
        return OnInt([&](int& v) { return CellChoice(context, v, list, p.answer); });
    }
    bool operator()(const TypedChoiceParams& p) {
        return OnInt([&](int& v) { return CellChoiceTyped(context, v, p); });
    }
    bool operator()(const ListNumberParams& p) {
        return OnInt([&](int& v) { return CellListNumber(context, v, p); });
    }
    bool operator()(const AbcCodeParams& p) {
        return OnInt([&](int& v) { return CellAbcCode(context, v, p); });
    }
    bool operator()(const ScramCodeParams& p) {
        return OnInt([&](int& v) { return CellScramCode(context, v, p); });
    }
    bool operator()(const OptionLettersParams& p) {
        return OnInt([&](int& v) { return CellOptionLetters(context, v, p); });
    }
    bool operator()(const NumberParams& p) {
        return OnInt([&](int& v) { return CellInt(context, v, p); });
    }
    bool operator()(const PaddedNumberParams& p) {
        return OnInt([&](int& v) { return CellPaddedInt(context, v, p); });
    }
    bool operator()(const DecimalParams& p) {
        return OnInt([&](int& v) { return CellDecimal(context, v, p); });
    }
    bool operator()(const TimerParams& p) {
        return OnInt([&](int& v) { return CellTimer(context, v, p); });
    }
    bool operator()(const MinSecParams& p) {
        return OnInt([&](int& v) { return CellMinSec(context, v, p); });
    }
    bool operator()(const ScaledByteParams& p) {
        return OnInt([&](int& v) { return CellScaledByte(context, v, p); });
    }
    bool operator()(const FigureParams& p) {
        return OnInt([&](int& v) { return CellFigure(context, v, p); });
    }
    bool operator()(const NibbleCodeParams& p) {
        return OnInt([&](int& v) { return CellNibbleCode(context, v, p); });
    }
    bool operator()(const HexDigitParams& p) {
        return OnInt([&](int& v) { return CellHexDigit(context, v, p); });
    }
    bool operator()(const BitFieldParams& p) {
        return OnInt([&](int& v) { return CellBitField(context, v, p); });
    }
    bool operator()(const KeyAssignParams&) {
        return OnInt([&](int& v) {
            return CellKeyAssign(context, context.image, context.model, v, context.redraw);
        });
    }
    bool operator()(const FrequencyParams& p) {
        return OnRecord(CellFrequency(context, context.record, p));
    }
    bool operator()(const SubToneParams& p) {
        return OnRecord(CellSubTone(context, context.record, p));
    }
    bool operator()(const PackedCodeParams& p) {
        datCh& record = context.record;
        return OnRecord(CellPackedCode(context, record.digits, record.digitCount, p));
    }
    bool operator()(const FiveToneParams& p) {
        datCh& record = context.record;
        return OnRecord(CellFiveToneCode(context, record.codeBytes, record.common, p));
    }
    bool operator()(const DigitsParams& p) {
        const int count = std::clamp(p.digits, 0, kMaxNibbles);
        std::array<int, kMaxNibbles> digits{};
        for (int i = 0; i < count; ++i) {
            digits[static_cast<std::size_t>(i)] = ReadNibble(context, row.field, i);
        }
        if (!CellDigitArray(context, std::span<int>(digits).first(static_cast<std::size_t>(count)),
                            p)) {
            return false;
        }
        for (int i = 0; i < count; ++i) {
            WriteNibble(context, row.field, i, digits[static_cast<std::size_t>(i)]);
        }
        return true;
    }
    bool operator()(const DisplayTextParams& p) {
        std::vector<uint8_t> bytes = ReadBytes(context, row.field);
        if (!EditSegTextCell(context.capsule, bytes, UserCharTable(context.image), p.padding,
                             context.services.popups, context.request)) {
            return false;
        }
        WriteBytes(context, row.field, bytes);
        return true;
    }
    bool operator()(const UserCharacterParams&) {
        return OnRecord(EditSegCharCell(context.capsule, context.record.pattern,
                                        context.services.popups, context.request) != 0);
    }
    bool operator()(const CommandParams& p) {
        CellCommand(context, p);
        return false;
    }
    bool operator()(const TextParams& p) {
        std::vector<uint8_t> bytes = ReadBytes(context, row.field);
        if (!CellText(context, bytes, p)) {
            return false;
        }
        WriteBytes(context, row.field, bytes);
        return true;
    }
};

bool Holds(const ItemContext& context, const Condition& condition) {
    return condition.IsSet() && condition.holds(context, condition);
}

// What every row does first: loads its own record, and greys its cell while it does not
// apply. False when greyed.
bool PrepareRow(ItemContext& context, const ItemRow& row) {
    if (row.ownRecord != RK_None) {
        context.record.Load(row.ownRecord, context.index);
    }
    if (!row.appliesWhen.IsSet()) {
        return true;
    }
    if (!row.appliesWhen.holds(context, row.appliesWhen)) {
        ShowGreyed(context, row);
        return false;
    }
    SetHorizontalAlignment(context.capsule, row.alignWhenApplies);
    return true;
}

// A read-only cell still renders, but no key or input reaches its converter.
void IgnoreInput(cmcCellCapsule& capsule) {
    capsule.key = 0;
    capsule.inputMode = kInputKey;
}

// The masked bits of the byte from the lowest up, the first the value's highest.
int ReadReversedBits(uint8_t byte, int mask) {
    int value = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (mask & (1 << bit)) {
            value = (value << 1) | ((byte >> bit) & 1);
        }
    }
    return value;
}

uint8_t WriteReversedBits(uint8_t byte, int mask, int value) {
    for (int bit = 7; bit >= 0; --bit) {
        if (mask & (1 << bit)) {
            byte = static_cast<uint8_t>((byte & ~(1 << bit)) | ((value & 1) << bit));
            value >>= 1;
        }
    }
    return byte;
}

// The number the field stores, before its scale.
int ReadStored(const ItemContext& context, const Field& field) {
    switch (field.kind) {
        case FieldKind::ImageBits:
            return (context.image.GetByte(AddressOf(context, field)) & field.mask) >>
                   LowestBit(field.mask);
        case FieldKind::ImageWord: {
            const int address = AddressOf(context, field);
            return (context.image.GetByte(address) << 8) | context.image.GetByte(address + 1);
        }
        case FieldKind::ImageLong: {
            uint8_t bytes[4]{};
            context.image.ReadBlock(AddressOf(context, field), bytes, 4);
            return static_cast<int32_t>(GetBE32(bytes));
        }
        case FieldKind::ImageMapBit:
            return (context.image.GetByte(AddressOf(context, field) + field.mask / 8) &
                    MapBitMask(field.mask)) != 0;
        case FieldKind::ReversedBits:
            return ReadReversedBits(context.image.GetByte(AddressOf(context, field)), field.mask);
        case FieldKind::Record:
            return context.record.*field.member;
        case FieldKind::RecordReal:
            return static_cast<int>(std::floor(context.record.*field.real));
        case FieldKind::Codec:
            return field.codec.read(context);
        default:
            return 0;
    }
}

void WriteStored(ItemContext& context, const Field& field, int value) {
    cmcEeprom& image = context.image;
    const int address = AddressOf(context, field);
    switch (field.kind) {
        case FieldKind::ImageBits: {
            const int bits = (value << LowestBit(field.mask)) & field.mask;
            image.SetByte(address,
                          static_cast<uint8_t>((image.GetByte(address) & ~field.mask) | bits));
            break;
        }
        case FieldKind::ImageWord: {
            uint8_t word[2];
            SetBE16(word, value);
            image.SetByte(address, word[0]);
            image.SetByte(address + 1, word[1]);
            break;
        }
        case FieldKind::ImageLong: {
            uint8_t bytes[4];
            SetBE32(bytes, static_cast<uint32_t>(value));
            image.WriteBlock(address, bytes, 4);
            break;
        }
        case FieldKind::ImageMapBit: {
            const int at = address + field.mask / 8;
            const uint8_t mask = MapBitMask(field.mask);
            const uint8_t byte = image.GetByte(at);
            image.SetByte(at, static_cast<uint8_t>(value ? byte | mask : byte & ~mask));
            break;
        }
        case FieldKind::ReversedBits:
            image.SetByte(address, WriteReversedBits(image.GetByte(address), field.mask, value));
            break;
        case FieldKind::Record:
            context.record.*field.member = value;
            context.record.StoreAndReload();
            break;
        case FieldKind::RecordReal:
            context.record.*field.real = value;
            context.record.StoreAndReload();
            break;
        case FieldKind::Codec:
            field.codec.write(context, value);
            break;
        default:
            break;
    }
}

}  // namespace

int ReadField(const ItemContext& context, const Field& field) {
    return ReadStored(context, field) / field.scale + field.offset;
}

void WriteField(ItemContext& context, const Field& field, int value) {
    WriteStored(context, field, (value - field.offset) * field.scale);
}

int RunRegularRow(ItemContext& context, const ItemRow& row) {
    if (!PrepareRow(context, row)) {
        return 0;
    }
    cmcCellCapsule& capsule = context.capsule;
    const bool readOnly = Holds(context, row.readOnlyWhen);
    if (readOnly) {
        IgnoreInput(capsule);
    }
    if (std::visit(EditorRun{context, row}, row.editor)) {
        context.redraw |= row.redraw;
        if (row.afterChange) {
            row.afterChange(context);
        }
    }
    if (row.marksBy.IsSet()) {
        capsule.marks |= row.marksBy.holds(context, ReadField(context, row.field), row.marksBy);
    }
    if (capsule.canvas && (readOnly || Holds(context, row.silverWhen))) {
        capsule.canvas->SetTextColour(readOnly ? kTeal : kSilver);
    }
    return context.request;
}

int RunItemRow(ItemContext& context, const ItemRow& row) {
    if (!row.special) {
        return RunRegularRow(context, row);
    }
    return PrepareRow(context, row) ? row.special(context, row) : 0;
}

namespace memmap {

bool AnyBitsSet(const ItemContext& context, const Condition& condition) {
    return (context.image.GetByte(condition.address.At(context.index)) & condition.mask) != 0;
}

bool NoBitsSet(const ItemContext& context, const Condition& condition) {
    return !AnyBitsSet(context, condition);
}

bool VaskRuleA(const ItemContext& context, const Condition&) {
    const ChannelFlags& channel = context.channel;
    return context.model != MT_VaskPmr || channel.analogue ||
           (channel.digitalData && channel.vaskChannel);
}

bool VaskRuleB(const ItemContext& context, const Condition&) {
    return context.model != MT_VaskPmr || context.channel.analogue;
}

bool VaskRuleC(const ItemContext& context, const Condition&) {
    return context.model != MT_VaskPmr || context.channel.vaskChannel;
}

bool IndexNotZero(const ItemContext& context, const Condition&) {
    return context.index != 0;
}

bool RecordReached(const ItemContext& context, const Condition&) {
    const datCh& record = context.record;
    return record.kind != RK_None && record.kind <= kLastRecordKind &&
           record.index >= datCh::GetKindMin(record.kind) &&
           record.index <= datCh::GetKindLastRecord(record.kind);
}

bool Always(const ItemContext&, const Condition&) {
    return true;
}

bool IndexIsBelow(const ItemContext& context, const Condition& condition) {
    return context.index < condition.address.base;
}

bool InBankedMode(const ItemContext& context, const Condition&) {
    return context.banked;
}

bool RecordFieldSet(const ItemContext& context, const Condition& condition) {
    return context.record.*condition.member != 0;
}

bool AnalogueOnVask(const ItemContext& context, const Condition&) {
    return context.model == MT_VaskPmr && !context.channel.vaskChannel;
}

}  // namespace memmap
