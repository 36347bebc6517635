#include "tests/radio/support/SheetTable.h"

namespace testsupport {

SheetTable::SheetTable(std::vector<std::string> cells, std::string style, std::string basicCell)
    : lines_{"#X_Style", std::move(style), "#X_BasicCell", std::move(basicCell), "#X_Cells"} {
    lines_.insert(lines_.end(), cells.begin(), cells.end());
    lines_.push_back("#End_Of_Ovl");
    for (const std::string& line : lines_) {
        pointers_.push_back(line.c_str());
    }
    table.SetLines(pointers_.data(), static_cast<int>(pointers_.size()));
}

}  // namespace testsupport
