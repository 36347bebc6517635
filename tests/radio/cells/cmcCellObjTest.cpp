#include "radio/cells/cmcCellObj.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "platform/LeadByte.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedInstall.h"

namespace {

// The bit-set editor's models, and a few of our own for the edge cases.
const char* const kTable[] = {
    "#CellModel_Basic",
    "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)",
    "#CellModel_eWh",
    "S<_WHB",
    "#CellModel_iQp",
    "(%CT_Null.CL_Misc_QuarterPillar)",
    "#CellModel_iChI",
    "^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)",
    "#CellModel_Outer",
    "($iChI)T",
    "#CellModel_Self",
    "S($Self)",
    "#CellModel_PingA",
    "($PingB)",
    "#CellModel_PingB",
    "($PingA)",
    // Each uses the next three times, fifteen deep: 3^15 expansions for one cell.
    "#CellModel_Fan1",
    "($Fan2)($Fan2)($Fan2)",
    "#CellModel_Fan2",
    "($Fan3)($Fan3)($Fan3)",
    "#CellModel_Fan3",
    "($Fan4)($Fan4)($Fan4)",
    "#CellModel_Fan4",
    "($Fan5)($Fan5)($Fan5)",
    "#CellModel_Fan5",
    "($Fan6)($Fan6)($Fan6)",
    "#CellModel_Fan6",
    "($Fan7)($Fan7)($Fan7)",
    "#CellModel_Fan7",
    "($Fan8)($Fan8)($Fan8)",
    "#CellModel_Fan8",
    "($Fan9)($Fan9)($Fan9)",
    "#CellModel_Fan9",
    "($Fan10)($Fan10)($Fan10)",
    "#CellModel_Fan10",
    "($Fan11)($Fan11)($Fan11)",
    "#CellModel_Fan11",
    "($Fan12)($Fan12)($Fan12)",
    "#CellModel_Fan12",
    "($Fan13)($Fan13)($Fan13)",
    "#CellModel_Fan13",
    "($Fan14)($Fan14)($Fan14)",
    "#CellModel_Fan14",
    "($Fan15)($Fan15)($Fan15)",
    "#CellModel_Fan15",
    "W",
    // A cell may use a model many times over, below the bound.
    "#CellModel_Wide",
    "($eWh)($eWh)($eWh)($eWh)($eWh)($eWh)($eWh)($eWh)($iChI)($iChI)",
    "#End_Of_Ovl",
};

constexpr uint8_t kLeft = 0, kCentre = 1, kRight = 2;
constexpr uint8_t kTop = 0 << 2, kMiddle = 1 << 2, kBottom = 2 << 2;

class CellObj : public ::testing::Test {
protected:
    CellObj() { table_.SetLines(kTable); }
    ~CellObj() override { platform::SetLeadByteRule(platform::LeadByteRule::None); }

    // Every cell of a row, parsed against tmpl.
    static std::vector<cmcCellObj> Row(std::string_view row, const cmcCellObj* tmpl = nullptr,
                                       ChannelVars* vars = nullptr) {
        std::vector<cmcCellObj> cells;
        do {
            cells.emplace_back();
            row = cmcCellObj::ParseDefinition(cells.back(), row, vars, tmpl, false);
        } while (!row.empty());
        return cells;
    }
    static cmcCellObj One(std::string_view text, const cmcCellObj* tmpl = nullptr,
                          ChannelVars* vars = nullptr) {
        cmcCellObj cell;
        EXPECT_TRUE(cmcCellObj::ParseDefinition(cell, text, vars, tmpl, false).empty());
        return cell;
    }

    testsupport::RecordingBoxes boxes_;
    cmcGTex table_;
    testsupport::ScopedMainGTex tableInstalled_{&table_};
};

TEST_F(CellObj, DefaultsAndReset) {
    cmcCellObj cell;
    EXPECT_EQ(cell.GetCellId(), (CellId{22, 699, 0}));
    EXPECT_EQ(cell.imageIndex, -1);
    EXPECT_EQ(cell.colour, 0x80000005u);
    EXPECT_FALSE(cell.optionText || cell.caption || cell.font || cell.popupMenuName);
    EXPECT_EQ(cell.GetCaption(), "");
    EXPECT_EQ(cell.GetPopupMenuName(), nullptr);

    cell.category = 3;
    cell.index = 7;
    cell.item = 97;
    cell.stateBits2 = 0xFF;
    cell.SetCaption("x");
    cell.Reset();  // category and index stay, Flag6/Flag7 are cleared
    EXPECT_EQ(cell.GetCellId(), (CellId{3, 699, 7}));
    EXPECT_EQ(cell.stateBits2, 0xFC);
    EXPECT_FALSE(cell.caption);
}

TEST_F(CellObj, BitSetEditorRow) {
    const cmcCellObj basic = One("{($Basic)(PopupMenu=GI_PMenu_NoItem)}");
    EXPECT_EQ(basic.layoutBits, kLeft | kMiddle);
    EXPECT_EQ(basic.colour, 0x80000005u);
    ASSERT_TRUE(basic.font);
    EXPECT_EQ(basic.font->charset, 1);
    EXPECT_EQ(basic.font->colour, 0x80000008u);
    EXPECT_EQ(basic.font->height, -17);
    EXPECT_EQ(*basic.GetPopupMenuName(), "GI_PMenu_NoItem");
    EXPECT_EQ(basic.GetCellId(), (CellId{22, 699, 0}));
    EXPECT_FALSE(basic.caption);

    std::string row;
    for (int n = 1; n <= 2; ++n) {
        if (n > 1) {
            row += "{($iQp)}";
        }
        char bit[64];
        std::snprintf(bit, sizeof bit, "|{($eWh)^(%%CL_FBits[%d])}9|", n);
        row += bit;
    }
    const auto cells = Row(row, &basic);
    ASSERT_EQ(cells.size(), 4u);

    EXPECT_EQ(cells[0].layoutBits, basic.layoutBits);
    EXPECT_EQ(cells[0].GetCellId(), basic.GetCellId());
    EXPECT_EQ(*cells[0].GetPopupMenuName(), "GI_PMenu_NoItem");  // through the parent
    EXPECT_FALSE(cells[0].font);                                 // drawn with the template's

    const uint8_t bitLayout =
        kCentre | kBottom | kLayoutFitColumn | kLayoutFitRow | kLayoutBottomLine;
    for (int n : {1, 3}) {
        EXPECT_EQ(cells[n].stateBits, kStateSelectable) << n;
        EXPECT_EQ(cells[n].layoutBits, bitLayout) << n;
        EXPECT_EQ(cells[n].GetCaption(), "9");
    }
    EXPECT_EQ(cells[1].GetCellId(), (CellId{22, 90, 1}));
    EXPECT_EQ(cells[3].GetCellId(), (CellId{22, 90, 2}));
    EXPECT_EQ(cells[2].GetCellId(), (CellId{0, 93, 0}));
    EXPECT_FALSE(cells[2].caption);
}

TEST_F(CellObj, ModelsOfModels) {
    const cmcCellObj cell = One("{($Outer)}");
    EXPECT_EQ(cell.layoutBits, kCentre | kMiddle | kLayoutFitColumn | kLayoutFitRow);
    EXPECT_EQ(cell.stateBits, kStateTail);
    EXPECT_EQ(cell.colour, 0x00808080u);
    ASSERT_TRUE(cell.font);
    EXPECT_EQ(cell.font->colour, 0x00FFFFFFu);
    EXPECT_EQ(cell.font->style, fsBold);
}

TEST_F(CellObj, ModelsThatUseThemselvesAreFatal) {
    EXPECT_THROW(One("{($Self)}"), platform::FatalError);
    EXPECT_THROW(One("{($PingA)}"), platform::FatalError);
    EXPECT_EQ(boxes_.fatals.back(), "Cell models nested too deeply.\n'PingA'");
}

// Fan-out is bounded by the models of one cell in all, not only by depth.
TEST_F(CellObj, ModelsThatFanOutWithoutEndAreFatal) {
    EXPECT_THROW(One("{($Fan1)}"), platform::FatalError);
    EXPECT_EQ(boxes_.fatals.back().rfind("Cell models nested too deeply.\n'", 0), 0u);
    const cmcCellObj wide = One("{($Wide)($Wide)($Wide)}A");
    EXPECT_EQ(wide.colour, 0x00808080u);
    EXPECT_EQ(wide.GetCaption(), "A");
    EXPECT_THROW(One("{($Missing)}"), platform::FatalError);  // the table's missing key
}

TEST_F(CellObj, MenuLineAndWarningCheckCell) {
    const cmcCellObj basic = One("{($Basic)(%CT_PopupMenu.)}");
    EXPECT_EQ(basic.GetCellId(), (CellId{1, 699, 0}));
    const cmcCellObj edit = One("Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}", &basic);
    EXPECT_EQ(edit.GetCaption(), "Edit...");
    EXPECT_EQ(edit.GetCellId(), (CellId{1, 72, 0}));
    EXPECT_EQ(edit.optionText, "Enter");

    const cmcCellObj check = One("{(%CL_Check_Mch:[St_ChBank]GI_Sheet_Mch_Lmr,Bank 2)}");
    EXPECT_EQ(check.item, 37);
    EXPECT_EQ(check.optionText, "[St_ChBank]GI_Sheet_Mch_Lmr,Bank 2");
}

TEST_F(CellObj, RowsSplitAtUnescapedBars) {
    cmcCellObj tmpl;
    tmpl.SetCaption("template");
    const auto three = Row("|a|b|", &tmpl);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[0].GetCaption(), "");  // parsed: an empty caption text drops the template's
    EXPECT_EQ(three[1].GetCaption(), "a");
    EXPECT_EQ(three[2].GetCaption(), "b");
    EXPECT_EQ(Row("a|b").size(), 2u);

    cmcCellObj cell;
    EXPECT_EQ(cmcCellObj::ParseDefinition(cell, "a", nullptr, nullptr, false), "");
    EXPECT_EQ(cmcCellObj::ParseDefinition(cell, "a\\|b|c", nullptr, nullptr, false), "c");
    EXPECT_EQ(cell.GetCaption(), "a|b");

    // The count pass only splits: the cell stays a copy of the template.
    EXPECT_EQ(cmcCellObj::ParseDefinition(cell, "{S}x|y", nullptr, &tmpl, true), "y");
    EXPECT_EQ(cell.GetCaption(), "template");
    EXPECT_EQ(cell.stateBits, 0);
}

TEST_F(CellObj, AttributeLettersAndNegation) {
    cmcCellObj tmpl = One("{ST+B}");
    struct Case {
        const char* text;
        uint8_t layout;
        uint8_t state;
    };
    const Case cases[] = {
        {"{}", kLayoutJoined | kLayoutBottomLine, kStateSelectable | kStateTail},
        {"{!S}", kLayoutJoined | kLayoutBottomLine, kStateTail},
        {"{!<S}", kLayoutJoined | kLayoutBottomLine, kStateSelectable | kStateTail},
        {"{!x S}", kLayoutJoined | kLayoutBottomLine, kStateSelectable | kStateTail},
        {"{!\\xT}", kLayoutJoined | kLayoutBottomLine, kStateSelectable},  // escapes don't count
        {"{!(PopupMenu=a)S}", kLayoutJoined | kLayoutBottomLine, kStateSelectable | kStateTail},
        {"{!+!B}", 0, kStateSelectable | kStateTail},
        {"{>_WH}",
         kRight | kBottom | kLayoutFitColumn | kLayoutFitRow | kLayoutJoined | kLayoutBottomLine,
         kStateSelectable | kStateTail},
        {"{^~Zq?}", kCentre | kTop | kLayoutJoined | kLayoutBottomLine,
         kStateSelectable | kStateTail},
        {"{(Flag3=1", kLayoutJoined | kLayoutBottomLine, kStateSelectable | kStateTail},
    };
    for (const Case& c : cases) {
        const cmcCellObj cell = One(c.text, &tmpl);
        EXPECT_EQ(cell.layoutBits, c.layout) << c.text;
        EXPECT_EQ(cell.stateBits, c.state) << c.text;
    }
}

TEST_F(CellObj, BracesJoinAttributeTextAndCaption) {
    const cmcCellObj cell = One("x{S}y {(Image}{Index=4)}z");
    EXPECT_EQ(cell.stateBits, kStateSelectable);
    EXPECT_EQ(cell.imageIndex, 4);
    EXPECT_EQ(cell.GetCaption(), "xy z");
    // Braces do not nest: {a{b}c} is the attribute text ab and the caption c.
    const cmcCellObj flat = One("{S{T}W}");
    EXPECT_EQ(flat.stateBits, kStateSelectable | kStateTail);
    EXPECT_EQ(flat.layoutBits, 0);
    EXPECT_EQ(flat.GetCaption(), "W");
}

TEST_F(CellObj, Options) {
    cmcCellObj tmpl = One("{(Font=,Arial,,-12,,,)(Color=clRed)}");
    const cmcCellObj cell = One("{(Color=clNoSuch)(Font=,,,-20,,,)(ImageIndex=7)(Flag3=1)}", &tmpl);
    EXPECT_EQ(cell.colour, 0x000000FFu);  // unknown colour leaves the template's
    ASSERT_TRUE(cell.font);
    EXPECT_EQ(cell.font->name, "Arial");  // made from the template's font
    EXPECT_EQ(cell.font->height, -20);
    EXPECT_EQ(cell.imageIndex, 7);
    EXPECT_EQ(cell.stateBits, 1 << 5);

    struct Flag {
        const char* text;
        uint8_t state;
        uint8_t state2;
    };
    const Flag flags[] = {
        {"{(Flag0=1)}", 0x04, 0}, {"{(Flag5=1)}", 0x80, 0},       {"{(Flag6=1)}", 0, 0x01},
        {"{(Flag7=1)}", 0, 0x02}, {"{(Flag8=1)}", 0, 0},          {"{(Flag3=2)}", 0, 0},
        {"{(Flag3 =1)}", 0, 0},   {"{(Flag3=1)(Flag3=0)}", 0, 0}, {"{(Flag)}", 0, 0},
    };
    for (const Flag& f : flags) {
        const cmcCellObj c = One(f.text);
        EXPECT_EQ(c.stateBits, f.state) << f.text;
        EXPECT_EQ(c.stateBits2, f.state2) << f.text;
    }

    const cmcCellObj menus = One("{(PopupMenu=A)(PopupMenu=B)(Color)(ImageIndex)(Whatever=1)}");
    EXPECT_EQ(*menus.GetPopupMenuName(), "B");
    EXPECT_EQ(menus.colour, 0x80000005u);
    EXPECT_EQ(menus.imageIndex, -1);
}

TEST_F(CellObj, Bindings) {
    cmcCellObj tmpl = One("{(%CT_Mch.CL_Mch_No[3]:tmplOption)}");
    struct Case {
        const char* text;
        CellId id;
        const char* option;
    };
    const Case cases[] = {
        {"{(%CL_Mch_FreqR)}", {2, 97, 3}, "tmplOption"},  // category and option kept
        {"{(%CT_Scan.)}", {6, 699, 3}, "tmplOption"},
        {"{(%.CL_Null[12])}", {22, 0, 12}, "tmplOption"},
        {"{(%CL_Null[ 5 ]:a\\:b)}", {2, 0, 5}, "a:b"},
        {"{(%CL_Null:x\\\\y\\))}", {2, 0, 3}, "x\\y)"},
        {"{(%CL_Null[8)}", {2, 0, 8}, "tmplOption"},  // a missing ']' takes the rest
        {"{(%CL_Null:file.ovl)}", {2, 0, 3}, "file.ovl"},
        {"{(%CL_Null[2]:)}", {2, 0, 2}, ""},
    };
    for (const Case& c : cases) {
        const cmcCellObj cell = One(c.text, &tmpl);
        EXPECT_EQ(cell.GetCellId(), c.id) << c.text;
        EXPECT_EQ(cell.optionText, c.option) << c.text;
    }
}

TEST_F(CellObj, UnknownNamesInABindingAreFatal) {
    EXPECT_THROW(One("{(%CT_Nope.CL_Null)}"), platform::FatalError);
    EXPECT_EQ(boxes_.fatals.back(), "Cannot use the specified category.\n'CT_Nope'");
    EXPECT_THROW(One("{(%CL_Nope)}"), platform::FatalError);
    EXPECT_EQ(boxes_.fatals.back(), "Cannot use the specified cell.\n'CL_Nope'");
}

TEST_F(CellObj, ChannelVariablesNumberRows) {
    ChannelVars vars{};
    vars[0] = 4;
    std::vector<std::string> captions;
    for (int row = 0; row < 3; ++row) {
        for (const auto& cell : Row("{(@ch0++)}\\(@ch0)|\\(@ch0+10)", nullptr, &vars)) {
            captions.push_back(cell.GetCaption());
        }
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"5", "15", "6", "16", "7", "17"}));
    EXPECT_EQ(vars[0], 7);

    vars[3] = 9;
    One("{(@ch1 = 5)(@ch2\t=-3x)(@ch3=)(@ch6=99999999999)}", nullptr, &vars);
    EXPECT_EQ(vars[1], 5);
    EXPECT_EQ(vars[2], -3);
    EXPECT_EQ(vars[3], 0);
    EXPECT_EQ(vars[6], 2147483647);  // held in range
    One("{(@ch1+)(@ch1 +1)(@ch1)}", nullptr, &vars);
    EXPECT_EQ(vars[1], 5);

    // An index takes the variable alone: no offset is possible there.
    EXPECT_EQ(One("{(@ch4=3)(%CL_FBits[@ch4+1])}", nullptr, &vars).index, 3);
    EXPECT_EQ(vars[4], 3);
}

TEST_F(CellObj, CaptionValuesAreCutToSixCharacters) {
    ChannelVars vars{};
    vars[5] = 123456789;
    EXPECT_EQ(One("\\(@ch5)", nullptr, &vars).GetCaption(), "123456");
    vars[5] = -42;
    EXPECT_EQ(One("\\(@ch5 + 2)", nullptr, &vars).GetCaption(), "-40");
}

TEST_F(CellObj, BadChannelReferencesAreFatal) {
    ChannelVars vars{};
    const char* const fatal[] = {
        "{(@ch10=1)}", "{(@ch=1)}", "{(@cx1=1)}", "\\(@ch12)", "\\(ch1)", "{(%CL_Null[@c1])}",
    };
    for (const char* text : fatal) {
        EXPECT_THROW(One(text, nullptr, &vars), platform::FatalError) << text;
        EXPECT_EQ(boxes_.fatals.back(), "Ch No. Error") << text;
    }
    // Menus, tool bar and tree parse without channel variables.
    for (const char* text : {"{(@ch0++)}", "{(%CL_Null[@ch0])}", "\\(@ch0)"}) {
        EXPECT_THROW(One(text), platform::FatalError) << text;
        EXPECT_EQ(boxes_.fatals.back(), "Ch No. Error") << text;
    }
    EXPECT_THROW(One("x\\(@ch0", nullptr, &vars), platform::FatalError);
    EXPECT_EQ(boxes_.fatals.back(), "Illegal Ch No.");
}

TEST_F(CellObj, CaptionEscapes) {
    const std::pair<const char*, const char*> cases[] = {
        {"  plain \t", "plain"},  {"\\_x\\_", " x "}, {"one\\Ntwo\\nthree", "one\ntwo\nthree"},
        {"a\\{b", "a"},  // no escape for braces: caption a\ and attribute text b
        {"100\\%\\\\", "100%\\"}, {"end\\", "end"},
    };
    for (const auto& [text, caption] : cases) {
        EXPECT_EQ(One(text).GetCaption(), caption) << text;
    }
    EXPECT_FALSE(One("   \t ").caption);
    cmcCellObj tmpl;
    tmpl.SetCaption("kept?");
    EXPECT_FALSE(One("{S}", &tmpl).caption);
}

TEST_F(CellObj, ResetAgainstTheTemplateAndCopyFrom) {
    cmcCellObj tmpl =
        One("{(%CT_Mch.CL_Mch_No[3]:opt)(ImageIndex=2)(PopupMenu=M)(Font=,,,-9,,,)}"
            "cap");
    cmcCellObj cell;
    cell.parent = &tmpl;
    cell.Reset();
    EXPECT_EQ(cell.GetCellId(), (CellId{2, 94, 3}));
    EXPECT_EQ(cell.optionText, "opt");
    EXPECT_EQ(cell.GetCaption(), "cap");
    EXPECT_EQ(cell.imageIndex, 2);
    EXPECT_EQ(cell.parent, &tmpl);
    EXPECT_FALSE(cell.font);
    EXPECT_FALSE(cell.popupMenuName);
    EXPECT_EQ(*cell.GetPopupMenuName(), "M");

    cmcCellObj copy;
    copy.CopyFrom(tmpl);
    tmpl.FreeParts();
    EXPECT_EQ(copy.optionText, "opt");
    EXPECT_EQ(copy.GetCaption(), "cap");
    ASSERT_TRUE(copy.font);
    EXPECT_EQ(copy.font->height, -9);
    EXPECT_EQ(*copy.GetPopupMenuName(), "M");
    copy.CopyFrom(copy);
    EXPECT_EQ(copy.GetCaption(), "cap");
}

TEST_F(CellObj, DoubleByteCharactersAreNeverSpecial) {
    platform::SetLeadByteRule(platform::LeadByteRule::ShiftJis);
    // 0x83 0x7C and 0x83 0x5C: second bytes equal to '|' and '\'.
    const std::string bar = "\x83\x7C";
    const std::string backslash = "\x83\x5C";
    const auto cells = Row("A" + bar + "B|{S}" + backslash + "N" + bar);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0].GetCaption(), "A" + bar + "B");
    EXPECT_EQ(cells[1].GetCaption(), backslash + "N" + bar);
    EXPECT_EQ(cells[1].stateBits, kStateSelectable);

    // In options too: a second byte '\' neither escapes the ')' nor is removed.
    const cmcCellObj cell = One("{(%CL_Null:" + backslash + ")" + backslash + ")}x");
    EXPECT_EQ(cell.optionText, backslash);
    EXPECT_EQ(cell.GetCaption(), "x");
}

}  // namespace
