#include "ui/widgets/cuiTree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTreeWidget>
#include <QWidget>

#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/image/BankTable.h"
#include "tests/ui/support/UiRig.h"
#include "ui/paint/TreeImages.h"
#include "ui/sheet/iuiTree.h"

namespace {

const char* const kTable[] = {
    "#T_BasicCell",
    "{(%CallSheet)(ImageIndex=2)(Font=DEFAULT_CHARSET,Liberation Sans,clWindowText,-13,,,)}",
    "#T_Body",
    "+Radio\t{(%CallSheet:Top)(ImageIndex=0)}",
    " +Common\t{(%CallSheet:Common)(ImageIndex=1)}",
    "  +General\t{(%CallSheet:Common_General)}",
    "  +Timers\t{(%CallSheet:Common_Timer)(Flag1=1)}",
    " +Channels\t{(%CallSheet:Channels)(ImageIndex=1)}",
    " +Signalling\t{(%CallSheet:Sig)(ImageIndex=1)(Flag3=1)}",
    "  +Call List\t{(%CallSheet:Sig_CallList)(ImageIndex=3)}",
    "  +Status\t{(%CallSheet:Sig_Status)(Flag6=1)}",
    " +Maker\t{(%CallSheet:Maker)(ImageIndex=1)(Flag0=1)}",
    "  +Squelch\t{(%CallSheet:Maker_Squelch)(Flag7=1)}",
    " +No Sheet",
    "+Second\t{(%CallSheet:Second)}",
    "#",
    "#Bank_Line",
    "+Bank\t{(%%CallSheet:[St_ChBank]Bank_%s,Bank %d)(ImageIndex=4)}",
    "#Extra_Body",
    "+Extra A\t{(%CallSheet:Extra_A)}",
    " +Extra B\t{(%CallSheet:Extra_B)}",
    "+Extra C\t{(%CallSheet:Extra_C)}",
    "#",
    "#End_Of_Ovl",
};

// The nodes under a node (none: the top level) as "text(child,child),text".
std::string Shape(const QTreeWidget* view, const QTreeWidgetItem* node = nullptr) {
    const int count = node ? node->childCount() : view->topLevelItemCount();
    std::string out;
    for (int i = 0; i < count; ++i) {
        const QTreeWidgetItem* child = node ? node->child(i) : view->topLevelItem(i);
        out += (i ? "," : "") + child->text(0).toStdString();
        if (child->childCount() > 0) {
            out += "(" + Shape(view, child) + ")";
        }
    }
    return out;
}

// Pixels of the image inside rect that look like the error mark (red) or the warning mark
// (yellow); the other tree pictures hold neither colour.
struct MarkPixels {
    int red = 0;
    int yellow = 0;
};

MarkPixels CountMarkPixels(const QImage& image, const QRect& rect) {
    MarkPixels count;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count.red += c.red() > 180 && c.green() < 80 && c.blue() < 80;
            count.yellow += c.red() > 200 && c.green() > 180 && c.blue() < 60;
        }
    }
    return count;
}

class TreeTest : public ::testing::Test {
protected:
    TreeTest() {
        table.SetLines(kTable);
        panel.resize(260, 400);
    }

    template <typename Tree = cuiTree>
    Tree& Make() {
        auto made = std::make_unique<Tree>(&panel, table, "T", images);
        Tree& result = *made;
        tree = std::move(made);
        tree->Build();
        return result;
    }

    QTreeWidgetItem* Node(const char* spec) { return tree->FindNode(spec); }

    // A bank node as the model object adds it: the bank line formatted with a model token.
    QTreeWidgetItem* AddBank(QTreeWidgetItem* parent, const char* token, int bank) {
        char line[160];
        std::snprintf(line, sizeof line, table.GetLine("Bank_Line", 0).c_str(), token, bank);
        return tree->AddNode(parent, line);
    }

    void Show() {
        panel.show();
        QApplication::processEvents();
    }

    testsupport::UiRig rig;
    cmcGTex table;
    const cuiImageList images = TreeImages();
    QWidget panel;
    std::unique_ptr<cuiTree> tree;
};

TEST_F(TreeTest, NodesCarryTheirCellsCaptionsIconsAndSpecs) {
    cuiTree& t = Make();
    EXPECT_EQ(Shape(t.View()),
              "Radio(Common(General,Timers),Channels,Signalling(Call List,Status),"
              "Maker(Squelch),No Sheet),Second");

    struct Row {
        const char* text;
        int image;
        const char* spec;  // nullptr: no option text
    } const rows[] = {
        {"Radio", 0, "Top"},
        {"Common", 1, "Common"},
        {"General", 2, "Common_General"},
        {"Timers", 2, "Common_Timer"},
        {"Channels", 1, "Channels"},
        {"Signalling", 1, "Sig"},
        {"Call List", 3, "Sig_CallList"},
        {"Status", 2, "Sig_Status"},
        {"Maker", 1, "Maker"},
        {"Squelch", 2, "Maker_Squelch"},
        {"No Sheet", 2, nullptr},
        {"Second", 2, "Second"},
    };
    const std::vector<QTreeWidgetItem*> nodes = t.Nodes();
    ASSERT_EQ(nodes.size(), std::size(rows));
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const cmcCellObj* cell = cuiTree::CellOf(nodes[i]);
        ASSERT_TRUE(cell) << rows[i].text;
        EXPECT_EQ(nodes[i]->text(0).toStdString(), rows[i].text);
        EXPECT_EQ(cell->GetCaption(), rows[i].text);
        EXPECT_EQ(cell->item, CallSheet) << rows[i].text;
        EXPECT_EQ(cuiTree::ImageIndex(nodes[i]), rows[i].image) << rows[i].text;
        EXPECT_EQ(cuiTree::SelectedIndex(nodes[i]), rows[i].image) << rows[i].text;
        EXPECT_EQ(cell->optionText.has_value(), rows[i].spec != nullptr) << rows[i].text;
        if (rows[i].spec) {
            EXPECT_EQ(*cell->optionText, rows[i].spec);
        }
        EXPECT_EQ(t.AbsoluteIndex(nodes[i]), static_cast<int>(i));
        EXPECT_EQ(t.NodeAt(static_cast<int>(i)), nodes[i]);
    }
    EXPECT_EQ(t.NodeAt(-1), nullptr);
    EXPECT_EQ(t.NodeAt(t.NodeCount()), nullptr);

    // Only the first node is open; the view takes the template's font.
    EXPECT_TRUE(nodes[0]->isExpanded());
    EXPECT_FALSE(Node("Common")->isExpanded());
    EXPECT_EQ(t.View()->font().pixelSize(), 13);
    EXPECT_EQ(t.View()->iconSize(), QSize(16, 16));

    // The shown tree paints the first node's children; those of a closed node are not shown.
    Show();
    EXPECT_FALSE(t.View()->visualItemRect(Node("Common")).isEmpty());
    EXPECT_TRUE(t.View()->visualItemRect(Node("Common_General")).isEmpty());
    EXPECT_EQ(t.View()->itemAt(t.View()->visualItemRect(Node("Channels")).center()),
              Node("Channels"));

    // A further group of lines, at the top level and below a node; the lines used come back.
    EXPECT_EQ(t.AddNodes(nullptr, "Extra_Body", 0), 3);
    EXPECT_EQ(t.AddNodes(Node("Channels"), "Extra_Body", 1), 1);
    EXPECT_EQ(Shape(t.View()).substr(Shape(t.View()).find("Second")),
              "Second,Extra A(Extra B),Extra C");
    EXPECT_EQ(Shape(t.View(), Node("Channels")), "Extra B");
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

TEST_F(TreeTest, FindNodeComparesTheWholeSpecWithItsCase) {
    cuiTree& t = Make();
    QTreeWidgetItem* channels = Node("Channels");
    AddBank(channels, "PMR", 1);
    AddBank(channels, "PMR", 13);
    const struct Case {
        const char* spec;
        const char* found;  // nullptr: none
    } cases[] = {
        {"Common_General", "General"},
        {"Common", "Common"},
        {"common_general", nullptr},
        {"Common_Gen", nullptr},
        {"Common_General ", nullptr},
        {"", nullptr},
        {"[St_ChBank]Bank_PMR,Bank 13", "Bank"},
        {"[St_ChBank]Bank_PMR,Bank 3", nullptr},
        {"[St_ChBank]Bank_PMRV,Bank 1", nullptr},
    };
    for (const Case& c : cases) {
        QTreeWidgetItem* node = t.FindNode(c.spec);
        EXPECT_EQ(node != nullptr, c.found != nullptr) << c.spec;
        if (node && c.found) {
            EXPECT_EQ(node->text(0).toStdString(), c.found) << c.spec;
        }
    }
    EXPECT_EQ(t.FindNode("[St_ChBank]Bank_PMR,Bank 13"), channels->child(1));
}

TEST_F(TreeTest, FilteringByAFlagDeletesTheFlaggedNodesWithTheirChildren) {
    const struct Case {
        int flag;
        const char* shape;
    } cases[] = {
        {0, "Radio(Common(General,Timers),Channels,Signalling(Call List,Status),No Sheet),Second"},
        {1,
         "Radio(Common(General),Channels,Signalling(Call List,Status),Maker(Squelch),No Sheet),"
         "Second"},
        {3, "Radio(Common(General,Timers),Channels,Maker(Squelch),No Sheet),Second"},
        {6,
         "Radio(Common(General,Timers),Channels,Signalling(Call List),Maker(Squelch),No Sheet),"
         "Second"},
        {7,
         "Radio(Common(General,Timers),Channels,Signalling(Call List,Status),Maker,No Sheet),"
         "Second"},
        {2,
         "Radio(Common(General,Timers),Channels,Signalling(Call List,Status),Maker(Squelch),"
         "No Sheet),Second"},
        {8,
         "Radio(Common(General,Timers),Channels,Signalling(Call List,Status),Maker(Squelch),"
         "No Sheet),Second"},
    };
    for (const Case& c : cases) {
        cuiTree& t = Make();
        t.FilterByFlag(c.flag);
        EXPECT_EQ(Shape(t.View()), c.shape) << "flag " << c.flag;
    }
    // Filters add up, as the model object applies them one after the other.
    cuiTree& t = Make();
    for (int flag : {0, 3, 1}) {
        t.FilterByFlag(flag);
    }
    EXPECT_EQ(Shape(t.View()), "Radio(Common(General),Channels,No Sheet),Second");
    EXPECT_EQ(Node("Maker_Squelch"), nullptr);
}

TEST_F(TreeTest, ClearingANodesChildrenKeepsTheNodeForNewOnes) {
    cuiTree& t = Make();
    QTreeWidgetItem* channels = Node("Channels");
    for (int bank = 0; bank < 3; ++bank) {
        AddBank(channels, "LMR", bank);
    }
    EXPECT_EQ(channels->childCount(), 3);
    t.View()->setCurrentItem(channels->child(1));
    t.ClearChildren(channels);
    EXPECT_EQ(channels->childCount(), 0);
    EXPECT_EQ(Node("[St_ChBank]Bank_LMR,Bank 1"), nullptr);
    EXPECT_NE(t.GetSelectedCell(), nullptr);  // the selection moved to a node that stays

    AddBank(channels, "PMRV", 7);
    EXPECT_EQ(Shape(t.View(), channels), "Bank");
    EXPECT_EQ(cuiTree::ImageIndex(channels->child(0)), 4);
    EXPECT_EQ(Node("[St_ChBank]Bank_PMRV,Bank 7"), channels->child(0));
    t.ClearChildren(nullptr);  // nothing to clear
    EXPECT_EQ(t.NodeCount(), 13);
}

TEST_F(TreeTest, OverlaysMarkListedNodesAndTheClosedNodesAboveThem) {
    cuiTree& t = Make();
    QTreeWidgetItem* root = t.View()->topLevelItem(0);
    QTreeWidgetItem* common = Node("Common");
    const std::vector<std::string> warnings = {"Common_General", "Sig"};
    const std::vector<std::string> errors = {"Common_General"};
    auto overlays = [&] {
        std::string out;
        for (QTreeWidgetItem* node : t.Nodes()) {
            const int o = cuiTree::Overlay(node);
            out += o == cuiTree::kNoOverlay ? '.' : static_cast<char>('0' + o);
        }
        return out;
    };

    // Radio is open, Common closed: Common shows the mark of its child, Radio does not.
    EXPECT_EQ(t.MarkOverlays(root, warnings, cuiTree::kWarningOverlay), 2);
    EXPECT_EQ(overlays(), ".11..1......");
    EXPECT_EQ(t.MarkOverlays(root, errors, cuiTree::kErrorOverlay), 1);
    EXPECT_EQ(overlays(), ".00..1......");  // the error mark wins

    // An open parent is marked only for its own spec; closing it waits for the next pass.
    t.ClearOverlays(root);
    EXPECT_EQ(overlays(), "............");
    common->setExpanded(true);
    EXPECT_EQ(t.MarkOverlays(root, warnings, cuiTree::kWarningOverlay), 2);
    EXPECT_EQ(overlays(), "..1..1......");
    common->setExpanded(false);
    EXPECT_EQ(overlays(), "..1..1......");

    // Clearing reaches a node and its descendants only.
    t.SetOverlay(t.View()->topLevelItem(1), cuiTree::kErrorOverlay);
    t.ClearOverlays(common);
    EXPECT_EQ(overlays(), ".....1.....0");
    EXPECT_EQ(t.MarkOverlays(nullptr, warnings, 1), 0);
}

TEST_F(TreeTest, OverlaysAreDrawnOverTheNodesIcon) {
    cuiTree& t = Make();
    QTreeWidgetItem* channels = Node("Channels");
    Show();
    auto painted = [&] {
        const QImage shot = t.View()->viewport()->grab().toImage();
        return CountMarkPixels(shot, t.View()->visualItemRect(channels));
    };
    MarkPixels plain = painted();
    EXPECT_EQ(plain.red, 0);
    EXPECT_EQ(plain.yellow, 0);

    t.SetOverlay(channels, cuiTree::kErrorOverlay);
    MarkPixels error = painted();
    EXPECT_GT(error.red, 8);
    EXPECT_EQ(error.yellow, 0);

    t.SetOverlay(channels, cuiTree::kWarningOverlay);
    MarkPixels warning = painted();
    EXPECT_EQ(warning.red, 0);
    EXPECT_GT(warning.yellow, 8);

    // The mark sits in the icon's lower right and leaves the rest of the picture as it was.
    const QImage icon = channels->icon(0).pixmap(16, 16).toImage();
    EXPECT_GT(CountMarkPixels(icon, QRect(6, 6, 10, 10)).yellow, 8);
    EXPECT_EQ(CountMarkPixels(icon, QRect(0, 0, 16, 6)).yellow, 0);

    t.SetOverlay(channels, cuiTree::kNoOverlay);
    plain = painted();
    EXPECT_EQ(plain.red + plain.yellow, 0);
}

TEST_F(TreeTest, TheChangeDelayDeliversOneChangeAfterQuickMoves) {
    cuiTree& t = Make();
    std::vector<std::string> changes;
    t.SetOnChange([&](QTreeWidgetItem* node) {
        changes.push_back(node ? node->text(0).toStdString() : "-");
    });
    t.SetChangeDelay(200);
    Show();

    t.View()->setCurrentItem(t.View()->topLevelItem(0));
    rig.time.Advance(199);
    EXPECT_TRUE(changes.empty());
    rig.time.Advance(1);
    EXPECT_EQ(changes, std::vector<std::string>{"Radio"});
    EXPECT_EQ(*t.GetSelectedCell()->optionText, "Top");

    // Three quick steps down: one change, for the node the user rests on, a delay after it.
    changes.clear();
    for (int step = 0; step < 3; ++step) {
        QTest::keyClick(t.View(), Qt::Key_Down);
        rig.time.Advance(50);
    }
    rig.time.Advance(149);
    EXPECT_TRUE(changes.empty());
    rig.time.Advance(1);
    EXPECT_EQ(changes, std::vector<std::string>{"Signalling"});
    rig.time.Advance(1000);
    EXPECT_EQ(changes.size(), 1u);

    // A click selects as well.
    changes.clear();
    QTest::mouseClick(t.View()->viewport(), Qt::LeftButton, {},
                      t.View()->visualItemRect(Node("Channels")).center());
    rig.time.Advance(200);
    EXPECT_EQ(changes, std::vector<std::string>{"Channels"});

    // Without a delay every change is delivered at once.
    changes.clear();
    t.SetChangeDelay(0);
    QTest::keyClick(t.View(), Qt::Key_Up);
    QTest::keyClick(t.View(), Qt::Key_Up);
    EXPECT_EQ(changes, (std::vector<std::string>{"Common", "Radio"}));
}

TEST_F(TreeTest, TheChangeDelayOfATableIsAPlainNumberOfMilliseconds) {
    const struct Case {
        const char* line;
        int ms;  // -1: the fatal layout error
    } cases[] = {
        {"200", 200}, {" 150\t", 150}, {"0", 0}, {"10000", 10000},    {"10001", -1},
        {"-5", -1},   {"2OO", -1},     {"", -1}, {"99999999999", -1},
    };
    for (const Case& c : cases) {
        const char* const lines[] = {"#GI_Sys_TreeChangeDelay", c.line, "#End_Of_Ovl"};
        cmcGTex delays;
        delays.SetLines(lines);
        if (c.ms >= 0) {
            EXPECT_EQ(cuiTree::ReadChangeDelay(delays), c.ms) << c.line;
        } else {
            EXPECT_THROW(cuiTree::ReadChangeDelay(delays), platform::FatalError) << c.line;
        }
    }
    ASSERT_FALSE(rig.boxes.fatals.empty());
    EXPECT_EQ(rig.boxes.fatals.back(), "Illegal tree change delay.\n'99999999999'");
}

TEST_F(TreeTest, TheTreeLetsGoOfItsViewWhenItsPanelIsDestroyed) {
    cuiTree& t = Make();
    rig.bus->Send(EV_ControlDestroyed, 0, reinterpret_cast<intptr_t>(t.View()));
    ASSERT_NE(t.View(), nullptr);
    EXPECT_EQ(t.NodeCount(), 12);

    rig.bus->Send(EV_ControlDestroyed, 0, reinterpret_cast<intptr_t>(&panel));
    EXPECT_EQ(t.View(), nullptr);
    EXPECT_TRUE(panel.findChildren<QTreeWidget*>().isEmpty());
    EXPECT_EQ(t.NodeCount(), 0);
    EXPECT_EQ(t.FindNode("Top"), nullptr);
    EXPECT_EQ(t.GetSelectedCell(), nullptr);
    EXPECT_EQ(t.AddNode(nullptr, "+Late\t{(%CallSheet:Late)}"), nullptr);
    t.Build();
    EXPECT_EQ(t.NodeCount(), 0);
}

class BankTreeTest : public TreeTest {
protected:
    BankTreeTest() {
        iuiTree& t = Make<iuiTree>();
        channels = Node("Channels");
        for (int bank = 0; bank < 16; ++bank) {
            AddBank(channels, "PMR", bank);
        }
        // A node of another style whose arguments look like a bank's.
        other = t.AddNode(channels, "+Overview\t{(%CallSheet:[St_Common]Bank_PMR,Bank 2)}");
    }

    std::string Icons() {
        std::string out;
        for (int i = 0; i < channels->childCount(); ++i) {
            out += std::to_string(cuiTree::ImageIndex(channels->child(i)));
        }
        return out;
    }

    QTreeWidgetItem* channels = nullptr;
    QTreeWidgetItem* other = nullptr;
};

TEST_F(BankTreeTest, BankIconsFollowTheBankTableAtTheNextPump) {
    cmcEeprom& image = rig.shell.image;
    SetBankSize(image, 1, 5);  // channels
    SetBankFlag(image, 2, 1);  // flag
    SetBankSize(image, 3, 2);  // both
    SetBankFlag(image, 3, 1);
    SetBankSize(image, 12, 1);
    rig.bus->Post(EV_RefreshBankMarks);
    EXPECT_EQ(Icons(), "44444444444444442");  // queued: nothing yet
    rig.time.Advance(20);
    EXPECT_EQ(Icons(), "45674444444454442");
    EXPECT_EQ(cuiTree::SelectedIndex(channels->child(3)), 7);

    SetBankSize(image, 1, 0);
    SetBankFlag(image, 3, 0);
    rig.bus->Post(EV_RefreshBankMarks);
    rig.time.Advance(20);
    EXPECT_EQ(Icons(), "44654444444454442");
}

TEST_F(BankTreeTest, RenamingABankChangesOnlyThatBanksText) {
    auto& t = static_cast<iuiTree&>(*tree);
    QTreeWidgetItem* bank2 = channels->child(2);
    t.SetImageIndex(bank2, 6);
    t.SetSelectedIndex(bank2, 9);
    rig.bus->PostText(EV_RenameBank, 0, 2, "3: Fire");
    rig.bus->PostText(EV_RenameBank, 0, 1, "2: Works");
    rig.time.Advance(20);

    for (int i = 0; i < channels->childCount(); ++i) {
        const std::string text = channels->child(i)->text(0).toStdString();
        EXPECT_EQ(text, i == 2    ? "3: Fire"
                        : i == 1  ? "2: Works"
                        : i == 16 ? "Overview"
                                  : "Bank")
            << i;
    }
    EXPECT_EQ(cuiTree::ImageIndex(bank2), 6);
    EXPECT_EQ(cuiTree::SelectedIndex(bank2), 6);      // the icon stays as the node shows it
    EXPECT_EQ(channels->child(12)->text(0), "Bank");  // bank 12 is not bank 1
    EXPECT_EQ(other->text(0), "Overview");
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

}  // namespace
