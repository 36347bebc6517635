// The program's own text table: the menu, tool-bar and pop-up-menu sections parse, and every
// command line names an item.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QToolBar>

#include "common/cmcGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellObj.h"
#include "tests/support/FakeShell.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/ui/support/DispatchDouble.h"
#include "tests/ui/support/TestApp.h"
#include "ui/paint/ToolBarImages.h"
#include "ui/widgets/cuiMenu.h"
#include "ui/widgets/cuiToolBar.h"

namespace {

struct Section {
    const char* base;
    bool levelled;  // menu lines carry the level before a "+"
    int commands;   // lines that name an item
};

TEST(ProgramTable, MenuToolBarAndPopupSectionsParse) {
    testsupport::RecordingBoxes boxes;
    cmcGTex table;
    table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
    EXPECT_EQ(table.GetValue("GI_Sys_AppTitle"), "Tarnwick");
    for (const Section& section :
         {Section{"GI_Menu_Main", true, 41}, Section{"GI_ToolBar_Main", false, 10},
          Section{"GI_PMenu_NoItem", true, 1}, Section{"GI_PMenu_Edit", true, 9}}) {
        cmcCellObj tmpl;
        cmcCellObj::ParseDefinition(tmpl,
                                    table.GetLine(std::string(section.base) + "_BasicCell", 0),
                                    nullptr, nullptr, false);
        const std::string body = std::string(section.base) + "_Body";
        int commands = 0;
        for (int n = 0;; ++n) {
            const std::string line = table.GetLine(body, n);
            if (line.starts_with("#")) {
                break;
            }
            const std::size_t plus = section.levelled ? line.find('+') : std::string::npos;
            ASSERT_TRUE(!section.levelled || plus != std::string::npos) << line;
            cmcCellObj cell;
            cmcCellObj::ParseDefinition(cell, line.substr(plus + 1), nullptr, &tmpl, false);
            EXPECT_FALSE(cell.GetCaption().empty()) << line;
            commands += cell.item != kItemNone;
        }
        EXPECT_EQ(commands, section.commands) << section.base;
    }
    EXPECT_TRUE(boxes.fatals.empty());
}

}  // namespace

namespace {

// The program's menu bar and tool bar, built from its own table; MERROW_MENUS_SCREENSHOT names
// a PNG file to draw the window and its opened File and Port menus into.
TEST(ProgramTable, MainMenuAndToolBarOfTheProgram) {
    testsupport::EnsureTestApp();
    testsupport::RecordingBoxes boxes;
    testsupport::FakeShell shell;
    testsupport::CommandRows rows;
    cmcGTex table;
    table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
    const cuiImageList images = ToolBarImages();
    QMainWindow window;
    window.setCentralWidget(new QLabel("Sheet area"));
    window.resize(720, 160);
    cuiMenu menu(&window, window.menuBar(), table, "GI_Menu_Main", {},
                 testsupport::CommandRows::Registry());
    menu.Build();
    cuiToolBar bar(&window, table, "GI_ToolBar_Main", images, testsupport::CommandRows::Registry());
    bar.Build();

    QStringList top;
    for (const QAction* item : window.menuBar()->actions()) {
        top << item->text();
    }
    EXPECT_EQ(top.join(' '), "&File &Edit &View &Port &Clone &Model &Help");
    ASSERT_EQ(bar.Rows().size(), 1u);
    EXPECT_EQ(bar.Rows()[0]->actions().size(), 12);

    // The Edit item shows the no-item section until a sheet mirrors its pop-up menu.
    menu.AddItems(menu.FindItem(nullptr, CL_Menu_Edit_Top), "GI_PMenu_NoItem_Body", 0, nullptr);
    EXPECT_TRUE(menu.FindItem(nullptr, CL_PMenu_NoItem));

    rows.Set(CL_Menu_Port_Com, 1, kStateChecked);
    rows.Set(CL_Menu_Port_SpeedHigh, 0, kStateChecked);
    rows.Set(CL_Menu_File_Recent, 0, kStateCaptionReplaced, "&1 radio.dat");
    for (int i = 1; i < 10; ++i) {
        rows.Set(CL_Menu_File_Recent, i, kStateHidden | kStateDisabled);
    }
    rows.Set(CL_Menu_View_ToolBar, 0, kStateChecked);
    menu.UpdateAll();
    bar.UpdateButtons();
    EXPECT_TRUE(menu.FindItem(nullptr, CL_Menu_Port_Com)->isChecked());
    EXPECT_EQ(menu.FindItem(nullptr, CL_Menu_File_Recent)->text(), "&1 radio.dat");
    EXPECT_TRUE(boxes.fatals.empty());

    if (const char* path = std::getenv("MERROW_MENUS_SCREENSHOT")) {
        window.show();
        QMenu* file = window.menuBar()->actions()[0]->menu();
        QMenu* port = window.menuBar()->actions()[3]->menu();
        file->adjustSize();
        port->adjustSize();
        const QPixmap shot = window.grab();
        QPixmap sheet(shot.width() + 20 + port->width(),
                      shot.height() + std::max(file->height(), port->height()) + 10);
        sheet.fill(Qt::darkGray);
        QPainter painter(&sheet);
        painter.drawPixmap(0, 0, shot);
        painter.drawPixmap(0, shot.height() + 10, file->grab());
        painter.drawPixmap(file->width() + 10, shot.height() + 10, port->grab());
        painter.end();
        sheet.save(path);
    }
}

}  // namespace
