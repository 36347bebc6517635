#include "platform/qt/VirtualKeys.h"

#include <gtest/gtest.h>

namespace {

using platform::qt::CapsuleKeyFromQt;
using platform::qt::VirtualKeyFromQt;

TEST(VirtualKeys, QtKeysMapToTheirVirtualKeyCodes) {
    struct Case {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        int virtualKey;
    } cases[] = {
        {Qt::Key_Left, Qt::NoModifier, 0x25},     {Qt::Key_Right, Qt::NoModifier, 0x27},
        {Qt::Key_F1, Qt::NoModifier, 0x70},       {Qt::Key_F12, Qt::NoModifier, 0x7B},
        {Qt::Key_A, Qt::NoModifier, 0x41},        {Qt::Key_7, Qt::NoModifier, 0x37},
        {Qt::Key_7, Qt::KeypadModifier, 0x67},    {Qt::Key_Plus, Qt::KeypadModifier, 0x6B},
        {Qt::Key_Left, Qt::KeypadModifier, 0x25}, {Qt::Key_Enter, Qt::KeypadModifier, 0x0D},
        {Qt::Key_Delete, Qt::NoModifier, 0x2E},   {Qt::Key_PageDown, Qt::NoModifier, 0x22},
        {Qt::Key_Minus, Qt::NoModifier, 0xBD},    {Qt::Key_VolumeUp, Qt::NoModifier, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyFromQt(c.qtKey, c.modifiers), c.virtualKey) << std::hex << c.qtKey;
    }
}

TEST(VirtualKeys, CapsuleKeysAreCharactersOrVirtualKeysTimes256) {
    struct Case {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        int key;
    } cases[] = {
        {Qt::Key_A, Qt::NoModifier, "a", 'a'},
        {Qt::Key_A, Qt::ShiftModifier, "A", 'A'},
        {Qt::Key_A, Qt::ControlModifier, "\x01", 1},
        {Qt::Key_1, Qt::KeypadModifier, "1", '1'},
        {Qt::Key_Space, Qt::NoModifier, " ", ' '},
        {Qt::Key_Return, Qt::NoModifier, "\r", 13},
        {Qt::Key_Enter, Qt::KeypadModifier, "", 13},
        {Qt::Key_Backspace, Qt::NoModifier, "", 8},
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", 27},
        {Qt::Key_Left, Qt::NoModifier, "", 0x2500},
        {Qt::Key_Right, Qt::NoModifier, "", 0x2700},
        {Qt::Key_F1, Qt::NoModifier, "", 0x7000},
        {Qt::Key_F12, Qt::NoModifier, "", 0x7B00},
        {Qt::Key_Delete, Qt::NoModifier, "\x7f", 0x2E00},
        {Qt::Key_Shift, Qt::ShiftModifier, "", 0},
        {Qt::Key_Eacute, Qt::NoModifier, "\xc3\xa9", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CapsuleKeyFromQt(c.qtKey, c.modifiers, QString::fromUtf8(c.text)), c.key)
            << std::hex << c.qtKey;
    }
}

}  // namespace
