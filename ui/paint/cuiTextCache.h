#pragma once

#include <QFont>
#include <QStaticText>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

#include "common/cmcFont.h"

// The fonts and laid-out texts that the cell paints of the program ask for again and again.
// A sheet shows the same few texts in the same few fonts in every row ("Off", "High",
// "<-"), and laying a text out costs far more than drawing it: kept here, each distinct text
// is laid out once per font. Screen painting only; the program's one cache lives as long as
// the program.
class cuiTextCache {
public:
    struct Text {
        QStaticText layout;
        int width = 0;
    };

    class Font {
    public:
        explicit Font(const cmcFont& value);
        const QFont& Get() const { return font_; }
        int Height() const { return height_; }
        // The text laid out in the font; the reference holds until the next call.
        const Text& Lay(std::string_view text);

    private:
        friend class cuiTextCache;
        cmcFont key_;
        QFont font_;
        int height_ = 0;
        std::unordered_map<std::string, Text> texts_;
    };

    // The font of the value (its colour aside); fonts are kept for good, at stable addresses.
    Font& Get(const cmcFont& value);

    static cuiTextCache& Shared();

private:
    std::deque<Font> fonts_;
};
