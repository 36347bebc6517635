#pragma once

#include <functional>
#include <set>
#include <span>
#include <string>

#include "radio/cells/CellNameTables.h"
#include "tests/ui/support/SettingSheetRig.h"

namespace testsupport {

// The check every group of setting sheets shares: opens each sheet of the group over the rig's
// image; each sheet has a title and paints cells, and each painted cell holds an item of the
// group (a cover's page cells aside) and shows a value of the image, neither "*Yet*" nor
// "error". The cells of items passed over are not checked. A group adds its own checks of each
// painted cell and of each sheet.
class ValueCellSweep {
public:
    using Painted = SettingSheetRig::Painted;
    using CellKey = SettingSheetRig::CellKey;
    using CellCheck =
        std::function<void(const std::string& sheet, const CellKey& cell, const Painted& painted)>;
    using SheetCheck = std::function<void(const std::string& sheet)>;

    // The items of the group, first to last.
    explicit ValueCellSweep(int first = 0, int last = kCellItemCount - 1);

    ValueCellSweep& PassOver(int item);
    ValueCellSweep& EachCell(CellCheck check);
    ValueCellSweep& EachSheet(SheetCheck check);

    // Runs over the sheets and gives the items of every painted cell.
    std::set<int> Run(SettingSheetRig& sheets, std::span<const char* const> names) const;

private:
    void CheckCell(const std::string& sheet, const CellKey& cell, const Painted& painted) const;

    int first_;
    int last_;
    std::set<int> passedOver_;
    CellCheck eachCell_;
    SheetCheck eachSheet_;
};

}  // namespace testsupport
