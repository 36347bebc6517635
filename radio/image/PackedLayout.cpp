#include "radio/image/PackedLayout.h"

#include "radio/image/BankTable.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/ImageWords.h"

namespace {

constexpr int kAliasTableSize = layout::kMdcAliasCount * layout::kMdcAliasEntrySize;

// The number of banks, from bank 0 on, whose sizes fit together within the working tables.
int KeptBanks(const cmcEeprom& image) {
    int total = 0;
    for (int bank = 0; bank < layout::kBankCount; ++bank) {
        total += GetBankSizeOf(image, bank);
        if (total > layout::kChannelCount) {
            return bank;
        }
    }
    return layout::kBankCount;
}

int HeaderWord(const cmcEeprom& image, int address) {
    return GetBE16(image.GetData() + address);
}

}  // namespace

PackedLayout PackedLayoutOf(int count, ModelType model, int entriesB) {
    const bool mdc = IsMdcType(model);
    PackedLayout area;
    area.count = count;
    area.entriesA = layout::kPackedArea;
    area.entriesB = entriesB;
    area.aliasTable = entriesB + count * layout::kChannelEntryBSize;
    area.block1 = area.aliasTable + (mdc ? kAliasTableSize : 0);
    area.block2 = area.block1 + (mdc ? layout::kMdcBlockSize : 0);
    area.signature = area.block2 + (mdc ? layout::kMdcBlockSize : 0);
    area.end = area.signature + layout::kSignatureLength;
    return area;
}

bool PackedAreaFits(const PackedLayout& area) {
    // The 14-byte entries end below 8159, the whole area below the radio part's last byte.
    return area.entriesB < layout::kPackedEntriesALimit && area.end < layout::kRadioPartLast;
}

int ClampedChannelCount(const cmcEeprom& image) {
    return SumBankSizes(image, KeptBanks(image));
}

int ClampBankSizes(cmcEeprom& image) {
    for (int bank = KeptBanks(image); bank < layout::kBankCount; ++bank) {
        SetBankSize(image, bank, 0);
    }
    return TotalBankChannels(image);
}

PackedHeaderFault CheckPackedHeader(const cmcEeprom& image, ModelType model) {
    if (image.GetSize() < layout::kRadioPartSize) {
        return PackedHeaderFault::NotRadioPart;
    }
    const int count = ClampedChannelCount(image);
    if (HeaderWord(image, layout::kPackedEntriesAStart) != layout::kPackedArea) {
        return PackedHeaderFault::EntriesAStart;
    }
    const int entriesB = HeaderWord(image, layout::kPackedEntriesBStart);
    if (entriesB < layout::kPackedArea + count * layout::kChannelEntryASize) {
        return PackedHeaderFault::EntriesBStart;
    }
    const PackedLayout area = PackedLayoutOf(count, model, entriesB);
    if (area.end > layout::kRadioPartSize) {
        return PackedHeaderFault::AreaEnd;
    }
    const int end = HeaderWord(image, layout::kPackedEnd);
    if (end < area.end || end > layout::kRadioPartSize) {
        return PackedHeaderFault::EndOffset;
    }
    return PackedHeaderFault::None;
}
