#include "radio/ModelType.h"

#include "radio/ImageLayout.h"

ModelType ModelTypeFromImage(const cmcEeprom& image) {
    if (!image.IsValidAddress(layout::kMdcByte)) {
        return MT_Lmr;
    }
    const uint8_t* bytes = image.GetData();
    bool pmr = (bytes[layout::kModelByte] & layout::kPmrMask) != 0;
    if ((bytes[layout::kMdcByte] & layout::kMdcFittedMask) != 0) {
        return pmr ? MT_MdcPmr : MT_MdcLmr;
    }
    if ((bytes[layout::kSignallingByte] & layout::kVaskFittedMask) != 0) {
        return MT_VaskPmr;
    }
    return pmr ? MT_Pmr : MT_Lmr;
}
