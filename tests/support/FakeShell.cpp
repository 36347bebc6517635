#include "tests/support/FakeShell.h"

#include "radio/cmcCellCapsule.h"
#include "radio/cmcCellObj.h"

namespace testsupport {

void FakeShell::RunChannelListEdit(cmcCellCapsule& capsule, datCh&, int first, int last,
                                   const BankSpan& bank) {
    listEdits.push_back(ListEdit{capsule.command, first, last, bank.bank});
}

void FakeShell::ShowContextHelp(const cmcCellObj& cell) {
    helpItems.push_back(cell.item);
}

}  // namespace testsupport
