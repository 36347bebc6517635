#pragma once

#include <string_view>

#include "common/cmcFont.h"

// Applies a layout-language font specification: charset, name, colour, height, size, style and
// pitch, separated by ",". An empty, missing or unrecognised field leaves that attribute as it
// is; fields past the seventh are ignored. Height and size take a number, or "%" and a
// percentage of the current value.
void ApplyFontSpec(std::string_view spec, cmcFont& font);

// Nothing when either font is missing; otherwise the destination becomes the source.
void CopyFont(cmcFont* destination, const cmcFont* source);
