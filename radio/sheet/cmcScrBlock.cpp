#include "radio/sheet/cmcScrBlock.h"

#include "common/TextHelpers.h"

namespace {

std::string Trimmed(std::string_view text) {
    std::string trimmed(text);
    return TrimBlanks(trimmed);
}

}  // namespace

cmcScrBlock::cmcScrBlock(std::string_view text) {
    std::string whole = Trimmed(text);
    std::size_t end = 0;
    while (end < whole.size() && !IsBlank(whole[end])) {
        ++end;
    }
    head_ = whole.substr(0, end);
    const std::string rest = Trimmed(std::string_view(whole).substr(end));
    if (rest.empty()) {
        return;
    }
    for (std::size_t start = 0;;) {
        const std::size_t comma = rest.find(',', start);
        items_.push_back(Trimmed(std::string_view(rest).substr(start, comma - start)));
        if (comma == std::string::npos) {
            return;
        }
        start = comma + 1;
    }
}

const std::string& cmcScrBlock::GetItem(int i) const {
    static const std::string kNone;
    return i >= 0 && i < Count() ? items_[static_cast<std::size_t>(i)] : kNone;
}
