#include "loader/clsStrCom.h"

#include "platform/LeadByte.h"

bool clsStrCom::IsDelimiter(const std::string& delims, int position) const {
    char c = text_[static_cast<size_t>(position - 1)];
    return delims.find(c) != std::string::npos;
}

int clsStrCom::FindDelimiter(const std::string& delims, int from) const {
    // Walk from the start so that double-byte characters are stepped over whole.
    for (std::size_t i = 0; i < text_.size(); i += platform::CharLength(text_, i)) {
        const int position = static_cast<int>(i) + 1;
        if (platform::CharLength(text_, i) == 1 && position >= from &&
            IsDelimiter(delims, position)) {
            return position;
        }
    }
    return static_cast<int>(text_.size()) + 1;
}

int clsStrCom::CountFields(const std::string& delims) const {
    int fields = 1;
    int length = static_cast<int>(text_.size());
    for (int at = FindDelimiter(delims, 1); at <= length; at = FindDelimiter(delims, at + 1)) {
        ++fields;
    }
    return fields;
}

std::string clsStrCom::GetField(const std::string& delims, int n) const {
    if (n < 0) {
        return "";
    }
    int length = static_cast<int>(text_.size());
    int start = 1;
    for (int i = 0; i < n; ++i) {
        int at = FindDelimiter(delims, start);
        if (at > length) {
            return "";
        }
        start = at + 1;
    }
    int end = FindDelimiter(delims, start);
    return text_.substr(static_cast<size_t>(start - 1), static_cast<size_t>(end - start));
}
