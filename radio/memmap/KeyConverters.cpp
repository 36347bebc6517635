#include "radio/memmap/KeyConverters.h"

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/host/PopupHost.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"
#include "radio/memmap/CellEditing.h"
#include "radio/memmap/ChoiceConverters.h"

namespace {

constexpr int kFirstSlotWithBit = 11;
constexpr int kLastSlotWithBit = 13;

bool HasOptionBit(int slot) {
    return slot >= kFirstSlotWithBit && slot <= kLastSlotWithBit;
}

uint8_t OptionMask(int slot) {
    return static_cast<uint8_t>(1 << (layout::kKeyOptionFirstBit + slot - kFirstSlotWithBit));
}

// The slot whose high/low option the function uses: the port's slot for the scrambler.
int OptionSlotOf(const cmcEeprom& image, int function) {
    return function == kScramblerFunction ? GetScramblerPortSlot(GetScramblerPort(image))
                                          : KeyOptionSlot(function);
}

void OpenList(CellEdit& edit, const char* list, int answer, int value) {
    edit.services.popups.OpenChoiceList(edit.capsule, {list, answer, value});
    edit.request = 1;
}

std::string OptionSuffix(const cmcEeprom& image, int function) {
    std::string suffix;
    if (function == kScramblerFunction) {
        const int port = GetScramblerPort(image);
        suffix = port == 0 ? " OPT1" : port == 1 ? " OPT2" : " OPT3";
    }
    if (function == kScramblerFunction || KeyOptionSlot(function) != 0) {
        suffix += GetKeyOptionHigh(image, OptionSlotOf(image, function)) ? " /H" : " /L";
    }
    return suffix;
}

}  // namespace

int KeyOptionSlot(int function) {
    switch (function) {
        case '0':
        case '3':
            return 11;
        case '1':
        case '4':
            return 12;
        case '2':
        case '5':
            return 13;
        case '6':
        case '9':
            return 21;
        case '7':
        case ':':
            return 22;
        case '8':
        case ';':
            return 23;
        default:
            return 0;
    }
}

int GetKeyOptionHigh(const cmcEeprom& image, int slot) {
    return HasOptionBit(slot) && (image.GetByte(layout::kKeyOptionBits) & OptionMask(slot)) ? 1 : 0;
}

void SetKeyOptionHigh(cmcEeprom& image, int slot, int high) {
    if (!HasOptionBit(slot)) {
        return;
    }
    const uint8_t byte = image.GetByte(layout::kKeyOptionBits);
    const uint8_t mask = OptionMask(slot);
    image.SetByte(layout::kKeyOptionBits, static_cast<uint8_t>(high ? byte | mask : byte & ~mask));
}

int GetScramblerPort(const cmcEeprom& image) {
    return image.GetByte(layout::kScramblerPort) & layout::kScramblerPortMask;
}

int GetScramblerPortSlot(int port) {
    return port == 0 ? 11 : port == 1 ? 12 : 13;
}

void SetScramblerPort(cmcEeprom& image, int port) {
    const uint8_t byte = image.GetByte(layout::kScramblerPort);
    image.SetByte(layout::kScramblerPort,
                  static_cast<uint8_t>((byte & ~layout::kScramblerPortMask) |
                                       (port & layout::kScramblerPortMask)));
}

bool CellKeyFunction(CellEdit& edit, cmcEeprom& image, int& value, int& redraw,
                     const std::string& list) {
    if (IsAnswerOf(edit, Flex0)) {
        value = AnswerValue(edit);
        if (value == kScramblerFunction) {
            OpenList(edit, kScramblerPortList, FlexScrmPort, GetScramblerPort(image));
        } else if (const int slot = KeyOptionSlot(value)) {
            OpenList(edit, kKeyOptionList, FlexKeyOpt, GetKeyOptionHigh(image, slot));
        }
        return true;
    }
    if (IsAnswerOf(edit, FlexScrmPort)) {
        SetScramblerPort(image, AnswerValue(edit));
        const int slot = GetScramblerPortSlot(GetScramblerPort(image));
        OpenList(edit, kKeyOptionList, FlexKeyOpt, GetKeyOptionHigh(image, slot));
        return false;
    }
    if (IsAnswerOf(edit, FlexKeyOpt)) {
        SetKeyOptionHigh(image, OptionSlotOf(image, value), AnswerValue(edit) & 1);
        redraw |= RD_AllCells;
        return true;
    }
    const bool changed = CellChoice(edit, value, list, Flex0);
    edit.capsule.outText += OptionSuffix(image, value);
    edit.capsule.selLength = static_cast<int>(edit.capsule.outText.size());
    return changed;
}

bool CellKeyAssign(CellEdit& edit, cmcEeprom& image, ModelType model, int& value, int& redraw) {
    const bool known = model >= MT_Lmr && model <= MT_MdcPmr;
    const char* list = kKeyFunctionLists[static_cast<std::size_t>(known ? model : MT_Pmr)];
    return CellKeyFunction(edit, image, value, redraw, list);
}
