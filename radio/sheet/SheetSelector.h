#pragma once

#include <string>
#include <string_view>

// A sheet named by a spec text: "[style]name,arguments". The style word picks the sheet class.
struct SheetSelector {
    std::string style;
    std::string name;
    std::string args;
    bool operator==(const SheetSelector&) const = default;
};

// The head runs to the first ","; the arguments follow it. In the head the style lies between
// the first "[" and the first "]" after it, and the name follows that "]"; a head without such
// a pair is the name alone.
SheetSelector SplitSheetSpec(std::string_view spec);
