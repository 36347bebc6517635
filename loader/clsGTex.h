#pragma once

#include <span>
#include <string>
#include <vector>

// The loader's own keyed text-table reader over its embedded line array (the table format
// of the cloning program: "#" + key heads a section, "#End_Of_Ovl" ends the index). Unlike
// the cloning program's reader nothing is fatal: a missing key or line gives kErrorText and
// the program goes on. No line cache; the key index keeps table order.
class clsGTex {
public:
    static constexpr const char* kErrorText = "**** ERROR !!! ****";
    // Like a 1024-byte line buffer: a longer line is cut.
    static constexpr size_t kMaxLineChars = 1022;

    // Binds the reader to the lines (not copied); 0 when a source is already bound.
    int SetLines(std::span<const char* const> lines);
    // Line n (from 0) after the key's line; kErrorText when the key or the line is missing.
    std::string GetLine(const std::string& key, int n);

private:
    struct KeyNode {
        std::string key;
        size_t afterKey;
        int cachedLine;
        size_t cachedIndex;
    };

    KeyNode* FindKey(const std::string& key);
    // Indexes one more line; false once the index is complete.
    bool IndexNextLine();
    bool ReadLine(size_t index, std::string& line) const;

    bool bound_ = false;
    std::span<const char* const> lines_;
    std::vector<KeyNode> index_;
    size_t resume_ = 0;
    bool indexIncomplete_ = true;
};
