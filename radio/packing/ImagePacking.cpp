#include "radio/packing/ImagePacking.h"

#include <algorithm>
#include <cstring>

#include "radio/image/ImageLayout.h"
#include "radio/image/ImageWords.h"
#include "radio/image/PackedLayout.h"

namespace {

constexpr int kAliasTableSize = layout::kMdcAliasCount * layout::kMdcAliasEntrySize;
constexpr int kAliasLastOffset = 2;   // in a descriptor: address of the last entry
constexpr int kAliasCountOffset = 4;  // in a descriptor: number of entries
constexpr int kAliasFlagByte = 8;
constexpr uint8_t kAliasNamedMask = 0x40;  // set when the alias text is not blank

bool IsDocument(const cmcEeprom& image) {
    return image.GetSize() >= layout::kImageSize;
}

void RepeatEntry(uint8_t* image, int table, int size, int count, int from) {
    for (int i = 0; i < count; ++i) {
        std::memcpy(image + table + i * size, image + from, size);
    }
}

void ResetFromTemplates(uint8_t* image, ModelType model) {
    RepeatEntry(image, layout::kChannelTableA, layout::kChannelEntryASize, layout::kChannelCount,
                layout::kTemplateA);
    RepeatEntry(image, layout::kChannelTableB, layout::kChannelEntryBSize, layout::kChannelCount,
                layout::kTemplateB);
    if (IsMdcType(model)) {
        RepeatEntry(image, layout::kMdcAliasTable, layout::kMdcAliasEntrySize,
                    layout::kMdcAliasCount, layout::kTemplateAlias);
        std::memcpy(image + layout::kMdcBlock1, image + layout::kTemplateBlock1,
                    layout::kMdcBlockSize);
        std::memcpy(image + layout::kMdcBlock2, image + layout::kTemplateBlock2,
                    layout::kMdcBlockSize);
    }
}

void CopyFromPackedArea(uint8_t* image, const PackedLayout& area, ModelType model) {
    std::memcpy(image + layout::kChannelTableA, image + area.entriesA,
                area.count * layout::kChannelEntryASize);
    std::memcpy(image + layout::kChannelTableB, image + area.entriesB,
                area.count * layout::kChannelEntryBSize);
    if (IsMdcType(model)) {
        std::memcpy(image + layout::kMdcAliasTable, image + area.aliasTable, kAliasTableSize);
        std::memcpy(image + layout::kMdcBlock1, image + area.block1, layout::kMdcBlockSize);
        std::memcpy(image + layout::kMdcBlock2, image + area.block2, layout::kMdcBlockSize);
    }
}

bool IsBlankText(const uint8_t* text) {
    return std::all_of(text, text + layout::kNameLength,
                       [](uint8_t c) { return c == 0 || c == ' '; });
}

void MarkNamedAliases(uint8_t* image) {
    for (int i = 0; i < layout::kMdcAliasCount; ++i) {
        uint8_t* entry = image + layout::kMdcAliasArea.At(i);
        uint8_t& flags = entry[kAliasFlagByte];
        flags = IsBlankText(entry) ? (flags & ~kAliasNamedMask) : (flags | kAliasNamedMask);
    }
}

void PackMdcTables(uint8_t* image, const PackedLayout& area) {
    for (int k = 0; k < layout::kMdcSubBlockCount; ++k) {
        uint8_t* descriptor =
            image + layout::kMdcAliasDescriptors + k * layout::kMdcAliasDescriptorSize;
        SetBE16(descriptor, area.aliasTable);
        SetBE16(descriptor + kAliasLastOffset, area.aliasTable + layout::kMdcAliasLastEntryOffset);
        SetBE16(descriptor + kAliasCountOffset, layout::kMdcAliasCount);
        SetBE16(image + layout::kMdcBlock1Starts + k * layout::kMdcStartStride,
                area.block1 + k * layout::kMdcSubBlockSize);
        SetBE16(image + layout::kMdcBlock2Starts + k * layout::kMdcStartStride,
                area.block2 + k * layout::kMdcSubBlockSize);
    }
    MarkNamedAliases(image);
    std::memcpy(image + area.aliasTable, image + layout::kMdcAliasTable, kAliasTableSize);
    std::memcpy(image + area.block1, image + layout::kMdcBlock1, layout::kMdcBlockSize);
    std::memcpy(image + area.block2, image + layout::kMdcBlock2, layout::kMdcBlockSize);
}

void WritePackedArea(uint8_t* image, const PackedLayout& area, ModelType model) {
    std::memset(image + layout::kPackedArea, 0, layout::kRadioPartSize - layout::kPackedArea);
    image[layout::kPackedHeaderZeroByte] = 0;
    SetBE16(image + layout::kPackedChannelCount, area.count);
    SetBE16(image + layout::kPackedEntriesAStart, area.entriesA);
    SetBE16(image + layout::kPackedEntriesBStart, area.entriesB);
    SetBE16(image + layout::kPackedEntriesBStart2, area.entriesB);
    std::memcpy(image + area.entriesA, image + layout::kChannelTableA,
                area.count * layout::kChannelEntryASize);
    std::memcpy(image + area.entriesB, image + layout::kChannelTableB,
                area.count * layout::kChannelEntryBSize);
    if (IsMdcType(model)) {
        PackMdcTables(image, area);
    }
    std::memcpy(image + area.signature, layout::kSignatureText, layout::kSignatureLength);
    image[layout::kPackedHeaderMark] = layout::kPackedHeaderMarkValue;
    SetBE16(image + layout::kPackedHeaderZeroWord, 0);
    SetBE16(image + layout::kPackedEnd, area.end);
}

}  // namespace

ImagePackResult UnpackImage(cmcEeprom& image, ModelType model, UnpackMode mode) {
    if (!IsDocument(image)) {
        return PACK_NotDocument;
    }
    if (mode == UNPACK_Reset) {
        ResetFromTemplates(image.GetData(), model);
        return PACK_Ok;
    }
    if (CheckPackedHeader(image, model) != PackedHeaderFault::None) {
        return PACK_BadHeader;
    }
    const int count = ClampBankSizes(image);
    const int entriesB = GetBE16(image.GetData() + layout::kPackedEntriesBStart);
    CopyFromPackedArea(image.GetData(), PackedLayoutOf(count, model, entriesB), model);
    return PACK_Ok;
}

ImagePackResult PackImage(cmcEeprom& image, ModelType model) {
    if (!IsDocument(image)) {
        return PACK_NotDocument;
    }
    const int count = ClampBankSizes(image);
    const PackedLayout area =
        PackedLayoutOf(count, model, layout::kPackedArea + count * layout::kChannelEntryASize);
    if (!PackedAreaFits(area)) {
        return PACK_NoRoom;
    }
    WritePackedArea(image.GetData(), area, model);
    return PACK_Ok;
}
