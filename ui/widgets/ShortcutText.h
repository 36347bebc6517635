#pragma once

#include <string_view>

#include <QKeySequence>

// A shortcut written in the class library's notation ("Ctrl+C", "Shift+Ins", "Del", "Enter",
// "BkSp", "PgDn", "F5") as a key sequence; an empty sequence when the text names no key.
QKeySequence ShortcutFromText(std::string_view text);
