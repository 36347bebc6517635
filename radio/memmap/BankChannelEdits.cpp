#include "radio/memmap/BankChannelEdits.h"

#include <climits>

#include "common/CurrentEvMan.h"
#include "radio/host/EditMessages.h"
#include "radio/host/indDocument.h"
#include "radio/image/ModelType.h"
#include "radio/records/BankChannels.h"

namespace {

void ShowRefusal(BankSizeRefusal refusal) {
    switch (refusal) {
        case BankSizeRefusal::Overflow:
            ShowEditError("GI_AppMess_ChErr_Overflow");
            break;
        case BankSizeRefusal::NoChannels:
            ShowEditError("GI_AppMess_ChErr_NoCh");
            break;
        case BankSizeRefusal::NotBlank:
            ShowEditError("GI_AppMess_ChErr_NotBlank");
            break;
        case BankSizeRefusal::None:
            break;
    }
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

int ResizeBank(cmcEeprom& image, cmcEeprom& templateImage, uint32_t kind, int bank, int requested) {
    ShowRefusal(GetBankSizeRefusal(image, kind, bank, requested));
    return ResizeBankWithinLimits(image, templateImage, kind, bank, requested);
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
