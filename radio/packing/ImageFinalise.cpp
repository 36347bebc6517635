#include "radio/packing/ImageFinalise.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "radio/image/BankTable.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/ImageWords.h"
#include "radio/image/PackedLayout.h"
#include "radio/records/TwoToneLimits.h"
#include "radio/records/datCh.h"

namespace {

using layout::RecordArea;

using Group = ModelGroup;

// Bits of count records (or single bytes: stride 0 or 1) that come from the default image.
struct DefaultBits {
    RecordArea area;
    int count;
    int offset;
    uint8_t mask;
    Group group;
};

constexpr DefaultBits Bytes(int first, int last, Group group = Group::All) {
    return {{first, 1}, last - first + 1, 0, 0xFF, group};
}

constexpr DefaultBits Bits(int address, uint8_t mask, Group group = Group::All) {
    return {{address, 0}, 1, 0, mask, group};
}

constexpr DefaultBits RecordBits(RecordArea area, int count, int offset, uint8_t mask,
                                 Group group = Group::All) {
    return {area, count, offset, mask, group};
}

// Identity, format and model bytes, the maker signature and the selections.
constexpr DefaultBits kHeadBytes[] = {
    Bytes(0, 3), Bytes(8, 10), Bytes(256, 267), Bytes(277, 278), Bytes(280, 282),
};

// Option bits that belong to the model type; their meaning is the radio's own.
constexpr DefaultBits kOptionBits[] = {
    Bits(286, 0xF0),
    Bits(287, 0x28),
    Bits(349, 0x04),
    Bits(376, 0x3F, Group::NotVask),
    Bits(377, 0x30),
    Bits(377, 0x03, Group::Lmr),
    Bits(378, 0x44),
    Bits(378, 0x02, Group::Lmr),
    Bits(379, 0x01),
    Bits(379, 0x40, Group::Lmr),
    Bits(380, 0xC0, Group::NotVask),
    Bits(381, 0x03),
    Bits(381, 0x80, Group::Lmr),
    Bits(383, 0xF8),
    Bits(392, 0xFF, Group::Lmr),
    Bits(410, 0xFF, Group::Lmr),
    Bits(396, 0xFF, Group::Pmr),
    Bits(686, 0xFF, Group::Pmr),
    Bits(412, 0xFF),
    Bits(413, 0xFF),
    Bits(415, 0xFF),
};

constexpr auto A = layout::kChannelA;
constexpr auto B = layout::kChannelB;
constexpr int kChannels = layout::kChannelCount;

constexpr DefaultBits kChannelBits[] = {
    RecordBits(A, kChannels, 12, 0x80),
    RecordBits(B, kChannels, 8, 0x40, Group::Lmr),
    RecordBits(B, kChannels, 9, 0x08, Group::Lmr),
    RecordBits(B, kChannels, 10, 0xF1, Group::Lmr),
    RecordBits(B, kChannels, 14, 0xCF, Group::Lmr),
    RecordBits(B, kChannels, 15, 0xFF, Group::Lmr),
    RecordBits(B, kChannels, 17, 0xFF, Group::Lmr),
};

constexpr DefaultBits kVaskBits[] = {
    RecordBits(layout::kMskIdGroupArea, 8, 10, 0xFF, Group::Vask),
    RecordBits(layout::kMskIdGroupArea, 8, 11, 0xFF, Group::Vask),
    RecordBits(layout::kMskIdGroupArea, 8, 12, 0xF8, Group::Vask),
    RecordBits(layout::kMskIdGroupArea, 8, 13, 0xF8, Group::Vask),
    RecordBits(layout::kMskIdGroupArea, 8, 14, 0x80, Group::Vask),
    RecordBits(layout::kMskCallListArea, 32, 13, 0xC0, Group::Vask),
    // The status bytes, the byte between and the short-text flags.
    RecordBits(layout::kMskMsgStatusArea, 32, 0, 0x04, Group::Vask),
};

// Records whose bytes are taken from the default image around their own fields.
struct RecordBytes {
    uint32_t kind;
    int count;
    RecordArea area;
    int offset;
    int length;
};

constexpr int kScanSettingOffset = 40;
constexpr uint8_t kScanSettingMask = 0x2F;
constexpr int kDtmfCountOffset = 20;

constexpr RecordBytes kCToneRecords{RK_CTone, 9, layout::kCToneArea, 0, 4};
constexpr RecordBytes kScanRecords{RK_Scan, 10, layout::kScanArea, kScanSettingOffset, 1};
constexpr RecordBytes kDtmfRecords{RK_Dtmf, 8, layout::kDtmfArea, 0, 21};
constexpr RecordBytes kTxCodeRecords{RK_TxCode, 32, layout::kTxCodeArea, 0, 14};
constexpr int kCodeRecordCount = 11;
constexpr int kCodeRecordSize = 17;
constexpr int kTxCodeFlagOffset = 13;
constexpr uint8_t kTxCodeLmrMask = 0x10;
constexpr double kTwoToneTolerance = 0.03;

constexpr uint32_t kFrequencyMask = 0x7FFFFFFF;
constexpr uint8_t kInhibitMask = 0x80;

struct Images {
    cmcEeprom& image;
    const cmcEeprom& defaults;
    ModelType model;

    uint8_t* T() const { return image.GetData(); }
    const uint8_t* D() const { return defaults.GetData(); }
};

void CopyBits(const Images& images, int address, uint8_t mask) {
    uint8_t& byte = images.T()[address];
    byte = static_cast<uint8_t>((byte & ~mask) | (images.D()[address] & mask));
}

template <std::size_t N>
void CopyDefaultBits(const Images& images, const DefaultBits (&rows)[N]) {
    for (const DefaultBits& row : rows) {
        if (!InGroup(images.model, row.group)) {
            continue;
        }
        for (int i = 0; i < row.count; ++i) {
            CopyBits(images, row.area.At(i) + row.offset, row.mask);
        }
    }
}

bool IsUsedChannel(const uint8_t* image, int channel) {
    return (GetBE32(image + A.At(channel)) & kFrequencyMask) != 0;
}

// The first used channel of count channels from first (within the working tables),
// an uninhibited one if there is any; -1 when none is used.
int PreferredChannel(const uint8_t* image, int first, int count) {
    const int last = std::min(first + count, kChannels);
    int used = -1;
    for (int c = first; c < last; ++c) {
        if (!IsUsedChannel(image, c)) {
            continue;
        }
        if ((image[A.At(c)] & kInhibitMask) == 0) {
            return c;
        }
        used = used < 0 ? c : used;
    }
    return used;
}

template <typename Test>
int FirstRecord(int count, Test test) {
    for (int i = 0; i < count; ++i) {
        if (test(i)) {
            return i;
        }
    }
    return -1;
}

void DeriveSelections(const Images& images) {
    uint8_t* t = images.T();
    if (int channel = PreferredChannel(t, 0, kChannels); channel >= 0) {
        t[layout::kStartChannel] = static_cast<uint8_t>(channel);
    }
    int scan = FirstRecord(layout::kScanListCount, [t](int j) {
        return (t[layout::kScanArea.At(j) + kScanSettingOffset] & kScanSettingMask) != 0;
    });
    if (scan >= 0) {
        t[layout::kStartScanList] = static_cast<uint8_t>(scan);
    }
    int dtmf = FirstRecord(kDtmfRecords.count, [t](int k) {
        return t[layout::kDtmfArea.At(k) + kDtmfCountOffset] != 0;
    });
    if (dtmf >= 0) {
        t[layout::kStartDtmf] = static_cast<uint8_t>(dtmf);
    }
    for (int bank = 0; bank < layout::kBankCount; ++bank) {
        const int first = SumBankSizes(images.image, bank);
        const int channel = PreferredChannel(t, first, GetBankSizeOf(images.image, bank));
        t[layout::kBankStartChannels + bank] =
            static_cast<uint8_t>(channel >= 0 ? channel - first : 0);
    }
}

void SetBits(uint8_t& byte, uint8_t mask, bool on) {
    byte = static_cast<uint8_t>(on ? byte | mask : byte & ~mask);
}

bool HoldsCharacter(const uint8_t* text, char c) {
    return std::find(text, text + layout::kNameLength, static_cast<uint8_t>(c)) !=
           text + layout::kNameLength;
}

// The option characters decide which of three variants the radio is; 'I' leaves the choice to
// the selector bits.
void DeriveOptionBits(const Images& images) {
    uint8_t* t = images.T();
    const uint8_t* text = t + layout::kOptionText;
    const bool hasI = HoldsCharacter(text, 'I');
    SetBits(t[layout::kSignallingByte], 0x01, HoldsCharacter(text, ' '));
    SetBits(t[layout::kOptionTextSelect], 0x04, hasI);
    const int selector = t[layout::kOptionTextSelect] & 0x03;
    uint8_t& mdc = t[layout::kMdcByte];
    const char pairs[3][2] = {{'0', '3'}, {'1', '4'}, {'2', '5'}};
    for (int v = 0; v < 3; ++v) {
        const bool on = HoldsCharacter(text, pairs[v][0]) || HoldsCharacter(text, pairs[v][1]) ||
                        (hasI && selector == v);
        const auto variant = static_cast<uint8_t>(0x02 << v);
        SetBits(mdc, variant, on);
        if (!on) {
            mdc &= static_cast<uint8_t>(~(0x20 << v));
        }
    }
    const uint8_t* second = t + layout::kSecondOptionText;
    const bool secondSet =
        std::any_of(second, second + layout::kNameLength, [](uint8_t c) { return c != ' '; });
    SetBits(t[layout::kSecondTextFlagByte], 0x20, secondSet);
}

void BlankUnprintableComments(uint8_t* t) {
    uint8_t* comments = t + layout::kComment1;
    std::replace_if(
        comments, comments + 2 * layout::kCommentLength,
        [](uint8_t c) { return c < 0x20 || c > 0x7E; }, uint8_t{' '});
}

// Decoded from the image, the named bytes taken from the default image, encoded back. A record
// the view does not reach has no fields to keep apart, so it stays as it is.
void ReconcileRecord(const Images& images, const RecordBytes& records, int index,
                     const std::function<void(datCh&)>& prepare = {}) {
    if (index < datCh::GetKindMin(records.kind) || index > datCh::GetKindMax(records.kind)) {
        return;
    }
    datCh view(&images.image);
    view.Load(records.kind, index);
    if (prepare) {
        prepare(view);
    }
    const int address = records.area.At(index) + records.offset;
    std::memcpy(images.T() + address, images.D() + address, records.length);
    view.Store();
}

void ReconcileAll(const Images& images, const RecordBytes& records,
                  const std::function<void(datCh&)>& prepare = {}) {
    for (int i = 0; i < records.count; ++i) {
        ReconcileRecord(images, records, i, prepare);
    }
}

// A used channel keeps its fields over the default entry; an unused one becomes it.
void ReconcileChannels(const Images& images) {
    const uint32_t kind = ChannelKindOf(images.model);
    for (int c = 0; c < kChannels; ++c) {
        datCh view(&images.image);
        view.Load(kind, c);
        std::memcpy(images.T() + A.At(c), images.D() + A.At(c), layout::kChannelEntryASize);
        std::memcpy(images.T() + B.At(c), images.D() + B.At(c), layout::kChannelEntryBSize);
        if (view.used) {
            view.Store();
        }
    }
}

void ReconcileCodeRecords(const Images& images) {
    const bool lmr = IsLmrType(images.model);
    const RecordBytes codes{lmr ? uint32_t{RK_2ToneCode} : uint32_t{RK_RxCode}, kCodeRecordCount,
                            layout::kRxCodeArea, 0, kCodeRecordSize};
    if (lmr) {
        ReconcileAll(images, codes, [](datCh& view) { SetToneLimits(view, kTwoToneTolerance); });
        for (int i = 0; i < kTxCodeRecords.count; ++i) {
            CopyBits(images, layout::kTxCodeArea.At(i) + kTxCodeFlagOffset, kTxCodeLmrMask);
        }
        return;
    }
    ReconcileAll(images, codes);
    ReconcileAll(images, kTxCodeRecords);
}

void ReconcileRecords(const Images& images) {
    ReconcileAll(images, kCToneRecords);
    ReconcileAll(images, kScanRecords);
    ReconcileAll(images, kDtmfRecords);
    ReconcileChannels(images);
    ReconcileCodeRecords(images);
}

// Bytes of a channel's 20-byte entry that the model type's rules touch.
constexpr int kEntryB9 = 9;    // bit 0x01: follows the receive code (LMR)
constexpr int kEntryB10 = 10;  // bits 0x0C: follow the receive code (LMR)
constexpr int kEntryB11 = 11;  // bit 0x08: MSK signalling (Vask), bit 0x04 goes with it
constexpr int kEntryB12 = 12;  // the MDC system (MDC types)
constexpr int kEntryB14 = 14;  // bits 0xC0 from the default entry on an MSK channel
constexpr int kEntryB17 = 17;  // from the default entry on an MSK channel
constexpr int kEntryB18 = 18;  // bit 0x80 from the default entry on an MSK channel
constexpr uint8_t kMskMask = 0x08;
constexpr uint8_t kMskCompanionMask = 0x04;

// The bits of each channel entry that follow from its other fields or from the model type.
void DeriveChannelBits(const Images& images, int channel) {
    const int entry = B.At(channel);
    uint8_t* b = images.T() + entry;
    if (IsLmrType(images.model)) {
        // The 10-bit receive code number in the upper bits of bytes 18..19.
        const bool code = (GetBE16(b + kEntryB18) >> 6) != 0;
        SetBits(b[kEntryB9], 0x01, code);
        SetBits(b[kEntryB10], 0x0C, code);
    }
    if (images.model != MT_VaskPmr) {
        b[kEntryB11] &= static_cast<uint8_t>(~kMskMask);
    } else if ((b[kEntryB11] & kMskMask) == 0) {
        b[kEntryB11] &= static_cast<uint8_t>(~kMskCompanionMask);
    } else {
        CopyBits(images, entry + kEntryB18, 0x80);
        CopyBits(images, entry + kEntryB17, 0xFF);
        CopyBits(images, entry + kEntryB14, 0xC0);
    }
    if (!IsMdcType(images.model)) {
        b[kEntryB12] = 0;
    }
}

void ReconcileChannelBits(const Images& images) {
    CopyDefaultBits(images, kChannelBits);
    for (int c = 0; c < kChannels; ++c) {
        DeriveChannelBits(images, c);
    }
}

void Reconcile(const Images& images) {
    CopyDefaultBits(images, kHeadBytes);
    DeriveSelections(images);
    CopyDefaultBits(images, kOptionBits);
    DeriveOptionBits(images);
    ClampBankSizes(images.image);
    BlankUnprintableComments(images.T());
    ReconcileRecords(images);
    ReconcileChannelBits(images);
    CopyDefaultBits(images, kVaskBits);
}

bool IsDocument(const cmcEeprom& image) {
    return image.GetSize() >= layout::kImageSize;
}

}  // namespace

ImagePackResult FinaliseImage(cmcEeprom& image, const cmcEeprom& defaults, ModelType model,
                              FinaliseMode mode) {
    if (!IsDocument(image) || !IsDocument(defaults)) {
        return PACK_NotDocument;
    }
    if (mode == FINALISE_TakenIn) {
        if (ImagePackResult unpacked = UnpackImage(image, model, UNPACK_FromPackedArea);
            unpacked != PACK_Ok) {
            return unpacked;
        }
    }
    const Images images{image, defaults, model};
    Reconcile(images);
    const ImagePackResult result = mode == FINALISE_GoingOut ? PackImage(image, model) : PACK_Ok;
    image.GetData()[layout::kNewerDataMark] = 1;
    CopyBits(images, layout::kDataRevision, 0xFF);
    return result;
}
