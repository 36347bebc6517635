#include "radio/memmap/WarningChecks.h"

#include <array>
#include <cstdio>

#include "common/cmcGTex.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/indActiveCell.h"

namespace {

constexpr char kBankCheck[] = "{(%%CL_Check_Mch:[St_ChBank]GI_Sheet_Mch_%s,Bank %d)}";

struct CheckRun {
    WarningCheckLists& lists;
    indActiveCell dispatcher;
    void* form;

    void Run(const std::string& definition, int bank) {
        cmcCellObj cell;
        cmcCellObj::ParseDefinition(cell, definition, nullptr, nullptr, false);
        cmcCellCapsule capsule;
        capsule.form = form;
        capsule.cell = &cell;
        capsule.bankContext = bank;
        dispatcher.DispatchItem(capsule, 0);
        const std::string sheet = cell.optionText.value_or(std::string());
        if (capsule.marks & kMarkError) {
            lists.errors.push_back(sheet);
        } else if (capsule.marks & kMarkWarning) {
            lists.warnings.push_back(sheet);
        }
        lists.lastNamesSheet = cell.optionText.has_value();
    }
};

}  // namespace

WarningCheckLists RunWarningCheckList(cmcGTex& table, ModelType model, void* form,
                                      const ItemRegistry& rows) {
    WarningCheckLists lists;
    CheckRun run{lists, indActiveCell(rows), form};
    for (int n = 0;; ++n) {
        const std::string line = table.GetLine("GI_WarningCheckList", n);
        if (line.starts_with('#')) {
            break;
        }
        run.Run(line, 0);
    }
    for (int bank = 0; bank < layout::kBankCount; ++bank) {
        std::array<char, 128> definition{};
        std::snprintf(definition.data(), definition.size(), kBankCheck, ChannelSheetToken(model),
                      bank);
        run.Run(definition.data(), bank);
    }
    return lists;
}
