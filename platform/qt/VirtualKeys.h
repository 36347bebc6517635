#pragma once

#include <QString>
#include <Qt>

namespace platform::qt {

// The Windows virtual-key code of a Qt key (VK_LEFT 0x25, VK_F1 0x70, ...); 0 for a key that
// has none. The keypad modifier picks the numeric-pad codes for digits and operators.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// The key code a cell capsule carries for a key press: the typed character (1..127: Enter 13,
// Backspace 8, Tab 9, Esc 27, control characters with Ctrl) or, for a key without a
// character, its virtual-key code times 256 (left arrow 0x2500, F1 0x7000). 0 when the key
// is neither (a modifier alone, a character outside ASCII).
int CapsuleKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);

}  // namespace platform::qt
