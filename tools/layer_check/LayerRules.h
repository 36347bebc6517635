#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "tools/layer_check/IncludeLine.h"

// A folder of the source tree and the folders whose headers it may include.
struct Layer {
    std::string_view folder;                // from the source root, such as "loader/ui"
    bool qt;                                // whether it may include Qt headers
    std::array<std::string_view, 16> uses;  // its own folder among them; "x/*": x and below
};

// The layer that holds a path from the source root: the deepest layer folder above it; none
// for a path outside every layer (tests/ is none: its folders mirror the layers).
const Layer* LayerOf(std::string_view path);

// Why the file (a path from the source root) may not include the header, or none when it may.
// A layer includes its own headers and those of the layers it uses; a test may include every
// project header, and Qt headers where the layer it tests may.
std::optional<std::string> IncludeViolation(std::string_view file, const IncludeLine& include);
