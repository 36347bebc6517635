#include "radio/records/datVaskAdr.h"

#include "radio/image/ImageLayout.h"
#include "radio/image/ImageWords.h"

namespace {

constexpr int kLast = layout::kVaskLastAddress;

bool Reaches(const cmcEeprom* image) {
    return image != nullptr && image->IsValidAddress(layout::kVaskFirstGroup + 1);
}

}  // namespace

datVaskAdr::datVaskAdr(cmcEeprom* image) : image_(image) {
    Load();
}

datVaskAdr::~datVaskAdr() = default;

void datVaskAdr::Load() {
    firstGroup = Reaches(image_) ? GetBE16(image_->GetData() + layout::kVaskFirstGroup) : 0;
    ResetRanges();
}

void datVaskAdr::Store() {
    if (Reaches(image_)) {
        SetBE16(image_->GetData() + layout::kVaskFirstGroup, firstGroup);
    }
    ResetRanges();
}

void datVaskAdr::ResetRanges() {
    const int g = firstGroup;
    ranges[0] = {0, 0};
    ranges[1] = {0, kLast};
    ranges[2] = {g, kLast};
    ranges[3] = {kLast, kLast};
    ranges[4] = {0, kLast};
    ranges[kKillerSlot] = {0, g - 1};
    ranges[kIdGroupSlot] = {0, g - 1};
    for (int slot = kIdGroupSlot + 1; slot < kRangeSlots; ++slot) {
        ranges[slot] = {g, kLast};
    }
    callList.fill({0, kLast});
}
