#include "radio/records/BankChannels.h"

#include <algorithm>

#include "radio/image/BankSize.h"
#include "radio/image/BankTable.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/PackedSpace.h"
#include "radio/records/ChannelAttr.h"
#include "radio/records/RecordShift.h"
#include "radio/records/datCh.h"

namespace {

// Channels that may still be added to the banks: free positions that the packed area holds.
int RoomForChannels(const cmcEeprom& image) {
    int free = std::max(layout::kChannelCount - TotalBankChannels(image), 0);
    return std::max(MaxChannelsThatFit(image, RK_ChPmr, free), 0);
}

// A position at the bank's end that may go: no channel in use and none the image names. A
// position past the last record holds nothing at all.
bool IsRemovable(cmcEeprom& image, uint32_t kind, int position) {
    if (position >= layout::kChannelCount) {
        return true;
    }
    datCh channel(&image);
    channel.Load(kind, position);
    return channel.used == 0 && (channel.attr & kAttrSpecial) == 0;
}

// Removable positions counted back from the bank's last channel, up to the first that is not.
int RemovableAtEnd(cmcEeprom& image, uint32_t kind, const BankSpan& span) {
    int count = 0;
    while (count < span.count && IsRemovable(image, kind, span.first + span.count - 1 - count)) {
        ++count;
    }
    return count;
}

void GrowBank(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, const BankSpan& span,
              int by) {
    for (int i = 0; i < by; ++i) {
        ShiftRecordsDown(image, templateImage, layout::kChannelCount, kind,
                         span.first + span.count + i);
    }
    SetBankSize(image, span.bank, span.count + by);
}

void ShrinkBank(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, const BankSpan& span,
                int by) {
    for (int i = 0; i < by; ++i) {
        ShiftRecordsUp(image, templateImage, layout::kChannelCount, kind,
                       span.first + span.count - 1 - i);
    }
    SetBankSize(image, span.bank, span.count - by);
}

}  // namespace

bool InsertChannelAt(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int bank,
                     int position) {
    const BankSpan span = GetBankSpan(image, bank);
    if (!IsValidBank(bank) || !IsChannelKind(kind) || position < span.first ||
        position > span.first + span.count || TotalBankChannels(image) >= layout::kChannelCount) {
        return false;
    }
    ShiftRecordsDown(image, templateImage, layout::kChannelCount, kind, position);
    SetBankSize(image, bank, span.count + 1);
    return true;
}

bool DeleteChannelAt(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int bank,
                     int position) {
    const BankSpan span = GetBankSpan(image, bank);
    if (!IsValidBank(bank) || !IsChannelKind(kind) || position < span.first ||
        position >= span.first + span.count) {
        return false;
    }
    ShiftRecordsUp(image, templateImage, layout::kChannelCount, kind, position);
    SetBankSize(image, bank, span.count - 1);
    return true;
}

BankSizeLimits GetBankSizeLimits(cmcEeprom& image, uint32_t kind, int bank) {
    if (!IsValidBank(bank)) {
        return {};
    }
    const BankSpan span = GetBankSpan(image, bank);
    return BankSizeLimits{span.count - RemovableAtEnd(image, kind, span),
                          span.count + RoomForChannels(image)};
}

BankSizeRefusal GetBankSizeRefusal(cmcEeprom& image, uint32_t kind, int bank, int requested) {
    if (!IsValidBank(bank) || !IsChannelKind(kind)) {
        return BankSizeRefusal::None;
    }
    const BankSizeLimits limits = GetBankSizeLimits(image, kind, bank);
    if (requested > limits.highest) {
        return BankSizeRefusal::Overflow;
    }
    if (requested < limits.lowest) {
        return requested < 0 ? BankSizeRefusal::NoChannels : BankSizeRefusal::NotBlank;
    }
    return BankSizeRefusal::None;
}

int ResizeBankWithinLimits(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int bank,
                           int requested) {
    if (!IsValidBank(bank) || !IsChannelKind(kind)) {
        return 0;
    }
    const BankSpan span = GetBankSpan(image, bank);
    const BankSizeLimits limits = GetBankSizeLimits(image, kind, bank);
    const int size = std::clamp(requested, limits.lowest, limits.highest);
    if (size > span.count) {
        GrowBank(image, templateImage, kind, span, size - span.count);
    } else if (size < span.count) {
        ShrinkBank(image, templateImage, kind, span, span.count - size);
    }
    return ReadBankSize(image, bank);
}
