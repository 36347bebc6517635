#include "radio/app/MakerWord.h"

#include <algorithm>
#include <cctype>

namespace {

char Lower(char ch) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
}

}  // namespace

bool MakerWord::Take(char ch) {
    std::shift_left(window_.begin(), window_.end(), 1);
    window_.back() = Lower(ch);
    return std::string_view(window_.data(), window_.size()) == kWord;
}

bool MakerWord::IsSwitch(std::string_view argument) {
    return std::ranges::equal(argument, kSwitch, [](char a, char b) { return Lower(a) == b; });
}
