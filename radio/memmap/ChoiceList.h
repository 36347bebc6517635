#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The values and captions that one item code has in a selection sheet: every cell of that item
// is one value (its index) with its caption.
class ChoiceList {
public:
    struct Entry {
        int32_t line;    // within the sheet's cell section
        int32_t column;  // cell position within its line, from 0
        int32_t value;
        std::string caption;
    };

    // Lines of the section before its '#' line.
    int32_t lineCount = 0;
    // Sorted by value; equal values keep their reading order.
    std::vector<Entry> byValue;
    // Column by column, top to bottom: the order the sheet shows them in.
    std::vector<Entry> byPosition;

    // Takes the entries in reading order and sorts both views.
    void SetEntries(std::vector<Entry> entries);
    // The caption of the first entry read with the value; none when no entry has it.
    const std::string* FindCaption(int32_t value) const;
    // Line by line, each line from its first cell: the order the section is written in.
    std::vector<Entry> InReadingOrder() const;
    // The value of the first entry on the last line that has one; none without entries.
    std::optional<int32_t> FirstValueOfLastLine() const;
    // Line by line, the first entry above every value taken so far (from 0) is taken: the
    // highest value so taken, 0 when none is.
    int32_t HighestRisingValue() const;
    // The value step entries after (before, when negative) the value in the sheet's order;
    // past either end it jumps to the other end. None for a list without entries.
    std::optional<int32_t> Step(int32_t value, int32_t step) const;
};
