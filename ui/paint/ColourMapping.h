#pragma once

#include <cstdint>

#include <QColor>
#include <QPalette>

// A class-library colour value as a QColor: 0x00BBGGRR as RGB (the top byte's other flags are
// ignored), 0x80000000 + index as the system colour of that index, taken from the palette's
// matching role. An index without a system colour gives black, as the system would.
QColor ToQColor(uint32_t colour, const QPalette& palette);
// The same with the application's palette.
QColor ToQColor(uint32_t colour);
