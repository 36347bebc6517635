#include "radio/packing/ImageCheck.h"

#include <cstring>

#include "radio/image/ImageLayout.h"
#include "radio/image/ImageWords.h"
#include "radio/image/ModelType.h"
#include "radio/image/PackedLayout.h"

namespace {

constexpr int kValid = 0;
constexpr int kInvalid = 1;

bool IsSignatureAt(const uint8_t* bytes, int address) {
    return std::memcmp(bytes + address, layout::kSignatureText, layout::kSignatureLength) == 0;
}

bool HasBasicFormat(const uint8_t* bytes) {
    const uint8_t format = bytes[layout::kFormatClass];
    return bytes[layout::kIdentity] == layout::kIdentityByte0 &&
           bytes[layout::kIdentity + 1] == layout::kIdentityByte1 && (format == 1 || format == 2);
}

// The end offset is the image's own word: it must leave room for the signature below it and
// lie inside the image.
bool HasClosingSignature(const cmcEeprom& image) {
    const int end = GetBE16(image.GetData() + layout::kPackedEnd);
    return end >= layout::kSignatureLength && end <= image.GetSize() &&
           IsSignatureAt(image.GetData(), end - layout::kSignatureLength);
}

bool HasMakerMarks(const cmcEeprom& image) {
    const uint8_t* bytes = image.GetData();
    return IsSignatureAt(bytes, layout::kMakerSignature) &&
           GetBE16(bytes + layout::kModelCode) == layout::kModelCodeValue &&
           HasClosingSignature(image);
}

}  // namespace

int CheckImage(const cmcEeprom& image, const cmcEeprom& working, bool full) {
    if (image.GetSize() < layout::kRadioPartSize || !working.IsValidAddress(layout::kMapRevision)) {
        return kInvalid;
    }
    if (!HasBasicFormat(image.GetData()) ||
        working.GetData()[layout::kMapRevision] != layout::kOwnMapRevision) {
        return kInvalid;
    }
    if (full && !HasMakerMarks(image)) {
        return kInvalid;
    }
    if (CheckPackedHeader(image, ModelTypeFromImage(image)) != PackedHeaderFault::None) {
        return kInvalid;
    }
    return kValid;
}
