// The program's Edit, View, Model and Help menus worked through the real menu bar of the main
// window, the port dialog with the settings behind it, and the clone information window over
// the memory map's cells.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "platform/SerialPortPath.h"
#include "radio/cells/CellCodes.h"
#include "radio/clone/CloneIdentity.h"
#include "radio/host/indEnviron.h"
#include "radio/memmap/indActiveCell.h"
#include "tests/ui/support/DialogRig.h"
#include "tests/ui/support/MainRig.h"
#include "tests/ui/support/PaintedTexts.h"
#include "tests/ui/support/ProgramFolder.h"
#include "ui/dialogs/cuiAboutBox.h"
#include "ui/dialogs/cuiComSelDialog.h"
#include "ui/dialogs/cuiInformation.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/widgets/cuiGrid.h"
#include "ui/widgets/cuiMenu.h"
#include "ui/widgets/cuiStatusBar.h"
#include "ui/widgets/cuiToolBar.h"

namespace {

using testsupport::MainRig;
using testsupport::ProgramFolder;

// The menu-bar entry of the item and index, found through the menus as the user opens them.
QAction* Entry(const QList<QAction*>& actions, int item, int index) {
    for (QAction* action : actions) {
        const cmcCellObj* cell = cuiMenu::CellOf(action);
        if (cell && cell->item == item && cell->index == index) {
            return action;
        }
        if (action->menu()) {
            if (QAction* found = Entry(action->menu()->actions(), item, index)) {
                return found;
            }
        }
    }
    return nullptr;
}

// Each cell of a sheet with an item, as the memory map renders it.
std::map<int, std::string> RenderedCells(const cuiSheet& sheet) {
    std::map<int, std::string> texts;
    const cuiSheetCells& cells = sheet.Cells();
    for (int row = 0; row < cells.Rows(); ++row) {
        for (int col = 0; col < cells.Cols(); ++col) {
            cmcCellObj cell = cells.At(col, row).cell;
            if (cell.item != kItemNone) {
                cmcCellCapsule capsule;
                capsule.cell = &cell;
                indActiveCell().DispatchItem(capsule, 0);
                texts[cell.item] = capsule.outText;
            }
        }
    }
    return texts;
}

class ProgramMenusTest : public ::testing::Test {
protected:
    QAction* Menu(int item, int index = 0) {
        QAction* action = Entry(rig.form->menuBar()->actions(), item, index);
        EXPECT_TRUE(action) << item << "[" << index << "]";
        return action;
    }
    // Runs what the window does next: the heartbeat pumps queued events and reopens a sheet.
    void Settle() { rig.Advance(120); }

    ProgramFolder folder;
    MainRig rig;
};

TEST_F(ProgramMenusTest, ViewMenuSetsTheFontSizeAndTheToolBar) {
    rig.Start();
    Settle();
    ASSERT_TRUE(rig.main->OpenedSheet());
    const std::string spec = rig.main->OpenedSheetSpec();
    const int rowHeight = rig.main->OpenedSheet()->Grid()->RowHeight(0);
    EXPECT_EQ(rig.settings.fontSizePercentage, 100);
    EXPECT_TRUE(Menu(CL_Menu_View_FontSize, 100)->isChecked());

    Menu(CL_Menu_View_FontSize, 200)->trigger();
    Settle();
    EXPECT_EQ(rig.settings.fontSizePercentage, 200);
    EXPECT_TRUE(Menu(CL_Menu_View_FontSize, 200)->isChecked());
    EXPECT_FALSE(Menu(CL_Menu_View_FontSize, 100)->isChecked());
    ASSERT_TRUE(rig.main->OpenedSheet()) << "the sheet is built again";
    EXPECT_EQ(rig.main->OpenedSheetSpec(), spec);
    EXPECT_GT(rig.main->OpenedSheet()->Grid()->RowHeight(0), rowHeight);

    ASSERT_EQ(rig.settings.toolBarVisible, 1);
    QAction* toolBar = Menu(CL_Menu_View_ToolBar);
    EXPECT_TRUE(toolBar->isChecked());
    toolBar->trigger();
    EXPECT_EQ(rig.settings.toolBarVisible, 0);
    EXPECT_FALSE(toolBar->isChecked());
    EXPECT_FALSE(rig.main->ToolBar()->IsVisible());
    toolBar->trigger();
    EXPECT_TRUE(toolBar->isChecked());
    EXPECT_TRUE(rig.main->ToolBar()->IsVisible());
}

// Each type the Model menu offers is chosen there after the question, and shown checked.
TEST_F(ProgramMenusTest, ModelMenuChoosesTheType) {
    rig.Start();
    rig.boxes.Answer(platform::BoxAnswer::Ok);
    for (const auto& [item, model] :
         {std::pair{CL_Model_VaskPmr, MT_VaskPmr}, std::pair{CL_Model_Pmr, MT_Pmr},
          std::pair{CL_Model_Lmr, MT_Lmr}}) {
        Menu(item)->trigger();
        EXPECT_EQ(rig.main->CurrentModelType(), model);
        for (int other : {CL_Model_Lmr, CL_Model_Pmr, CL_Model_VaskPmr}) {
            EXPECT_EQ(Menu(other)->isChecked(), other == item) << item << " " << other;
        }
    }
    EXPECT_EQ(rig.boxes.boxes.size(), 3u);
}

// Without a cell whose pop-up menu it could mirror, the Edit menu holds the greyed no-item
// entry, once.
TEST_F(ProgramMenusTest, EditMenuWithoutACellShowsNoItem) {
    rig.Start();
    Settle();
    rig.main->CloseSheet();
    rig.main->Menu()->UpdateAll();
    Settle();
    rig.main->Menu()->UpdateAll();
    Settle();
    QAction* edit = Menu(CL_Menu_Edit_Top);
    ASSERT_TRUE(edit->menu());
    ASSERT_EQ(edit->menu()->actions().size(), 1);
    QAction* noItem = edit->menu()->actions().at(0);
    EXPECT_EQ(noItem->text(), "No item");
    EXPECT_FALSE(noItem->isEnabled());
    EXPECT_TRUE(noItem->isVisible());
}

// Help > About opens the box over a window that takes no input; the word typed there enters
// maker mode. Help > Contents opens the help window.
TEST_F(ProgramMenusTest, HelpMenuOpensAboutAndContents) {
    rig.Start();
    Menu(CL_Help_About)->trigger();
    Settle();
    auto* about = dynamic_cast<cuiAboutBox*>(QApplication::activeModalWidget());
    ASSERT_TRUE(about);
    EXPECT_EQ(about->windowTitle(), "About Tarnwick");
    rig.boxes.Answer(platform::BoxAnswer::Ok);
    QTest::keyClicks(about->OkButton(), "hearken");
    EXPECT_TRUE(rig.main->InMakerMode());
    QTest::mouseClick(about->OkButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    Menu(CL_Help_Contents)->trigger();
    ASSERT_TRUE(rig.main->HelpWindow());
    EXPECT_TRUE(rig.main->HelpWindow()->isVisible());
}

// OK keeps the number in the settings, Cancel leaves them; the field says which device the
// number opens.
TEST_F(ProgramMenusTest, PortDialogKeepsThePortInTheSettings) {
    rig.Start();
    rig.settings.portNumber = 2;
    const auto answer = [](std::function<void(cuiComSelDialog&)> act) {
        QTimer::singleShot(0, [act] {
            auto* dialog = dynamic_cast<cuiComSelDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            act(*dialog);
        });
    };
    answer([](cuiComSelDialog& dialog) {
        EXPECT_EQ(dialog.Edit()->text(), "2");
        dialog.Edit()->setText(" 12 ");
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    rig.main->SelectComPort();
    EXPECT_EQ(rig.settings.portNumber, 12);

    answer([](cuiComSelDialog& dialog) {
        EXPECT_TRUE(dialog.DeviceLabel()->toolTip().contains(
            QString::fromStdString(platform::SerialPortPath(12))));
        dialog.Edit()->setText("30");
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
    rig.main->SelectComPort();
    EXPECT_EQ(rig.settings.portNumber, 12);
}

// A port beyond COM4, chosen in the dialog: the Port menu's entry names it and is the one
// ticked, and the status bar shows it with the device it opens; back on COM2 the entry is
// plain again.
TEST_F(ProgramMenusTest, AnotherPortShowsInTheMenuAndTheStatusBar) {
    rig.Start();
    const auto statusTexts = [this] {
        testsupport::PaintedTexts device;
        rig.main->StatusBar()->render(&device);
        return device.Joined();
    };
    EXPECT_EQ(statusTexts(), "Port COM1: " + platform::SerialPortPath(1));
    QTimer::singleShot(0, [] {
        auto* dialog = dynamic_cast<cuiComSelDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_NE(dialog->Notice()->text().indexOf("/dev/ttyUSB(n-1)"), -1);
        dialog->Edit()->setText("7");
        testsupport::DialogRig::SaveShot(*dialog, "port-dialog-program");
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    Menu(CL_Menu_Port_Usb)->trigger();
    Settle();
    EXPECT_EQ(rig.settings.portNumber, 7);
    EXPECT_EQ(Menu(CL_Menu_Port_Usb)->text(), "&Other Port: COM7...");
    EXPECT_TRUE(Menu(CL_Menu_Port_Usb)->isChecked());
    for (int port = 1; port <= 4; ++port) {
        EXPECT_FALSE(Menu(CL_Menu_Port_Com, port)->isChecked()) << port;
    }
    EXPECT_EQ(statusTexts(), "Port COM7: " + platform::SerialPortPath(7));
    testsupport::DialogRig::SaveShot(*rig.form, "main-window-port-7");
    // Another device for the number, found again with the next status text.
    setenv("MERROW_COM7", "/dev/ttyACM0", 1);
    rig.bus->SendText(EV_StatusText, 0x80000008, 0x8000000F, "");
    EXPECT_EQ(statusTexts(), "Port COM7: /dev/ttyACM0");
    unsetenv("MERROW_COM7");

    Menu(CL_Menu_Port_Com, 2)->trigger();
    Settle();
    EXPECT_EQ(Menu(CL_Menu_Port_Usb)->text(), "&Other Port...");
    EXPECT_FALSE(Menu(CL_Menu_Port_Usb)->isChecked());
    EXPECT_EQ(statusTexts(), "Port COM2: " + platform::SerialPortPath(2));
}

// The window shows the identity block through the memory map's cells, and closing it gives
// the main window its input back.
TEST_F(ProgramMenusTest, CloneInformationWindowShowsTheIdentityBlock) {
    rig.Start();
    CloneIdentityBlock block{};
    block[34] = 0x31;
    block[45] = 0x02;
    block[46] = 0x05;
    block[48] = 0x0B;
    block[49] = 0x20;
    const std::string comment = "DEPOT NORTH";
    std::copy(comment.begin(), comment.end(), block.begin() + 2);
    const std::string checksum = "be07";
    std::copy(checksum.begin(), checksum.end(), block.begin() + 56);
    rig.main->ShowCloneInformation(block);
    auto* window = dynamic_cast<cuiInformation*>(QApplication::activeModalWidget());
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "Tarnwick");
    const std::map<int, std::string> expected = {
        {CL_CloneInfo_Model, "Merrow (PMR with Vask)"},
        {CL_CloneInfo_Revision, "3.1"},
        {CL_CloneInfo_Comment1, "DEPOT NORTH"},
        {CL_CloneInfo_Comment2, ""},
        {CL_CloneInfo_Option, "Data signalling unit with Vask (MSK)\nDTMF decoder unit\n"},
        {CL_CloneInfo_OverVolt, "Over-voltage recorded"},
        {CL_CloneInfo_CheckSum, "$BE07"},
    };
    EXPECT_EQ(RenderedCells(window->Sheet()), expected);
    window->grab();
    if (const char* shots = std::getenv("MERROW_DIALOG_SHOTS")) {
        window->grab().save(QString(shots) + "/clone-information-program.png");
    }
    QTest::keyClick(window, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
