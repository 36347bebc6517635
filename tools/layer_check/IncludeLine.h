#pragma once

#include <optional>
#include <string_view>

// The header that one line of a source file includes.
struct IncludeLine {
    std::string_view header;  // as written between the quotes or angle brackets
    bool angle = false;       // <header> rather than "header"
};

// The include a line holds ("#include", blanks allowed around the "#"); none for any other
// line, an include in a comment or string among them.
std::optional<IncludeLine> ParseIncludeLine(std::string_view line);
