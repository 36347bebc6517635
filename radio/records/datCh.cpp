#include "radio/records/datCh.h"

#include <algorithm>
#include <cmath>

#include "common/TextHelpers.h"
#include "radio/image/BankTable.h"
#include "radio/image/Bcd4.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/ImageWords.h"
#include "radio/records/RecordFields.h"

namespace {

constexpr int kMaxFrequency = 799999950;
constexpr uint32_t kFrequencyFlag = 0x80000000u;
constexpr int kDtmfDigitsOffset = 8;
constexpr int kCallListAddressOffset = 8;
constexpr int kCallListAddressLength = 4;
constexpr int kRxCodeMarkerOffset = 12;
constexpr int kTxCodeBytesOffset = 8;
constexpr int kTxCodeBytes = 4;
constexpr int kTwoToneTxToneA = 8;
constexpr int kTwoToneTxToneB = 10;
constexpr int kTwoToneTxCode = 12;
constexpr int kNoCodeType = 15;

bool IsLmrChannel(uint32_t kind) {
    return kind == RK_ChLmr || kind == RK_ChMdcLmr;
}

int ClampFrequency(int64_t frequency) {
    return static_cast<int>(std::clamp<int64_t>(frequency, 0, kMaxFrequency));
}

int BitOf(uint8_t byte, int bit) {
    return (byte >> bit) & 1;
}

void SetBit(uint8_t& byte, int bit, int value) {
    byte = static_cast<uint8_t>(value & 1 ? byte | (1 << bit) : byte & ~(1 << bit));
}

// Whole units of a real number, kept inside what the field can hold.
int WholeUnits(double value, int highest) {
    if (!(value > 0)) {
        return 0;
    }
    return value >= highest ? highest : static_cast<int>(value);
}

}  // namespace

void datCh::Clear() {
    cmcEeprom* image = image_;
    *this = datCh();
    image_ = image;
}

bool datCh::Reaches(uint32_t recordKind, int recordIndex) const {
    return image_ != nullptr && image_->GetSize() >= layout::kImageSize && recordKind >= RK_ChLmr &&
           recordKind <= kLastRecordKind && recordIndex >= GetKindMin(recordKind) &&
           recordIndex <= GetKindLastRecord(recordKind);
}

void datCh::Load(uint32_t recordKind, int recordIndex) {
    Clear();
    kind = recordKind;
    index = recordIndex;
    if (!Reaches(kind, index)) {
        return;
    }
    uint8_t* image = image_->GetData();
    recordfields::LoadFields(recordfields::FieldsOf(kind), *this, image);
    LoadSpecial(image);
}

void datCh::Store() {
    if (!Reaches(kind, index)) {
        return;
    }
    uint8_t* image = image_->GetData();
    StoreSpecial(image);
    recordfields::StoreFields(recordfields::FieldsOf(kind), *this, image);
}

void datCh::StoreAndReload() {
    Store();
    Reload();
}

int datCh::GetKindMin(uint32_t recordKind) {
    return recordfields::LimitsOf(recordKind).min;
}

int datCh::GetKindMax(uint32_t recordKind) {
    return recordfields::LimitsOf(recordKind).max;
}

int datCh::GetKindLastRecord(uint32_t recordKind) {
    return recordfields::LimitsOf(recordKind).LastRecord();
}

bool datCh::KindEditable(uint32_t recordKind) {
    return (recordfields::LimitsOf(recordKind).flags & 1) != 0;
}

bool datCh::KindTakesListEdits(uint32_t recordKind) {
    return (recordfields::LimitsOf(recordKind).flags & 2) != 0;
}

void datCh::LoadSpecial(uint8_t* image) {
    if (IsChannelKind(kind)) {
        LoadChannel(image + layout::kChannelA.At(index), image + layout::kChannelB.At(index));
        return;
    }
    uint8_t* record = nullptr;
    switch (kind) {
        case RK_CEdit:
            record = image + layout::kCEditArea.At(index);
            std::copy_n(record, pattern.size(), pattern.begin());
            break;
        case RK_Dtmf:
            record = image + layout::kDtmfArea.At(index) + kDtmfDigitsOffset;
            for (std::size_t k = 0; k < digits.size(); ++k) {
                digits[k] = static_cast<uint8_t>(GetNibble(record, k));
            }
            break;
        case RK_RxCode:
            record = image + layout::kRxCodeArea.At(index);
            std::copy_n(record, 4, codeBytes.begin());
            codeBytes[4] = record[kRxCodeMarkerOffset];
            break;
        case RK_TxCode:
            record = image + layout::kTxCodeArea.At(index) + kTxCodeBytesOffset;
            std::copy_n(record, kTxCodeBytes, codeBytes.begin());
            break;
        case RK_2ToneCode:
            LoadTwoTone(image);
            break;
        case RK_MskCallList:
            record = image + layout::kMskCallListArea.At(index);
            adr = DecodeBcd4(record + kCallListAddressOffset);
            break;
        default:
            break;
    }
}

void datCh::StoreSpecial(uint8_t* image) {
    if (IsChannelKind(kind)) {
        StoreChannel(image + layout::kChannelA.At(index), image + layout::kChannelB.At(index));
        return;
    }
    uint8_t* record = nullptr;
    switch (kind) {
        case RK_CEdit:
            std::copy(pattern.begin(), pattern.end(), image + layout::kCEditArea.At(index));
            break;
        case RK_Dtmf:
            record = image + layout::kDtmfArea.At(index) + kDtmfDigitsOffset;
            for (std::size_t k = 0; k < digits.size(); ++k) {
                SetNibble(record, k, digits[k]);
            }
            break;
        case RK_RxCode:
            record = image + layout::kRxCodeArea.At(index);
            std::copy_n(codeBytes.begin(), 4, record);
            record[kRxCodeMarkerOffset] = codeBytes[4];
            break;
        case RK_TxCode:
            // The fifth code byte belongs to receive codes; a transmit code holds four.
            record = image + layout::kTxCodeArea.At(index) + kTxCodeBytesOffset;
            std::copy_n(codeBytes.begin(), kTxCodeBytes, record);
            break;
        case RK_2ToneCode:
            StoreTwoTone(image);
            break;
        case RK_MskCallList:
            StoreCallListAddress(image + layout::kMskCallListArea.At(index));
            break;
        default:
            break;
    }
}

void datCh::LoadChannel(uint8_t* a, uint8_t* b) {
    rxFreq = ClampFrequency(GetBE32(a) & ~kFrequencyFlag);
    txFreq = ClampFrequency(GetBE32(a + 4) & ~kFrequencyFlag);
    used = rxFreq != 0;
    LoadChannelAttr();
    LoadScanMask();
    moni = (BitOf(b[10], 5) << 3) | (BitOf(b[10], 4) << 2) | (BitOf(b[9], 3) << 1) | BitOf(b[8], 6);
    if (IsLmrChannel(kind)) {
        autoReset = BitOf(b[10], 1);
        stnCode = 1;
        stnLong = 1;
        rxCodeNo = GetBE16(b + 18) >> 6;
    } else {
        autoReset = (BitOf(b[10], 0) << 1) | BitOf(b[10], 1);
        rxCodeNo = b[18];
    }
}

void datCh::StoreChannel(uint8_t* a, uint8_t* b) {
    StoreChannelAttr();
    // The flag bits (inh, txInh) go in on top, from the field rows.
    SetBE32(a, static_cast<uint32_t>(ClampFrequency(used ? rxFreq : 0)));
    SetBE32(a + 4, static_cast<uint32_t>(ClampFrequency(used ? txFreq : 0)));
    SetBit(b[10], 5, moni >> 3);
    SetBit(b[10], 4, moni >> 2);
    SetBit(b[9], 3, moni >> 1);
    SetBit(b[8], 6, moni);
    if (IsLmrChannel(kind)) {
        SetBit(b[10], 1, autoReset);
        b[16] = static_cast<uint8_t>(twoTone);
        b[18] = static_cast<uint8_t>(rxCodeNo >> 2);
        b[19] = static_cast<uint8_t>((rxCodeNo << 6) & 0xFF);
    } else {
        SetBit(b[10], 0, autoReset >> 1);
        SetBit(b[10], 1, autoReset);
        b[18] = static_cast<uint8_t>(rxCodeNo);
        b[19] = 0;
    }
    if (kind != RK_ChMdcPmr && kind != RK_ChMdcLmr) {
        b[12] = 0;
    }
    StoreScanMask();
}

void datCh::LoadChannelAttr() {
    const uint8_t* image = image_->GetData();
    bool attr3 = (image[layout::kSignallingByte] & layout::kAttr3ClearMask) == 0;
    attr = 0;
    attr |= image[layout::kAttr0Channel] == index ? 0x01 : 0;
    attr |= image[layout::kAttr1Channel] == index ? 0x02 : 0;
    attr |= image[layout::kAttr2Channel] == index && !attr3 ? 0x04 : 0;
    attr |= attr3 ? 0x08 : 0;
    attr |= GetBankFlag(*image_, BankOfChannel(*image_, index)) ? 0x10 : 0;
}

void datCh::StoreChannelAttr() {
    uint8_t* image = image_->GetData();
    const auto channel = static_cast<uint8_t>(index);
    if (attr & 0x01) {
        image[layout::kAttr0Channel] = channel;
    }
    if (attr & 0x02) {
        image[layout::kAttr1Channel] = channel;
    }
    if (attr & 0x04) {
        image[layout::kAttr2Channel] = channel;
    }
    uint8_t& signalling = image[layout::kSignallingByte];
    signalling = (attr & 0x08) ? (signalling & ~layout::kAttr3ClearMask)
                               : (signalling | layout::kAttr3ClearMask);
    SetBankFlag(*image_, BankOfChannel(*image_, index), (attr >> 4) & 1);
}

void datCh::LoadScanMask() {
    const uint8_t* image = image_->GetData();
    scanMask = 0;
    for (int list = 0; list < layout::kScanListCount; ++list) {
        uint8_t byte = image[layout::kScanArea.At(list) + layout::kScanBitmapOffset + index / 8];
        scanMask |= BitOf(byte, 7 - index % 8) << (layout::kScanListCount - 1 - list);
    }
}

void datCh::StoreScanMask() {
    uint8_t* image = image_->GetData();
    for (int list = 0; list < layout::kScanListCount; ++list) {
        uint8_t& byte = image[layout::kScanArea.At(list) + layout::kScanBitmapOffset + index / 8];
        SetBit(byte, 7 - index % 8, scanMask >> (layout::kScanListCount - 1 - list));
    }
}

void datCh::LoadTwoTone(uint8_t* image) {
    const uint8_t* tx = image + layout::kTwoToneTxArea.At(index);
    const uint8_t* period = image + layout::kTwoTonePeriodArea.At(index);
    toneA = GetBE16(tx + kTwoToneTxToneA);
    toneB = GetBE16(tx + kTwoToneTxToneB);
    codeType = (tx[kTwoToneTxCode] & 0x0F) != kNoCodeType;
    periodA = period[0];
    periodB = period[1];
}

void datCh::StoreTwoTone(uint8_t* image) {
    uint8_t* tx = image + layout::kTwoToneTxArea.At(index);
    uint8_t* period = image + layout::kTwoTonePeriodArea.At(index);
    const int entry = index - 1;
    SetBE16(tx + kTwoToneTxToneA, WholeUnits(toneA, 0xFFFF));
    SetBE16(tx + kTwoToneTxToneB, WholeUnits(toneB, 0xFFFF));
    tx[kTwoToneTxCode] = static_cast<uint8_t>((entry << 4) | (codeType ? entry : kNoCodeType));
    period[0] = static_cast<uint8_t>(WholeUnits(periodA, 0xFF));
    period[1] = static_cast<uint8_t>(WholeUnits(periodB, 0xFF));
}

void datCh::StoreCallListAddress(uint8_t* record) {
    // An address that did not decode (a blank entry) is not a number to write back: encoding
    // it would put the address 5535 into the radio.
    if (adr < 0 || adr > 9999) {
        return;
    }
    EncodeBcd4(adr, record + kCallListAddressOffset, kCallListAddressLength);
}
