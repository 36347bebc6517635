// The main window as the program builds it from its own data: menu, tool bar, tree, sheets
// opened from the tree with their history, the warning marks on the tree, the status bar, the
// disabled window and the image check.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QSplitter>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/image/BankTable.h"
#include "radio/image/ImageWords.h"
#include "radio/memmap/items/ItemGroups.h"
#include "tests/ui/support/DialogRig.h"
#include "tests/ui/support/MainRig.h"
#include "tests/ui/support/ProgramFolder.h"
#include "ui/paint/TreeImages.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/sheet/iuiTree.h"
#include "ui/widgets/cuiGrid.h"
#include "ui/widgets/cuiMenu.h"
#include "ui/widgets/cuiStatusBar.h"
#include "ui/widgets/cuiToolBar.h"

namespace {

using testsupport::MainRig;
using testsupport::ProgramFolder;

QStringList Captions(const QTreeWidgetItem* node) {
    QStringList out;
    for (int i = 0; i < node->childCount(); ++i) {
        out << node->child(i)->text(0);
    }
    return out;
}

class MainWindowTest : public ::testing::Test {
protected:
    ProgramFolder folder;
    MainRig rig;
};

TEST_F(MainWindowTest, BuildsTheWholeWindowFromTheProgramsOwnData) {
    rig.Start();
    TForm1& form = *rig.form;
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "Untitled - Tarnwick");
    // Windows and boxes keep their own captions: no display name for Qt to add to them.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    EXPECT_EQ(form.minimumSize(), QSize(400, 200));
    EXPECT_EQ(form.frameGeometry().topLeft(), QPoint(128, 61)) << "the default on 1280 x 1024";
    EXPECT_EQ(form.size(), QSize(1024, 819));

    QStringList menus;
    for (const QAction* item : form.menuBar()->actions()) {
        menus << item->text();
    }
    EXPECT_EQ(menus.join(' '), "&File &Edit &View &Port &Clone &Model &Help");
    ASSERT_EQ(rig.main->ToolBar()->Rows().size(), 1u);
    EXPECT_EQ(rig.main->ToolBar()->Rows()[0]->actions().size(), 12);
    EXPECT_TRUE(rig.main->ToolBar()->IsVisible());

    // The tree in the left panel of the splitter, filtered for LMR.
    const auto* splitter = qobject_cast<QSplitter*>(form.centralWidget());
    ASSERT_TRUE(splitter);
    EXPECT_EQ(splitter->widget(0), rig.main->TreePanel());
    EXPECT_EQ(splitter->widget(1), rig.main->SheetPanel());
    const QTreeWidgetItem* top = rig.main->Tree()->NodeAt(0);
    EXPECT_EQ(top->text(0), "Merrow (LMR)");
    EXPECT_EQ(Captions(top).join(", "),
              "Common Settings, Keys and Display, Set Mode, Memory Channels, Scan, DTMF, "
              "Two-Tone");
    EXPECT_EQ(rig.main->OpenedSheet(), nullptr);
    rig.Advance(60);
    const QTreeWidgetItem* channels = rig.Node("GI_Sheet_Memory_CH_Top");
    ASSERT_EQ(channels->childCount(), 17);
    EXPECT_EQ(channels->child(0)->text(0), "Bank Operation");
    EXPECT_TRUE(channels->child(1)->text(0).startsWith("1: ")) << "labelled by the bank";
    EXPECT_EQ(rig.Node("[St_ChBank]GI_Sheet_Mch_LMR,Bank 15"), channels->child(16));

    // The heartbeat opens the selected node's sheet.
    ASSERT_NE(rig.main->OpenedSheet(), nullptr);
    EXPECT_EQ(rig.main->OpenedSheetSpec(), "[St_Common]GI_Sheet_Radio_Top");
    EXPECT_EQ(rig.main->OpenedSheet()->GetTitle(), "Merrow");
    EXPECT_TRUE(rig.main->OpenedSheet()->Grid()->isVisible());

    EXPECT_EQ(rig.main->StatusBar()->PanelCount(), 3) << "status text, port and the last";
    EXPECT_TRUE(rig.boxes.fatals.empty());
    EXPECT_TRUE(rig.boxes.boxes.empty());
}

// At the first start the tree panel shows every name of the tree whole, whichever branch is
// opened; a width the user chose is kept.
TEST_F(MainWindowTest, TheFirstStartFitsTheTreesLongestName) {
    rig.Start();
    rig.Advance(60);
    QTreeWidget* view = rig.main->Tree()->View();
    view->expandAll();
    QApplication::processEvents();
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.font = view->font();
    option.decorationSize = view->iconSize();
    for (QTreeWidgetItem* node : rig.main->Tree()->Nodes()) {
        const QRect place = view->visualItemRect(node);
        const int needed =
            view->itemDelegate()->sizeHint(option, view->indexFromItem(node)).width();
        EXPECT_LE(place.left() + needed, view->viewport()->width()) << node->text(0).toStdString();
    }
    testsupport::DialogRig::SaveShot(*rig.form, "main-window-first-start");
    EXPECT_GT(rig.main->TreePanel()->width(), 200) << "wider than the width that cut names";
    EXPECT_LT(rig.main->TreePanel()->width(), rig.form->width() / 2);
}

TEST_F(MainWindowTest, ATreeWidthChosenBeforeIsKept) {
    rig.settings.splitter = 260;
    rig.Start();
    EXPECT_EQ(rig.main->TreePanel()->width(), 260);
}

TEST_F(MainWindowTest, ChoosingATreeNodeOpensItsSheetOnce) {
    rig.Start();
    rig.Advance(300);

    rig.Choose(rig.Node("GI_Sheet_Scan_List"));
    EXPECT_EQ(rig.main->OpenedSheetSpec(), "GI_Sheet_Scan_List");
    const cuiSheet* scan = rig.main->OpenedSheet();
    rig.Choose(rig.Node("GI_Sheet_Scan_List"));
    EXPECT_EQ(rig.main->OpenedSheet(), scan) << "the open sheet is not opened again";

    // The keyboard walks the tree; the channel banks open their bank sheet with arguments.
    QTreeWidget* view = rig.main->Tree()->View();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    rig.Advance(300);
    EXPECT_EQ(rig.main->OpenedSheetSpec(), "[St_Common]GI_Sheet_Scan_Common");
    rig.Choose(rig.Node("[St_ChBank]GI_Sheet_Mch_LMR,Bank 3"));
    EXPECT_EQ(rig.main->OpenedSheet()->GetName(), "GI_Sheet_Mch_LMR");
    EXPECT_EQ(rig.main->OpenedSheet()->GetArgs(), "Bank 3");
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

// Two sheets of many cells, larger than the sheet panel.
std::vector<std::string> LongSheets() {
    std::vector<std::string> lines;
    for (const char* name : {"GI_Sheet_Test_Long", "GI_Sheet_Test_Other"}) {
        lines.push_back(std::string("#") + name + "_Style");
        lines.push_back("(TitleString=Long)(FixedRows=1)");
        lines.push_back(std::string("#") + name + "_BasicCell");
        lines.push_back("{WH(%CT_Null.Flex0)}");
        lines.push_back(std::string("#") + name + "_Cells");
        lines.push_back("{}Name|{}Value|{}Unit|");
        lines.push_back(":(LoopFrom 80)");
        lines.push_back("{S}Setting|{S}Value|{S}Unit|");
        lines.push_back(":(LoopTo)");
    }
    return lines;
}

TEST(MainWindowHistory, ASheetOpensAgainWhereTheUserLeftIt) {
    ProgramFolder folder({.extraSections = LongSheets(), .leftOut = {}, .helpTable = {}});
    MainRig rig;
    rig.Start();
    rig.Advance(300);

    rig.main->OpenSheet("GI_Sheet_Test_Long");
    cuiGrid* grid = rig.main->OpenedSheet()->Grid();
    grid->setFocus();
    for (int i = 0; i < 50; ++i) {
        QTest::keyClick(grid, Qt::Key_Down);
    }
    QTest::keyClick(grid, Qt::Key_Right);
    const cuiGridCoord cell = rig.main->OpenedSheet()->CurrentCell();
    const int top = grid->TopRow();
    ASSERT_EQ(cell.row, 51);
    ASSERT_EQ(cell.col, 1);
    ASSERT_GT(top, 1) << "the sheet scrolled";

    rig.main->OpenSheet("GI_Sheet_Test_Other");
    rig.main->OpenSheet("GI_Sheet_Test_Long");
    EXPECT_EQ(rig.main->OpenedSheet()->CurrentCell(), cell);
    EXPECT_EQ(rig.main->OpenedSheet()->Grid()->TopRow(), top);
    EXPECT_TRUE(rig.main->OpenedSheet()->Grid()->hasFocus()) << "the grid had the focus";

    std::vector<std::string> names;
    for (const SheetPosition& position : rig.main->History().Positions()) {
        names.push_back(position.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"GI_Sheet_Test_Other", "GI_Sheet_Test_Long",
                                               "GI_Sheet_Radio_Top"}));
    rig.main->CloseSheet();
    EXPECT_EQ(rig.main->History().Head()->name, "GI_Sheet_Test_Long");
    EXPECT_EQ(rig.main->History().Positions().size(), 3u) << "one position a sheet";

    // With no sheet open the heartbeat opens the selected node's sheet again.
    rig.Advance(60);
    EXPECT_EQ(rig.main->OpenedSheetSpec(), "[St_Common]GI_Sheet_Radio_Top");
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

// A cell of the open sheet that opens another sheet: the open sheet goes only after its event,
// and the next heartbeat opens the other.
TEST(MainWindowLinks, ACellOfTheOpenSheetOpensAnotherAfterItsEvent) {
    ProgramFolder folder(
        {.extraSections = {"#GI_Sheet_Test_Link_Style", "(TitleString=Links)",
                           "#GI_Sheet_Test_Link_BasicCell", "{WH}", "#GI_Sheet_Test_Link_Cells",
                           "{S(%CT_Null.CallSheet:GI_Sheet_Scan_List)}Scan lists|"},
         .leftOut = {},
         .helpTable = {}});
    MainRig rig;
    rig.Start();
    rig.Advance(100);
    rig.main->OpenSheet("GI_Sheet_Test_Link");
    cuiSheet* links = rig.main->OpenedSheet();
    links->Grid()->setFocus();
    QTest::keyClick(links->Grid(), Qt::Key_Return);
    EXPECT_EQ(rig.main->OpenedSheet(), links) << "not inside its own event";
    rig.Advance(60);
    EXPECT_EQ(rig.main->OpenedSheetSpec(), "GI_Sheet_Scan_List");
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

// Check rows of the test: the marks a test asks for, and how often the checks ran.
struct CheckRows {
    static inline bool userToneWarning = false;
    static inline bool mskError = false;
    static inline int bankError = -1;
    static inline int runs = 0;

    static int UserTones(ItemContext& context, const ItemRow&) {
        ++runs;
        context.capsule.marks |= userToneWarning ? kMarkWarning : 0;
        return 0;
    }
    static int Msk(ItemContext& context, const ItemRow&) {
        context.capsule.marks |= mskError ? kMarkError : 0;
        return 0;
    }
    static int Bank(ItemContext& context, const ItemRow&) {
        context.capsule.marks |= context.capsule.bankContext == bankError ? kMarkError : 0;
        return 0;
    }
    static const ItemRegistry& Registry() {
        static constexpr ItemRow kRows[] = {
            memmap::Special(CL_Check_Mch, &Bank),
            memmap::Special(CL_Check_User_Tone_Encode, &UserTones),
            memmap::Special(CL_Check_Msk_Config, &Msk),
        };
        static const ItemRegistry registry{ListCommandRows(), ItemRegistry::Group(kRows)};
        return registry;
    }
};

TEST_F(MainWindowTest, WarningChecksMarkTheTreeAQuarterSecondAfterTheLastChange) {
    CheckRows::runs = 0;
    rig.settings.modelType = MT_VaskPmr;
    rig.Start(CheckRows::Registry());
    rig.Advance(300);
    const int built = CheckRows::runs;
    EXPECT_GE(built, 1);

    CheckRows::userToneWarning = true;
    CheckRows::mskError = true;
    CheckRows::bankError = 2;
    for (int i = 0; i < 3; ++i) {
        rig.main->RestartWarningCheck();
        rig.Advance(100);
    }
    EXPECT_EQ(CheckRows::runs, built) << "no check while the changes go on";
    rig.Advance(200);
    EXPECT_EQ(CheckRows::runs, built + 1) << "one check after the last change";

    EXPECT_EQ(cuiTree::Overlay(rig.Node("GI_Sheet_UTone_List")), cuiTree::kWarningOverlay);
    EXPECT_EQ(cuiTree::Overlay(rig.Node("GI_Sheet_Msk_Config")), cuiTree::kErrorOverlay);
    EXPECT_EQ(cuiTree::Overlay(rig.Node("GI_Sheet_Msk_Top")), cuiTree::kErrorOverlay)
        << "a collapsed folder shows the mark of a page below it";
    EXPECT_EQ(cuiTree::Overlay(rig.Node("[St_ChBank]GI_Sheet_Mch_PMRV,Bank 2")),
              cuiTree::kErrorOverlay);
    EXPECT_EQ(cuiTree::Overlay(rig.Node("[St_ChBank]GI_Sheet_Mch_PMRV,Bank 1")),
              cuiTree::kNoOverlay);
    EXPECT_EQ(cuiTree::Overlay(rig.Node("GI_Sheet_Scan_List")), cuiTree::kNoOverlay);

    CheckRows::userToneWarning = false;
    CheckRows::mskError = false;
    CheckRows::bankError = -1;
    int errors = -1;
    int warnings = -1;
    rig.main->RunWarningChecks(&errors, &warnings);
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(warnings, 0);
    EXPECT_EQ(cuiTree::Overlay(rig.Node("GI_Sheet_UTone_List")), cuiTree::kNoOverlay);
    EXPECT_TRUE(rig.boxes.fatals.empty());
}

TEST_F(MainWindowTest, StatusTextsAreDrawnInTheirColoursAtTheLeftOfTheFirstPanel) {
    rig.Start();
    cuiStatusBar* bar = rig.main->StatusBar();
    rig.bus->SendText(EV_StatusText, 0x0000FF, 0xFFFFFF, "Reading the radio");
    EXPECT_EQ(rig.main->StatusText(), "Reading the radio");

    const QImage picture = bar->grab().toImage();
    const QRect panel = bar->PanelRect(0);
    EXPECT_EQ(picture.pixelColor(panel.right() - 2, 2), QColor(Qt::white));
    int red = 0;
    for (int x = panel.left(); x < panel.left() + 40; ++x) {
        for (int y = 0; y < panel.height(); ++y) {
            const QColor c = picture.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 100 && c.blue() < 100;
        }
    }
    EXPECT_GT(red, 5) << "red text at the left";

    // The first panel takes what the others leave (the port's and the last), 100 pixels at
    // least.
    ASSERT_EQ(bar->PanelCount(), 3);
    EXPECT_EQ(bar->PanelAt(0).width, bar->width() - bar->PanelAt(1).width - bar->PanelAt(2).width);
    bar->PanelAt(1).width = bar->width();
    rig.main->LayoutStatusBar();
    EXPECT_EQ(bar->PanelAt(0).width, 100);
}

TEST_F(MainWindowTest, ADisabledWindowTakesNoInputAndDoesNotClose) {
    rig.Start();
    rig.Advance(300);
    rig.form->activateWindow();
    QTreeWidget* view = rig.main->Tree()->View();
    view->setFocus();
    QTreeWidgetItem* first = view->currentItem();

    rig.form->Lock();  // a clone exchange starts
    EXPECT_TRUE(rig.form->isEnabled()) << "not greyed";
    QTest::keyClick(view, Qt::Key_Down);
    QTreeWidgetItem* scan = rig.Node("GI_Sheet_Scan_Top");
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(scan).center());
    QTest::keyClick(rig.form.get(), Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(view->currentItem(), first);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu opened";
    EXPECT_FALSE(rig.form->close());
    EXPECT_TRUE(rig.form->isVisible());
    EXPECT_TRUE(rig.boxes.boxes.empty()) << "nothing asked";

    rig.form->Unlock();
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_NE(view->currentItem(), first);
    EXPECT_TRUE(rig.form->close());
}

TEST_F(MainWindowTest, ClosingWithUnsavedChangesAsksFirst) {
    rig.Start();
    rig.Advance(300);
    rig.form->move(100, 120);
    rig.form->resize(640, 480);
    rig.main->CurrentImage().SetByte(504, 'A');
    rig.main->UpdateModified();
    ASSERT_TRUE(rig.main->IsModified());
    const int treeWidth = rig.main->TreePanel()->width();

    // Cancel, and Yes when no name is chosen for the file, keep the window and its saved place.
    for (platform::BoxAnswer answer : {platform::BoxAnswer::Cancel, platform::BoxAnswer::Yes}) {
        rig.boxes.Answer(answer);
        EXPECT_FALSE(rig.form->close());
        EXPECT_TRUE(rig.form->isVisible());
        EXPECT_EQ(rig.settings.windowLeft, 128);
    }
    ASSERT_EQ(rig.boxes.boxes.size(), 2u);
    EXPECT_EQ(rig.boxes.boxes[0].text,
              "The changes to Untitled have not been saved. Save them now?");
    EXPECT_EQ(rig.boxes.boxes[0].caption, "Tarnwick");
    EXPECT_EQ(rig.boxes.boxes[0].buttons, platform::BoxButtons::YesNoCancel);

    rig.boxes.Answer(platform::BoxAnswer::No);
    EXPECT_TRUE(rig.form->close());
    EXPECT_EQ(rig.settings.windowLeft, 100);
    EXPECT_EQ(rig.settings.windowTop, 120);
    EXPECT_EQ(rig.settings.windowWidth, 640);
    EXPECT_EQ(rig.settings.windowHeight, 480);
    EXPECT_EQ(rig.settings.splitter, treeWidth);
    EXPECT_EQ(rig.main->Tree(), nullptr) << "the tree went with the window";
    EXPECT_EQ(rig.main->OpenedSheet(), nullptr);
}

TEST_F(MainWindowTest, AMaximisedWindowSavesItsRestoredPlace) {
    rig.Start();
    rig.form->move(50, 60);
    rig.form->resize(500, 400);
    rig.form->showMaximized();
    QApplication::processEvents();
    ASSERT_NE(rig.form->size(), QSize(500, 400));
    EXPECT_TRUE(rig.form->close());
    EXPECT_EQ(rig.settings.windowLeft, 50);
    EXPECT_EQ(rig.settings.windowTop, 60);
    EXPECT_EQ(rig.settings.windowWidth, 500);
    EXPECT_EQ(rig.settings.windowHeight, 400);
}

TEST_F(MainWindowTest, TheImageCheckReadsTheClosingSignatureOnlyInsideTheImage) {
    rig.Start();
    const cmcEeprom& document = rig.main->CurrentImage();
    ASSERT_EQ(rig.main->CheckImage(document, true), 0) << "the initial image is sound";
    const int end = GetBE16(document.GetData() + 326);
    const struct {
        int end;
        bool valid;
    } cases[] = {{end, true}, {end - 1, false}, {0, false},     {7, false},
                 {8, false},  {32737, false},   {48880, false}, {0xFFFF, false}};
    for (const auto& c : cases) {
        cmcEeprom image;
        image.Assign(document);
        SetBE16(image.GetData() + 326, c.end);
        EXPECT_EQ(rig.main->CheckImage(image, true), c.valid ? 0 : 1) << c.end;
    }
    // Without full the signatures are not looked at; the header still is.
    cmcEeprom image;
    image.Assign(document);
    std::memset(image.GetData() + 256, 0, 8);
    EXPECT_EQ(rig.main->CheckImage(image, false), 0);
    EXPECT_EQ(rig.main->CheckImage(image, true), 1);
}

TEST_F(MainWindowTest, ChannelEventsOpenAndRemoveChannelsOfABank) {
    rig.Start();
    cmcEeprom& image = rig.main->CurrentImage();
    SetBankSize(image, 0, 2);
    SetBankSize(image, 2, 3);
    rig.bus->Send(EV_InsertChannel, 2, 4);
    EXPECT_EQ(GetBankSizeOf(image, 2), 4);
    rig.bus->Send(EV_DeleteChannel, 2, 5);
    rig.bus->Send(EV_DeleteChannel, 2, 5);  // no longer a channel of the bank
    EXPECT_EQ(GetBankSizeOf(image, 2), 3);
    rig.bus->Send(EV_DeleteChannel, 2, 2);
    EXPECT_EQ(GetBankSizeOf(image, 2), 2);
    EXPECT_EQ(GetBankSizeOf(image, 0), 2);
}

}  // namespace
