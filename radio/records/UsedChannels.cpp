#include "radio/records/UsedChannels.h"

#include <algorithm>

#include "radio/image/BankTable.h"
#include "radio/image/ImageLayout.h"
#include "radio/records/datCh.h"

namespace {

// Channels first..end-1 in use, seen through the record kind.
int CountUsed(cmcEeprom& image, uint32_t kind, int first, int end) {
    datCh view(&image);
    int count = 0;
    for (int channel = first; channel < end; ++channel) {
        view.Load(kind, channel);
        count += view.used;
    }
    return count;
}

}  // namespace

int CountUsedInBank(cmcEeprom& image, ModelType model, int bank) {
    if (bank < 0 || bank >= layout::kBankCount) {
        return 0;
    }
    uint32_t kind = model == MT_Lmr ? RK_ChLmr : RK_ChPmr;
    // A bank table that runs past the last channel must not count records that do not exist.
    // An image too small for the table reads every size 0 and so counts nothing.
    int first = SumBankSizes(image, bank);
    int end = std::min(first + GetBankSizeOf(image, bank), layout::kChannelCount);
    return CountUsed(image, kind, first, end);
}

int CountUsedInBanks(cmcEeprom& image, ModelType model) {
    int count = 0;
    for (int bank = 0; bank < layout::kBankCount; ++bank) {
        count += CountUsedInBank(image, model, bank);
    }
    return count;
}

int CountUsedChannelsIn(cmcEeprom& image, ModelType model, int first, int last) {
    if (first < 0 || first > last || last >= layout::kChannelCount) {
        return -1;
    }
    return CountUsed(image, ChannelKindOf(model), first, last + 1);
}

int CountUsedChannels(cmcEeprom& image, ModelType model) {
    return CountUsedChannelsIn(image, model, 0, layout::kChannelCount - 1);
}

int CountBankChannels(cmcEeprom& image, ModelType model, int bank) {
    if (bank < 0 || bank >= layout::kBankCount) {
        return -1;
    }
    return CountUsedChannelsIn(image, model, 4 * bank, 4 * bank + 3);
}
