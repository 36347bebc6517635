#pragma once

#include <cstdint>
#include <span>

#include "common/WindowRect.h"

class cmcCanvas;
class cmcCellCapsule;
class Segchar;

// The user-character patterns: 16 patterns of two bytes, high byte first (the image's user
// character area).
inline constexpr int kUserCharCount = 16;
inline constexpr std::size_t kUserTableSize = 2 * kUserCharCount;

// The segment pattern of a display byte: the built-in font for 32..127, the user characters
// from the table for 16..31 (none when the table is too short), nothing for 0..15; bit 7 adds
// the dot. A "." byte is a blank with the dot.
uint16_t GlyphPattern(uint8_t byte, std::span<const uint8_t> userTable);

// Draws patterns as glyphs in the canvas's text colour: the rectangle holds rows of perRow
// character cells, each glyph 80 % of its cell, in the geometry of the segchar; pattern k goes
// to cell k.
void PaintPatterns(cmcCanvas& canvas, const WindowRect& rect, std::span<const uint16_t> patterns,
                   int perRow, int rows, const Segchar& segchar);

// Draws the display bytes, up to the first zero byte or length, on the capsule's canvas in its
// cell rectangle, in the shared geometry. Nothing without a canvas or a rectangle.
void PaintGlyphs(cmcCellCapsule& capsule, std::span<const uint8_t> bytes, int length, int perRow,
                 int rows, std::span<const uint8_t> userTable);

// A display text in one row of a sheet cell: as PaintGlyphs, inside the margin a typed value
// keeps from the cell's sides (a blank's width), so that a name never touches the cell before
// it.
void PaintTextGlyphs(cmcCellCapsule& capsule, std::span<const uint8_t> bytes, int length,
                     std::span<const uint8_t> userTable);
