#include "radio/sheet/SheetStyle.h"

#include "common/ColourNames.h"
#include "common/DecimalNumber.h"
#include "common/FontSetting.h"

namespace {

// The text after the first "=", or none.
std::optional<std::string_view> ValueOf(std::string_view item) {
    const size_t equals = item.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return item.substr(equals + 1);
}

// A number of the layout; false when it overflows.
bool ReadNumber(std::string_view value, int& number) {
    const DecimalNumber read = ReadDecimal(value);
    number = read.value;
    return !read.outOfRange;
}

struct StyleKey {
    const char* key;
    bool exact;
    bool (*apply)(SheetStyle& style, std::string_view value);
};

const StyleKey kStyleKeys[] = {
    {"TitleString", false,
     [](SheetStyle& s, std::string_view v) {
         if (!v.empty()) {
             s.title = std::string(v);
         }
         return true;
     }},
    {"TitleColor", false,
     [](SheetStyle& s, std::string_view v) {
         ColourFromName(std::string(v), s.titleColour);
         return true;
     }},
    {"TitleFont", false,
     [](SheetStyle& s, std::string_view v) {
         s.titleFont = cmcFont();
         ApplyFontSpec(v, *s.titleFont);
         return true;
     }},
    {"FixedCols", false,
     [](SheetStyle& s, std::string_view v) { return ReadNumber(v, s.fixedCols); }},
    {"FixedRows", false,
     [](SheetStyle& s, std::string_view v) { return ReadNumber(v, s.fixedRows); }},
    {"NoPrint", true,
     [](SheetStyle& s, std::string_view) {
         s.noPrint = true;
         return true;
     }},
    {"PrintFontRatio", false,
     [](SheetStyle& s, std::string_view v) { return ReadNumber(v, s.printFontRatio); }},
    {"MultiSelect", false,
     [](SheetStyle& s, std::string_view v) {
         s.multiSelect = v == "Cell" ? MS_Cell : v == "Line" ? MS_Line : MS_None;
         return true;
     }},
};

}  // namespace

bool SheetStyle::Apply(std::string_view item) {
    for (const StyleKey& key : kStyleKeys) {
        if (key.exact ? item != key.key : !item.starts_with(key.key)) {
            continue;
        }
        if (key.exact) {
            return key.apply(*this, {});
        }
        const auto value = ValueOf(item);
        return !value || key.apply(*this, *value);
    }
    return true;
}
