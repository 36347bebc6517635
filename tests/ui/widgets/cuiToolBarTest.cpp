#include "ui/widgets/cuiToolBar.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "radio/cells/CellCodes.h"
#include "tests/ui/support/DispatchDouble.h"
#include "tests/ui/support/UiRig.h"
#include "ui/paint/ToolBarImages.h"

namespace {

using testsupport::CommandRows;

const char* const kTable[] = {
    "#Bar_BasicCell",
    "{}",
    "#Bar_Body",
    "New File\t{(%CL_Menu_File_New)(ImageIndex=0)}",
    "-",
    "Port COM1\t{(%CL_Menu_Port_Com[1])(ImageIndex=3)}",
    "Port COM2\t{(%CL_Menu_Port_Com[2])(ImageIndex=4)}",
    "/",
    "Read from Radio\t{(%CL_Menu_Clone_Read)(ImageIndex=7)}",
    "#",
    "#Empty_BasicCell",
    "{}",
    "#Empty_Body",
    "#",
    "#End_Of_Ovl",
};

// A row's buttons as "hint,|,hint" with "|" for a separator.
std::string Buttons(const QToolBar* row) {
    std::string out;
    for (const QAction* button : row->actions()) {
        if (!out.empty()) {
            out += ',';
        }
        out += button->isSeparator() ? std::string("|") : button->toolTip().toStdString();
    }
    return out;
}

class ToolBarTest : public ::testing::Test {
protected:
    ToolBarTest() {
        table.SetLines(kTable);
        bar = std::make_unique<cuiToolBar>(&window, table, "Bar", images, CommandRows::Registry());
    }

    QAction* Button(int row, int i) { return bar->Rows()[row]->actions()[i]; }
    QToolButton* Tool(int row, int i) {
        return qobject_cast<QToolButton*>(bar->Rows()[row]->widgetForAction(Button(row, i)));
    }

    testsupport::UiRig rig;  // before every widget
    CommandRows rows;
    cmcGTex table;
    cuiImageList images = ToolBarImages();
    QMainWindow window;
    std::unique_ptr<cuiToolBar> bar;
};

TEST_F(ToolBarTest, ButtonsSeparatorsAndRowBreaksInLineOrder) {
    bar->Build();
    ASSERT_EQ(bar->Rows().size(), 2u);
    EXPECT_EQ(Buttons(bar->Rows()[0]), "New File,|,Port COM1,Port COM2");
    EXPECT_EQ(Buttons(bar->Rows()[1]), "Read from Radio");
    EXPECT_EQ(window.toolBarBreak(bar->Rows()[1]), true);
    EXPECT_FALSE(cuiToolBar::CellOf(Button(0, 1)));  // separators carry no cell
    EXPECT_EQ(cuiToolBar::CellOf(Button(0, 3))->index, 2);
    EXPECT_EQ(Button(0, 2)->icon().cacheKey(), images.Icon(3).cacheKey());
    EXPECT_FALSE(Tool(0, 0)->autoRaise());

    bar->Build();  // a rebuild replaces the buttons
    ASSERT_EQ(bar->Rows().size(), 2u);
    EXPECT_EQ(Buttons(bar->Rows()[0]), "New File,|,Port COM1,Port COM2");
    EXPECT_EQ(window.findChildren<QToolBar*>().size(), 2);

    cuiToolBar empty(&window, table, "Empty", images, CommandRows::Registry());
    empty.Build();
    ASSERT_EQ(empty.Rows().size(), 1u);
    EXPECT_TRUE(empty.Rows()[0]->actions().isEmpty());
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

TEST_F(ToolBarTest, PressedAndEnabledFollowTheDispatcher) {
    bar->Build();
    rows.Set(CL_Menu_Port_Com, 2, kStateChecked);
    rows.Set(CL_Menu_Clone_Read, 0, kStateDisabled);
    rig.bus->Send(EV_RefreshToolBar);
    EXPECT_FALSE(Button(0, 2)->isCheckable());
    EXPECT_TRUE(Button(0, 3)->isCheckable());
    EXPECT_TRUE(Tool(0, 3)->isChecked());
    EXPECT_FALSE(Button(1, 0)->isEnabled());
    EXPECT_TRUE(Button(0, 0)->isEnabled());

    // Unchecked again: back to a plain, raised button.
    rows.states.clear();
    rows.Set(CL_Menu_Port_Com, 1, kStateChecked);
    bar->UpdateButtons();
    EXPECT_FALSE(Button(0, 3)->isCheckable());
    EXPECT_FALSE(Tool(0, 3)->isChecked());
    EXPECT_TRUE(Tool(0, 2)->isChecked());
    EXPECT_TRUE(Button(1, 0)->isEnabled());
}

TEST_F(ToolBarTest, AClickRunsTheButtonsCellWithEnter) {
    bar->Build();
    Button(0, 3)->trigger();
    ASSERT_EQ(rows.enters.size(), 1u);
    EXPECT_EQ(rows.enters[0].item, CL_Menu_Port_Com);
    EXPECT_EQ(rows.enters[0].index, 2);
    EXPECT_EQ(rows.enters[0].key, 13);
    EXPECT_EQ(rows.enters[0].control, &window);

    std::vector<QAction*> clicks;
    bar->Build([&](QAction* sender) { clicks.push_back(sender); });
    Button(1, 0)->trigger();
    EXPECT_EQ(clicks, std::vector<QAction*>{Button(1, 0)});
    EXPECT_EQ(rows.enters.size(), 1u);

    bar->Build();
    QAction* left = Button(0, 0);
    bar.reset();  // the buttons stay with the window
    left->trigger();
    EXPECT_EQ(rows.enters.size(), 1u);
    EXPECT_FALSE(cuiToolBar::CellOf(left));
}

TEST_F(ToolBarTest, ShownAndHiddenTogether) {
    window.show();
    bar->Build();
    bar->SetVisible(false);
    EXPECT_FALSE(bar->IsVisible());
    EXPECT_FALSE(bar->Rows()[0]->isVisible());
    EXPECT_FALSE(bar->Rows()[1]->isVisible());
    bar->Build();  // rebuilt rows keep the setting
    EXPECT_FALSE(bar->Rows()[1]->isVisible());
    bar->SetVisible(true);
    EXPECT_TRUE(bar->Rows()[0]->isVisible());
}

}  // namespace
