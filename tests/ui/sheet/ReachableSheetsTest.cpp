// Every sheet the program's tree reaches, on every model type and in maker mode, opened as the
// user opens it: F1 on each cell that takes the cursor finds a topic the help file holds, and
// every page a cover's line opens is a node of the tree, so a cover never leads past the tree
// to a sheet the model type does not have. The radio's own cover lists the MSK, MDC and maker
// folders exactly where the tree shows them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTreeWidgetItem>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/clone/file/cmcTovFile.h"
#include "radio/image/ImageLayout.h"
#include "radio/sheet/SheetSelector.h"
#include "tests/ui/support/MainRig.h"
#include "tests/ui/support/ProgramFolder.h"
#include "ui/dialogs/cuiHelpWindow.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/sheet/iuiTree.h"
#include "ui/shell/TForm1.h"

namespace {

using testsupport::MainRig;
using testsupport::ProgramFolder;

std::string HelpFile() {
    std::ifstream file(MERROW_DATA_DIR "/Tarnwick.html");
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The program's window over the model type's initial clone file, taken in as a file load
// takes a file in; in maker mode when asked.
struct Program {
    Program(const ProgramFolder& folder, ModelType model, bool maker) {
        rig.Start(ItemRegistry::Program(), maker ? std::vector<std::string>{"tarnwick", "/hearken"}
                                                 : std::vector<std::string>{});
        cmcEeprom& image = rig.main->CurrentImage();
        cmcTovFile file;
        file.SetImage(&image);
        file.SetMapRevHandler([](int) { return true; });
        file.SetHeaderHandler([this](int id1, int id2, int* code) {
            return rig.main->CheckFileHeader(id1, id2, *code);
        });
        const std::string path =
            folder.Path().string() + "/" + rig.table.GetLine("GI_App_InitialFile", model);
        EXPECT_EQ(file.Read(path, nullptr), 0) << path;
        rig.main->DetectModel(image);
        EXPECT_EQ(rig.main->CurrentModelType(), model);
        rig.Advance(60);
    }

    // The pages the open sheet's lines open.
    std::vector<std::string> PagesOfOpenSheet() const {
        std::vector<std::string> pages;
        const cuiSheetCells& cells = rig.main->OpenedSheet()->Cells();
        for (int row = 0; row < cells.Rows(); ++row) {
            for (int col = 0; col < cells.Cols(); ++col) {
                const cmcCellObj& cell = cells.At(col, row).cell;
                if (cell.item == CallSheet && cell.optionText) {
                    pages.push_back(*cell.optionText);
                }
            }
        }
        return pages;
    }

    // Opens every node's sheet; checks each cell's help and each page a line opens.
    void CheckEverySheet(const std::string& html) {
        iuiTree& tree = *rig.main->Tree();
        for (int i = 0; i < tree.NodeCount(); ++i) {
            const cmcCellObj* node = cuiTree::CellOf(tree.NodeAt(i));
            ASSERT_TRUE(node && node->optionText);
            const std::string spec = *node->optionText;
            SCOPED_TRACE(spec);
            rig.Choose(tree.NodeAt(i));
            ASSERT_EQ(rig.main->OpenedSheetSpec(), spec);
            const cuiSheetCells& cells = rig.main->OpenedSheet()->Cells();
            std::set<int> checked;
            for (int row = 0; row < cells.Rows(); ++row) {
                for (int col = 0; col < cells.Cols(); ++col) {
                    const cmcCellObj& cell = cells.At(col, row).cell;
                    if (!cells.Selectable(col, row) || cell.item == CL_Null ||
                        !checked.insert(cell.item).second) {
                        continue;
                    }
                    const int context = rig.main->GetHelpContext(cell);
                    EXPECT_GT(context, 0) << "item " << cell.item;
                    EXPECT_NE(html.find("name=\"context-" + std::to_string(context) + "\""),
                              std::string::npos)
                        << "item " << cell.item << ", context " << context;
                }
            }
            for (const std::string& page : PagesOfOpenSheet()) {
                EXPECT_TRUE(tree.FindNode(page)) << "opens " << page;
            }
        }
    }

    MainRig rig;
};

TEST(ReachableSheetsTest, EveryCellHasItsHelpAndEveryPageIsOnTheTree) {
    const std::string html = HelpFile();
    ASSERT_FALSE(html.empty());
    const ProgramFolder folder;
    const struct {
        ModelType model;
        bool maker;
    } cases[] = {
        {MT_Lmr, false},    {MT_Pmr, false},    {MT_VaskPmr, false},
        {MT_MdcLmr, false}, {MT_MdcPmr, false}, {MT_VaskPmr, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("model type " + std::to_string(c.model) + (c.maker ? ", maker mode" : ""));
        Program program(folder, c.model, c.maker);
        program.CheckEverySheet(html);
        EXPECT_TRUE(program.rig.boxes.fatals.empty());
    }
}

TEST(ReachableSheetsTest, TheRadiosCoverListsTheSignallingAndMakerFoldersWhereTheTreeHasThem) {
    const char* const folders[] = {"GI_Sheet_Msk_Top", "GI_Sheet_Mdc_Top", "GI_Sheet_Maker_Top"};
    const ProgramFolder folder;
    const struct {
        ModelType model;
        bool maker;
        std::set<std::string> listed;  // of the three folders, those the cover lists
    } cases[] = {
        {MT_Lmr, false, {}},
        {MT_Pmr, false, {}},
        {MT_VaskPmr, false, {"GI_Sheet_Msk_Top"}},
        {MT_MdcLmr, false, {"GI_Sheet_Mdc_Top"}},
        {MT_MdcPmr, true, {"GI_Sheet_Mdc_Top", "GI_Sheet_Maker_Top"}},
        {MT_Pmr, true, {"GI_Sheet_Maker_Top"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("model type " + std::to_string(c.model) + (c.maker ? ", maker mode" : ""));
        Program program(folder, c.model, c.maker);
        program.rig.Choose(program.rig.main->Tree()->NodeAt(0));
        ASSERT_EQ(SplitSheetSpec(program.rig.main->OpenedSheetSpec()).name, "GI_Sheet_Radio_Top");
        std::set<std::string> listed;
        for (const std::string& page : program.PagesOfOpenSheet()) {
            for (const char* name : folders) {
                if (page == name) {
                    listed.insert(page);
                }
            }
        }
        EXPECT_EQ(listed, c.listed);
        for (const char* name : folders) {
            EXPECT_EQ(program.rig.Node(name) != nullptr, c.listed.contains(name)) << name;
        }
    }
}

// MERROW_COVER_SCREENSHOT names a folder: the window with the radio's cover of a PMR with Vask
// in maker mode and of an LMR with MDC, and the help window at the channels' topic, as PNGs.
TEST(ReachableSheetsTest, Screenshots) {
    const char* shots = std::getenv("MERROW_COVER_SCREENSHOT");
    if (!shots) {
        GTEST_SKIP() << "MERROW_COVER_SCREENSHOT not set";
    }
    const ProgramFolder folder;
    const std::string path(shots);
    for (const auto& [model, maker, name] : {std::tuple{MT_VaskPmr, true, "cover-pmrv-maker"},
                                             std::tuple{MT_MdcLmr, false, "cover-mdcl"}}) {
        Program program(folder, model, maker);
        program.rig.Choose(program.rig.main->Tree()->NodeAt(0));
        EXPECT_TRUE(
            program.rig.form->grab().save(QString::fromStdString(path + "/" + name + ".png")));
        if (!maker) {
            cmcCellObj channel;
            channel.item = CL_Mch_Mdc_System;
            program.rig.main->ShowContextHelp(channel);
            QApplication::processEvents();
            ASSERT_TRUE(program.rig.main->HelpWindow());
            program.rig.main->HelpWindow()->resize(760, 900);
            program.rig.main->ShowContextHelp(channel);  // at the topic in the window's size
            QApplication::processEvents();
            EXPECT_TRUE(program.rig.main->HelpWindow()->grab().save(
                QString::fromStdString(path + "/help-channels.png")));
        }
    }
}

}  // namespace
