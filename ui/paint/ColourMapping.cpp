#include "ui/paint/ColourMapping.h"

#include <array>

#include <QApplication>

namespace {

constexpr uint32_t kSystemColourFlag = 0x80000000;

struct SystemColourRow {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// By system-colour index: scroll bar, desktop, active caption, inactive caption, menu, window,
// window frame, menu text, window text, caption text, active border, inactive border, work
// space, highlight, highlight text, button face, button shadow, grey text, button text,
// inactive caption text, button highlight, dark 3-D shadow, 3-D light, tool-tip text, tool-tip
// background, (none), hot light, the two caption gradients, menu highlight, menu bar.
constexpr QPalette::ColorGroup A = QPalette::Active;
constexpr QPalette::ColorGroup I = QPalette::Inactive;
constexpr QPalette::ColorGroup D = QPalette::Disabled;
constexpr std::array<SystemColourRow, 31> kSystemColours = {{
    {A, QPalette::Button},
    {A, QPalette::Dark},
    {A, QPalette::Highlight},
    {I, QPalette::Highlight},
    {A, QPalette::Window},
    {A, QPalette::Base},
    {A, QPalette::Shadow},
    {A, QPalette::WindowText},
    {A, QPalette::Text},
    {A, QPalette::HighlightedText},
    {A, QPalette::Window},
    {I, QPalette::Window},
    {A, QPalette::Dark},
    {A, QPalette::Highlight},
    {A, QPalette::HighlightedText},
    {A, QPalette::Button},
    {A, QPalette::Dark},
    {D, QPalette::Text},
    {A, QPalette::ButtonText},
    {I, QPalette::HighlightedText},
    {A, QPalette::Light},
    {A, QPalette::Shadow},
    {A, QPalette::Midlight},
    {A, QPalette::ToolTipText},
    {A, QPalette::ToolTipBase},
    {A, QPalette::NoRole},
    {A, QPalette::Link},
    {A, QPalette::Highlight},
    {I, QPalette::Highlight},
    {A, QPalette::Highlight},
    {A, QPalette::Window},
}};

}  // namespace

QColor ToQColor(uint32_t colour, const QPalette& palette) {
    if (colour & kSystemColourFlag) {
        const uint32_t index = colour & ~kSystemColourFlag;
        if (index >= kSystemColours.size() || kSystemColours[index].role == QPalette::NoRole) {
            return QColor(0, 0, 0);
        }
        const SystemColourRow& row = kSystemColours[index];
        return palette.color(row.group, row.role);
    }
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QColor ToQColor(uint32_t colour) {
    return ToQColor(colour, QApplication::palette());
}
