#include "radio/memmap/SegCellEditors.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/DecimalNumber.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/glyphs/SegGlyphs.h"
#include "radio/glyphs/Segchar.h"
#include "radio/host/PopupHost.h"
#include "radio/image/EscapedText.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"

namespace {

constexpr uint8_t kBlankWithDot = 0xA0;

bool HandsInText(const cmcCellCapsule& capsule) {
    return capsule.inputMode == kInputText || capsule.inputMode == kInputPopupAnswer;
}

// The field's text: up to the first zero byte; a blank-padded field without its padding.
std::vector<uint8_t> ShownBytes(std::span<const uint8_t> field, SegPadding padding) {
    std::vector<uint8_t> bytes(field.begin(), std::find(field.begin(), field.end(), 0));
    if (padding == SegPadding::Blanks) {
        while (!bytes.empty() && bytes.back() == ' ') {
            bytes.pop_back();
        }
    }
    return bytes;
}

void StoreText(std::span<uint8_t> field, const std::string& text, SegPadding padding) {
    std::vector<uint8_t> bytes = EscapedTextToBytes(text);
    bytes.resize(field.size(), padding == SegPadding::Blanks ? ' ' : 0);
    std::copy(bytes.begin(), bytes.end(), field.begin());
}

// A pop-up that could not be opened still asks for the refresh and changes nothing.
void OpenTextEditor(const cmcCellCapsule& capsule, PopupHost& popups, std::vector<uint8_t> start,
                    bool selectAll, int width, std::span<const uint8_t> userTable, int& request) {
    popups.OpenDisplayTextEditor(capsule, {std::move(start), selectAll, width, userTable});
    request = 1;
}

}  // namespace

int EditSegTextCell(cmcCellCapsule& capsule, std::span<uint8_t> field,
                    std::span<const uint8_t> userTable, SegPadding padding, PopupHost& popups,
                    int& request) {
    int changed = 0;
    if (HandsInText(capsule)) {
        StoreText(field, capsule.inText, padding);
        changed = 1;
    }
    const std::vector<uint8_t> shown = ShownBytes(field, padding);
    const int width = static_cast<int>(field.size());
    if (capsule.canvas) {
        PaintTextGlyphs(capsule, shown, width, userTable);
        capsule.outText.clear();
    } else {
        capsule.outText = BytesToEscapedText(shown);
    }
    if (!capsule.grid || changed) {
        return changed;
    }
    const int key = capsule.key == kKeyBackspace ? kKeyEnter : capsule.key;
    if (key == kKeyEnter) {
        OpenTextEditor(capsule, popups, shown, true, width, userTable, request);
    } else if (key != 0x7F && IsTextByte(key)) {
        const uint8_t typed = key == '.' ? kBlankWithDot : static_cast<uint8_t>(key);
        OpenTextEditor(capsule, popups, {typed}, false, width, userTable, request);
    }
    return changed;
}

int EditSegCharCell(cmcCellCapsule& capsule, std::span<uint8_t, 2> field, PopupHost& popups,
                    int& request) {
    int changed = 0;
    if (capsule.inputMode == kInputPopupAnswer) {
        const auto pattern = static_cast<uint16_t>(ReadDecimal(capsule.inText).value);
        field[0] = static_cast<uint8_t>(pattern >> 8);
        field[1] = static_cast<uint8_t>(pattern & 0xFF);
        changed = 1;
    }
    const std::array<uint16_t, 1> pattern = {static_cast<uint16_t>(field[0] << 8 | field[1])};
    if (capsule.canvas && capsule.rect) {
        PaintPatterns(*capsule.canvas, *capsule.rect, pattern, 1, 1, SharedSegchar());
    }
    if (capsule.grid && capsule.key == kKeyEnter && !changed) {
        popups.OpenUserCharacterEditor(capsule, {pattern[0]});
        request = 1;
    }
    return changed;
}

std::span<const uint8_t> UserCharTable(const cmcEeprom& image) {
    const int base = layout::kCEditArea.At(0);
    if (image.GetSize() < base + static_cast<int>(kUserTableSize)) {
        return {};
    }
    return {image.GetData() + base, kUserTableSize};
}
