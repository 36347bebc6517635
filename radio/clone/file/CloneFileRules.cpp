#include "radio/clone/file/CloneFileRules.h"

#include "common/TextHelpers.h"
#include "radio/clone/file/CloneFileResult.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"

namespace clonefile {

namespace {

std::string WithoutTrailingSpaces(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string CommentField(const cmcEeprom& image, int address) {
    std::string text;
    for (int i = 0; i < layout::kCommentLength; ++i) {
        const uint8_t byte = image.GetByte(address + i);
        text += IsPrintableAscii(byte) ? static_cast<char>(byte) : ' ';
    }
    return WithoutTrailingSpaces(text);
}

}  // namespace

bool AcceptMapRevision(int mapRev) {
    return mapRev == kMapRevision;
}

bool AcceptIds(int id1, int id2, int* code) {
    *code = id1 != layout::kModelCodeValue          ? TOV_Model
            : id2 != kSecondId && id2 != kVariantId ? TOV_Extra
                                                    : TOV_Ok;
    return *code == TOV_Ok;
}

std::string CommentOf(const cmcEeprom& image) {
    return WithoutTrailingSpaces(CommentField(image, layout::kComment1) +
                                 CommentField(image, layout::kComment2));
}

}  // namespace clonefile
