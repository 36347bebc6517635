#include "radio/sheet/SheetSelector.h"

SheetSelector SplitSheetSpec(std::string_view spec) {
    SheetSelector result;
    const size_t comma = spec.find(',');
    const std::string_view head = spec.substr(0, comma);
    if (comma != std::string_view::npos) {
        result.args = std::string(spec.substr(comma + 1));
    }
    const size_t open = head.find('[');
    const size_t close = open == std::string_view::npos ? open : head.find(']', open + 1);
    if (close == std::string_view::npos) {
        result.name = std::string(head);
        return result;
    }
    result.style = std::string(head.substr(open + 1, close - open - 1));
    result.name = std::string(head.substr(close + 1));
    return result;
}
