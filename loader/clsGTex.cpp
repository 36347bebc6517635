#include "loader/clsGTex.h"

#include <cstring>

namespace {
const char kEndKey[] = "End_Of_Ovl";
}

int clsGTex::SetLines(std::span<const char* const> lines) {
    if (bound_) {
        return 0;
    }
    bound_ = true;
    lines_ = lines;
    return 1;
}

// A line past the end of the array (or a null entry) cannot be read.
bool clsGTex::ReadLine(size_t index, std::string& line) const {
    if (index >= lines_.size() || !lines_[index]) {
        return false;
    }
    const char* text = lines_[index];
    line.assign(text, strnlen(text, kMaxLineChars));
    return true;
}

bool clsGTex::IndexNextLine() {
    std::string line;
    if (!indexIncomplete_ || !ReadLine(resume_, line)) {
        indexIncomplete_ = false;
        return false;
    }
    ++resume_;
    // "#" alone is not a key line.
    if (line.size() > 1 && line[0] == '#') {
        index_.push_back(KeyNode{line.substr(1), resume_, 0, resume_});
        if (index_.back().key == kEndKey) {
            indexIncomplete_ = false;
        }
    }
    return indexIncomplete_;
}

clsGTex::KeyNode* clsGTex::FindKey(const std::string& key) {
    for (KeyNode& node : index_) {
        if (node.key == key) {
            return &node;
        }
    }
    while (indexIncomplete_) {
        size_t before = index_.size();
        IndexNextLine();
        if (index_.size() > before && index_.back().key == key) {
            return &index_.back();
        }
    }
    return nullptr;
}

std::string clsGTex::GetLine(const std::string& key, int n) {
    KeyNode* node = FindKey(key);
    if (!node || n < 0) {
        return kErrorText;
    }
    int count = 0;
    size_t index = node->afterKey;
    if (n >= node->cachedLine) {
        count = node->cachedLine;
        index = node->cachedIndex;
    }
    // Steps over the lines before n, as a reader of a file would.
    std::string line;
    for (; count <= n; ++count, ++index) {
        if (!ReadLine(index, line)) {
            return kErrorText;
        }
    }
    node->cachedLine = n + 1;
    node->cachedIndex = index;
    return line;
}
