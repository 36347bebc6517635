#include "platform/qt/VirtualKeys.h"

#include <array>

namespace platform::qt {

namespace {

struct KeyRow {
    int qtKey;
    int virtualKey;
};

// Keys whose virtual-key code is not a plain range of Qt keys.
constexpr std::array<KeyRow, 47> kKeyTable = {{
    {Qt::Key_Backspace, 0x08},    {Qt::Key_Tab, 0x09},         {Qt::Key_Backtab, 0x09},
    {Qt::Key_Clear, 0x0C},        {Qt::Key_Return, 0x0D},      {Qt::Key_Enter, 0x0D},
    {Qt::Key_Shift, 0x10},        {Qt::Key_Control, 0x11},     {Qt::Key_Alt, 0x12},
    {Qt::Key_Pause, 0x13},        {Qt::Key_CapsLock, 0x14},    {Qt::Key_Escape, 0x1B},
    {Qt::Key_Space, 0x20},        {Qt::Key_PageUp, 0x21},      {Qt::Key_PageDown, 0x22},
    {Qt::Key_End, 0x23},          {Qt::Key_Home, 0x24},        {Qt::Key_Left, 0x25},
    {Qt::Key_Up, 0x26},           {Qt::Key_Right, 0x27},       {Qt::Key_Down, 0x28},
    {Qt::Key_Select, 0x29},       {Qt::Key_Print, 0x2C},       {Qt::Key_Insert, 0x2D},
    {Qt::Key_Delete, 0x2E},       {Qt::Key_Help, 0x2F},        {Qt::Key_Meta, 0x5B},
    {Qt::Key_Menu, 0x5D},         {Qt::Key_NumLock, 0x90},     {Qt::Key_ScrollLock, 0x91},
    {Qt::Key_Semicolon, 0xBA},    {Qt::Key_Colon, 0xBA},       {Qt::Key_Equal, 0xBB},
    {Qt::Key_Plus, 0xBB},         {Qt::Key_Comma, 0xBC},       {Qt::Key_Less, 0xBC},
    {Qt::Key_Minus, 0xBD},        {Qt::Key_Underscore, 0xBD},  {Qt::Key_Period, 0xBE},
    {Qt::Key_Greater, 0xBE},      {Qt::Key_Slash, 0xBF},       {Qt::Key_Question, 0xBF},
    {Qt::Key_QuoteLeft, 0xC0},    {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_Backslash, 0xDC},
    {Qt::Key_BracketRight, 0xDD}, {Qt::Key_Apostrophe, 0xDE},
}};

// On the numeric pad: digits 0x60..0x69 and the operators.
constexpr std::array<KeyRow, 6> kKeypadTable = {{
    {Qt::Key_Asterisk, 0x6A},
    {Qt::Key_Plus, 0x6B},
    {Qt::Key_Minus, 0x6D},
    {Qt::Key_Period, 0x6E},
    {Qt::Key_Comma, 0x6E},
    {Qt::Key_Slash, 0x6F},
}};

template <std::size_t N>
int Lookup(const std::array<KeyRow, N>& table, int qtKey) {
    for (const KeyRow& row : table) {
        if (row.qtKey == qtKey) {
            return row.virtualKey;
        }
    }
    return 0;
}

// Keys whose code is the character they type.
bool IsCharacterKey(int virtualKey) {
    return virtualKey == 0x20 || (virtualKey >= 0x30 && virtualKey <= 0x5A) ||
           (virtualKey >= 0x60 && virtualKey <= 0x6F) || virtualKey >= 0xBA;
}

bool IsControlCharacterKey(int virtualKey) {
    return virtualKey == 0x08 || virtualKey == 0x09 || virtualKey == 0x0D || virtualKey == 0x1B;
}

bool IsModifierKey(int virtualKey) {
    return (virtualKey >= 0x10 && virtualKey <= 0x12) || virtualKey == 0x14 || virtualKey == 0x5B ||
           virtualKey == 0x90 || virtualKey == 0x91;
}

int CharacterOf(const QString& text) {
    if (text.size() != 1) {
        return 0;
    }
    const char16_t c = text.at(0).unicode();
    return c >= 1 && c <= 127 ? c : 0;
}

}  // namespace

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
            return 0x60 + (qtKey - Qt::Key_0);
        }
        if (const int pad = Lookup(kKeypadTable, qtKey)) {
            return pad;
        }
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return qtKey;  // the same codes as their ASCII characters
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return 0x70 + (qtKey - Qt::Key_F1);
    }
    return Lookup(kKeyTable, qtKey);
}

int CapsuleKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    const int virtualKey = VirtualKeyFromQt(qtKey, modifiers);
    // Backspace, Tab, Enter and Esc type their own codes, whatever text the platform gives.
    if (IsControlCharacterKey(virtualKey)) {
        return virtualKey;
    }
    if (IsModifierKey(virtualKey)) {
        return 0;
    }
    // Delete comes with the text 0x7F on some platforms; it is a key without a character.
    if (virtualKey != 0 && !IsCharacterKey(virtualKey)) {
        return virtualKey * 256;
    }
    return CharacterOf(text);
}

}  // namespace platform::qt
