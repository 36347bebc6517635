#pragma once

// Bits of a channel record's attr field. The first three name the channel that image bytes
// 369, 370 and 368 point at; the reference-off bit is common to all channels, the bank flag
// belongs to the channel's bank. The last two stay with a channel position when records move.
inline constexpr int kAttrPriorityA = 0x01;  // image byte 369
inline constexpr int kAttrPriorityB = 0x02;  // image byte 370
inline constexpr int kAttrReference = 0x04;  // image byte 368, while the reference is on
inline constexpr int kAttrReferenceOff = 0x08;
inline constexpr int kAttrBankFlag = 0x10;
inline constexpr int kAttrAll = 0x1F;
// The channels named by the image: bank-size changes keep them.
inline constexpr int kAttrSpecial = kAttrPriorityA | kAttrPriorityB | kAttrReference;
