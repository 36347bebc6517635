#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "radio/image/ModelType.h"
#include "radio/image/cmcEeprom.h"
#include "tests/radio/support/RecordImage.h"

namespace radiotest {

inline constexpr ModelType kModelTypes[] = {MT_Lmr, MT_Pmr, MT_VaskPmr, MT_MdcLmr, MT_MdcPmr};

inline void SetOrClear(uint8_t& byte, uint8_t mask, bool on) {
    byte = static_cast<uint8_t>(on ? byte | mask : byte & ~mask);
}

// The option bits from which an image derives the model type.
inline void SetModelBytes(cmcEeprom& image, ModelType model) {
    uint8_t* bytes = image.GetData();
    SetOrClear(bytes[377], 0x10, model == MT_Pmr || model == MT_MdcPmr);
    SetOrClear(bytes[378], 0x40, model == MT_VaskPmr);
    SetOrClear(bytes[382], 0x01, model == MT_MdcLmr || model == MT_MdcPmr);
}

inline void SetBankSizes(cmcEeprom& image, std::initializer_list<int> sizes) {
    uint8_t* table = image.GetData() + 440;
    std::memset(table, 0, 32);
    int bank = 0;
    for (int size : sizes) {
        table[2 * bank] = static_cast<uint8_t>(size >> 8);
        table[2 * bank + 1] = static_cast<uint8_t>(size);
        ++bank;
    }
}

// A document whose every byte is pseudo-random but for the marks of a radio image of the model
// type: identity, format class 1, maker signature, map revision 4, model code.
inline void MakeRadioImage(cmcEeprom& image, ModelType model, uint32_t seed = 12345) {
    FillPseudoRandom(image, seed);
    uint8_t* bytes = image.GetData();
    bytes[0] = 0x27;
    bytes[1] = 0x21;
    bytes[2] = 1;
    std::memcpy(bytes + 256, "ZELK Inc", 8);
    bytes[264] = 4;
    bytes[266] = 0x27;
    bytes[267] = 0x26;
    SetModelBytes(image, model);
}

// Bank sizes that give the channel count over several banks, with empty banks between.
inline void SetChannelCount(cmcEeprom& image, int count) {
    if (count > 200) {
        SetBankSizes(image, {100, 0, 100, count - 200});
    } else if (count > 1) {
        SetBankSizes(image, {0, count / 2, 0, 0, count - count / 2});
    } else {
        SetBankSizes(image, {0, 0, 0, 0, 0, count});
    }
}

// The radio part of an image in a fresh document, as a file load or a clone read gives it:
// the working tables are all 0.
inline void CopyRadioPart(const cmcEeprom& from, cmcEeprom& to) {
    to.Resize(48880);
    std::memcpy(to.GetData(), from.GetData(), 32736);
}

}  // namespace radiotest
