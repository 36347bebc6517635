#include "platform/TextCompare.h"

#include <cwchar>
#include <cwctype>

namespace platform {

namespace {

// Decodes the next character; bytes that do not decode stand for themselves.
wchar_t NextChar(const std::string& s, size_t& i, std::mbstate_t& state) {
    wchar_t wc = 0;
    size_t n = std::mbrtowc(&wc, s.data() + i, s.size() - i, &state);
    if (n == static_cast<size_t>(-1) || n == static_cast<size_t>(-2) || n == 0) {
        state = std::mbstate_t{};
        wc = static_cast<wchar_t>(static_cast<unsigned char>(s[i]));
        n = 1;
    }
    i += n;
    return wc;
}

}  // namespace

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
    std::mbstate_t sa{};
    std::mbstate_t sb{};
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::towlower(static_cast<wint_t>(NextChar(a, i, sa))) !=
            std::towlower(static_cast<wint_t>(NextChar(b, j, sb)))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

}  // namespace platform
