#pragma once

#include <string>

// Cuts a text into fields at delimiter characters ("@", "+", ","...). Positions are 1-based;
// the second byte of a double-byte character is never a delimiter.
class clsStrCom {
public:
    void Set(const std::string& text) { text_ = text; }
    const std::string& GetText() const { return text_; }
    // The first position from `from` on that holds a delimiter; the length + 1 when none.
    int FindDelimiter(const std::string& delims, int from) const;
    // The number of delimiters + 1 (an empty text has one field).
    int CountFields(const std::string& delims) const;
    // Field n (0 before the first delimiter); empty when it lies past the end.
    std::string GetField(const std::string& delims, int n) const;

private:
    bool IsDelimiter(const std::string& delims, int position) const;

    std::string text_;
};
