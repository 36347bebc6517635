#pragma once

#include <string_view>

// Measures single lines of text in some font; a canvas of the drawing layer implements it.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int TextWidth(std::string_view line) const = 0;
    virtual int TextHeight(std::string_view line) const = 0;
};
