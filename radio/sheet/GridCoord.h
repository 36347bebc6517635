#pragma once

// A cell position on a sheet's grid; -1 stands for none.
struct GridCoord {
    int col = -1;
    int row = -1;
    bool operator==(const GridCoord&) const = default;
};
