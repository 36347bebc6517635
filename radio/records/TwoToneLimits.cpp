#include "radio/records/TwoToneLimits.h"

#include <algorithm>

namespace {

// Rounded by adding a half and cutting the fraction, inside what a 16-bit bound holds.
int RoundedBound(double value) {
    return static_cast<int>(std::clamp(value + 0.5, 0.0, 65535.0));
}

}  // namespace

void SetToneWindow(int& low, int& high, double tone, double ratio) {
    low = RoundedBound(tone * (1 - ratio));
    high = RoundedBound(tone * (1 + ratio));
}

void SetToneLimits(datCh& record, double ratio) {
    SetToneWindow(record.lowA, record.highA, record.toneA, ratio);
    SetToneWindow(record.lowB, record.highB, record.toneB, ratio);
}

double TwoToneRatio(uint8_t radioRevision) {
    const bool narrow = radioRevision >= 0x20 || (radioRevision & 0x0F) > 1;
    return narrow ? 0.02 : 0.03;
}

void SetTwoToneLimits(cmcEeprom& image, ModelType model, uint8_t radioRevision) {
    if (!IsLmrType(model)) {
        return;
    }
    const double ratio = TwoToneRatio(radioRevision);
    datCh record(&image);
    for (int code = datCh::GetKindMin(RK_2ToneCode); code <= datCh::GetKindMax(RK_2ToneCode);
         ++code) {
        record.Load(RK_2ToneCode, code);
        SetToneLimits(record, ratio);
        record.Store();
    }
}
