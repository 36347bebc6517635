// Start-up of the cloning program: the form from the settings and the table, the fatal end of
// a missing table key, an exception that escapes an event, and the help.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QTest>
#include <QTextBrowser>

#include "common/DecimalNumber.h"
#include "common/TextHelpers.h"
#include "common/cmcHelpGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/CellNameTables.h"
#include "radio/cells/CellNames.h"
#include "radio/memmap/HelpContext.h"
#include "tests/ui/support/MainRig.h"
#include "tests/ui/support/ProgramFolder.h"
#include "ui/dialogs/cuiHelpWindow.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/shell/cuiApplication.h"
#include "ui/widgets/cuiGrid.h"
#include "ui/widgets/cuiMenu.h"

namespace {

using testsupport::MainRig;
using testsupport::ProgramFolder;

TEST(StartUp, TheFormKeepsASavedPlaceOffTheScreenReachable) {
    ProgramFolder folder;
    MainRig rig;
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    rig.settings.windowLeft = work.right() + 500;
    rig.settings.windowTop = work.top() - 100;
    rig.Start();
    EXPECT_EQ(rig.form->frameGeometry().left(), work.left() + work.width() - 16);
    EXPECT_EQ(rig.form->frameGeometry().top(), work.top()) << "the title bar on the screen";
    EXPECT_EQ(rig.form->font().family(), "Liberation Sans");
    EXPECT_EQ(rig.form->font().pixelSize(), 13);
}

// What the window looks like after a start from the stored window settings given (the others
// as a first start saved them).
struct StartedWindow {
    QRect place;
    QList<int> panels;  // tree, sheet
};

StartedWindow StartWith(const std::map<std::string, std::string>& windowPosition) {
    MainRig rig;
    rig.settings.SaveSettings();
    for (const auto& [name, value] : windowPosition) {
        rig.stores.keys["Software\\Zelk\\Tarnwick"]["Window Position"][name] = value;
    }
    rig.settings.LoadSettings();
    rig.Start();
    rig.Advance(100);
    return {rig.form->geometry(), rig.form->findChild<QSplitter*>()->sizes()};
}

// Numbers that no desktop has, put in the settings file by hand or by a fault, give the normal
// window, with its tree and its sheet.
TEST(StartUp, WindowSettingsOutOfRangeGiveANormalWindow) {
    ProgramFolder folder;
    const StartedWindow normal = StartWith({});
    ASSERT_EQ(normal.panels.size(), 2);
    EXPECT_GT(normal.panels[0], 100);
    EXPECT_GT(normal.panels[1], 100);
    const char kLargest[] = "2147483647";
    const char kSmallest[] = "-2147483648";
    struct Case {
        const char* what;
        std::map<std::string, std::string> stored;
    };
    const Case cases[] = {
        {"largest place",
         {{"Left", kLargest}, {"Top", kLargest}, {"Width", kLargest}, {"Height", kLargest}}},
        {"smallest place",
         {{"Left", kSmallest}, {"Top", kSmallest}, {"Width", kSmallest}, {"Height", "0"}}},
        {"largest splitter", {{"SplitterV", kLargest}}},
        {"smallest splitter", {{"SplitterV", kSmallest}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const StartedWindow window = StartWith(c.stored);
        EXPECT_EQ(window.place, normal.place);
        EXPECT_EQ(window.panels, normal.panels);
    }

    // A tree wider than the window leaves the sheet its room.
    const StartedWindow wide = StartWith({{"SplitterV", "30000"}});
    ASSERT_EQ(wide.panels.size(), 2);
    EXPECT_EQ(wide.panels[1], 100);
    EXPECT_EQ(wide.panels[0] + wide.panels[1], normal.panels[0] + normal.panels[1]);
}

TEST(StartUp, AMissingTableKeyIsFatal) {
    ProgramFolder folder(
        {.extraSections = {}, .leftOut = {"GI_Form_Main_BasicCell"}, .helpTable = {}});
    MainRig rig;
    EXPECT_THROW(rig.Start(), platform::FatalError);
    ASSERT_EQ(rig.boxes.fatals.size(), 1u);
    EXPECT_NE(rig.boxes.fatals[0].find("GI_Form_Main_BasicCell"), std::string::npos)
        << rig.boxes.fatals[0];
}

// A missing initial file is said after the file's own box, and the program ends in order: the
// event guard ends the loop without a box of its own.
TEST(StartUp, AMissingInitialFileEndsTheProgramInOrder) {
    ProgramFolder folder({.extraSections = {"#GI_App_InitialFile", "NoSuchFile.tov"},
                          .leftOut = {},
                          .helpTable = {}});
    MainRig rig;
    EXPECT_FALSE(cuiApplication::Guarded([&] {
        rig.Start();
        return true;
    }));
    EXPECT_TRUE(rig.boxes.fatals.empty());
    ASSERT_EQ(rig.boxes.boxes.size(), 2u);
    EXPECT_EQ(rig.boxes.boxes[1].text,
              "Cannot open '" + folder.Path().string() + "/NoSuchFile.tov'.");
    EXPECT_EQ(rig.boxes.boxes[1].caption, "tarnwick");
    EXPECT_EQ(rig.boxes.boxes[1].icon, platform::BoxIcon::Error);
}

// An exception that escapes an event handler is shown and ends the loop; the program then
// shuts down as after a close.
TEST(StartUp, AnEscapingExceptionIsShownAndEndsTheLoop) {
    testsupport::UiRig::App app;
    testsupport::RecordingBoxes boxes;
    EXPECT_TRUE(cuiApplication::Guarded([] { return true; }));
    EXPECT_FALSE(cuiApplication::Guarded([]() -> bool { throw std::runtime_error("Port lost."); }));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Port lost.");
    EXPECT_EQ(boxes.boxes[0].icon, platform::BoxIcon::Error);
}

// A sheet whose cells carry the Edit pop-up menu with its Help entry (F1).
const std::vector<std::string> kHelpSheet = {
    "#GI_Sheet_Test_Help_Style",     "",
    "#GI_Sheet_Test_Help_BasicCell", "{W(PopupMenu=GI_PMenu_Edit)}",
    "#GI_Sheet_Test_Help_Cells",     "{S(%CT_Null.CallSheet:GI_Sheet_Scan_Top)}Scan settings|",
};

TEST(Help, ContentsFromTheMenuAndTheTopicOfACellWithF1) {
    ProgramFolder folder({.extraSections = kHelpSheet, .leftOut = {}, .helpTable = {}});
    MainRig rig;
    rig.Start();
    rig.Advance(100);
    QAction* contents = rig.main->Menu()->FindItem(nullptr, CL_Help_Contents);
    ASSERT_TRUE(contents);
    contents->trigger();
    cuiHelpWindow* help = rig.main->HelpWindow();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->Browser()->source().fileName(), "Tarnwick.html");
    EXPECT_EQ(help->Browser()->source().fragment(), "");
    EXPECT_TRUE(help->Browser()->toPlainText().contains("The serial port on Linux"));

    rig.main->OpenSheet("GI_Sheet_Test_Help");
    QApplication::processEvents();  // the help window's activation
    QApplication::setActiveWindow(rig.form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(rig.form.get()));
    rig.main->OpenedSheet()->Grid()->setFocus();
    QApplication::processEvents();
    QTest::keyClick(rig.main->OpenedSheet()->Grid(), Qt::Key_F1);
    QApplication::processEvents();
    EXPECT_EQ(help->Browser()->source().fragment(), "context-10") << "the main window's topic";
    EXPECT_TRUE(help->Browser()->isBackwardAvailable());
    help->Browser()->backward();
    EXPECT_EQ(help->Browser()->source().fragment(), "");
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

// Every topic the help table names has a context, and every context a topic in the help file.
TEST(Help, TheHelpTableAndTheHelpFileAgree) {
    testsupport::RecordingBoxes boxes;
    cmcHelpGTex help;
    help.SetFileName(MERROW_DATA_DIR "/TarnwickH.OVL");
    QFile file(MERROW_DATA_DIR "/Tarnwick.html");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    std::set<std::string> topics;
    for (const std::string& line : HelpLines(help, "GI_AppItem_Context_ID")) {
        const std::string topic = GetToken(line, '\t', 0).value_or("");
        const int context = ReadDecimal(GetToken(line, '\t', 1).value_or("")).value;
        topics.insert(topic);
        EXPECT_TRUE(
            html.contains(QString("name=\"%1\"").arg(cuiHelpWindow::ContextAnchor(context))))
            << topic << " " << context;
    }
    std::set<std::string> items;
    for (const std::string& line : HelpLines(help, "GI_AppItem_Topic_ID")) {
        const std::string item = GetToken(line, '\t', 0).value_or("");
        EXPECT_TRUE(items.insert(item).second) << item << " has a second topic line";
        EXPECT_LT(ItemNameToCode(item), kCellItemCount) << line;
        EXPECT_TRUE(topics.contains(GetToken(line, '\t', 1).value_or(""))) << line;
    }
    EXPECT_GT(items.size(), 600u) << "the items of every sheet have a topic";
    EXPECT_TRUE(items.contains("CL_Mch_FreqR")) << "the parts' sections are read";
    EXPECT_TRUE(boxes.fatals.empty());
}

}  // namespace
