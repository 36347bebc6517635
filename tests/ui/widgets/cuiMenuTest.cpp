#include "ui/widgets/cuiMenu.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

#include "common/CurrentEvMan.h"
#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "radio/cells/CellCodes.h"
#include "tests/ui/support/DispatchDouble.h"
#include "tests/ui/support/UiRig.h"

namespace {

using testsupport::CommandRows;

// The items under an item as "caption(sub,sub),caption", separators as "-".
std::string Tree(const cuiMenu& menu, const QAction* item = nullptr) {
    std::string out;
    for (const QAction* sub : menu.SubItems(item)) {
        if (!out.empty()) {
            out += ',';
        }
        out += sub->isSeparator() ? std::string("-") : sub->text().toStdString();
        if (!menu.SubItems(sub).isEmpty()) {
            out += "(" + Tree(menu, sub) + ")";
        }
    }
    return out;
}

class MenuTest : public ::testing::Test {
protected:
    MenuTest() { rig.bus->AddListener(&MenuTest::AnswerCurrentCell, this); }

    // Binds the table to the lines; each section pair is "#<name>_BasicCell", "{}",
    // "#<name>_Body", then the body.
    cmcGTex& Table(std::vector<std::string> lines) {
        lines.push_back("#End_Of_Ovl");
        text = std::move(lines);
        pointers.clear();
        for (const std::string& line : text) {
            pointers.push_back(line.c_str());
        }
        table = std::make_unique<cmcGTex>();
        table->SetLines(pointers.data(), static_cast<int>(pointers.size()));
        return *table;
    }

    static void AnswerCurrentCell(void* data, const cmcEvent& event) {
        auto* self = static_cast<MenuTest*>(data);
        if (event.type != EV_QueryCurrentCell) {
            return;
        }
        self->queriedOwners.push_back(event.A);
        const bool asked = event.A == 0 ? self->answerUnowned
                                        : event.A == reinterpret_cast<intptr_t>(self->sheetRoot);
        if (asked) {
            CurrentEvMan()->Answer(reinterpret_cast<intptr_t>(&self->sheetCell), 0);
        }
    }

    QAction* Item(cuiMenu& menu, int code) { return menu.FindItem(nullptr, code); }

    testsupport::UiRig rig;  // before every widget
    CommandRows rows;
    std::vector<std::string> text;
    std::vector<const char*> pointers;
    std::unique_ptr<cmcGTex> table;
    QMainWindow window;
    // The sheet whose pop-up menu answers the current-cell query.
    QMenu* sheetRoot = nullptr;
    cmcCellObj sheetCell = [] {
        cmcCellObj cell;
        cell.category = CT_Mch;
        cell.item = CL_Mch_FreqR;
        return cell;
    }();
    bool answerUnowned = false;
    std::vector<intptr_t> queriedOwners;
};

TEST_F(MenuTest, LevelsOfTheBodyLinesGiveTheTree) {
    struct Case {
        std::vector<std::string> body;
        std::string tree;
        int used;
    } cases[] = {
        {{"#"}, "", 0},
        {{"+A", " +B", " +C", "+D", "#"}, "A(B,C),D", 4},
        {{"+A", "  +B", "+C", "#"}, "A(B),C", 3},
        {{"+A", " +B", "  +C", "+D", "#"}, "A(B(C)),D", 4},
        {{"+A", " +B", "  +C", "   +D", "+E", "#"}, "A(B(C(D))),E", 5},
        {{"..+A", "..+B", "...+C", "+D", "#"}, "A,B(C)", 3},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = {"#M_BasicCell", "{}", "#M_Body"};
        lines.insert(lines.end(), c.body.begin(), c.body.end());
        QMenu root;
        cuiMenu menu(&window, &root, Table(lines), "M", {}, CommandRows::Registry());
        menu.Build();
        EXPECT_EQ(Tree(menu), c.tree) << c.tree;
        menu.ClearItems(nullptr);
        EXPECT_EQ(menu.AddItems(nullptr, "M_Body", 0, nullptr), c.used) << c.tree;
    }
}

TEST_F(MenuTest, ItemsCarryCaptionsAcceleratorsShortcutsAndCells) {
    cuiMenu menu(&window, window.menuBar(),
                 Table({"#M_BasicCell", "{}", "#M_Body", "+&File",
                        " +&Open...\t{(%CL_Menu_File_Open:Ctrl+O)}", " +-",
                        " +&Recent\t{(%CL_Menu_File_Recent[3])(ImageIndex=5)}", "+&Port",
                        " +COM&2\t{(%CL_Menu_Port_Com[2]:no key)}", "#"}),
                 "M", {}, CommandRows::Registry());
    menu.Build();
    EXPECT_EQ(Tree(menu), "&File(&Open...,-,&Recent),&Port(COM&2)");

    QAction* open = Item(menu, CL_Menu_File_Open);
    ASSERT_TRUE(open);
    EXPECT_EQ(open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(cuiMenu::CellOf(open)->GetCaption(), "&Open...");
    QAction* recent = Item(menu, CL_Menu_File_Recent);
    EXPECT_EQ(cuiMenu::CellOf(recent)->index, 3);
    EXPECT_EQ(recent->property("imageIndex").toInt(), 5);
    EXPECT_TRUE(recent->shortcut().isEmpty());
    EXPECT_TRUE(Item(menu, CL_Menu_Port_Com)->shortcut().isEmpty());
    // The top items of the bar open their menus.
    ASSERT_EQ(window.menuBar()->actions().size(), 2);
    EXPECT_TRUE(window.menuBar()->actions()[0]->menu());

    menu.Build();  // a rebuild starts from nothing
    EXPECT_EQ(Tree(menu), "&File(&Open...,-,&Recent),&Port(COM&2)");
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

TEST_F(MenuTest, RefreshTakesCheckedHiddenDisabledAndCaptionsFromTheDispatcher) {
    cuiMenu menu(
        &window, window.menuBar(),
        Table({"#M_BasicCell", "{}", "#M_Body", "+&File", " +One\t{(%CL_Menu_File_Recent[0])}",
               " +Two\t{(%CL_Menu_File_Recent[1])}", "+&Port", " +COM&1\t{(%CL_Menu_Port_Com[1])}",
               " +COM&2\t{(%CL_Menu_Port_Com[2])}", "#"}),
        "M", {}, CommandRows::Registry());
    menu.Build();
    QAction* one = Item(menu, CL_Menu_File_Recent);
    QAction* two = menu.SubItems(window.menuBar()->actions()[0])[1];
    QAction* com1 = Item(menu, CL_Menu_Port_Com);
    QAction* com2 = menu.SubItems(window.menuBar()->actions()[1])[1];

    rows.Set(CL_Menu_File_Recent, 0, kStateCaptionReplaced, "&1 radio.dat");
    rows.Set(CL_Menu_File_Recent, 1, kStateDisabled | kStateHidden, "not asked for");
    rows.Set(CL_Menu_Port_Com, 2, kStateChecked);
    rig.bus->Send(EV_RefreshMenu);
    EXPECT_EQ(one->text(), "&1 radio.dat");
    EXPECT_TRUE(one->isEnabled());
    EXPECT_FALSE(two->isVisible());
    EXPECT_FALSE(two->isEnabled());
    EXPECT_EQ(two->text(), "Two");  // caption not marked as replaced
    EXPECT_FALSE(com1->isChecked());
    EXPECT_TRUE(com2->isChecked());

    // The bits are the dispatcher's answer of each pass, not left over from the last one.
    rows.states.clear();
    rows.Set(CL_Menu_Port_Com, 1, kStateChecked);
    menu.UpdateAll();
    EXPECT_TRUE(com1->isChecked());
    EXPECT_FALSE(com2->isChecked());
    EXPECT_TRUE(two->isVisible());
    EXPECT_TRUE(two->isEnabled());
    EXPECT_EQ(one->text(), "&1 radio.dat");
}

TEST_F(MenuTest, AClickRunsTheItemsCellWithEnter) {
    cuiMenu menu(&window, window.menuBar(),
                 Table({"#M_BasicCell", "{}", "#M_Body", "+&Port",
                        " +COM&2\t{(%CL_Menu_Port_Com[2])}", "#"}),
                 "M", {}, CommandRows::Registry());
    menu.Build();
    rows.Set(CL_Menu_Port_Com, 2, kStateChecked);
    Item(menu, CL_Menu_Port_Com)->trigger();
    ASSERT_EQ(rows.enters.size(), 1u);
    EXPECT_EQ(rows.enters[0].item, CL_Menu_Port_Com);
    EXPECT_EQ(rows.enters[0].index, 2);
    EXPECT_EQ(rows.enters[0].key, 13);
    EXPECT_EQ(rows.enters[0].parentItem, -1);
    EXPECT_EQ(rows.enters[0].control, &window);
    EXPECT_TRUE(Item(menu, CL_Menu_Port_Com)->isChecked());  // the states follow the click

    // A click asks for the current cell without naming an owner; an answer is the parent.
    answerUnowned = true;
    Item(menu, CL_Menu_Port_Com)->trigger();
    ASSERT_EQ(rows.enters.size(), 2u);
    EXPECT_EQ(rows.enters[1].parentItem, CL_Mch_FreqR);
}

TEST_F(MenuTest, ClicksOnItemsLeftBehindByADeletedMenuDoNothing) {
    auto menu = std::make_unique<cuiMenu>(
        &window, window.menuBar(),
        Table({"#M_BasicCell", "{}", "#M_Body", "+&New\t{(%CL_Menu_File_New)}", "#"}), "M",
        cuiMenu::ClickHandler{}, CommandRows::Registry());
    menu->Build();
    QAction* item = window.menuBar()->actions()[0];
    menu.reset();
    item->trigger();
    EXPECT_TRUE(rows.enters.empty());
    EXPECT_FALSE(cuiMenu::CellOf(item));
}

class EditMirror : public MenuTest {
protected:
    EditMirror() {
        Table({"#Main_BasicCell", "{}", "#Main_Body", "+&File", " +&New\t{(%CL_Menu_File_New)}",
               "+&Edit\t{(%CL_Menu_Edit_Top)}", "#", "#Pop_BasicCell", "{(%CT_PopupMenu.)}",
               "#Pop_Body", "+&Edit...\t{(%CL_PMenu_Edit:Enter)}", "+-",
               "+&Copy\t{(%CL_PMenu_Copy:Ctrl+C)}", "#", "#None_BasicCell", "{(%CT_PopupMenu.)}",
               "#None_Body", "+No item\t{(%CL_PMenu_NoItem)}", "#"});
        main = std::make_unique<cuiMenu>(&window, window.menuBar(), *table, "Main",
                                         cuiMenu::ClickHandler{}, CommandRows::Registry());
        main->Build();
        sheetRoot = &popup;
        sheet = std::make_unique<cuiMenu>(
            &window, &popup, *table, "Pop",
            [this](QAction* sender) { sheetClicks.push_back(sender); }, CommandRows::Registry());
        sheet->Build();
    }

    QAction* Edit() { return Item(*main, CL_Menu_Edit_Top); }

    QMenu popup;
    std::unique_ptr<cuiMenu> main;
    std::unique_ptr<cuiMenu> sheet;
    std::vector<QAction*> sheetClicks;
};

TEST_F(EditMirror, BuildsFromTheSourceAndClears) {
    rig.bus->SendText(EV_BuildSubMenu, reinterpret_cast<intptr_t>(sheet.get()), CL_Menu_Edit_Top,
                      "Pop");
    EXPECT_EQ(Tree(*main, Edit()), "&Edit...,-,&Copy");
    QAction* copy = Item(*main, CL_PMenu_Copy);
    EXPECT_EQ(copy->parent(), &popup);  // owned by the sheet's menu
    EXPECT_EQ(copy->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));

    // The mirrored items are served by the sheet's click handler.
    copy->trigger();
    ASSERT_EQ(sheetClicks.size(), 1u);
    EXPECT_EQ(sheetClicks[0], copy);
    EXPECT_TRUE(rows.enters.empty());

    // A refresh asks the sheet for its current cell once for all its items, and runs them
    // with that cell as the parent.
    queriedOwners.clear();
    rows.Set(CL_PMenu_Copy, 0, kStateDisabled);
    main->UpdateAll();
    EXPECT_EQ(
        std::count(queriedOwners.begin(), queriedOwners.end(), reinterpret_cast<intptr_t>(&popup)),
        1);
    EXPECT_FALSE(copy->isEnabled());
    EXPECT_EQ(rows.queryParents[CL_PMenu_Copy], CL_Mch_FreqR);
    EXPECT_EQ(rows.queryParents[CL_Menu_File_New], -1);

    // A queued no-item request does not replace the mirror.
    rig.bus->SendText(EV_BuildSubMenu, reinterpret_cast<intptr_t>(main.get()), CL_Menu_Edit_Top,
                      "None");
    EXPECT_EQ(Tree(*main, Edit()), "&Edit...,-,&Copy");

    rig.bus->Send(EV_ClearSubMenu, 0, CL_Menu_Edit_Top);
    EXPECT_EQ(Tree(*main, Edit()), "");
    EXPECT_FALSE(Item(*main, CL_PMenu_Copy));
    rig.bus->SendText(EV_BuildSubMenu, reinterpret_cast<intptr_t>(main.get()), CL_Menu_Edit_Top,
                      "None");
    EXPECT_EQ(Tree(*main, Edit()), "No item");
    Item(*main, CL_PMenu_NoItem)->trigger();
    ASSERT_EQ(rows.enters.size(), 1u);
    EXPECT_EQ(rows.enters[0].item, CL_PMenu_NoItem);
}

TEST_F(EditMirror, AClickThatChangesTheMirrorIsSafe) {
    sheet = std::make_unique<cuiMenu>(
        &window, &popup, *table, "Pop",
        [this](QAction*) {
            rig.bus->Send(EV_ClearSubMenu, 0, CL_Menu_Edit_Top);
            rig.bus->SendText(EV_BuildSubMenu, reinterpret_cast<intptr_t>(main.get()),
                              CL_Menu_Edit_Top, "None");
        },
        CommandRows::Registry());
    rig.bus->SendText(EV_BuildSubMenu, reinterpret_cast<intptr_t>(sheet.get()), CL_Menu_Edit_Top,
                      "Pop");
    QPointer<QAction> copy = Item(*main, CL_PMenu_Copy);
    copy->trigger();
    EXPECT_EQ(Tree(*main, Edit()), "No item");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(copy.isNull());
}

TEST_F(EditMirror, EventsForItemsNotInTheMenuDoNothing) {
    rig.bus->SendText(EV_BuildSubMenu, reinterpret_cast<intptr_t>(sheet.get()), CL_Menu_Clone_Read,
                      "Pop");
    rig.bus->Send(EV_ClearSubMenu, 0, CL_Menu_Clone_Read);
    rig.bus->Send(EV_ControlDestroyed, 0, reinterpret_cast<intptr_t>(&window));
    EXPECT_EQ(Tree(*main), "&File(&New),&Edit");
}

TEST_F(MenuTest, AShortcutOfTheMenuBarRunsItsItem) {
    cuiMenu menu(&window, window.menuBar(),
                 Table({"#M_BasicCell", "{}", "#M_Body", "+&File",
                        " +&Open...\t{(%CL_Menu_File_Open:Ctrl+O)}", "#"}),
                 "M", {}, CommandRows::Registry());
    menu.Build();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(rows.enters.size(), 1u);
    EXPECT_EQ(rows.enters[0].item, CL_Menu_File_Open);
}

}  // namespace
