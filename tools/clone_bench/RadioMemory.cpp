#include "tools/clone_bench/RadioMemory.h"

#include <fstream>

#include "radio/image/BankTable.h"
#include "radio/image/ImageLayout.h"
#include "radio/packing/ImageFinalise.h"
#include "radio/packing/ImagePacking.h"
#include "radio/records/datCh.h"
#include "tools/initial_files/InitialImage.h"

namespace bench {

namespace {

constexpr uint32_t kFirstFrequency = 446006250;
constexpr uint32_t kChannelStep = 12500;

}  // namespace

std::vector<uint8_t> RadioMemory(ModelType model, int channels) {
    cmcEeprom defaults;
    if (!initial::BuildInitialImage(model, defaults) ||
        UnpackImage(defaults, model, UNPACK_Reset) != PACK_Ok) {
        return {};
    }
    cmcEeprom image;
    image.Assign(defaults);
    SetBankSize(image, 0, channels);
    datCh record(&image);
    for (int c = 0; c < channels; ++c) {
        record.Load(ChannelKindOf(model), c);
        record.used = 1;
        record.rxFreq = record.txFreq = kFirstFrequency + kChannelStep * c;
        record.Store();
    }
    if (FinaliseImage(image, defaults, model, FINALISE_GoingOut) != PACK_Ok) {
        return {};
    }
    return {image.GetData(), image.GetData() + layout::kRadioPartSize};
}

bool WriteRadioMemory(const std::string& path, const std::vector<uint8_t>& memory) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(memory.data()),
              static_cast<std::streamsize>(memory.size()));
    return static_cast<bool>(out.flush());
}

}  // namespace bench
