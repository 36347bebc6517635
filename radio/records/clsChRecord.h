#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "radio/image/ImageLayout.h"
#include "radio/records/datCh.h"

// One record taken out of an image, to be put back at another index or into another image.
// A channel also carries its two working-table entries byte for byte: every bit of them
// belongs to the channel, also the bits no record field names, so a moved or copied channel
// never takes on bits of the channel that stood at its new place.
class clsChRecord {
public:
    // Loads the record (kind, index) of the image.
    void Take(cmcEeprom& image, uint32_t kind, int index);
    // Writes the record at index of the image. The attr bits in keepAttr stay those of the
    // record already there (they belong to the position, not to the channel).
    void Put(cmcEeprom& image, int index, int keepAttr) const;

    const datCh& View() const { return view_; }

private:
    struct Entries {
        std::array<uint8_t, layout::kChannelEntryASize> a;
        std::array<uint8_t, layout::kChannelEntryBSize> b;
    };

    datCh view_;
    std::optional<Entries> entries_;
};
