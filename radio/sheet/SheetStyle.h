#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/cmcFont.h"

// MultiSelect modes of a sheet.
enum cuiMultiSelect : int {
    MS_None = 0,
    MS_Cell = 1,
    MS_Line = 2,
};

// What the style line of a sheet (section X_Style) sets, one "(item)" at a time.
struct SheetStyle {
    std::optional<std::string> title;
    std::optional<cmcFont> titleFont;
    uint32_t titleColour = 0x80000011;  // clGrayText
    int fixedCols = 0;
    int fixedRows = 0;
    int multiSelect = MS_None;
    int printFontRatio = 100;
    bool noPrint = false;

    // A key matches when the item begins with it (NoPrint only when the item is NoPrint); its
    // value follows the first "=". Returns false when the item's number lies beyond the int
    // range, which the sheet refuses as a bad layout.
    bool Apply(std::string_view item);
};
