#pragma once

#include <cstdint>
#include <string>

// The class library's colour names ("clRed", "clBtnFace", ...) to their values: exact and
// case-sensitive. Returns 0 with the colour written, or 1 with the output untouched.
int ColourFromName(const std::string& name, uint32_t& colour);
