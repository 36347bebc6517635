#pragma once

#include <cstdint>

// One grid row of a sheet: the line of the cells section it was read from, and whether its
// cells take part in line selection.
struct clsSheeRowAtr {
    int32_t sourceLine = 0;
    bool select = true;
};
