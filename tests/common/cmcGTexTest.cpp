#include "common/cmcGTex.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "common/GetTextBlock.h"
#include "common/cmcHelpGTex.h"
#include "platform/MessageBox.h"
#include "tests/support/RecordingBoxes.h"

namespace {

const char* const kTable[] = {
    "#GI_Sys_AppTitle",
    "Merrow clone",
    "#Trailing ",
    "with blank",
    "#Block",
    "one",
    "",
    "three",
    "#",
    "after hash line",
    "#Next",
    "n0",
    "n1",
    "n2",
    "n3",
    "n4",
    "n5",
    "#Dup",
    "first",
    "#Dup",
    "second",
    "#Last",
    "last value",
    "#End_Of_Ovl",
    "#Hidden",
    "never found",
};

class GTexTest : public ::testing::Test {
protected:
    GTexTest() { table.SetLines(kTable); }
    testsupport::RecordingBoxes boxes;
    cmcGTex table;
};

TEST_F(GTexTest, FindsValuesByKeyAndLine) {
    EXPECT_EQ(table.GetValue("GI_Sys_AppTitle"), "Merrow clone");
    EXPECT_EQ(table.GetLine("Next", 2), "n2");
    EXPECT_EQ(table.GetValue("Dup"), "first");
}

TEST_F(GTexTest, TrailingBlankBelongsToKey) {
    EXPECT_EQ(table.GetValue("Trailing "), "with blank");
    EXPECT_THROW(table.GetValue("Trailing"), platform::FatalError);
    ASSERT_EQ(boxes.fatals.size(), 1u);
    EXPECT_EQ(boxes.fatals[0], "GTEX Error !\nThe index 'Trailing' was not found.");
    EXPECT_EQ(boxes.boxes[0].icon, platform::BoxIcon::Error);
}

TEST_F(GTexTest, KeysAfterEndMarkerAreMissing) {
    EXPECT_THROW(table.GetValue("Hidden"), platform::FatalError);
}

TEST_F(GTexTest, LineCursorRestartsAndContinues) {
    EXPECT_EQ(table.GetLine("Next", 3), "n3");
    EXPECT_EQ(table.GetLine("Next", 1), "n1");
    EXPECT_EQ(table.GetLine("Next", 3), "n3");
    EXPECT_EQ(table.GetLine("Next", 5), "n5");
    EXPECT_EQ(table.GetLine("Next", 0), "n0");
}

TEST_F(GTexTest, LinePastSectionIsFollowingKeyLine) {
    EXPECT_EQ(table.GetLine("GI_Sys_AppTitle", 1), "#Trailing ");
}

TEST_F(GTexTest, TextBlockStopsAtHashLineAndKeepsEmptyLines) {
    EXPECT_EQ(GetTextBlock(table, "Block"), "one\n\nthree");
    EXPECT_EQ(GetTextBlock(table, "Last"), "last value");
}

TEST_F(GTexTest, SecondBindingIsRefused) {
    EXPECT_EQ(table.SetFileName("/nonexistent"), 0);
    EXPECT_EQ(table.SetLines(kTable), 0);
    EXPECT_EQ(table.GetValue("Last"), "last value");
}

TEST(GTexLines, LineAskedPastTheArrayIsFatal) {
    testsupport::RecordingBoxes boxes;
    const char* const lines[] = {"#Only", "value"};
    cmcGTex table;
    table.SetLines(lines);
    EXPECT_EQ(table.GetValue("Only"), "value");
    EXPECT_THROW(GetTextBlock(table, "Only"), platform::FatalError);
    EXPECT_THROW(table.GetValue("Absent"), platform::FatalError);
}

class GTexFileTest : public ::testing::Test {
protected:
    void Write(const std::string& content) {
        path = std::filesystem::temp_directory_path() /
               ("gtex_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".OVL");
        std::ofstream(path, std::ios::binary) << content;
    }
    ~GTexFileTest() override { std::filesystem::remove(path); }

    testsupport::RecordingBoxes boxes;
    std::filesystem::path path;
};

TEST_F(GTexFileTest, ReadsFileWrittenWithCrLf) {
    Write("#A\r\nalpha\r\n\r\nbeta\r\n#\r\n#B\r\nbravo\r\n#End_Of_Ovl\r\n");
    cmcGTex table;
    ASSERT_EQ(table.SetFileName(path.string()), 1);
    EXPECT_EQ(GetTextBlock(table, "A"), "alpha\n\nbeta");
    EXPECT_EQ(table.GetValue("B"), "bravo");
}

TEST_F(GTexFileTest, MissingFileIsFatalAtFirstLookup) {
    cmcGTex table;
    table.SetFileName("/nonexistent/Tarnwick.OVL");
    EXPECT_THROW(table.GetValue("GI_Sys_AppTitle"), platform::FatalError);
    ASSERT_EQ(boxes.fatals.size(), 1u);
    EXPECT_EQ(boxes.fatals[0], "GTEX Error !\nThe index 'GI_Sys_AppTitle' was not found.");
}

TEST_F(GTexFileTest, LongLineSplitsAtBufferSize) {
    Write("#Long\n" + std::string(8191, 'x') + "\nnext\n#End_Of_Ovl\n");
    cmcGTex table;
    table.SetFileName(path.string());
    EXPECT_EQ(table.GetLine("Long", 0), std::string(8191, 'x'));
    EXPECT_EQ(table.GetLine("Long", 1), "");
    EXPECT_EQ(table.GetLine("Long", 2), "next");
}

TEST_F(GTexFileTest, CacheServesRereadsAndDropsOldestLines) {
    std::string content = "#A\nalpha\n#B\n";
    for (int i = 0; i < 100; ++i) {
        content += "line" + std::to_string(i) + std::string(200, '.') + "\n";
    }
    content += "#C\ncharlie\n#End_Of_Ovl\n";
    Write(content);
    cmcGTex table;
    table.SetFileName(path.string());
    EXPECT_EQ(table.GetValue("A"), "alpha");
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(table.GetLine("B", i), "line" + std::to_string(i) + std::string(200, '.'));
    }
    EXPECT_EQ(table.GetValue("C"), "charlie");
    // (The long lines keep "alpha" out of the stream's own read buffer.)
    // Rewrite the values in upper case, same lengths: the line still in the 64-line cache
    // comes back as read before; the one that left it is read from the file again.
    std::string upper = content;
    for (const char* word : {"alpha", "charlie"}) {
        auto at = upper.find(word);
        for (size_t i = 0; word[i]; ++i) {
            upper[at + i] = static_cast<char>(word[i] - 32);
        }
    }
    std::ofstream(path, std::ios::binary) << upper;
    EXPECT_EQ(table.GetValue("C"), "charlie");
    EXPECT_EQ(table.GetValue("A"), "ALPHA");
}

TEST_F(GTexFileTest, HelpTableReadsTheSameFormat) {
    Write("#Topic\nHelp text\n#End_Of_Ovl\n");
    cmcHelpGTex help;
    ASSERT_EQ(help.SetFileName(path.string()), 1);
    EXPECT_EQ(help.GetLine("Topic", 0), "Help text");
    EXPECT_EQ(help.SetFileName(path.string()), 0);
}

}  // namespace
