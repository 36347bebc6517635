#include <gtest/gtest.h>

#include <QFontInfo>

#include "tests/ui/support/TestApp.h"
#include "ui/paint/ColourMapping.h"
#include "ui/paint/FontMapping.h"
#include "ui/widgets/ShortcutText.h"

namespace {

TEST(ColourMapping, PlainValuesAreBlueGreenRed) {
    QPalette palette;
    EXPECT_EQ(ToQColor(0x000000FF, palette), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x00C0C0C0, palette), QColor(192, 192, 192));
    EXPECT_EQ(ToQColor(0x00804020, palette), QColor(0x20, 0x40, 0x80));
    EXPECT_EQ(ToQColor(0x02FF0000, palette), QColor(0, 0, 255));
}

TEST(ColourMapping, SystemColoursComeFromThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(4, 5, 6));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(7, 8, 9));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(10, 11, 12));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(13, 14, 15));
    EXPECT_EQ(ToQColor(0x80000005, palette), QColor(1, 2, 3));     // clWindow
    EXPECT_EQ(ToQColor(0x80000008, palette), QColor(4, 5, 6));     // clWindowText
    EXPECT_EQ(ToQColor(0x8000000F, palette), QColor(7, 8, 9));     // clBtnFace
    EXPECT_EQ(ToQColor(0x8000000D, palette), QColor(10, 11, 12));  // clHighlight
    EXPECT_EQ(ToQColor(0x80000011, palette), QColor(13, 14, 15));  // clGrayText
    EXPECT_EQ(ToQColor(0x80000019, palette), QColor(0, 0, 0));     // no such index
    EXPECT_EQ(ToQColor(0x800000FF, palette), QColor(0, 0, 0));
}

TEST(FontMapping, HeightsStylesAndPitch) {
    testsupport::EnsureTestApp();
    cmcFont value;
    value.name = "Liberation Sans";
    value.height = -17;
    value.style = fsBold | fsItalic | fsUnderline;
    QFont font = ToQFont(value);
    EXPECT_EQ(font.pixelSize(), 17);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.strikeOut());
    EXPECT_EQ(font.family(), "Liberation Sans");

    value.height = 20;  // a cell height: the characters are smaller
    font = ToQFont(value);
    EXPECT_LT(font.pixelSize(), 20);
    EXPECT_GT(font.pixelSize(), 12);

    value.height = 0;
    value.size = 12;
    value.pitch = fpFixed;
    font = ToQFont(value);
    EXPECT_EQ(font.pointSize(), 12);
    EXPECT_TRUE(font.fixedPitch());
}

TEST(ShortcutText, ClassLibraryNotationToKeySequences) {
    struct Case {
        const char* text;
        QKeySequence sequence;
    } cases[] = {
        {"Ctrl+C", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"Shift+Ins", QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
        {"Del", QKeySequence(Qt::Key_Delete)},
        {"Enter", QKeySequence(Qt::Key_Return)},
        {"Ctrl+Enter", QKeySequence(Qt::CTRL | Qt::Key_Return)},
        {"BkSp", QKeySequence(Qt::Key_Backspace)},
        {"PgDn", QKeySequence(Qt::Key_PageDown)},
        {"F5", QKeySequence(Qt::Key_F5)},
        {"Alt+F4", QKeySequence(Qt::ALT | Qt::Key_F4)},
        {" Ctrl+S ", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"", QKeySequence()},
        {"Ctrl+", QKeySequence()},
        {"no key", QKeySequence()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortcutFromText(c.text), c.sequence) << c.text;
    }
}

}  // namespace
