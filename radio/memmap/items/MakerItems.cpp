// The maker's adjustments at the start of the image (squelch, tone decoders, DTCS, PLL and IF,
// power and switching timers, set-mode access), the Model menu's entries of the MDC model
// types and a channel's MDC system. The rows do not ask for maker mode: the tree shows their
// sheets (data/Tarnwick/75-maker.ovl) only in maker mode.
#include "radio/memmap/items/ItemGroups.h"
#include "radio/memmap/items/ModelCommand.h"

namespace {

using namespace memmap;

// Flags of the adjustments: squelch delay, DTCS polarities, set-mode access and the PLL type.
constexpr int kMakerFlags = 11;

// Frequencies in hertz, shown in megahertz to 100 Hz, typed values cut to the 25 kHz raster;
// Space opens the editor.
constexpr DecimalParams kMegahertz{.storedDecimals = 6,
                                   .shownDecimals = 4,
                                   .minimum = 0,
                                   .maximum = 99.975,
                                   .step = 25000,
                                   .stepping = false};
constexpr DecimalParams kSignedMegahertz = [] {
    DecimalParams params = kMegahertz;
    params.minimum = -99.975;
    return params;
}();

constexpr ItemRow kRows[] = {
    Choice(CL_Maker_SqlDelay_Op, Bit(kMakerFlags, 7), "GI_Sheet_Sel_Misc_OnOff_I"),
    TimerByte(CL_Maker_SqlDelay_ResetTimer, 26, 1000),
    TimerByte(CL_Maker_Sql_SigDetTimer, 24, 1000),
    TimerByte(CL_Maker_Sql_NoiseDetTimer, 25, 1000),
    Number(CL_Maker_CtcssDec_Attack, Byte(32), {.minimum = 0, .maximum = 255}),
    Number(CL_Maker_CtcssDec_Release, Byte(33), {.minimum = 0, .maximum = 255}),
    Number(CL_Maker_CtcssDec_PS, Byte(34), {.minimum = 0, .maximum = 255}),
    Choice(CL_Maker_Dtcs_TxPolar, Bit(kMakerFlags, 6), "GI_Sheet_Sel_Maker_DtcsPolar"),
    Choice(CL_Maker_Dtcs_RxPolar, Bit(kMakerFlags, 5), "GI_Sheet_Sel_Maker_DtcsPolar"),
    // The radio keeps the decoding count less 11.
    Number(CL_Maker_Dtcs_Decode, Offset(Byte(35), 11), {.minimum = 12, .maximum = 23}),
    TimerByte(CL_Maker_PwrOffTimer, 37, 100),
    TimerByte(CL_Maker_ON_Timer1, 38, 100),
    TimerByte(CL_Maker_ON_Timer2, 39, 100),
    Decimal(CL_Maker_IfFreq, Long(16), kSignedMegahertz),
    Choice(CL_Maker_Pll_Type, kMakerFlags, 0x03, "GI_Sheet_Sel_Maker_PllType"),
    Decimal(CL_Maker_Pll_Reference, Long(20), kMegahertz),
    TimerByte(CL_Maker_Pll_TxFastTimer, 27, 1000),
    TimerByte(CL_Maker_Pll_RxFastTimer, 28, 1000),
    TimerByte(CL_Maker_MuteTimer_Tx, 29, 1000),
    TimerByte(CL_Maker_MuteTimer_Rx, 30, 1000),
    Choice(CL_Maker_SetModeAccess, Bit(kMakerFlags, 3), "GI_Sheet_Sel_Misc_Enable"),
    ModelCommand(CL_Model_MdcLmr, MT_MdcLmr),
    ModelCommand(CL_Model_MdcPmr, MT_MdcPmr),
    TypedChoice(CL_Mch_Mdc_System, Member(&datCh::mdcSystem),
                {"GI_Sheet_Sel_Mch_Mdc_System_List", Flex0}),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> MakerRows() {
    return kRows;
}
