#pragma once

#include <string>
#include <vector>

#include "common/cmcGTex.h"

namespace testsupport {

// A text table holding one sheet's sections, made from lines a test builds: X_Style (line 0),
// X_BasicCell (line 0) and X_Cells, under the sheet name "X".
class SheetTable {
public:
    explicit SheetTable(std::vector<std::string> cells, std::string style = "",
                        std::string basicCell = "");
    SheetTable(const SheetTable&) = delete;
    SheetTable& operator=(const SheetTable&) = delete;

    cmcGTex table;

private:
    std::vector<std::string> lines_;
    std::vector<const char*> pointers_;
};

}  // namespace testsupport
