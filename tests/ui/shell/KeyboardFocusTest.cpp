// A day's work from the keyboard in the program's own main window, offscreen: the menus open
// by their Alt letters from the grid, the focus comes back to the grid and its current cell
// after every pop-up and box, the cell's pop-up menu opens at the cell from the keyboard, Tab
// leaves the in-place editor, the help window closes by its keys, the user-character editor
// answers keys, and the first right click after coming back from another program opens no
// pop-up menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>
#include <functional>
#include <string>

#include "platform/qt/FocusReturn.h"
#include "platform/qt/QtMessageBoxes.h"
#include "radio/cells/CellCodes.h"
#include "radio/image/ImageLayout.h"
#include "tests/ui/support/CallingSheet.h"
#include "tests/ui/support/MainRig.h"
#include "tests/ui/support/PaintedTexts.h"
#include "tests/ui/support/ProgramFolder.h"
#include "ui/dialogs/cuiHelpWindow.h"
#include "ui/popups/cuiFBitsR.h"
#include "ui/popups/cuiFSegText.h"
#include "ui/popups/cuiFlector.h"
#include "ui/popups/cuiSegEdit.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/sheet/iuiTree.h"
#include "ui/widgets/cuiGrid.h"
#include "ui/widgets/cuiMenu.h"
#include "ui/widgets/cuiPaintBox.h"

namespace {
using testsupport::ChildOf;
using testsupport::MainRig;
using testsupport::PaintedTexts;
using testsupport::ProgramFolder;

constexpr const char* kScanLists = "GI_Sheet_Scan_List";
constexpr const char* kUserChars = "GI_Sheet_KDisp_UserChar";
constexpr const char* kTimers = "[St_Common]GI_Sheet_Common_Timer";
constexpr const char* kBank0 = "[St_ChBank]GI_Sheet_Mch_LMR,Bank 0";
constexpr int kUserCharArea = 536;
constexpr int kActivationWaitMs = 500;

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.Start();
        rig.Advance(300);
    }

    // The sheet of a tree node, its grid focused in the active main window.
    cuiSheet* Open(const char* spec) {
        rig.Choose(rig.Node(spec));
        rig.form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(rig.form.get()));
        Sheet()->Grid()->setFocus();
        rig.Advance(20);
        return Sheet();
    }
    cuiSheet* Sheet() const { return rig.main->OpenedSheet(); }
    // The document becomes the model type's initial file, and the tree that type's tree.
    void UseModel(ModelType model) {
        const std::string initial = rig.table.GetLine("GI_App_InitialFile", model);
        rig.boxes.Answer(platform::BoxAnswer::No);  // the edits before need no saving
        ASSERT_EQ(rig.main->LoadFile((folder.Path() / initial).string()), 0) << initial;
        rig.boxes.boxes.clear();
        rig.Advance(50);
    }
    cuiGrid* Grid() const { return Sheet()->Grid(); }

    // The first selectable cell of the item becomes current.
    cuiGridCoord GoToItem(int item, int index = -1) {
        const cuiSheetCells& cells = Sheet()->Cells();
        for (int row = 0; row < cells.Rows(); ++row) {
            for (int col = 0; col < cells.Cols(); ++col) {
                const clsSheetCellId& entry = cells.At(col, row);
                if (entry.Selectable() && entry.cell.item == item &&
                    (index < 0 || entry.cell.index == index)) {
                    Grid()->MoveTo(col, row);
                    rig.Advance(20);
                    return {col, row};
                }
            }
        }
        ADD_FAILURE() << "no cell of item " << item;
        return {};
    }

    // A key as the keyboard sends it: to the window that has the focus, shortcuts and menu
    // letters first. A key that reaches no window is lost, as it is for the user.
    void Type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        if (QWindow* window = QGuiApplication::focusWindow()) {
            QTest::keyClick(window, key, modifiers);
        }
        rig.Advance(20);
    }
    void TypeText(const QString& text) {
        for (const QChar c : text) {
            if (QWindow* window = QGuiApplication::focusWindow()) {
                QTest::keyClick(window, c.toLatin1());
            }
        }
        rig.Advance(20);
    }

    // The keys work on the grid again: its window is the active one and it has the focus.
    void ExpectKeysOnTheGridAt(cuiGridCoord cell, const std::string& after) {
        testsupport::Settle();
        rig.Advance(20);
        // A window system answers an activation a moment later.
        (void)QTest::qWaitFor(
            [this] {
                return QApplication::activeWindow() == rig.form.get() &&
                       QApplication::focusWidget() == Grid();
            },
            kActivationWaitMs);
        EXPECT_EQ(QApplication::activeWindow(), rig.form.get()) << after;
        EXPECT_EQ(QGuiApplication::focusWindow(), rig.form->windowHandle()) << after;
        EXPECT_EQ(QApplication::focusWidget(), Grid()) << after;
        EXPECT_EQ(Sheet()->CurrentCell(), cell) << after;
    }

    // Esc closes the open menu. Offscreen a pop-up menu takes the window focus and nothing
    // gives it back when the menu closes; a window system leaves it with the main window, as
    // this does.
    void CloseMenu() {
        Type(Qt::Key_Escape);
        rig.form->activateWindow();
        rig.Advance(20);
    }

    QMenu* MenuOfBar(const QString& caption) const {
        for (QAction* item : rig.form->menuBar()->actions()) {
            if (item->text() == caption) {
                return item->menu();
            }
        }
        return nullptr;
    }

    // What one cell of the grid paints.
    std::string Painted(cuiGridCoord cell) const {
        PaintedTexts device;
        {
            QPainter painter(&device);
            Grid()->OnDrawCell(Grid(), cell.col, cell.row,
                               QRect(0, 0, Grid()->ColWidth(cell.col), Grid()->RowHeight(cell.row)),
                               0, painter);
        }
        return device.Joined();
    }

    // A channel in the first line of bank 0, so that its cells can be edited.
    void OpenChannel() {
        const cuiGridCoord freq = GoToItem(CL_Mch_FreqR);
        Type(Qt::Key_1);
        TypeText("46.52");
        Type(Qt::Key_Return);
        Grid()->MoveTo(freq.col, freq.row);
    }

    ProgramFolder folder;
    MainRig rig;
};

// The menu bar's letters reach their menus while the grid has the focus; the Edit menu shows
// the cell's pop-up entries. Esc twice leaves the menu bar with the focus back on the grid.
TEST_F(KeyboardTest, AltLettersOpenTheirMenusFromTheGrid) {
    Open(kScanLists);
    const cuiGridCoord cell = GoToItem(CL_ScanList_Text);
    const struct {
        Qt::Key key;
        const char* menu;
    } letters[] = {{Qt::Key_F, "&File"}, {Qt::Key_E, "&Edit"},  {Qt::Key_V, "&View"},
                   {Qt::Key_P, "&Port"}, {Qt::Key_C, "&Clone"}, {Qt::Key_M, "&Model"},
                   {Qt::Key_H, "&Help"}};
    for (const auto& letter : letters) {
        Type(letter.key, Qt::AltModifier);
        QMenu* menu = MenuOfBar(letter.menu);
        ASSERT_NE(menu, nullptr) << letter.menu;
        EXPECT_EQ(QApplication::activePopupWidget(), menu) << letter.menu;
        EXPECT_FALSE(menu->actions().isEmpty()) << letter.menu;
        CloseMenu();
        Type(Qt::Key_Escape);  // the menu bar's letters end
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << letter.menu;
        ExpectKeysOnTheGridAt(cell, letter.menu);
    }
    // The tree's letters work as before.
    rig.main->Tree()->View()->setFocus();
    Type(Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), MenuOfBar("&File"));
    CloseMenu();
}

// Every pop-up editor and list opened from a cell, closed by its keys, leaves the keys on the
// grid and its current cell: the next arrow key moves the cursor.
TEST_F(KeyboardTest, TheFocusComesBackToTheGridAfterEveryPopup) {
    enum Kind { List, Bits, Text, Char };
    const struct {
        const char* name;
        const char* sheet;
        int item;
        Kind kind;
        Qt::Key close;
        bool twoSteps = false;  // the list's second entry opens a second list
    } popups[] = {
        {"list chosen", kScanLists, CL_ScanList_ScanMode, List, Qt::Key_Return},
        {"list left", kScanLists, CL_ScanList_ScanMode, List, Qt::Key_Escape},
        {"display text stored", kScanLists, CL_ScanList_Text, Text, Qt::Key_Return},
        {"display text left", kScanLists, CL_ScanList_Text, Text, Qt::Key_Escape},
        {"user character stored", kUserChars, CL_CEdit, Char, Qt::Key_Return},
        {"user character left", kUserChars, CL_CEdit, Char, Qt::Key_Escape},
        {"bit set stored", kBank0, CL_Mch_Scan, Bits, Qt::Key_Return},
        {"bit set left", kBank0, CL_Mch_Scan, Bits, Qt::Key_Escape},
        {"second list left", "GI_Sheet_5Tone_RxCode", CL_5TRx_Abc, List, Qt::Key_Escape, true},
    };
    for (const auto& popup : popups) {
        if (popup.item == CL_5TRx_Abc) {
            UseModel(MT_Pmr);  // five-tone codes are a PMR folder
        }
        Open(popup.sheet);
        if (popup.kind == Bits) {
            OpenChannel();
        }
        const cuiGridCoord cell = GoToItem(popup.item);
        Type(Qt::Key_Return);
        QWidget* const opened[] = {ChildOf<cuiFlector>(Grid()), ChildOf<cuiFBitsR>(Grid()),
                                   ChildOf<cuiFSegText>(Grid()), ChildOf<cuiSegEdit>(Grid())};
        QPointer<QWidget> open = opened[popup.kind];
        ASSERT_NE(open, nullptr) << popup.name;
        if (popup.twoSteps) {
            Type(Qt::Key_Down);
            Type(Qt::Key_Return);
            testsupport::Settle();
            open = ChildOf<cuiFlector>(Grid());
            ASSERT_NE(open, nullptr) << popup.name;
            (void)QTest::qWaitForWindowActive(open);
        }
        EXPECT_EQ(QGuiApplication::focusWindow(), open->windowHandle()) << popup.name;
        Type(popup.close);
        EXPECT_TRUE(!open || !open->isVisible()) << popup.name;
        ExpectKeysOnTheGridAt(cell, popup.name);
        Type(Qt::Key_Down);
        EXPECT_EQ(Sheet()->CurrentCell().row, cell.row + 1) << popup.name;
    }
    EXPECT_TRUE(rig.boxes.boxes.empty());
}

// A box of the program, also one that comes while no window is active, belongs to the main
// window; once it is answered the keys are on the grid again.
TEST_F(KeyboardTest, TheFocusComesBackToTheGridAfterABox) {
    platform::qt::QtMessageBoxes qtBoxes;
    testsupport::ScopedBoxes installed(&qtBoxes);
    const auto answerTheBox = [] {
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->parentWidget(), platform::qt::MainWindow());
            QTest::keyClick(box, Qt::Key_Return);
        });
    };
    Open(kScanLists);
    const cuiGridCoord cell = GoToItem(CL_ScanList_Text);

    // Clone > Write of a document without channels says why it does not write.
    answerTheBox();
    rig.main->Menu()->FindItem(nullptr, CL_Menu_Clone_Write)->trigger();
    ExpectKeysOnTheGridAt(cell, "the menu's box");

    // A pop-up that has just closed leaves no active window for a moment.
    Type(Qt::Key_Right);
    const cuiGridCoord next = Sheet()->CurrentCell();
    QWidget popup(Grid(), Qt::Tool | Qt::FramelessWindowHint);
    popup.show();
    popup.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&popup));
    popup.hide();
    answerTheBox();
    platform::Boxes().Show("A box", "Tarnwick", platform::BoxIcon::Warning,
                           platform::BoxButtons::Ok);
    ExpectKeysOnTheGridAt(next, "a box while nothing is active");
}

// Shift+F10 and the Menu key open the current cell's pop-up menu below the cell, wherever the
// mouse is. The Menu key's request (which the window system sends with the mouse's place) is
// taken once a key went up on the grid, as a right click asks for its menu itself.
TEST_F(KeyboardTest, TheKeyboardOpensTheCellsMenuAtTheCell) {
    Open(kScanLists);
    const cuiGridCoord cell = GoToItem(CL_ScanList_Text, 2);
    QCursor::setPos(rig.form->geometry().bottomRight() - QPoint(5, 5));
    const QRect rect = Grid()->CellRect(cell.col, cell.row);
    const QPoint below = Grid()->viewport()->mapToGlobal(QPoint(rect.left(), rect.bottom() + 1));
    const std::function<void()> requests[] = {
        [&] { Type(Qt::Key_F10, Qt::ShiftModifier); },
        [&] {
            Type(Qt::Key_Shift);
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard,
                                      Grid()->mapFromGlobal(QCursor::pos()), QCursor::pos());
            QApplication::sendEvent(Grid(), &menuKey);
        },
    };
    for (const auto& request : requests) {
        request();
        QMenu* menu = Sheet()->PopupMenu();
        ASSERT_TRUE(menu->isVisible());
        EXPECT_EQ(menu->geometry().topLeft(), below);
        EXPECT_EQ(Sheet()->CurrentCell(), cell);
        CloseMenu();
        EXPECT_FALSE(menu->isVisible());
        ExpectKeysOnTheGridAt(cell, "after the menu");
    }
}

// Tab and Shift+Tab in the in-place editor store the typed value and leave the editor, with
// the keys on the grid.
TEST_F(KeyboardTest, TabLeavesTheInPlaceEditorWithTheValueStored) {
    Open(kTimers);
    const struct {
        Qt::KeyboardModifiers modifiers;
        const char* value;
    } tabs[] = {{Qt::NoModifier, "7"}, {Qt::ShiftModifier, "12"}};
    for (const auto& tab : tabs) {
        const cuiGridCoord cell = GoToItem(CL_Comm_AtResetTimer_A);
        TypeText(tab.value);
        ASSERT_TRUE(Sheet()->EditorShowing());
        Type(Qt::Key_Tab, tab.modifiers);
        EXPECT_FALSE(Sheet()->EditorShowing()) << tab.value;
        EXPECT_EQ(Sheet()->Editor()->toPlainText().count('\t'), 0);
        EXPECT_TRUE(rig.main->IsModified());
        EXPECT_NE(Painted(cell).find(tab.value), std::string::npos) << Painted(cell);
        ExpectKeysOnTheGridAt(cell, "after Tab");
    }
}

// Esc and Ctrl+W close the help window, and the keys are on the grid again.
TEST_F(KeyboardTest, EscAndCtrlWCloseTheHelpWindow) {
    Open(kScanLists);
    const cuiGridCoord cell = GoToItem(CL_ScanList_Text);
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Escape, Qt::NoModifier}, {Qt::Key_W, Qt::ControlModifier}}) {
        Type(Qt::Key_F1);
        cuiHelpWindow* help = rig.main->HelpWindow();
        ASSERT_NE(help, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(help));
        Type(key, modifiers);
        EXPECT_FALSE(help->isVisible());
        ExpectKeysOnTheGridAt(cell, "after help");
    }
}

// The arrow keys move the outline over the segments of the user character, Space switches the
// outlined one, Enter stores the character and Esc leaves it as it was.
TEST_F(KeyboardTest, TheUserCharacterEditorAnswersKeys) {
    Open(kUserChars);
    const cuiGridCoord cell = GoToItem(CL_CEdit, 0);
    const auto pattern = [this] {
        const uint8_t* bytes = rig.main->CurrentImage().GetData() + kUserCharArea;
        return bytes[0] << 8 | bytes[1];
    };
    const int before = pattern();
    Type(Qt::Key_Return);
    cuiSegEdit* dialog = ChildOf<cuiSegEdit>(Grid());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->PaintBox()->hasFocus());
    EXPECT_EQ(dialog->Cursor(), 1) << "the top bar";
    const QImage unfocused = [&] {
        dialog->OkButton()->setFocus();
        return dialog->PaintBox()->grab().toImage();
    }();
    dialog->PaintBox()->setFocus();
    EXPECT_NE(dialog->PaintBox()->grab().toImage(), unfocused) << "the outline shows";
    Type(Qt::Key_Space);  // top: 0x2000
    Type(Qt::Key_Down);   // upper middle: 0x0040
    Type(Qt::Key_Space);
    Type(Qt::Key_Left);  // upper left diagonal: 0x0080
    Type(Qt::Key_Space);
    Type(Qt::Key_Right);  // back to the upper middle: off again
    Type(Qt::Key_Space);
    constexpr int kKeyed = 0x2080;
    EXPECT_EQ(dialog->Geometry().Pattern(), (before & 0x4000) | kKeyed);
    EXPECT_EQ(pattern(), before) << "nothing stored yet";
    Type(Qt::Key_Return);
    ExpectKeysOnTheGridAt(cell, "after OK");
    EXPECT_EQ(pattern(), (before & 0x4000) | kKeyed);

    Type(Qt::Key_Return);
    dialog = ChildOf<cuiSegEdit>(Grid());
    ASSERT_NE(dialog, nullptr);
    Type(Qt::Key_Space);
    Type(Qt::Key_Escape);
    ExpectKeysOnTheGridAt(cell, "after Esc");
    EXPECT_EQ(pattern(), (before & 0x4000) | kKeyed);
}

// The first right click after the user comes back from another program opens no pop-up menu
// when it arrives before the program is told it is active again; the one after it does. Coming
// back by activating the window, or a sheet opened meanwhile, clears the flag as well.
TEST_F(KeyboardTest, TheFirstRightClickAfterComingBackOpensNoMenu) {
    const struct {
        const char* name;
        std::function<void()> meanwhile;
        bool firstOpens;
    } returns[] = {
        {"came back by the click", [] {}, false},
        {"came back by activating the window",
         [] { emit qApp->applicationStateChanged(Qt::ApplicationActive); }, true},
        {"a sheet opened meanwhile",
         [this] {
             Open(kTimers);
             Open(kScanLists);
         },
         true},
        {"never left", nullptr, true},
    };
    for (const auto& back : returns) {
        Open(kScanLists);
        if (back.meanwhile) {
            emit qApp->applicationStateChanged(Qt::ApplicationInactive);
            EXPECT_TRUE(rig.main->IsInactive());
            back.meanwhile();
        }
        for (const bool opens : {back.firstOpens, true}) {
            const cuiGridCoord cell = GoToItem(CL_ScanList_Text, 1);
            QTest::mouseClick(Grid()->viewport(), Qt::RightButton, {},
                              Grid()->CellRect(cell.col, cell.row).center());
            EXPECT_EQ(Sheet()->PopupMenu()->isVisible(), opens) << back.name;
            EXPECT_FALSE(rig.main->IsInactive()) << back.name;
            Sheet()->PopupMenu()->hide();
        }
    }
}

}  // namespace
