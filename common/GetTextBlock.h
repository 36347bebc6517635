#pragma once

#include <string>

// The multi-line value of a key: lines 0, 1, ... joined by "\n" up to the first non-empty
// line that begins with "#". Works on any table reader with GetLine.
template <class Table>
std::string GetTextBlock(Table& table, const std::string& key) {
    std::string block;
    for (int i = 0;; ++i) {
        std::string line = table.GetLine(key, i);
        if (!line.empty() && line[0] == '#') {
            return block;
        }
        block = i == 0 ? line : block + "\n" + line;
    }
}
