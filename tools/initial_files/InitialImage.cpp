#include "tools/initial_files/InitialImage.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "radio/image/ImageLayout.h"
#include "radio/image/ImageWords.h"
#include "tools/initial_files/InitialSettings.h"

namespace initial {
namespace {

bool InRadioPart(int first, int length) {
    return first >= 0 && length >= 0 && first + length <= layout::kRadioPartSize;
}

bool FitsRadioPart(const Setting& setting) {
    for (int record = 0; record < setting.count; ++record) {
        if (!InRadioPart(setting.place.At(record), setting.Width())) {
            return false;
        }
    }
    return setting.put != Put::Copy || InRadioPart(setting.value, setting.length);
}

void PutRecord(uint8_t* image, const Setting& setting, int record) {
    uint8_t* at = image + setting.place.At(record);
    const int32_t value = setting.ValueOf(record);
    switch (setting.put) {
        case Put::Bits: {
            const auto bits = static_cast<uint8_t>(value << std::countr_zero(setting.mask));
            *at = static_cast<uint8_t>((*at & ~setting.mask) | (bits & setting.mask));
            break;
        }
        case Put::Word:
            SetBE16(at, value);
            break;
        case Put::Long:
            SetBE32(at, static_cast<uint32_t>(value));
            break;
        case Put::Fill:
            std::memset(at, value, setting.length);
            break;
        case Put::Text:
            std::memcpy(at, setting.text, setting.length);
            break;
        case Put::Copy:
            std::memmove(at, image + setting.value, setting.length);
            break;
    }
}

}  // namespace

bool BuildInitialImage(ModelType model, cmcEeprom& image) {
    const auto settings = InitialSettings();
    if (!std::all_of(settings.begin(), settings.end(), FitsRadioPart)) {
        return false;
    }
    image.Resize(layout::kImageSize);
    for (const Setting& setting : settings) {
        if (!InGroup(model, setting.models)) {
            continue;
        }
        for (int record = 0; record < setting.count; ++record) {
            PutRecord(image.GetData(), setting, record);
        }
    }
    return true;
}

}  // namespace initial
