#pragma once

#include <array>

#include "radio/image/cmcEeprom.h"

// The boundary between individual and group addresses of the MSK signalling, read from the
// image, and the valid address range of every address field that follows from it.
class datVaskAdr {
public:
    struct Range {
        int low = 0;
        int high = 0;
    };

    static constexpr int kRangeSlots = 14;
    static constexpr int kCallListSlots = 32;
    static constexpr int kKillerSlot = 5;
    static constexpr int kIdGroupSlot = 6;  // own-ID group g is slot kIdGroupSlot + g

    explicit datVaskAdr(cmcEeprom* image);
    virtual ~datVaskAdr();

    // Reads the first group address (0 when the image does not reach it), then the ranges.
    void Load();
    // Writes the first group address back, then the ranges.
    void Store();
    virtual void ResetRanges();

    int firstGroup = 0;
    std::array<Range, kRangeSlots> ranges{};
    std::array<Range, kCallListSlots> callList{};

private:
    cmcEeprom* image_;
};
