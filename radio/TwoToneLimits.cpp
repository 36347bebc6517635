#include "radio/TwoToneLimits.h"

#include <algorithm>

namespace {

// Rounded by adding a half and cutting the fraction, inside what a 16-bit bound holds.
int RoundedBound(double value) {
    return static_cast<int>(std::clamp(value + 0.5, 0.0, 65535.0));
}

}  // namespace

void SetToneLimits(datCh& record, double ratio) {
    record.lowA = RoundedBound(record.toneA * (1 - ratio));
    record.highA = RoundedBound(record.toneA * (1 + ratio));
    record.lowB = RoundedBound(record.toneB * (1 - ratio));
    record.highB = RoundedBound(record.toneB * (1 + ratio));
}
