#include "radio/records/RecordFields.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

#include "radio/image/DottedText.h"
#include "radio/image/ImageWords.h"

namespace recordfields {
namespace {

using layout::RecordArea;
using D = RecordValues;

constexpr FieldSpec Bits(int D::*value, RecordArea area, int offset, int highBit, int lowBit) {
    int width = highBit - lowBit + 1;
    auto mask = static_cast<uint8_t>(((1 << width) - 1) << lowBit);
    return {Codec::Bits, area, offset, BitCodec::Masked(mask), value};
}

constexpr FieldSpec Bit(int D::*value, RecordArea area, int offset, int bit) {
    return Bits(value, area, offset, bit, bit);
}

constexpr FieldSpec NotBit(int D::*value, RecordArea area, int offset, int bit) {
    return {Codec::Bits, area, offset, BitCodec::Inverted(bit), value};
}

// The masked bits as they stand, not shifted down.
constexpr FieldSpec Masked(int D::*value, RecordArea area, int offset, uint8_t mask) {
    return {Codec::Bits, area, offset, BitCodec::Unshifted(mask), value};
}

constexpr FieldSpec Byte(int D::*value, RecordArea area, int offset) {
    return Masked(value, area, offset, 0xFF);
}

constexpr FieldSpec Word(int D::*value, RecordArea area, int offset) {
    return {Codec::Word, area, offset, BitCodec::Masked(0), value};
}

constexpr FieldSpec Flag(int D::*value, RecordArea area, int offset) {
    return {Codec::Flag, area, offset, BitCodec::Masked(0), value};
}

constexpr FieldSpec Tone(D::ToneWord D::*tone, RecordArea area, int offset) {
    return {Codec::Tone, area, offset, BitCodec::Masked(0), nullptr, tone};
}

constexpr FieldSpec TextAt(D::Text D::*text, RecordArea area, int offset) {
    return {Codec::Text, area, offset, BitCodec::Masked(0), nullptr, nullptr, text};
}

constexpr FieldSpec NameUsed(RecordArea area, int offset, int bit) {
    return {Codec::NameUsed, area, offset, BitCodec::Masked(static_cast<uint8_t>(1 << bit))};
}

constexpr FieldSpec LoadOnly(FieldSpec spec) {
    spec.use = Use::LoadOnly;
    return spec;
}

constexpr FieldSpec StoreOnly(FieldSpec spec) {
    spec.use = Use::StoreOnly;
    return spec;
}

// A single byte at a fixed image address, seen by every record of a kind.
constexpr RecordArea kCommonByte{layout::kCodeCommon, 0};

constexpr auto A = layout::kChannelA;
constexpr auto B = layout::kChannelB;

// Frequencies, moni, attr, scan mask, autoReset, rxCodeNo, twoTone and mdcSystem are code.
constexpr FieldSpec kChannelRows[] = {
    Bit(&D::inh, A, 0, 7),         Bit(&D::txInh, A, 4, 7),       Tone(&D::tone1, A, 8),
    Tone(&D::tone2, A, 10),        TextAt(&D::name, B, 0),        NameUsed(B, 9, 2),
    Bit(&D::nar, B, 11, 7),        Bit(&D::compander, B, 11, 4),  Bit(&D::pwrSave, B, 8, 7),
    Bit(&D::tot, B, 8, 4),         Bits(&D::rfPower, B, 8, 1, 0), Bits(&D::lockout, B, 8, 3, 2),
    Bit(&D::scanInc, B, 9, 1),     Bits(&D::log, B, 9, 7, 4),     Bits(&D::sel, B, 10, 7, 6),
    Bit(&D::call, B, 10, 3),       Bit(&D::ptt, B, 10, 2),        Bit(&D::chMute, B, 9, 0),
    Bits(&D::scrmOn, B, 11, 6, 5), Byte(&D::scrmCode, B, 13),
};

constexpr FieldSpec kChannelPmrRows[] = {
    Bits(&D::form, B, 14, 3, 0), Masked(&D::rptCode, B, 15, 0x7F),
    Bit(&D::rptLong, B, 15, 7),  Masked(&D::stnCode, B, 16, 0x7F),
    Bit(&D::stnLong, B, 16, 7),  Masked(&D::idCode, B, 17, 0x7F),
    Bit(&D::idLong, B, 17, 7),   Bits(&D::pos, B, 14, 7, 6),
};

constexpr FieldSpec kChannelLmrRows[] = {
    LoadOnly(Masked(&D::twoTone, B, 16, 0x7F)),  // stored as the whole byte
};

constexpr FieldSpec kChannelMskRows[] = {
    Bit(&D::mskSig, B, 11, 3),
    Bit(&D::mskSendStatus, B, 11, 1),
    Bit(&D::mskBit2, B, 11, 2),
};

constexpr FieldSpec kChannelMskSeenRows[] = {
    LoadOnly(kChannelMskRows[0]),
    LoadOnly(kChannelMskRows[1]),
    LoadOnly(kChannelMskRows[2]),
};

constexpr FieldSpec kChannelMdcRows[] = {Byte(&D::mdcSystem, B, 12)};
constexpr FieldSpec kChannelMdcSeenRows[] = {LoadOnly(kChannelMdcRows[0])};

// The digits are code.
constexpr FieldSpec kDtmfRows[] = {
    TextAt(&D::name, layout::kDtmfArea, 0),
    Byte(&D::digitCount, layout::kDtmfArea, 20),
};

constexpr auto S = layout::kScanArea;
constexpr FieldSpec kScanRows[] = {
    TextAt(&D::name, S, 0),
    Masked(&D::setting, S, 40, 0x2F),
    Bit(&D::flagA, S, 40, 7),
    Bit(&D::flagB, S, 40, 4),
};

constexpr FieldSpec kCToneRows[] = {
    Tone(&D::tone1, layout::kCToneArea, 0),
    Tone(&D::tone2, layout::kCToneArea, 2),
};

constexpr auto R = layout::kRxCodeArea;
// The code bytes are code.
constexpr FieldSpec kRxCodeRows[] = {
    TextAt(&D::name, R, 4),      Bit(&D::idDec, R, 15, 6),
    Bits(&D::bell, R, 15, 1, 0), Bit(&D::emerCancel, R, 16, 7),
    Byte(&D::abc, R, 13),        Bit(&D::exo, R, 15, 7),
    Bits(&D::beep, R, 14, 2, 0), Bit(&D::autoTx, R, 15, 5),
    Bits(&D::aud, R, 14, 7, 6),  Bits(&D::stun, R, 15, 4, 3),
    Bits(&D::scan, R, 14, 5, 4), Bit(&D::sFunc, R, 14, 3),
    NameUsed(R, 15, 2),          LoadOnly(Byte(&D::common, kCommonByte, 0)),
};

constexpr auto T = layout::kTxCodeArea;
// The code bytes are code.
constexpr FieldSpec kTxCodeRows[] = {
    TextAt(&D::name, T, 0),    Masked(&D::inputDigit, T, 12, 0xFE),
    Bit(&D::update, T, 12, 0), Bit(&D::abcDec, T, 13, 7),
    Bit(&D::abcAud, T, 13, 6), NotBit(&D::sel, T, 13, 4),
    NameUsed(T, 13, 5),        LoadOnly(Byte(&D::common, kCommonByte, 0)),
};

constexpr FieldSpec kUserToneRows[] = {
    Word(&D::encode, layout::kUserToneEncodeArea, 0),
    Word(&D::decLow, layout::kUserToneDecodeArea, 0),
    Word(&D::decHigh, layout::kUserToneDecodeArea, 2),
};

constexpr auto Bounds = layout::kTwoToneBoundsArea;
constexpr auto TwoToneTx = layout::kTwoToneTxArea;
// Tones, periods, the code type and TX-code byte 12 are code.
constexpr FieldSpec kTwoToneRows[] = {
    Byte(&D::groupCall, R, 0),   TextAt(&D::name, R, 4),
    Flag(&D::ans, R, 13),        Bits(&D::bell, R, 15, 1, 0),
    Bit(&D::exo, R, 15, 7),      Bits(&D::beep, R, 14, 2, 0),
    Bit(&D::autoTx, R, 15, 5),   Bits(&D::stun, R, 15, 4, 3),
    Bits(&D::scan, R, 14, 5, 4), Bit(&D::sFunc, R, 14, 3),
    NameUsed(R, 15, 2),          Word(&D::lowA, Bounds, 0),
    Word(&D::highA, Bounds, 2),  Word(&D::lowB, Bounds, 4),
    Word(&D::highB, Bounds, 6),  StoreOnly(TextAt(&D::name, TwoToneTx, 0)),
    NameUsed(TwoToneTx, 13, 5),
};

constexpr FieldSpec kBankOpRows[] = {TextAt(&D::name, layout::kBankNameArea, 0)};

constexpr auto G = layout::kMskIdGroupArea;
constexpr FieldSpec kMskIdGroupRows[] = {
    Word(&D::adr, G, 0),      TextAt(&D::name, G, 2),      Bits(&D::alert, G, 12, 2, 0),
    Bit(&D::sFunc, G, 12, 3), Bits(&D::bell, G, 13, 1, 0), NameUsed(G, 13, 2),
};

constexpr auto L = layout::kMskCallListArea;
// The address is code.
constexpr FieldSpec kMskCallListRows[] = {
    TextAt(&D::name, L, 0),    Masked(&D::digit, L, 12, 0xFE),
    Bit(&D::update, L, 12, 0), NotBit(&D::sel, L, 13, 4),
    NameUsed(L, 13, 5),
};

constexpr auto St = layout::kMskMsgStatusArea;
constexpr FieldSpec kMskMsgStatusRows[] = {
    Bits(&D::beep, St, 0, 7, 4),
    Bit(&D::autoStatus, St, 0, 3),
    Bit(&D::sFunc, St, 0, 2),
    Bit(&D::selection, St, 0, 1),
    Bit(&D::priority, St, 0, 0),
    TextAt(&D::name, layout::kMskMsgNameArea, 0),
    TextAt(&D::name2, layout::kMskMsgText2Area, 0),
};

constexpr FieldSpec kMskMsgShortTxtRows[] = {
    TextAt(&D::name, layout::kMskShortTxtArea, 0),
    Bit(&D::selection, layout::kMskShortTxtFlagArea, 0, 1),
};

constexpr auto M = layout::kMdcAliasArea;
constexpr FieldSpec kMdcAliasRows[] = {
    TextAt(&D::alias, M, 0),
    Bit(&D::strip, M, 8, 7),
    Bits(&D::beepType, M, 8, 3, 0),
    Word(&D::id, M, 10),
};

std::vector<FieldSpec> Join(std::initializer_list<std::span<const FieldSpec>> parts) {
    std::vector<FieldSpec> rows;
    for (auto part : parts) {
        rows.insert(rows.end(), part.begin(), part.end());
    }
    return rows;
}

// Channel kinds: 1 LMR, 2 PMR, 3 PMR with MSK, 4 PMR with MDC, 5 LMR with MDC.
const std::vector<FieldSpec>& ChannelRows(uint32_t kind) {
    static const std::array<std::vector<FieldSpec>, 5> rows = {
        Join({kChannelRows, kChannelLmrRows, kChannelMskSeenRows, kChannelMdcSeenRows}),
        Join({kChannelRows, kChannelPmrRows, kChannelMskSeenRows, kChannelMdcSeenRows}),
        Join({kChannelRows, kChannelPmrRows, kChannelMskRows, kChannelMdcSeenRows}),
        Join({kChannelRows, kChannelPmrRows, kChannelMskSeenRows, kChannelMdcRows}),
        Join({kChannelRows, kChannelLmrRows, kChannelMskSeenRows, kChannelMdcRows}),
    };
    return rows[kind - RK_ChLmr];
}

constexpr KindLimits kLimits[] = {
    {0, 0, 0},       // none
    {0, 255, 3},     // RK_ChLmr
    {0, 255, 3},     // RK_ChPmr
    {0, 255, 3},     // RK_ChVaskPmr
    {0, 255, 3},     // RK_ChMdcPmr
    {0, 255, 3},     // RK_ChMdcLmr
    {0, 15, 3},      // RK_CEdit
    {0, 7, 2},       // RK_Dtmf
    {0, 9, 2},       // RK_Scan
    {0, 8, 2},       // RK_CTone
    {1, 8, 2},       // RK_RxCode
    {0, 31, 2},      // RK_TxCode
    {0, 14, 0},      // RK_UserTone
    {1, 10, 2},      // RK_2ToneCode
    {0, 9, 2},       // RK_2ToneTxCommon
    {0, 15, 0},      // RK_BankOp: 16 bank names, the tone table follows
    {0, 7, 2},       // RK_MskIdGroup
    {0, 31, 2},      // RK_MskCallList
    {0, 22, 2, 23},  // RK_MskMsgStatus: the last one is the radio's own
    {0, 7, 2},       // RK_MskMsgShortTxt
    {0, 499, 3},     // RK_MdcAlias
};

constexpr KindLimits kUnlimited{0, 100000000, 0};

void LoadTone(RecordValues::ToneWord& tone, const uint8_t* t) {
    tone = {};
    tone.on = (t[0] & 0x80) == 0;
    tone.digital = (t[0] & 0x40) != 0;
    if (tone.digital) {
        tone.inverted = (t[0] & 0x20) != 0;
        tone.code = ((t[0] & 0x01) << 8) | t[1];
    } else {
        tone.toneIndex = t[1];
    }
}

void StoreTone(const RecordValues::ToneWord& tone, uint8_t* t) {
    uint8_t t0 = t[0] & 0x1E;  // bits 4..1 are not the tone's
    if (!tone.on) {
        t0 |= 0x80;
    }
    if (tone.digital) {
        t0 |= 0x40;
        t0 |= (tone.code >> 8) & 0x01;
        if (tone.inverted) {
            t0 |= 0x20;
        }
        t[1] = static_cast<uint8_t>(tone.code & 0xFF);
    } else {
        t[1] = static_cast<uint8_t>(tone.toneIndex);
    }
    t[0] = t0;
}

}  // namespace

KindLimits LimitsOf(uint32_t kind) {
    return kind <= kLastRecordKind ? kLimits[kind] : kUnlimited;
}

std::span<const FieldSpec> FieldsOf(uint32_t kind) {
    switch (kind) {
        case RK_ChLmr:
        case RK_ChPmr:
        case RK_ChVaskPmr:
        case RK_ChMdcPmr:
        case RK_ChMdcLmr:
            return ChannelRows(kind);
        case RK_Dtmf:
            return kDtmfRows;
        case RK_Scan:
            return kScanRows;
        case RK_CTone:
            return kCToneRows;
        case RK_RxCode:
            return kRxCodeRows;
        case RK_TxCode:
            return kTxCodeRows;
        case RK_UserTone:
            return kUserToneRows;
        case RK_2ToneCode:
            return kTwoToneRows;
        case RK_BankOp:
            return kBankOpRows;
        case RK_MskIdGroup:
            return kMskIdGroupRows;
        case RK_MskCallList:
            return kMskCallListRows;
        case RK_MskMsgStatus:
            return kMskMsgStatusRows;
        case RK_MskMsgShortTxt:
            return kMskMsgShortTxtRows;
        case RK_MdcAlias:
            return kMdcAliasRows;
        default:
            return {};
    }
}

void LoadFields(std::span<const FieldSpec> fields, RecordValues& view, const uint8_t* image) {
    for (const FieldSpec& f : fields) {
        if (f.use == Use::StoreOnly || f.codec == Codec::NameUsed) {
            continue;
        }
        const uint8_t* p = image + f.area.At(view.index) + f.offset;
        switch (f.codec) {
            case Codec::Bits:
                view.*f.value = f.bits.Read(*p);
                break;
            case Codec::Word:
                view.*f.value = GetBE16(p);
                break;
            case Codec::Flag:
                view.*f.value = *p != 0;
                break;
            case Codec::Tone:
                LoadTone(view.*f.tone, p);
                break;
            case Codec::Text:
                std::copy_n(p, layout::kNameLength, (view.*f.text).begin());
                break;
            case Codec::NameUsed:
                break;
        }
    }
}

void StoreFields(std::span<const FieldSpec> fields, const RecordValues& view, uint8_t* image) {
    for (const FieldSpec& f : fields) {
        if (f.use == Use::LoadOnly) {
            continue;
        }
        uint8_t* p = image + f.area.At(view.index) + f.offset;
        switch (f.codec) {
            case Codec::Bits:
                *p = f.bits.Write(*p, view.*f.value);
                break;
            case Codec::Word:
                SetBE16(p, view.*f.value);
                break;
            case Codec::Flag:
                *p = view.*f.value ? 0xFF : 0;
                break;
            case Codec::Tone:
                StoreTone(view.*f.tone, p);
                break;
            case Codec::Text:
                std::copy_n((view.*f.text).begin(), layout::kNameLength, p);
                break;
            case Codec::NameUsed:
                *p = f.bits.Write(*p, ::IsAllSpaces(view.name) ? 0 : 1);
                break;
        }
    }
}

}  // namespace recordfields
