#pragma once

#include <cstdint>

// The fixed places of the memory image that several parts share, by name. Code reaches the
// image through these constants, through the record areas below or through a record view; the
// only other bare addresses are the places one memory-map row binds, written in that row of its
// group file (radio/memmap/items).
namespace layout {

// --- Address space ---------------------------------------------------------------------------
inline constexpr int kImageSize = 48880;      // document images: radio part + working tables
inline constexpr int kRadioPartSize = 32736;  // 0..32735: what the radio holds and a file saves
inline constexpr int kRadioPartLast = kRadioPartSize - 1;

// --- Working tables (PC side, never sent, never saved) --------------------------------------
inline constexpr int kChannelCount = 256;
inline constexpr int kChannelTableA = 32736;  // first half of each channel record
inline constexpr int kChannelEntryASize = 14;
inline constexpr int kChannelTableB = 36320;  // second half of each channel record
inline constexpr int kChannelEntryBSize = 20;
inline constexpr int kMdcAliasTable = 41440;  // MDC model types only
inline constexpr int kMdcAliasEntrySize = 12;
inline constexpr int kMdcAliasCount = 500;
inline constexpr int kMdcBlock1 = 47440;
inline constexpr int kMdcBlock2 = 48160;
inline constexpr int kMdcBlockSize = 720;
inline constexpr int kMdcSubBlockSize = 144;
inline constexpr int kMdcSubBlockCount = 5;

// --- Fixed places of the radio part ---------------------------------------------------------
inline constexpr int kIdentity = 0;  // two bytes
inline constexpr uint8_t kIdentityByte0 = 0x27;
inline constexpr uint8_t kIdentityByte1 = 0x21;
inline constexpr int kFormatClass = 2;  // 1 or 2
inline constexpr int kOptions = 11;
inline constexpr uint8_t kSaccFittedMask = 0x08;
inline constexpr int kMakerSignature = 256;
inline constexpr int kSignatureLength = 8;
inline constexpr char kSignatureText[] = "ZELK Inc";
inline constexpr int kMapRevision = 264;
inline constexpr uint8_t kOwnMapRevision = 4;
inline constexpr int kModelCode = 266;  // BE16
inline constexpr int kModelCodeValue = 0x2726;

// Packed-area header.
inline constexpr int kPackedHeaderZeroByte = 312;  // always 0
inline constexpr int kPackedChannelCount = 314;    // BE16: used channels
inline constexpr int kPackedEntriesAStart = 316;   // BE16: always kPackedArea
inline constexpr int kPackedEntriesBStart = 318;   // BE16
inline constexpr int kPackedHeaderMark = 320;      // always kPackedHeaderMarkValue
inline constexpr uint8_t kPackedHeaderMarkValue = 23;
inline constexpr int kPackedHeaderZeroWord = 322;  // BE16: always 0
inline constexpr int kPackedEntriesBStart2 = 324;  // BE16: same as kPackedEntriesBStart
inline constexpr int kPackedEnd = 326;             // BE16: first address after the signature

inline constexpr int kBankFlags = 366;  // 16-bit MSB-first bitmap, one bit per bank
inline constexpr int kAttr2Channel = 368;
inline constexpr int kAttr0Channel = 369;
inline constexpr int kAttr1Channel = 370;
inline constexpr int kCodeCommon = 373;  // the five-tone group tone, in every code view
inline constexpr int kModelByte = 377;
inline constexpr uint8_t kPmrMask = 0x10;
inline constexpr int kSignallingByte = 378;
inline constexpr uint8_t kVaskFittedMask = 0x40;
inline constexpr uint8_t kAttr3ClearMask = 0x20;  // clear: every channel shows attr bit 3
inline constexpr int kMdcByte = 382;
inline constexpr uint8_t kMdcFittedMask = 0x01;
// The same byte, bits 5, 6, 7: the high (1) or low option of the key-option slots 11, 12, 13.
inline constexpr int kKeyOptionBits = 382;
inline constexpr int kKeyOptionFirstBit = 5;
inline constexpr int kBankCount = 16;
inline constexpr int kBankSizes = 440;  // 16 x BE16
inline constexpr int kComment1 = 504;
inline constexpr int kComment2 = 520;
inline constexpr int kCommentLength = 16;
inline constexpr int kNameLength = 8;
inline constexpr int kBankNames = 696;  // 16 x 8 bytes
inline constexpr int kNewerDataMark = 2125;
inline constexpr int kVaskFirstGroup = 2182;  // BE16
inline constexpr int kVaskLastAddress = 4095;
inline constexpr int kMdcBlock1Starts = 3730;  // 5 x BE16, every kMdcStartStride bytes
inline constexpr int kMdcBlock2Starts = 3779;
inline constexpr int kMdcStartStride = 10;
inline constexpr int kMdcAliasDescriptors = 3822;  // 5 x {start, last entry, count}
inline constexpr int kMdcAliasDescriptorSize = 6;
inline constexpr int kMdcAliasLastEntryOffset = 5988;
inline constexpr int kPackedArea = 3968;
inline constexpr int kPackedEntriesALimit = 8159;  // the 14-byte entries end below this

// A default image keeps one template of each entry at the start of its packed area, then its
// MDC blocks: what new channels, aliases and MDC blocks start from.
inline constexpr int kTemplateA = kPackedArea;
inline constexpr int kTemplateB = kTemplateA + kChannelEntryASize;
inline constexpr int kTemplateAlias = kTemplateB + kChannelEntryBSize;  // MDC types
inline constexpr int kTemplateBlock1 = kTemplateAlias + kMdcAliasEntrySize;
inline constexpr int kTemplateBlock2 = kTemplateBlock1 + kMdcBlockSize;
inline constexpr int kTemplatesEnd = kTemplateAlias;  // the first address after them
inline constexpr int kMdcTemplatesEnd = kTemplateBlock2 + kMdcBlockSize;

// Places that reconciling an image with the model type's default image derives.
inline constexpr int kStartChannel = 278;        // first used channel, uninhibited if any
inline constexpr int kStartScanList = 281;       // first scan list with a setting
inline constexpr int kStartDtmf = 282;           // first DTMF entry with digits
inline constexpr int kBankStartChannels = 288;   // 16 bytes: each bank's first used channel
inline constexpr int kSecondTextFlagByte = 380;  // mask 0x20: the second option text is set
inline constexpr int kOptionText = 416;          // 8 characters
inline constexpr int kOptionTextSelect = 439;
// The same byte, bits 0-1: the option port (0, 1, 2) of the scrambler key function.
inline constexpr int kScramblerPort = 439;
inline constexpr uint8_t kScramblerPortMask = 0x03;
inline constexpr int kSecondOptionText = 2133;  // 8 characters
inline constexpr int kDataRevision = 2126;      // follows the default image

// --- Record areas: record i starts at base + stride * i ---------------------------------------
struct RecordArea {
    int base;
    int stride;
    constexpr int At(int index) const { return base + stride * index; }
};

inline constexpr RecordArea kChannelA{kChannelTableA, kChannelEntryASize};
inline constexpr RecordArea kChannelB{kChannelTableB, kChannelEntryBSize};
inline constexpr RecordArea kCEditArea{536, 2};
inline constexpr RecordArea kTwoToneBoundsArea{560, 8};  // shares bytes with the user tones
inline constexpr RecordArea kUserToneEncodeArea{568, 2};
inline constexpr RecordArea kUserToneDecodeArea{598, 4};
inline constexpr RecordArea kTwoTonePeriodArea{666, 2};
inline constexpr RecordArea kBankNameArea{kBankNames, kNameLength};
inline constexpr RecordArea kCToneArea{824, 4};
inline constexpr RecordArea kScanArea{860, 42};
inline constexpr int kScanBitmapOffset = 8;  // channel bitmap: bytes 8..39 of a scan list
inline constexpr int kScanListCount = 10;
inline constexpr RecordArea kDtmfArea{1280, 21};
inline constexpr RecordArea kTxCodeArea{1490, 14};
// Two-tone code i also uses TX-code entry i - 1.
inline constexpr RecordArea kTwoToneTxArea{kTxCodeArea.base - kTxCodeArea.stride, 14};
inline constexpr RecordArea kRxCodeArea{1938, 17};  // also the 17-byte two-tone entries
inline constexpr RecordArea kMskCallListArea{2198, 14};
inline constexpr RecordArea kMskIdGroupArea{2646, 15};
inline constexpr RecordArea kMskMsgStatusArea{2766, 1};
inline constexpr RecordArea kMskShortTxtFlagArea{2790, 1};
inline constexpr RecordArea kMskMsgText2Area{2798, 8};
inline constexpr RecordArea kMskMsgNameArea{2990, 8};
inline constexpr RecordArea kMskShortTxtArea{3182, 8};
inline constexpr RecordArea kMdcAliasArea{kMdcAliasTable, kMdcAliasEntrySize};

}  // namespace layout
