#pragma once

#include <string_view>

#include "ui/sheet/cuiSheet.h"

// A sheet whose layout may hold lines for some model types or one option of the radio only:
// "(Only_Pmr N)" shows the next N lines on the PMR types only and skips them elsewhere (rows
// and ":" lines alike). Without a count nothing is skipped. "(Only_Maker N)" keeps its lines for
// maker mode, as the tree keeps the maker folder.
class iuiSh_Common : public cuiSheet {
public:
    using cuiSheet::cuiSheet;

protected:
    void DoDirective(std::string_view item) override;
};
