#include "tests/support/FakeShell.h"

#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/memmap/indChannelEdit.h"

namespace testsupport {

void FakeShell::RunChannelListEdit(cmcCellCapsule& capsule, datCh& record, int first, int last,
                                   const BankSpan& bank) {
    listEdits.push_back(ListEdit{capsule.command, first, last, bank.bank});
    if (runListEdits) {
        ChannelEditCommand(*this, clipboard, capsule, record, first, last, bank);
    }
}

indEnviron& FakeShell::Settings() {
    if (!settings_) {
        settings_ = std::make_unique<indEnviron>("FakeShell settings", "Software\\Zelk\\FakeShell",
                                                 indEnviron::ScreenSize{1280, 1024});
    }
    return *settings_;
}

void FakeShell::ShowContextHelp(const cmcCellObj& cell) {
    helpItems.push_back(cell.item);
}

}  // namespace testsupport
