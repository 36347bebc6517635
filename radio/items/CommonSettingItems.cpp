// The radio's common settings: passwords, timers, the time-out timer, clone comments, CTCSS,
// the serial port and the scrambler. Every row binds bytes of the image directly; their sheets
// and lists are data/Tarnwick/30-common-settings.ovl.
#include "radio/items/ItemGroups.h"

namespace {

using namespace memmap;

constexpr ItemRow kRows[] = {
    Choice(CL_Comm_PwrOnPassword, 381, 0x20, "GI_Sheet_Sel_Misc_OnOff"),
    Timer(CL_Comm_AtResetTimer_A, Byte(408), {.unitsPerSecond = 1, .offText = true}),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> CommonSettingRows() {
    return kRows;
}
