#include "radio/packing/NewerDataLockout.h"

#include "common/DecimalNumber.h"
#include "common/MainGTex.h"
#include "radio/image/ImageLayout.h"

bool IsNewerData(const cmcEeprom& image) {
    const bool lockedOut = ReadDecimal(MainGTex().GetLine("GI_Sys_LockoutNewerData", 0)).value != 0;
    return lockedOut && image.IsValidAddress(layout::kNewerDataMark) &&
           image.GetByte(layout::kNewerDataMark) > 1;
}
