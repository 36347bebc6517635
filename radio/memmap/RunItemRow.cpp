#include "radio/memmap/RunItemRow.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "common/TextHelpers.h"
#include "common/cmcCanvas.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/host/indDocument.h"
#include "radio/image/ImageWords.h"
#include "radio/image/cmcEeprom.h"
#include "radio/memmap/MarkSums.h"

using namespace memmap;

namespace {

constexpr uint32_t kSilver = 0xC0C0C0;
constexpr uint32_t kTeal = 0x808000;
constexpr int kMaxNibbles = 8;

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

std::vector<uint8_t> ReadImageBytes(const ItemContext& context, int address, int length) {
    std::vector<uint8_t> bytes(static_cast<std::size_t>(std::max(length, 0)));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = context.image.GetByte(address + static_cast<int>(i));
    }
    return bytes;
}

std::vector<uint8_t> ReadIdentityBytes(const ItemContext& context, const IdentityBytes& field) {
    const CloneIdentityBlock& block = context.services.document.CloneInformation();
    const auto first = block.begin() + field.offset;
    return {first, first + field.length};
}

std::vector<uint8_t> ReadBytes(const ItemContext& context, const Field& field) {
    if (const auto* text = std::get_if<RecordText>(&field.place)) {
        const datCh::Text& bytes = context.record.*text->member;
        return {bytes.begin(), bytes.end()};
    }
    if (const auto* bytes = std::get_if<ImageBytes>(&field.place)) {
        return ReadImageBytes(context, bytes->address.At(context.index), bytes->length);
    }
    if (const auto* identity = std::get_if<IdentityBytes>(&field.place)) {
        return ReadIdentityBytes(context, *identity);
    }
    return {};
}

void WriteBytes(ItemContext& context, const Field& field, const std::vector<uint8_t>& bytes) {
    if (const auto* text = std::get_if<RecordText>(&field.place)) {
        datCh::Text& stored = context.record.*text->member;
        std::copy_n(bytes.begin(), std::min(bytes.size(), stored.size()), stored.begin());
        context.record.StoreAndReload();
    } else if (const auto* place = std::get_if<ImageBytes>(&field.place)) {
        const int address = place->address.At(context.index);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            context.image.SetByte(address + static_cast<int>(i), bytes[i]);
        }
    }
}

// Nibble i of the field: byte i / 2 from its address, high nibble for even i.
int ReadNibble(const ItemContext& context, const ImageNibbles& field, int i) {
    const uint8_t byte = context.image.GetByte(field.address.At(context.index) + i / 2);
    return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

void WriteNibble(ItemContext& context, const ImageNibbles& field, int i, int nibble) {
    const int address = field.address.At(context.index) + i / 2;
    uint8_t byte = context.image.GetByte(address);
    SetNibble(&byte, static_cast<std::size_t>(i % 2), nibble);
    context.image.SetByte(address, byte);
}

bool Holds(const ItemContext& context, const Condition& condition) {
    return condition.IsSet() && condition.holds(context, condition);
}

void SetState(cmcCellCapsule& capsule, uint8_t bits) {
    if (cmcCellObj* cell = capsule.cell) {
        cell->stateBits |= bits;
    }
}

// Runs the row's converter on its field; true when the value changed and was written back.
struct EditorRun {
    ItemContext& context;
    const ItemRow& row;
    bool disabled;

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
        const auto& field = std::get<ImageNibbles>(row.field.place);
        const int count = std::clamp(p.digits, 0, kMaxNibbles);
        std::array<int, kMaxNibbles> digits{};
        for (int i = 0; i < count; ++i) {
            digits[static_cast<std::size_t>(i)] = ReadNibble(context, field, i);
        }
        if (!CellDigitArray(context, std::span<int>(digits).first(static_cast<std::size_t>(count)),
                            p)) {
            return false;
        }
        for (int i = 0; i < count; ++i) {
            WriteNibble(context, field, i, digits[static_cast<std::size_t>(i)]);
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
    bool operator()(const LabelParams& p) {
        std::string text = p.text;
        if (p.numbered) {
            const int number = p.cycle > 0 ? context.index % p.cycle : context.index;
            text += std::to_string(number + p.first);
        }
        context.capsule.outText = text;
        return false;
    }
    bool operator()(const MenuEntryParams& p) {
        cmcCellCapsule& capsule = context.capsule;
        if (capsule.cell) {
            capsule.outText = capsule.cell->GetCaption();
        }
        if (!disabled && capsule.key == kKeyEnter && p.onEnter.run) {
            p.onEnter.run(context, p.onEnter.number);
        }
        return false;
    }
    bool operator()(const IdentityTextParams& p) {
        const CloneIdentityBlock& block = context.services.document.CloneInformation();
        context.capsule.outText = p.show(block, context.services.texts);
        return false;
    }
    bool operator()(const MarkSumParams& p) {
        if (Holds(context, p.onlyWhile)) {
            context.capsule.marks |= SumOfMarks(context, p.sources);
        }
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

uint8_t MapBitMask(int bit) {
    return static_cast<uint8_t>(0x80 >> (bit % 8));
}

uint8_t ImageByte(const ItemContext& context, Address address) {
    return context.image.GetByte(address.At(context.index));
}

// The number a field stores, before its scale.
struct StoredReader {
    const ItemContext& context;

    int operator()(const ImageBits& f) const { return f.bits.Read(ImageByte(context, f.address)); }
    int operator()(const ImageWord& f) const {
        const int address = f.address.At(context.index);
        return (context.image.GetByte(address) << 8) | context.image.GetByte(address + 1);
    }
    int operator()(const ImageLong& f) const {
        uint8_t bytes[4]{};
        context.image.ReadBlock(f.address.At(context.index), bytes, 4);
        return static_cast<int32_t>(GetBE32(bytes));
    }
    int operator()(const ImageMapBit& f) const {
        const int at = f.address.At(context.index) + f.bit / 8;
        return (context.image.GetByte(at) & MapBitMask(f.bit)) != 0;
    }
    int operator()(const RecordInt& f) const { return context.record.*f.member; }
    int operator()(const RecordReal& f) const {
        return static_cast<int>(std::floor(context.record.*f.member));
    }
    int operator()(const FieldCodec& f) const { return f.read(context); }
    // Fields of bytes and nibbles hold no single number.
    template <class Bytes>
    int operator()(const Bytes&) const {
        return 0;
    }
};

struct StoredWriter {
    ItemContext& context;
    int value;

    void operator()(const ImageBits& f) const {
        const int address = f.address.At(context.index);
        context.image.SetByte(address, f.bits.Write(context.image.GetByte(address), value));
    }
    void operator()(const ImageWord& f) const {
        uint8_t word[2];
        SetBE16(word, value);
        const int address = f.address.At(context.index);
        context.image.SetByte(address, word[0]);
        context.image.SetByte(address + 1, word[1]);
    }
    void operator()(const ImageLong& f) const {
        uint8_t bytes[4];
        SetBE32(bytes, static_cast<uint32_t>(value));
        context.image.WriteBlock(f.address.At(context.index), bytes, 4);
    }
    void operator()(const ImageMapBit& f) const {
        const int at = f.address.At(context.index) + f.bit / 8;
        const uint8_t mask = MapBitMask(f.bit);
        const uint8_t byte = context.image.GetByte(at);
        context.image.SetByte(at, static_cast<uint8_t>(value ? byte | mask : byte & ~mask));
    }
    void operator()(const RecordInt& f) const {
        context.record.*f.member = value;
        context.record.StoreAndReload();
    }
    void operator()(const RecordReal& f) const {
        context.record.*f.member = value;
        context.record.StoreAndReload();
    }
    void operator()(const FieldCodec& f) const { f.write(context, value); }
    template <class Bytes>
    void operator()(const Bytes&) const {}
};

}  // namespace

int ReadField(const ItemContext& context, const Field& field) {
    return std::visit(StoredReader{context}, field.place) / field.scale + field.offset;
}

void WriteField(ItemContext& context, const Field& field, int value) {
    std::visit(StoredWriter{context, (value - field.offset) * field.scale}, field.place);
}

int RunRegularRow(ItemContext& context, const ItemRow& row) {
    if (!PrepareRow(context, row)) {
        return 0;
    }
    cmcCellCapsule& capsule = context.capsule;
    const bool readOnly = Holds(context, row.readOnlyWhen);
    if (readOnly || std::holds_alternative<IdentityBytes>(row.field.place)) {
        IgnoreInput(capsule);
    }
    const bool disabled = Holds(context, row.disabledWhen);
    if (disabled) {
        SetState(capsule, kStateDisabled);
    }
    if (std::visit(EditorRun{context, row, disabled}, row.editor)) {
        context.redraw |= row.redraw;
        if (row.afterChange) {
            row.afterChange(context);
        }
    }
    if (row.marksBy.IsSet()) {
        capsule.marks |= row.marksBy.holds(context, ReadField(context, row.field), row.marksBy);
    }
    if (Holds(context, row.checkedWhen)) {
        SetState(capsule, kStateChecked);
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
    const auto& bits = std::get<ImageBits>(condition.subject);
    return (context.image.GetByte(bits.address.At(context.index)) & bits.bits.Mask()) != 0;
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
    return context.index < std::get<IndexLimit>(condition.subject).below;
}

bool InBankedMode(const ItemContext& context, const Condition&) {
    return context.banked;
}

bool RecordFieldSet(const ItemContext& context, const Condition& condition) {
    return context.record.*std::get<RecordInt>(condition.subject).member != 0;
}

bool ModelTypeIs(const ItemContext& context, const Condition& condition) {
    return context.model == std::get<ModelType>(condition.subject);
}

bool AnalogueOnVask(const ItemContext& context, const Condition&) {
    return context.model == MT_VaskPmr && !context.channel.vaskChannel;
}

}  // namespace memmap
