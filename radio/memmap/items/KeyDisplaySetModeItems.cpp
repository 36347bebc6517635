// The programmable keys, the key and display options, the radio's set-mode values and which
// of them the user may change in the radio's set mode. Every row binds bytes of the image
// directly; their sheets and lists are data/Tarnwick/50-keys-display-setmode.ovl.
#include "radio/image/cmcEeprom.h"
#include "radio/memmap/items/ItemGroups.h"

namespace {

using namespace memmap;

// The trunking keys' functions follow the eight conventional ones.
constexpr int kTrunkingKeys = layout::kOptionText + 8;
constexpr char kTrunkingFunctions[] = "GI_Sheet_Sel_KDisp_Key_SmTr";
constexpr int kUserSetModeBits = 360;

// The beep level: a level 0..15 in the low nibble and bit 0x40 for the second set of levels,
// listed as 0..15 and 100..115. Bit 0x80 (beep on) is another setting's.
constexpr int kBeep = 273;
constexpr uint8_t kBeepLevelMask = 0x0F;
constexpr uint8_t kBeepSecondSet = 0x40;
constexpr int kSecondSetBase = 100;

int ReadBeepLevel(const ItemContext& context) {
    const uint8_t byte = context.image.GetByte(kBeep);
    return (byte & kBeepLevelMask) + (byte & kBeepSecondSet ? kSecondSetBase : 0);
}

void WriteBeepLevel(ItemContext& context, int value) {
    const bool second = value >= kSecondSetBase;
    const int level = (second ? value - kSecondSetBase : value) & kBeepLevelMask;
    const uint8_t kept = context.image.GetByte(kBeep) & ~(kBeepLevelMask | kBeepSecondSet);
    context.image.SetByte(kBeep,
                          static_cast<uint8_t>(kept | level | (second ? kBeepSecondSet : 0)));
}

// The rotary selector: list values 0, 2, 4, 6, kept halved in bits 4..3.
constexpr int kRotary = 381;
constexpr uint8_t kRotaryMask = 0x18;
constexpr int kRotaryShift = 2;

int ReadRotary(const ItemContext& context) {
    return (context.image.GetByte(kRotary) & kRotaryMask) >> kRotaryShift;
}

void WriteRotary(ItemContext& context, int value) {
    const uint8_t kept = context.image.GetByte(kRotary) & ~kRotaryMask;
    context.image.SetByte(kRotary,
                          static_cast<uint8_t>(kept | ((value << kRotaryShift) & kRotaryMask)));
}

// The AF minimum level is a whole byte that is on when not 0; on is written as 1.
constexpr int kAfMinimum = 275;

int ReadAfMinimum(const ItemContext& context) {
    return context.image.GetByte(kAfMinimum) != 0;
}

void WriteAfMinimum(ItemContext& context, int value) {
    context.image.SetByte(kAfMinimum, value ? 1 : 0);
}

constexpr ItemRow kRows[] = {
    KeyAssign(CL_KDisp_Key_Conv_RightUp, Byte(layout::kOptionText + 0)),
    KeyAssign(CL_KDisp_Key_Conv_RightDn, Byte(layout::kOptionText + 1)),
    KeyAssign(CL_KDisp_Key_Conv_LeftUp, Byte(layout::kOptionText + 2)),
    KeyAssign(CL_KDisp_Key_Conv_LeftDn, Byte(layout::kOptionText + 3)),
    KeyAssign(CL_KDisp_Key_Conv_P0, Byte(layout::kOptionText + 4)),
    KeyAssign(CL_KDisp_Key_Conv_P1, Byte(layout::kOptionText + 5)),
    KeyAssign(CL_KDisp_Key_Conv_P2, Byte(layout::kOptionText + 6)),
    KeyAssign(CL_KDisp_Key_Conv_P3, Byte(layout::kOptionText + 7)),
    Choice(CL_KDisp_Key_SmTr_RightUp, Byte(kTrunkingKeys + 0), kTrunkingFunctions),
    Choice(CL_KDisp_Key_SmTr_RightDn, Byte(kTrunkingKeys + 1), kTrunkingFunctions),
    Choice(CL_KDisp_Key_SmTr_LeftUp, Byte(kTrunkingKeys + 2), kTrunkingFunctions),
    Choice(CL_KDisp_Key_SmTr_LeftDn, Byte(kTrunkingKeys + 3), kTrunkingFunctions),
    Choice(CL_KDisp_Key_SmTr_P0, Byte(kTrunkingKeys + 4), kTrunkingFunctions),
    Choice(CL_KDisp_Key_SmTr_P1, Byte(kTrunkingKeys + 5), kTrunkingFunctions),
    Choice(CL_KDisp_Key_SmTr_P2, Byte(kTrunkingKeys + 6), kTrunkingFunctions),
    Choice(CL_KDisp_Key_SmTr_P3, Byte(kTrunkingKeys + 7), kTrunkingFunctions),
    Choice(CL_KDisp_Tenkey_Select, 378, 0x10, "GI_Sheet_Sel_KDisp_Tenkey"),
    Choice(CL_KDisp_HangAct_Moni, 383, 0x80, "GI_Sheet_Sel_Misc_OnOff").FixedByModel(),
    Choice(CL_KDisp_HangAct_Scan, 383, 0x20, "GI_Sheet_Sel_Misc_OnOff").FixedByModel(),
    Choice(CL_KDisp_HangAct_PrioA, 383, 0x40, "GI_Sheet_Sel_Misc_Enable3").FixedByModel(),
    DisplayText(CL_KDisp_OpeningText, Chars(layout::kSecondOptionText, layout::kNameLength)),
    Choice(CL_KDisp_RotarySel, Custom({ReadRotary, WriteRotary}), "GI_Sheet_Sel_KDisp_Rotary"),
    Timer(CL_KDisp_ScrollTimer, Byte(2150), {.unitsPerSecond = 10, .offText = true}),
    Choice(CL_KDisp_RfPoSel, 381, 0x04, "GI_Sheet_Sel_KDisp_RfPwr"),
    Choice(CL_KDisp_MrCode, 377, 0x03, "GI_Sheet_Sel_MrCode"),
    Choice(CL_KDisp_PwrSW, 380, 0x10, "GI_Sheet_Sel_Misc_Enable_I"),
    Choice(CL_KDisp_PrioA_SwOn, 379, 0x02, "GI_Sheet_Sel_Misc_Enable3"),
    Choice(CL_KDisp_PrioA_ClearDown, 380, 0x80, "GI_Sheet_Sel_Misc_Enable3"),
    Choice(CL_SetM_Backlight, 286, 0x03, "GI_Sheet_Sel_SetM_Backlight"),
    Choice(CL_SetM_BeepOn, kBeep, 0x80, "GI_Sheet_Sel_Misc_OnOff"),
    Choice(CL_SetM_BeepLev, Custom({ReadBeepLevel, WriteBeepLevel}), "GI_Sheet_Sel_SetM_BeepLev"),
    Number(CL_SetM_SqlLev, Byte(274), {.minimum = 0, .maximum = 255}),
    Choice(CL_SetM_AFMinLev, Custom({ReadAfMinimum, WriteAfMinimum}), "GI_Sheet_Sel_Misc_OnOff"),
    Choice(CL_SetM_AudioFilt, 286, 0x0C, "GI_Sheet_Sel_SetM_AudioFilt"),
    Choice(CL_SetM_MicGain, Byte(276), "GI_Sheet_Sel_SetM_MicGain"),
    Choice(CL_SetM_BATVDisp, 287, 0x40, "GI_Sheet_Sel_Misc_OnOff"),
    BitChoice(CL_USetM_Backlight, kUserSetModeBits, 0),
    BitChoice(CL_USetM_BeepOn, kUserSetModeBits, 1),
    BitChoice(CL_USetM_SqlLev, kUserSetModeBits, 2),
    BitChoice(CL_USetM_MicGain, kUserSetModeBits, 3),
    BitChoice(CL_USetM_BATVDisp, kUserSetModeBits, 4),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> KeyDisplaySetModeRows() {
    return kRows;
}
