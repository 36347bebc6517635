#include "radio/BankChannels.h"

#include <algorithm>
#include <climits>

#include "common/GlobalEvMan.h"
#include "radio/BankSize.h"
#include "radio/BankTable.h"
#include "radio/ChannelAttr.h"
#include "radio/EditMessages.h"
#include "radio/ImageLayout.h"
#include "radio/ModelType.h"
#include "radio/PackedSpace.h"
#include "radio/RecordShift.h"
#include "radio/datCh.h"
#include "radio/indDocument.h"

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
    int redraw = 0;
    for (int i = 0; i < by; ++i) {
        ShiftRecordsDown(image, templateImage, layout::kChannelCount, kind,
                         span.first + span.count + i, redraw);
    }
    SetBankSize(image, span.bank, span.count + by);
}

void ShrinkBank(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, const BankSpan& span,
                int by) {
    int redraw = 0;
    for (int i = 0; i < by; ++i) {
        ShiftRecordsUp(image, templateImage, layout::kChannelCount, kind,
                       span.first + span.count - 1 - i, redraw);
    }
    SetBankSize(image, span.bank, span.count - by);
}

// An event argument as an index; -1 when it is no int.
int EventIndex(intptr_t value) {
    return value >= 0 && value <= INT_MAX ? static_cast<int>(value) : -1;
}

void Send(int type, intptr_t B = 0) {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(type, 0, B);
    }
}

}  // namespace

bool InsertChannelAt(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int bank,
                     int position) {
    const BankSpan span = GetBankSpan(image, bank);
    if (!IsValidBank(bank) || !IsChannelKind(kind) || position < span.first ||
        position > span.first + span.count || TotalBankChannels(image) >= layout::kChannelCount) {
        return false;
    }
    int redraw = 0;
    ShiftRecordsDown(image, templateImage, layout::kChannelCount, kind, position, redraw);
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
    int redraw = 0;
    ShiftRecordsUp(image, templateImage, layout::kChannelCount, kind, position, redraw);
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

int ResizeBank(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int bank, int requested) {
    if (!IsValidBank(bank) || !IsChannelKind(kind)) {
        return 0;
    }
    const BankSpan span = GetBankSpan(image, bank);
    const BankSizeLimits limits = GetBankSizeLimits(image, kind, bank);
    if (requested > limits.highest) {
        ShowEditError("GI_AppMess_ChErr_Overflow");
    } else if (requested < limits.lowest) {
        ShowEditError(requested < 0 ? "GI_AppMess_ChErr_NoCh" : "GI_AppMess_ChErr_NotBlank");
    }
    const int size = std::clamp(requested, limits.lowest, limits.highest);
    if (size > span.count) {
        GrowBank(image, templateImage, kind, span, size - span.count);
    } else if (size < span.count) {
        ShrinkBank(image, templateImage, kind, span, span.count - size);
    }
    return ReadBankSize(image, bank);
}

void RunChannelEvent(indDocument& document, const cmcEvent& event) {
    const uint32_t kind = ChannelKindOf(document.CurrentModelType());
    const int bank = EventIndex(event.A);
    const int position = EventIndex(event.B);
    if (event.type == EV_InsertChannel &&
        InsertChannelAt(document.CurrentImage(), document.DefaultImage(), kind, bank, position)) {
        Send(EV_BankRowAdded);
        Send(EV_BankTitle);
    } else if (event.type == EV_DeleteChannel &&
               DeleteChannelAt(document.CurrentImage(), document.DefaultImage(), kind, bank,
                               position)) {
        Send(EV_BankRowRemoved);
        Send(EV_BankTitle);
        Send(EV_RedrawCellsFrom, position);
    }
}
