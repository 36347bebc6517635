#pragma once

#include <string>
#include <vector>

#include "radio/image/ModelType.h"
#include "radio/memmap/ItemRegistry.h"

class cmcGTex;

// The sheets on which the warning checks found something: the option texts of the checks
// that came back with the error mark, and of those with only the warning mark.
struct WarningCheckLists {
    std::vector<std::string> errors;
    std::vector<std::string> warnings;
    // The last check run names a sheet (so the marks can be placed).
    bool lastNamesSheet = false;
};

// Runs each cell of the table's "GI_WarningCheckList" (up to a line beginning '#'), then the
// channel check of every bank on the model type's bank sheet, through the dispatcher without a
// key. form is handed to the checks as their owner.
WarningCheckLists RunWarningCheckList(cmcGTex& table, ModelType model, void* form,
                                      const ItemRegistry& rows = ItemRegistry::Program());
