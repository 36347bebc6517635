#include "tests/ui/support/ValueCellSweep.h"

#include <gtest/gtest.h>

#include <utility>

#include "radio/cells/CellCodes.h"

namespace testsupport {

ValueCellSweep::ValueCellSweep(int first, int last) : first_(first), last_(last) {}

ValueCellSweep& ValueCellSweep::PassOver(int item) {
    passedOver_.insert(item);
    return *this;
}

ValueCellSweep& ValueCellSweep::EachCell(CellCheck check) {
    eachCell_ = std::move(check);
    return *this;
}

ValueCellSweep& ValueCellSweep::EachSheet(SheetCheck check) {
    eachSheet_ = std::move(check);
    return *this;
}

std::set<int> ValueCellSweep::Run(SettingSheetRig& sheets,
                                  std::span<const char* const> names) const {
    std::set<int> shown;
    for (const char* name : names) {
        SCOPED_TRACE(name);
        sheets.Open(name);
        EXPECT_FALSE(sheets.sheet->GetTitle().empty());
        EXPECT_FALSE(sheets.painted.empty());
        for (const auto& [cell, painted] : sheets.painted) {
            shown.insert(cell.first);
            if (!passedOver_.contains(cell.first)) {
                CheckCell(name, cell, painted);
            }
        }
        if (eachSheet_) {
            eachSheet_(name);
        }
    }
    EXPECT_TRUE(sheets.rig.boxes.fatals.empty());
    return shown;
}

void ValueCellSweep::CheckCell(const std::string& sheet, const CellKey& cell,
                               const Painted& painted) const {
    const auto [item, index] = cell;
    const std::string where = std::to_string(item) + "[" + std::to_string(index) + "]";
    if (item != CallSheet) {
        EXPECT_GE(item, first_) << where;
        EXPECT_LE(item, last_) << where;
    }
    EXPECT_EQ(painted.text.find("*Yet*"), std::string::npos) << where << ": " << painted.text;
    EXPECT_EQ(painted.text.find("error"), std::string::npos) << where << ": " << painted.text;
    if (eachCell_) {
        eachCell_(sheet, cell, painted);
    }
}

}  // namespace testsupport
