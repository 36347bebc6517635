#include "radio/image/BankTable.h"

#include <algorithm>

#include "radio/image/ImageLayout.h"
#include "radio/image/ImageWords.h"

namespace {

bool HoldsBank(const cmcEeprom& image, int bank) {
    return bank >= 0 && bank < layout::kBankCount &&
           image.IsValidAddress(layout::kBankSizes + 2 * layout::kBankCount - 1);
}

uint8_t FlagMask(int bank) {
    return static_cast<uint8_t>(0x80 >> (bank % 8));
}

}  // namespace

int GetBankSizeOf(const cmcEeprom& image, int bank) {
    if (!HoldsBank(image, bank)) {
        return 0;
    }
    return GetBE16(image.GetData() + layout::kBankSizes + 2 * bank);
}

int SetBankSize(cmcEeprom& image, int bank, int count) {
    if (HoldsBank(image, bank)) {
        SetBE16(image.GetData() + layout::kBankSizes + 2 * bank, count);
    }
    return GetBankSizeOf(image, bank);
}

int GetBankFlag(const cmcEeprom& image, int bank) {
    if (!HoldsBank(image, bank)) {
        return 0;
    }
    return (image.GetData()[layout::kBankFlags + bank / 8] & FlagMask(bank)) != 0;
}

int SetBankFlag(cmcEeprom& image, int bank, int flag) {
    if (HoldsBank(image, bank)) {
        uint8_t& byte = image.GetData()[layout::kBankFlags + bank / 8];
        byte = flag ? (byte | FlagMask(bank)) : (byte & ~FlagMask(bank));
    }
    return GetBankFlag(image, bank);
}

int SumBankSizes(const cmcEeprom& image, int n) {
    int sum = 0;
    for (int bank = 0; bank < std::min(n, layout::kBankCount); ++bank) {
        sum += GetBankSizeOf(image, bank);
    }
    return sum;
}

int LastChannelOfBank(const cmcEeprom& image, int bank) {
    return std::max(SumBankSizes(image, bank + 1) - 1, 0);
}

int TotalBankChannels(const cmcEeprom& image) {
    return SumBankSizes(image, layout::kBankCount);
}

int BankOfChannel(const cmcEeprom& image, int channel) {
    int first = 0;
    for (int bank = 0; bank < layout::kBankCount; ++bank) {
        int end = first + GetBankSizeOf(image, bank);
        if (channel >= first && channel < end) {
            return bank;
        }
        first = end;
    }
    return layout::kBankCount;
}

int BankAtCount(const cmcEeprom& image, int count) {
    for (int bank = 0; bank < layout::kBankCount; ++bank) {
        if (SumBankSizes(image, bank + 1) >= count) {
            return bank;
        }
    }
    return 0;
}
