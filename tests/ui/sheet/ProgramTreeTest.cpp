// The program's tree of sheets, built from its own text table: every node opens its sheet
// (each sheet either written or, until its issue writes it, an empty titled sheet of the
// table), the model filters leave the branches of each model type, and the bank branches of
// every model type open their sheets too.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <QApplication>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QWidget>

#include "common/MainGTex.h"
#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/CellNames.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/image/BankTable.h"
#include "radio/memmap/ItemRegistry.h"
#include "radio/sheet/SheetSelector.h"
#include "tests/ui/support/UiRig.h"
#include "ui/paint/ToolBarImages.h"
#include "ui/paint/TreeImages.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/sheet/iuiTree.h"
#include "ui/widgets/cuiMenu.h"
#include "ui/widgets/cuiToolBar.h"

namespace {

// The tokens the channel-bank sheets are named with, one a model type (MT_Lmr .. MT_MdcPmr);
// the warning check names the same sheets.
const char* const kBankTokens[] = {"LMR", "PMR", "PMRV", "MDCL", "PMRM"};

class ProgramTreeTest : public ::testing::Test {
protected:
    ProgramTreeTest() {
        table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
        // The sheets' cell models and choice lists are read from the program's main table.
        auto* layout = new QHBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(treePanel, 1);
        layout->addWidget(sheetPanel, 2);
        window.resize(720, 640);
        tree = std::make_unique<iuiTree>(treePanel, table, "GI_Tree_Main", images);
        tree->Build();
        tree->SetOnChange([this](QTreeWidgetItem* node) { OpenSheetOf(node); });
    }

    // What the main window does when a node is chosen: the node's spec opens its sheet.
    void OpenSheetOf(QTreeWidgetItem* node) {
        sheet.reset();
        const cmcCellObj* cell = cuiTree::CellOf(node);
        if (!cell || !cell->optionText) {
            return;
        }
        const SheetSelector spec = SplitSheetSpec(*cell->optionText);
        sheet = std::make_unique<cuiSheet>(sheetPanel, nullptr, 0, 0, table, spec.name, &images);
        sheet->SetArgs(spec.args);
        sheet->Show();
        opened.push_back(spec.name);
    }

    // The tree's nodes under a node's children, by caption.
    std::vector<std::string> Captions(const QTreeWidgetItem* node) {
        std::vector<std::string> out;
        for (int i = 0; i < node->childCount(); ++i) {
            out.push_back(node->child(i)->text(0).toStdString());
        }
        return out;
    }

    QTreeWidgetItem* Channels() { return tree->FindNode("GI_Sheet_Memory_CH_Top"); }

    // The bank branch as the model object adds it under the channels node.
    void AddBankBranch(const char* token) {
        tree->AddNode(Channels(), table.GetLine("GI_Tree_Branch_Mch_BankOperation", 0));
        const std::string format = table.GetLine("GI_Tree_Branch_Mch_Bank", 0);
        for (int bank = 0; bank < 16; ++bank) {
            char line[256];
            std::snprintf(line, sizeof line, format.c_str(), token, bank);
            tree->AddNode(Channels(), line);
        }
    }

    testsupport::UiRig rig;
    cmcGTex table;
    testsupport::ScopedMainGTex tableInstalled{&table};
    const cuiImageList images = TreeImages();
    QWidget window;
    QWidget* treePanel = new QWidget(&window);
    QWidget* sheetPanel = new QWidget(&window);
    std::unique_ptr<iuiTree> tree;
    std::unique_ptr<cuiSheet> sheet;
    std::vector<std::string> opened;
};

TEST_F(ProgramTreeTest, EveryNodeOpensItsOwnTitledSheet) {
    const std::vector<QTreeWidgetItem*> nodes = tree->Nodes();
    ASSERT_EQ(nodes.size(), 66u);
    EXPECT_EQ(Captions(nodes[0]),
              (std::vector<std::string>{"Common Settings", "Keys and Display", "Set Mode",
                                        "Memory Channels", "Scan", "DTMF", "Two-Tone", "Five-Tone",
                                        "User Tones", "MSK Signalling", "MDC Signalling",
                                        "Maker Adjustment"}));
    std::set<std::string> sheets;
    for (QTreeWidgetItem* node : nodes) {
        const cmcCellObj* cell = cuiTree::CellOf(node);
        const std::string caption = node->text(0).toStdString();
        ASSERT_TRUE(cell && cell->optionText) << caption;
        EXPECT_FALSE(caption.empty());
        EXPECT_EQ(cell->item, CallSheet) << caption;
        // The radio at the top, folders for the groups (the channels get their banks from the
        // model object), pages and tables for the sheets.
        const int image = cuiTree::ImageIndex(node);
        if (node == nodes[0]) {
            EXPECT_EQ(image, TRI_Radio);
        } else if (node->childCount() > 0 || node == Channels()) {
            EXPECT_EQ(image, TRI_Folder) << caption;
        } else {
            EXPECT_TRUE(image == TRI_Sheet || image == TRI_Table) << caption;
        }
        // Each node names a sheet of its own, so marks and the sheet history find it alone.
        EXPECT_EQ(tree->FindNode(*cell->optionText), node) << caption;
        EXPECT_TRUE(sheets.insert(*cell->optionText).second) << *cell->optionText;
        EXPECT_TRUE(SplitSheetSpec(*cell->optionText).name.starts_with("GI_Sheet_"))
            << *cell->optionText;

        tree->View()->setCurrentItem(node);  // no delay set: the sheet opens at once
        ASSERT_TRUE(sheet) << caption;
        EXPECT_FALSE(sheet->GetTitle().empty()) << *cell->optionText;
    }
    EXPECT_EQ(opened.size(), nodes.size());
    EXPECT_TRUE(Channels() && Channels()->childCount() == 0);
    EXPECT_TRUE(rig.boxes.fatals.empty()) << rig.boxes.fatals.front();
}

TEST_F(ProgramTreeTest, TheBankBranchOfEveryModelTypeOpensItsSheets) {
    for (const char* token : kBankTokens) {
        tree->ClearChildren(Channels());
        AddBankBranch(token);
        ASSERT_EQ(Channels()->childCount(), 17) << token;
        EXPECT_EQ(Channels()->child(0)->text(0), "Bank Operation");
        for (int i = 0; i < Channels()->childCount(); ++i) {
            tree->View()->setCurrentItem(Channels()->child(i));
            ASSERT_TRUE(sheet) << token << i;
        }
        const std::string spec = std::string("[St_ChBank]GI_Sheet_Mch_") + token + ",Bank 15";
        EXPECT_EQ(tree->FindNode(spec), Channels()->child(16)) << spec;
        EXPECT_EQ(opened.back(), std::string("GI_Sheet_Mch_") + token);
        EXPECT_EQ(sheet->GetArgs(), "Bank 15");
    }

    // The bank events reach the branch: icons from the bank table, labels from the bus.
    SetBankSize(rig.shell.image, 0, 20);
    SetBankFlag(rig.shell.image, 1, 1);
    rig.bus->Post(EV_RefreshBankMarks);
    rig.bus->PostText(EV_RenameBank, 0, 0, "1: Base");
    rig.time.Advance(20);
    EXPECT_EQ(cuiTree::ImageIndex(Channels()->child(1)), TRI_BankUsed);
    EXPECT_EQ(cuiTree::ImageIndex(Channels()->child(2)), TRI_TrunkBank);
    EXPECT_EQ(Channels()->child(1)->text(0), "1: Base");
    EXPECT_TRUE(rig.boxes.fatals.empty()) << rig.boxes.fatals.front();
}

TEST_F(ProgramTreeTest, TheModelFiltersLeaveTheBranchesOfEachModelType) {
    // The filters of the model object: flag 0 outside maker mode, 1 for the PMR types, 2 for
    // the LMR types, 3 for all but MT_VaskPmr, 4 for all but the MDC types.
    const struct Case {
        const char* model;
        std::vector<int> flags;
        std::vector<std::string> gone;
        std::vector<std::string> kept;
    } cases[] = {
        // Two-tone is the LMR types' family, five-tone and its user tones the PMR types'.
        {"LMR",
         {0, 2, 3, 4},
         {"Five-Tone", "User Tones", "MSK Signalling", "MDC Signalling", "Maker Adjustment"},
         {"Two-Tone"}},
        {"PMR",
         {0, 1, 3, 4},
         {"Two-Tone", "MSK Signalling", "MDC Signalling", "Maker Adjustment"},
         {"Five-Tone", "User Tones"}},
        {"PMR with Vask",
         {0, 1, 4},
         {"Two-Tone", "MDC Signalling", "Maker Adjustment"},
         {"Five-Tone", "User Tones", "MSK Signalling"}},
        {"LMR with MDC",
         {0, 2, 3},
         {"Five-Tone", "User Tones", "MSK Signalling", "Maker Adjustment"},
         {"Two-Tone", "MDC Signalling"}},
        {"PMR with MDC, maker mode",
         {1, 3},
         {"Two-Tone", "MSK Signalling"},
         {"Five-Tone", "User Tones", "MDC Signalling", "Maker Adjustment"}},
    };
    for (const Case& c : cases) {
        tree->Build();
        for (int flag : c.flags) {
            tree->FilterByFlag(flag);
        }
        const std::vector<std::string> top = Captions(tree->View()->topLevelItem(0));
        const std::set<std::string> shown(top.begin(), top.end());
        for (const std::string& caption : c.gone) {
            EXPECT_FALSE(shown.contains(caption)) << c.model << ": " << caption;
        }
        for (const std::string& caption : c.kept) {
            EXPECT_TRUE(shown.contains(caption)) << c.model << ": " << caption;
        }
        EXPECT_TRUE(shown.contains("Memory Channels")) << c.model;
        EXPECT_EQ(top.size(), 12 - c.gone.size()) << c.model;
    }
}

TEST_F(ProgramTreeTest, TheTablesChangeDelayLetsTheUserStepThroughTheTree) {
    const int delay = cuiTree::ReadChangeDelay(table);
    EXPECT_GE(delay, 100);
    EXPECT_LE(delay, 500);
}

// MERROW_TREE_SCREENSHOT names a PNG file to draw the tree into: the bank branch of the
// PMR with Vask model type, two banks named, marks on some nodes, a sheet node selected.
TEST_F(ProgramTreeTest, Screenshots) {
    const char* path = std::getenv("MERROW_TREE_SCREENSHOT");
    if (!path) {
        GTEST_SKIP() << "MERROW_TREE_SCREENSHOT not set";
    }
    tree->FilterByFlag(0);
    tree->FilterByFlag(1);
    tree->FilterByFlag(4);
    AddBankBranch("PMRV");
    const char* const names[] = {"Base", "Site A", "Site B", "Talkgrp"};
    for (int bank = 0; bank < 16; ++bank) {
        SetBankSize(rig.shell.image, bank, bank == 2 || bank > 4 ? 0 : 10);
        const std::string label = std::to_string(bank + 1) + ": " + (bank < 4 ? names[bank] : "");
        rig.bus->PostText(EV_RenameBank, 0, bank, label);
    }
    SetBankFlag(rig.shell.image, 3, 1);
    rig.bus->Post(EV_RefreshBankMarks);
    rig.time.Advance(20);
    Channels()->setExpanded(true);
    tree->FindNode("GI_Sheet_Msk_Top")->setExpanded(true);
    QTreeWidgetItem* root = tree->View()->topLevelItem(0);
    tree->MarkOverlays(root, {"GI_Sheet_UTone_List", "GI_Sheet_Common_ManDown"},
                       cuiTree::kWarningOverlay);
    tree->MarkOverlays(root, {"[St_ChBank]GI_Sheet_Mch_PMRV,Bank 1", "GI_Sheet_Msk_Config"},
                       cuiTree::kErrorOverlay);
    tree->View()->setCurrentItem(tree->FindNode("GI_Sheet_Msk_CallList"));
    window.show();
    QApplication::processEvents();
    ASSERT_TRUE(window.grab().save(path));
}

// What a user reaches from the tree, walked as the program opens it: the sheet of every node
// (the bank branches of every model type and every flagged branch included), the sheets that
// their cells call, the choice lists that cells open, the radio information, the menu, the tool
// bar, the pop-up menus that reached cells name, and the warning check list. Every item code
// that the memory map gives a row is to be among the codes reached.
class ProgramReachTest : public ProgramTreeTest {
protected:
    void Reach(const cmcCellObj& cell) {
        reached.insert(cell.item);
        if (cell.item == CallSheet && cell.optionText) {
            specs.push_back(*cell.optionText);
        }
        if (const std::string* menu = cell.GetPopupMenuName()) {
            popupMenus.insert(*menu);
        }
    }

    void WalkSheet(const std::string& spec) {
        const SheetSelector selector = SplitSheetSpec(spec);
        cuiSheet walked(sheetPanel, nullptr, 0, 0, table, selector.name, &images);
        walked.SetArgs(selector.args);
        walked.Show();
        Reach(walked.Template());
        const cuiSheetCells& cells = walked.Cells();
        for (int row = 0; row < cells.Rows(); ++row) {
            for (int col = 0; col < cells.Cols(); ++col) {
                Reach(cells.At(col, row).cell);
            }
        }
    }

    void WalkMenu(cuiMenu& menu, const QAction* item) {
        for (const QAction* sub : menu.SubItems(item)) {
            if (const cmcCellObj* cell = cuiMenu::CellOf(sub)) {
                Reach(*cell);
            }
            WalkMenu(menu, sub);
        }
    }

    void WalkMenuSection(const std::string& name) {
        QMenu root;
        cuiMenu menu(&root, &root, table, name);
        menu.Build();
        WalkMenu(menu, nullptr);
    }

    // The choice lists of the table: the sheets whose names begin "GI_Sheet_Sel_".
    std::vector<std::string> ChoiceLists() const {
        std::vector<std::string> lists;
        std::ifstream file(MERROW_DATA_DIR "/Tarnwick.OVL");
        const std::string head = "#GI_Sheet_Sel_";
        const std::string tail = "_Cells";
        for (std::string line; std::getline(file, line);) {
            if (line.starts_with(head) && line.ends_with(tail)) {
                lists.push_back(line.substr(1, line.size() - 1 - tail.size()));
            }
        }
        return lists;
    }

    std::set<int> reached;
    std::deque<std::string> specs;
    std::set<std::string> popupMenus;
};

TEST_F(ProgramReachTest, TheTreeReachesEveryItemThatHasARow) {
    for (QTreeWidgetItem* node : tree->Nodes()) {
        Reach(*cuiTree::CellOf(node));
    }
    for (const char* token : kBankTokens) {
        tree->ClearChildren(Channels());
        AddBankBranch(token);
        for (int i = 0; i < Channels()->childCount(); ++i) {
            Reach(*cuiTree::CellOf(Channels()->child(i)));
        }
    }
    const std::vector<std::string> lists = ChoiceLists();
    EXPECT_GT(lists.size(), 20u);
    specs.insert(specs.end(), lists.begin(), lists.end());
    specs.push_back("GI_Sheet_CloneInfo");
    for (std::set<std::string> walked; !specs.empty(); specs.pop_front()) {
        if (walked.insert(specs.front()).second) {
            WalkSheet(specs.front());
        }
    }

    QMainWindow mainWindow;
    cuiMenu menu(&mainWindow, mainWindow.menuBar(), table, "GI_Menu_Main");
    menu.Build();
    WalkMenu(menu, nullptr);
    const cuiImageList barImages = ToolBarImages();
    cuiToolBar bar(&mainWindow, table, "GI_ToolBar_Main", barImages);
    bar.Build();
    for (const QToolBar* row : bar.Rows()) {
        for (const QAction* button : row->actions()) {
            if (const cmcCellObj* cell = cuiToolBar::CellOf(button)) {
                Reach(*cell);
            }
        }
    }
    for (const std::string& name : popupMenus) {
        WalkMenuSection(name);
    }
    for (int n = 0;; ++n) {
        const std::string line = table.GetLine("GI_WarningCheckList", n);
        if (line.starts_with('#')) {
            break;
        }
        cmcCellObj cell;
        cmcCellObj::ParseDefinition(cell, line, nullptr, nullptr, false);
        Reach(cell);
    }
    EXPECT_TRUE(rig.boxes.fatals.empty()) << rig.boxes.fatals.front();

    // Rows that no sheet of the layout shows, each with what shows it instead or the sheet it
    // waits for. Take a code off the list when a sheet shows it: the test fails while the list
    // holds a reached code.
    std::set<int> unreachedByLayout = {
        CL_Null,                // shows nothing: the layout writes an empty cell instead
        CL_Misc_ChNo_0Base,     // no sheet shows it yet
        CL_Misc_QuarterPillar,  // the bit-set editor's sheet, which its code makes
        CL_Check_Mch,           // the warning checks make its cell for each bank in code
        // The status record keeps no bit for the horn, so the sheet offers no setting that
        // would not stay.
        CL_Msk_Msg_Status_Horn,
    };
    // The alias lists 2 to 5 share the one alias table of list 1: their rows show and store
    // nothing, and no sheet offers them.
    for (int code = CL_Mdc_Alias2_Strip; code <= CL_Mdc_Alias5_Text; ++code) {
        unreachedByLayout.insert(code);
    }
    std::set<int> unreached;
    for (const ItemRow* row : ItemRegistry::Program().Rows()) {
        if (!reached.contains(row->code)) {
            unreached.insert(row->code);
        }
    }
    std::string names;
    for (int code : unreached) {
        if (!unreachedByLayout.contains(code)) {
            names += "\n" + std::to_string(code) + " " + CellItemCodeToName(code);
        }
    }
    EXPECT_EQ(names, "") << "item codes with a row that no reachable sheet shows";
    for (int code : unreachedByLayout) {
        EXPECT_TRUE(unreached.contains(code))
            << CellItemCodeToName(code) << " is reached now, or has no row: take it off the list";
    }
}

}  // namespace
