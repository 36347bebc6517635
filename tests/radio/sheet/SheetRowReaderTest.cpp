#include "radio/sheet/SheetRowReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/LeadByte.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/sheet/SheetCells.h"
#include "tests/radio/support/SheetTable.h"
#include "tests/support/RecordingBoxes.h"

namespace {

using Lines = std::vector<std::string>;

struct ReadRows {
    std::vector<int> sourceLines;
    std::vector<bool> selects;
    int cols = 0;
};

ReadRows Read(const Lines& lines, const SheetRowReader::ItemHandler& directive = {}) {
    testsupport::SheetTable sheet(lines);
    SheetRowReader reader;
    const cmcCellObj tmpl;
    const SheetRowReader::ItemHandler base = [&](std::string_view item) {
        reader.DoDirective(item);
    };
    reader.Read(sheet.table, "X_Cells", tmpl, directive ? directive : base);
    ReadRows rows{{}, {}, reader.Cols()};
    for (const clsSheeRowAtr& row : reader.RowAttrs()) {
        rows.sourceLines.push_back(row.sourceLine);
        rows.selects.push_back(row.select);
    }
    return rows;
}

TEST(SheetRowReaderTest, LoopsRepeatTheirRowsWithTheSelectFlagInForce) {
    struct Case {
        Lines lines;
        std::vector<int> sourceLines;
        std::vector<bool> selects;
        int cols;
    };
    const Case cases[] = {
        // LoopFrom 3 over two rows: six rows on the same two lines.
        {{":(LoopFrom 3)", "a|b|", "c|", ":(LoopTo)"}, {1, 2, 1, 2, 1, 2}, {1, 1, 1, 1, 1, 1}, 2},
        // Counts of 1, 0 and below repeat nothing; a loop without its end neither.
        {{":(LoopFrom 1)", "a|", ":(LoopTo)", ":(LoopFrom 0)", "b|", ":(LoopTo)", ":(LoopFrom -4)",
          "c|", ":(LoopTo)", ":(LoopFrom 5)", "d|"},
         {1, 4, 7, 10},
         {1, 1, 1, 1},
         1},
        // The repeats take the select flag in force at the loop's end; SelectON is no prefix
        // of SelectOFF.
        {{":(LoopFrom 2)", "a|", ":(SelectOFF)", "b|", ":(LoopTo)", ":(SelectON)", "c|"},
         {1, 3, 1, 3, 6},
         {1, 0, 0, 0, 1},
         1},
    };
    for (const Case& c : cases) {
        const ReadRows rows = Read(c.lines);
        EXPECT_EQ(rows.sourceLines, c.sourceLines) << c.lines[0];
        EXPECT_EQ(rows.selects, c.selects) << c.lines[0];
        EXPECT_EQ(rows.cols, c.cols) << c.lines[0];
    }
}

// A derived sheet's directive reads its count and skips lines through the reader; the
// section's closing line is never skipped.
TEST(SheetRowReaderTest, ADerivedDirectiveSkipsLines) {
    testsupport::SheetTable sheet({":(Skip 2)", "a|", "b|", "c|", ":(Skip)", "d|", ":(Skip 9)"});
    SheetRowReader reader;
    reader.Read(sheet.table, "X_Cells", cmcCellObj(), [&](std::string_view item) {
        if (item.starts_with("Skip")) {
            reader.SkipLines(reader.NumberAfter(item, "Skip").value_or(0));
        }
    });
    ASSERT_EQ(reader.Rows(), 2);
    EXPECT_EQ(reader.RowAttrs()[0].sourceLine, 3);
    EXPECT_EQ(reader.RowAttrs()[1].sourceLine, 5);
}

// Layout numbers are outside input: a number that overflows, or rows that would need more
// cells than a sheet may have, end the program with the line that asked for them.
TEST(SheetRowReaderTest, BadLayoutsAreFatalAndNameTheirLine) {
    testsupport::RecordingBoxes boxes;
    std::string wide;
    for (int i = 0; i < 100; ++i) {
        wide += "a|";
    }
    const std::string head = "Illegal Cell assign\nX_Cells: ";
    // Loops of two-cell rows, one row more than a sheet may hold and just as many.
    const int most = SheetCells::kMaxCells;
    const std::string overTwo = ":(LoopFrom " + std::to_string(most / 2 + 1) + ")";
    const std::string allOne = ":(LoopFrom " + std::to_string(most) + ")";
    const std::string manyRows = ":(LoopFrom " + std::to_string(most / 100 + 1) + ")";
    struct Case {
        Lines lines;
        std::string fatal;
    };
    const Case cases[] = {
        {{}, "Illegal Cell assign"},
        {{":(SelectON)"}, "Illegal Cell assign"},
        {{":(LoopFrom 99999999999)", "a|", ":(LoopTo)"}, head + ":(LoopFrom 99999999999)"},
        {{":(LoopFrom 2147483647)", "a|b|", ":(LoopTo)"}, head + ":(LoopFrom 2147483647)"},
        {{overTwo, "a|b|", ":(LoopTo)"}, head + overTwo},
        {{allOne, "a|", ":(LoopTo)", "b|"}, head + "b|"},
        // A wider row after many rows.
        {{manyRows, "a|", ":(LoopTo)", wide}, head + wide},
    };
    for (const Case& c : cases) {
        boxes.fatals.clear();
        EXPECT_THROW(Read(c.lines), platform::FatalError) << c.fatal.substr(0, 60);
        ASSERT_EQ(boxes.fatals.size(), 1u);
        EXPECT_EQ(boxes.fatals[0], c.fatal);
    }
    // Just as many cells as a sheet may have.
    const std::string allTwo = ":(LoopFrom " + std::to_string(most / 2) + ")";
    EXPECT_EQ(Read({allTwo, "a|b|", ":(LoopTo)"}).sourceLines.size(),
              static_cast<size_t>(most / 2));
}

TEST(SheetRowReaderTest, ItemsAreTheSingleByteParenthesesOfALine) {
    auto items = [](std::string_view line) {
        std::vector<std::string> found;
        SheetRowReader::ForEachItem(line, [&](std::string_view item) { found.emplace_back(item); });
        return found;
    };
    using Items = std::vector<std::string>;
    EXPECT_EQ(items(":(LoopFrom 2)x(LoopTo)("), (Items{"LoopFrom 2", "LoopTo"}));
    EXPECT_EQ(items("((a)b)"), (Items{"(a"}));
    platform::SetLeadByteRule(platform::LeadByteRule::ShiftJis);
    EXPECT_EQ(items("(\x81)b)(c)"), (Items{"\x81)b", "c"}));
    platform::SetLeadByteRule(platform::LeadByteRule::None);
}

}  // namespace
