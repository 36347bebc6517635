#pragma once

#include <string>
#include <string_view>
#include <vector>

// A sheet's argument text split into its head word and comma-separated items: "Bank 3" is
// head "Bank" and item "3". The head is the first blank-delimited word; the rest of the text is
// cut at every ',' into items; head and items are trimmed of blanks.
class cmcScrBlock {
public:
    explicit cmcScrBlock(std::string_view text);

    const std::string& GetHead() const { return head_; }
    // Item i, or "" outside 0 .. count - 1.
    const std::string& GetItem(int i) const;
    int Count() const { return static_cast<int>(items_.size()); }

private:
    std::string head_;
    std::vector<std::string> items_;
};
