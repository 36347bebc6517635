#pragma once

#include <array>
#include <string_view>

// The access word of maker mode, typed while the About box is open or given on the command
// line, in any mix of case.
class MakerWord {
public:
    // Takes a typed character; true when the last seven characters spell the word.
    bool Take(char ch);

    // True for a command-line argument that is the switch.
    static bool IsSwitch(std::string_view argument);

private:
    static constexpr std::string_view kWord = "hearken";
    static constexpr std::string_view kSwitch = "/hearken";

    std::array<char, kWord.size()> window_{};
};
