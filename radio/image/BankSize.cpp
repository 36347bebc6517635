#include "radio/image/BankSize.h"

#include "common/cmcEvMan.h"
#include "radio/image/BankTable.h"
#include "radio/image/ImageLayout.h"

bool IsValidBank(int bank) {
    return bank >= 0 && bank < layout::kBankCount;
}

int ReadBankSize(const cmcEeprom& image, int bank) {
    return IsValidBank(bank) ? GetBankSizeOf(image, bank) : 0;
}

int WriteBankSize(cmcEeprom& image, int bank, int count) {
    return IsValidBank(bank) ? SetBankSize(image, bank, count) : 0;
}

bool HasSecondBank(const cmcEeprom& image) {
    return ReadBankSize(image, 1) != 0;
}

int ResetBankSizes(cmcEeprom& image, bool banked) {
    for (int bank = 0; bank < layout::kBankCount; ++bank) {
        WriteBankSize(image, bank, 0);
    }
    if (banked) {
        WriteBankSize(image, 0, 4);
        WriteBankSize(image, 1, 4);
    } else {
        WriteBankSize(image, 0, layout::kChannelCount);
    }
    return 1;
}

BankSpan GetBankSpan(const cmcEeprom& image, int bank) {
    if (!IsValidBank(bank)) {
        return {};
    }
    return BankSpan{bank, SumBankSizes(image, bank), LastChannelOfBank(image, bank),
                    ReadBankSize(image, bank)};
}

BankSpan GetCurrentBankSpan(const cmcEeprom& image, cmcEvMan* bus) {
    const cmcEvAns* answer = bus ? bus->Query(EV_QueryCurrentBank) : nullptr;
    if (!answer) {
        return {};
    }
    return GetBankSpan(image, static_cast<int>(answer->pointerAnswer));
}
