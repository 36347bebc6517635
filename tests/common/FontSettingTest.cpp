#include "common/FontSetting.h"

#include <gtest/gtest.h>

#include "common/ColourNames.h"

namespace {

TEST(ColourFromName, KnowsTheNamesExactly) {
    struct Case {
        const char* name;
        int result;
        uint32_t colour;
    };
    const Case cases[] = {
        {"clRed", 0, 0x000000FF},
        {"clAqua", 0, 0x00FFFF00},
        {"clBtnFace", 0, 0x8000000F},
        {"clHightlightText", 0, 0x8000000E},
        {"clBtnHighlight", 0, 0x80000014},
        {"clHighlightText", 1, 0x12345678},  // the table keeps its own spelling
        {"clred", 1, 0x12345678},
        {" clRed", 1, 0x12345678},
        {"clRed ", 1, 0x12345678},
        {"", 1, 0x12345678},
    };
    for (const Case& c : cases) {
        uint32_t colour = 0x12345678;
        EXPECT_EQ(ColourFromName(c.name, colour), c.result) << c.name;
        EXPECT_EQ(colour, c.colour) << c.name;
    }
}

class ApplyFontSpecTest : public ::testing::Test {
protected:
    cmcFont Applied(const char* spec) {
        cmcFont font = start;
        ApplyFontSpec(spec, font);
        return font;
    }

    cmcFont start{128, "Arial", 0x00000000, -20, 10, fsItalic | fsUnderline, fpFixed};
};

TEST_F(ApplyFontSpecTest, ColourOnlyChangesOnlyTheColour) {
    cmcFont expected = start;
    expected.colour = 0x000000FF;
    EXPECT_EQ(Applied(",,clRed"), expected);
    EXPECT_EQ(Applied(",,clRed,,,,"), expected);
}

TEST_F(ApplyFontSpecTest, EmptyOrUnknownFieldsLeaveTheFont) {
    for (const char* spec : {"", ",,,,,,", "BOGUS_CHARSET, ,clNoSuch,abc,x,fsHeavy,fpWide",
                             "SHIFTJIS_CHARSETX", ",, clRed", "SHIFTJIS_CHARSET x"}) {
        EXPECT_EQ(Applied(spec), start) << spec;
    }
}

TEST_F(ApplyFontSpecTest, SetsEveryField) {
    const cmcFont font = Applied(
        "  ANSI_CHARSET  , Courier New ,clBlue, 14 ,9, fsBold + fsStrikeOut ,fpVariable ,extra");
    EXPECT_EQ(font,
              (cmcFont{0, "Courier New ", 0x00FF0000, 14, 9, fsBold | fsStrikeOut, fpVariable}));
}

TEST_F(ApplyFontSpecTest, PercentScalesTheCurrentValue) {
    EXPECT_EQ(Applied(",,,%150").height, -30);
    EXPECT_EQ(Applied(",,,,%150").size, 15);
    EXPECT_EQ(Applied(",,,,%33").size, 3);  // towards zero
    EXPECT_EQ(Applied(",,,%0").height, 1);
    EXPECT_EQ(Applied(",,,,%1").size, 1);  // 10 x 1 / 100 is 0, which becomes 1
    EXPECT_EQ(Applied(",,,0").height, -20);
    EXPECT_EQ(Applied(",,,99999999999999999999").height, INT_MAX);
}

TEST_F(ApplyFontSpecTest, StyleIsReplacedOnlyByRecognisedParts) {
    struct Case {
        const char* spec;
        int style;
    };
    const Case cases[] = {
        {",,,,12,fsBold", fsBold},
        {",,,,,fsBold+fsItalic", fsBold | fsItalic},
        {",,,,,fsHeavy+fsBold", fsBold},
        {",,,,,fsHeavy+fsLight", fsItalic | fsUnderline},
        {",,,,,fsBoldface", fsItalic | fsUnderline},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Applied(c.spec).style, c.style) << c.spec;
    }
    EXPECT_EQ(Applied(",,,,12,fsBold").size, 12);
}

TEST(CopyFont, CopiesAllAndIgnoresMissingFonts) {
    const cmcFont source{2, "Symbol", 0x8000000F, -15, 11, fsBold, fpFixed};
    cmcFont destination;
    CopyFont(&destination, &source);
    EXPECT_EQ(destination, source);
    CopyFont(nullptr, &source);
    CopyFont(&destination, nullptr);
    EXPECT_EQ(destination, source);
}

}  // namespace
