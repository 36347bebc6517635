#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "tools/layer_check/IncludeLine.h"
#include "tools/layer_check/LayerCheck.h"
#include "tools/layer_check/LayerRules.h"

namespace fs = std::filesystem;

namespace {

TEST(LayerRulesTest, ReadsIncludeLinesOnly) {
    struct Case {
        const char* line;
        const char* header;  // nullptr: no include
        bool angle;
    };
    const Case cases[] = {
        {"#include \"radio/image/cmcEeprom.h\"", "radio/image/cmcEeprom.h", false},
        {"  #  include <QWidget>  // the grid", "QWidget", true},
        {"#include<vector>", "vector", true},
        {"// #include \"ui/sheet/cuiSheet.h\"", nullptr, false},
        {"#define include \"ui/sheet/cuiSheet.h\"", nullptr, false},
        {"#include \"ui/sheet/cuiSheet.h", nullptr, false},
        {"#include MACRO", nullptr, false},
    };
    for (const Case& c : cases) {
        const auto include = ParseIncludeLine(c.line);
        if (!c.header) {
            EXPECT_FALSE(include) << c.line;
            continue;
        }
        ASSERT_TRUE(include) << c.line;
        EXPECT_EQ(include->header, c.header);
        EXPECT_EQ(include->angle, c.angle);
    }
}

TEST(LayerRulesTest, ALayerIncludesOnlyItselfAndTheLayersBelow) {
    struct Case {
        const char* file;
        const char* line;
        bool allowed;
    };
    const Case cases[] = {
        {"platform/Clock.cpp", "#include \"platform/Clock.h\"", true},
        {"platform/Clock.cpp", "#include \"common/cmcTick.h\"", false},
        {"platform/Clock.cpp", "#include \"platform/qt/QtTimerBackend.h\"", false},
        {"common/cmcTick.cpp", "#include \"platform/Clock.h\"", true},
        {"common/cmcTick.cpp", "#include \"radio/image/cmcEeprom.h\"", false},
        {"radio/records/datCh.cpp", "#include \"common/cmcBuff.h\"", true},
        {"radio/records/datCh.cpp", "#include \"loader/clsMotS.h\"", false},
        {"radio/memmap/items/Item.cpp", "#include \"ui/sheet/cuiSheet.h\"", false},
        {"radio/records/datCh.cpp", "#include \"tests/support/FakeShell.h\"", false},
        {"radio/records/datCh.cpp", "#include \"tools/clone_radio/CloneRadio.h\"", false},
        {"loader/clsMainSeq.cpp", "#include \"common/cmcComm.h\"", true},
        {"loader/clsMainSeq.cpp", "#include \"radio/records/datCh.h\"", false},
        {"loader/clsMainSeq.cpp", "#include \"loader/ui/TForm1.h\"", false},
        {"platform/qt/QtBoxes.cpp", "#include \"platform/MessageBox.h\"", true},
        {"platform/qt/QtBoxes.cpp", "#include \"ui/widgets/cuiGrid.h\"", false},
        {"ui/sheet/cuiSheet.cpp", "#include \"radio/cells/cmcCellObj.h\"", true},
        {"ui/sheet/cuiSheet.cpp", "#include \"platform/qt/QtTimerBackend.h\"", true},
        {"ui/sheet/cuiSheet.cpp", "#include \"loader/clsMotS.h\"", false},
        {"loader/ui/TForm1.cpp", "#include \"loader/clsMainSeq.h\"", true},
        {"loader/ui/TForm1.cpp", "#include \"ui/widgets/cuiGrid.h\"", false},
        {"apps/tarnwick/main.cpp", "#include \"ui/cuiShell.h\"", true},
        {"apps/tarnwick/main.cpp", "#include \"tools/clone_radio/CloneRadio.h\"", false},
        {"tools/clone_bench/main.cpp", "#include \"tools/clone_radio/CloneRadio.h\"", true},
        {"tests/radio/records/datChTest.cpp", "#include \"tools/clone_radio/CloneRadio.h\"", true},
        {"tests/common/cmcTickTest.cpp", "#include \"radio/records/datCh.h\"", true},
        // Headers are named from the source root, so a relative path cannot slip past.
        {"radio/records/datCh.cpp", "#include \"../ui/cuiSheet.h\"", false},
        {"radio/records/datCh.cpp", "#include \"datCh.h\"", false},
        {"tests/radio/records/datChTest.cpp", "#include \"RecordImage.h\"", false},
        {"radio/records/datCh.cpp", "#include <ui/sheet/cuiSheet.h>", false},
        {"radio/records/datCh.cpp", "#include <vector>", true},
        {"README/notes.cpp", "#include \"radio/records/datCh.h\"", false},
    };
    for (const Case& c : cases) {
        const auto include = ParseIncludeLine(c.line);
        ASSERT_TRUE(include) << c.line;
        EXPECT_EQ(!IncludeViolation(c.file, *include), c.allowed) << c.file << ": " << c.line;
    }
}

// Inside radio/ and ui/ each folder uses only those before it in the order; a sub-folder lies
// above its folder, and a file at the top of the layer may use them all.
TEST(LayerRulesTest, AFolderOfALayerIncludesOnlyItselfAndTheFoldersBefore) {
    struct Case {
        const char* file;
        const char* line;
        bool allowed;
    };
    const Case cases[] = {
        {"radio/records/datCh.cpp", "#include \"radio/image/cmcEeprom.h\"", true},
        {"radio/image/BankTable.cpp", "#include \"radio/records/datCh.h\"", false},
        {"radio/records/RecordShift.cpp", "#include \"radio/cells/cmcCellCapsule.h\"", false},
        {"radio/host/indDocument.h", "#include \"radio/clone/CloneIdentity.h\"", false},
        {"radio/memmap/items/BankItems.cpp", "#include \"radio/memmap/ItemRow.h\"", true},
        {"radio/memmap/ItemRegistry.cpp", "#include \"radio/memmap/items/ItemGroups.h\"", false},
        {"radio/clone/file/cmcTovFile.cpp", "#include \"radio/clone/cmcCloneDrv.h\"", true},
        {"radio/clone/cmcCloneDrv.cpp", "#include \"radio/clone/file/cmcTovFile.h\"", false},
        {"radio/app/MakerWord.cpp", "#include \"radio/clone/file/cmcTovFile.h\"", true},
        {"radio/Top.cpp", "#include \"radio/app/MakerWord.h\"", true},
        {"radio/image/cmcEeprom.cpp", "#include \"radio/Top.h\"", false},
        {"ui/sheet/cuiSheet.cpp", "#include \"ui/widgets/cuiGrid.h\"", true},
        {"ui/widgets/cuiGrid.cpp", "#include \"ui/sheet/cuiSheet.h\"", false},
        {"ui/paint/cuiCanvas.cpp", "#include \"radio/glyphs/SegGlyphs.h\"", true},
        {"ui/dialogs/cuiAboutBox.cpp", "#include \"ui/shell/cuiMain.h\"", false},
        {"apps/tarnwick/main.cpp", "#include \"ui/shell/frmMain.h\"", true},
        {"tools/sheet_bench/b.cpp", "#include \"radio/memmap/items/ItemGroups.h\"", true},
        {"loader/clsMainSeq.cpp", "#include \"radio/image/cmcEeprom.h\"", false},
    };
    for (const Case& c : cases) {
        const auto include = ParseIncludeLine(c.line);
        ASSERT_TRUE(include) << c.line;
        EXPECT_EQ(!IncludeViolation(c.file, *include), c.allowed) << c.file << ": " << c.line;
    }
}

TEST(LayerRulesTest, QtHeadersOnlyInTheQtLayersAndTheirTests) {
    struct Case {
        const char* file;
        bool allowed;
    };
    const Case cases[] = {
        {"platform/Clock.cpp", false},      {"common/cmcTask.cpp", false},
        {"radio/records/datCh.h", false},   {"loader/clsMainSeq.cpp", false},
        {"tools/clone_radio/X.cpp", false}, {"tests/radio/records/datChTest.cpp", false},
        {"tests/support/Fake.h", false},    {"tests/loader/clsMotSTest.cpp", false},
        {"platform/qt/QtBoxes.cpp", true},  {"ui/widgets/cuiGrid.cpp", true},
        {"loader/ui/TForm1.cpp", true},     {"apps/fennmoor/main.cpp", true},
        {"tools/sheet_bench/b.cpp", true},  {"tests/ui/widgets/cuiGridTest.cpp", true},
        {"tests/loader/ui/T.cpp", true},    {"tests/platform/qt/Q.cpp", true},
        {"tests/fuzz/XFuzz.cpp", false},    {"tests/fuzz/ui/YFuzz.cpp", true},
    };
    for (const Case& c : cases) {
        for (const char* line : {"#include <QString>", "#include <QtWidgets/QWidget>"}) {
            const auto include = ParseIncludeLine(line);
            ASSERT_TRUE(include);
            EXPECT_EQ(!IncludeViolation(c.file, *include), c.allowed) << c.file << ": " << line;
        }
    }
}

class LayerCheckTree : public ::testing::Test {
protected:
    void SetUp() override {
        // A tree of the test's own: CTest runs the tests of a suite side by side.
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::path(testing::TempDir()) /
                ("layer-check-" + std::to_string(getpid()) + "-" + test->name());
        fs::remove_all(root_);
    }
    void TearDown() override { fs::remove_all(root_); }

    void Write(const std::string& file, const std::string& text) {
        fs::create_directories((root_ / file).parent_path());
        std::ofstream(root_ / file) << text;
    }

    fs::path root_;
};

TEST_F(LayerCheckTree, NamesEachBrokenIncludeWithItsFileAndLine) {
    Write("radio/records/datCh.h",
          "#pragma once\n#include \"common/cmcBuff.h\"\n#include \"ui/sheet/cuiSheet.h\"\n");
    Write("common/cmcTask.cpp", "#include <vector>\n\n#include <QTimer>\n");
    Write("ui/sheet/cuiSheet.cpp", "#include \"radio/records/datCh.h\"\n#include <QWidget>\n");
    Write("data/notes.txt", "#include \"ui/sheet/cuiSheet.h\"\n");  // not a source file
    // A build tree holds generated sources that are no layer's.
    Write("build/CMakeCache.txt", "");
    Write("build/radio/moc_x.cpp", "#include \"ui/sheet/cuiSheet.h\"\n");
    Write(".git/hooks/x.cpp", "#include \"ui/sheet/cuiSheet.h\"\n");
    Write("radio/image/BankTable.cpp", "#include \"radio/records/datCh.h\"\n");
    EXPECT_THAT(CheckLayers(root_),
                testing::ElementsAre(
                    "common/cmcTask.cpp:3: common may not include the Qt header <QTimer>",
                    "radio/image/BankTable.cpp:1: radio/image may not include "
                    "radio/records/datCh.h (it uses platform, common, radio/image)",
                    "radio/records/datCh.h:3: radio/records may not include ui/sheet/cuiSheet.h "
                    "(it uses platform, common, radio/image, radio/records)"));
}

TEST_F(LayerCheckTree, ATreeThatKeepsItsLayersPasses) {
    Write("loader/clsMotS.cpp", "#include \"loader/clsMotS.h\"\n#include \"common/cmcBuff.h\"\n");
    EXPECT_THAT(CheckLayers(root_), testing::IsEmpty());
}

}  // namespace
