#include "radio/memmap/ChoiceList.h"

#include <algorithm>

void ChoiceList::SetEntries(std::vector<Entry> entries) {
    byValue = entries;
    std::stable_sort(byValue.begin(), byValue.end(),
                     [](const Entry& a, const Entry& b) { return a.value < b.value; });
    byPosition = std::move(entries);
    const auto place = [this](const Entry& e) {
        return int64_t{e.line} + int64_t{lineCount} * e.column;
    };
    std::stable_sort(byPosition.begin(), byPosition.end(),
                     [&place](const Entry& a, const Entry& b) { return place(a) < place(b); });
}

// The first of a run of equal values is the one read first, so the lower bound finds it.
const std::string* ChoiceList::FindCaption(int32_t value) const {
    const auto it = std::lower_bound(byValue.begin(), byValue.end(), value,
                                     [](const Entry& e, int32_t v) { return e.value < v; });
    if (it == byValue.end() || it->value != value) {
        return nullptr;
    }
    return &it->caption;
}

// A value that is not listed stands behind the end (n + 1), so a step from it lands on an end.
std::optional<int32_t> ChoiceList::Step(int32_t value, int32_t step) const {
    const auto n = static_cast<int64_t>(byPosition.size());
    if (n == 0) {
        return std::nullopt;
    }
    const auto found = std::find_if(byPosition.begin(), byPosition.end(),
                                    [value](const Entry& e) { return e.value == value; });
    const int64_t i = found == byPosition.end() ? n + 1 : found - byPosition.begin();
    int64_t j = i + step;
    if (j >= n) {
        j = 0;
    } else if (j < 0) {
        j = n - 1;
    }
    return byPosition[static_cast<size_t>(j)].value;
}

std::vector<ChoiceList::Entry> ChoiceList::InReadingOrder() const {
    std::vector<Entry> entries = byPosition;
    std::ranges::sort(entries, [](const Entry& a, const Entry& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return entries;
}

std::optional<int32_t> ChoiceList::FirstValueOfLastLine() const {
    const std::vector<Entry> entries = InReadingOrder();
    if (entries.empty()) {
        return std::nullopt;
    }
    const int32_t lastLine = entries.back().line;
    const auto first = std::ranges::find(entries, lastLine, &Entry::line);
    return first->value;
}

int32_t ChoiceList::HighestRisingValue() const {
    int32_t highest = 0;
    int32_t takenOnLine = -1;
    for (const Entry& entry : InReadingOrder()) {
        if (entry.line != takenOnLine && entry.value > highest) {
            highest = entry.value;
            takenOnLine = entry.line;
        }
    }
    return highest;
}
