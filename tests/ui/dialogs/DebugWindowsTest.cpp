// The debug windows as the main window opens them on the bus: the free debug window, the image
// debug window over the program's own sheet, and the debug compare listing with its snapshot.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "radio/image/cmcEeprom.h"
#include "tests/ui/support/DialogRig.h"
#include "tests/ui/support/MainRig.h"
#include "tests/ui/support/PaintedTexts.h"
#include "tests/ui/support/ProgramFolder.h"
#include "ui/widgets/cuiGrid.h"

namespace {

using testsupport::MainRig;
using testsupport::PaintedTexts;
using testsupport::ProgramFolder;

const QColor kRed(255, 0, 0);

std::vector<QWidget*> WindowsTitled(const QString& title) {
    std::vector<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowTitle() == title) {
            found.push_back(widget);
        }
    }
    return found;
}

std::string Hex(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

class DebugWindowsTest : public ::testing::Test {
protected:
    DebugWindowsTest() { rig.Start(); }

    cmcEeprom& Image() { return rig.main->CurrentImage(); }

    // The image debug windows that are open, newest last.
    std::vector<QDialog*> ImageWindows() {
        std::vector<QDialog*> found;
        for (QDialog* dialog : rig.form->findChildren<QDialog*>()) {
            if (dialog->findChild<cuiGrid*>()) {
                found.push_back(dialog);
            }
        }
        return found;
    }

    // What one cell of a grid paints, through the grid's own drawing.
    static PaintedTexts::Text Painted(cuiGrid& grid, int col, int row) {
        PaintedTexts device;
        {
            QPainter painter(&device);
            grid.OnDrawCell(&grid, col, row, QRect(0, 0, grid.ColWidth(col), grid.RowHeight(row)),
                            0, painter);
        }
        return device.texts.empty() ? PaintedTexts::Text{} : device.texts.front();
    }

    static QPushButton* Button(QWidget& window, const QString& caption) {
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (button->text() == caption) {
                return button;
            }
        }
        return nullptr;
    }

    // Runs the debug compare, which shows its window modally, and reads and closes the window.
    struct CompareWindow {
        QString title;
        QRect place;
        std::string listing;
        bool closeFocused = false;
    };
    CompareWindow RunCompare() {
        CompareWindow seen;
        QTimer::singleShot(0, [&seen] {
            QWidget* window = QApplication::activeModalWidget();
            ASSERT_NE(window, nullptr);
            seen.title = window->windowTitle();
            seen.place = window->geometry();
            seen.listing = window->findChild<QPlainTextEdit*>()->toPlainText().toStdString();
            QPushButton* close = Button(*window, "Close");
            ASSERT_NE(close, nullptr);
            seen.closeFocused = window->focusWidget() == close && close->isDefault();
            close->click();
        });
        rig.bus->Send(EV_DebugCompare);
        return seen;
    }

    ProgramFolder folder;
    MainRig rig;
};

TEST_F(DebugWindowsTest, FreeDebugWindowsAddEveryDebugTextAsALine) {
    rig.bus->Send(EV_OpenDebugWindow);
    rig.bus->Post(EV_OpenDebugWindow);
    rig.Advance(20);
    const std::vector<QWidget*> windows = WindowsTitled("Free Debug Window");
    ASSERT_EQ(windows.size(), 2u);
    for (QWidget* window : windows) {
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->parentWidget(), rig.form.get());
        EXPECT_EQ(window->height(), std::max(static_cast<int>(0.8 * rig.form->height()), 100));
    }

    rig.bus->SendText(EV_DebugText, 0, 0, "first");
    windows[0]->close();  // hides it; it still listens
    EXPECT_FALSE(windows[0]->isVisible());
    rig.bus->PostText(EV_DebugText, 0, 0, "second");
    rig.bus->SendText(EV_StatusText, 0x80000008, 0x8000000F, "not a debug text");
    rig.Advance(20);
    for (QWidget* window : windows) {
        EXPECT_EQ(window->findChild<QPlainTextEdit*>()->toPlainText(), "first\nsecond");
    }

    // A window destroyed stops listening; the other goes on.
    delete windows[1];
    rig.bus->SendText(EV_DebugText, 0, 0, "third");
    EXPECT_EQ(windows[0]->findChild<QPlainTextEdit*>()->toPlainText(), "first\nsecond\nthird");
}

TEST_F(DebugWindowsTest, TheImageDebugWindowShowsTheImageAgainstTheSnapshot) {
    Image().SetByte(0x23, 0x5A);
    rig.bus->Send(EV_TakeCompareSnapshot);
    rig.bus->Send(EV_OpenEeDebugWindow);
    ASSERT_EQ(ImageWindows().size(), 1u);
    QDialog& window = *ImageWindows().front();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Tarnwick");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // the main window takes input

    // 16 bytes a line in two columns each, after three heading rows and columns; every line
    // of the image, the sheet as wide as its columns and at most half the screen high.
    cuiGrid& grid = *window.findChild<cuiGrid*>();
    EXPECT_EQ(grid.ColCount(), 3 + 2 * 16);
    EXPECT_EQ(grid.RowCount(), 3 + Image().GetSize() / 16);
    EXPECT_EQ(grid.FixedCols(), 3);
    EXPECT_EQ(grid.FixedRows(), 3);
    EXPECT_TRUE(grid.verticalScrollBar()->isVisible());
    EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());
    EXPECT_LE(grid.height(), window.screen()->geometry().height() / 2);
    EXPECT_EQ(grid.VisibleColCount(), grid.ColCount() - 3);

    EXPECT_EQ(Painted(grid, 0, 0).text, "Address");
    EXPECT_EQ(Painted(grid, 3 + 2 * 0xF, 0).text, "+F");
    EXPECT_EQ(Painted(grid, 0, 3 + 2).text, "0020");
    EXPECT_EQ(Painted(grid, 0, grid.RowCount() - 1).text, "BEE0");
    EXPECT_EQ(Painted(grid, 9, 5).text, "5A");
    EXPECT_NE(Painted(grid, 9, 5).colour, kRed);

    // A change since the snapshot is red until Set Comp takes the image.
    Image().SetByte(0x23, 0xA5);
    EXPECT_EQ(Painted(grid, 9, 5).text, "A5");
    EXPECT_EQ(Painted(grid, 9, 5).colour, kRed);
    testsupport::DialogRig::SaveShot(window, "image-debug");
    Button(window, "Set Comp")->click();
    EXPECT_TRUE(rig.main->CompareSnapshot().IsEqual(Image()));
    EXPECT_NE(Painted(grid, 9, 5).colour, kRed);
}

TEST_F(DebugWindowsTest, TheImageDebugWindowsButtonsAndGoTo) {
    rig.bus->Send(EV_OpenEeDebugWindow);
    rig.bus->Send(EV_OpenEeDebugWindow);
    ASSERT_EQ(ImageWindows().size(), 2u);
    QPointer<QDialog> window = ImageWindows().front();
    cuiGrid& grid = *window->findChild<cuiGrid*>();

    // OK, "Set Comp" and "Redraw" of one size along the bottom, right to left.
    QPushButton* ok = Button(*window, "OK");
    QPushButton* setComp = Button(*window, "Set Comp");
    QPushButton* redraw = Button(*window, "Redraw");
    ASSERT_TRUE(ok && setComp && redraw);
    EXPECT_EQ(ok->size(), setComp->size());
    EXPECT_EQ(ok->size(), redraw->size());
    const QRect okPlace(ok->mapTo(window, QPoint(0, 0)), ok->size());
    EXPECT_EQ(window->width() - okPlace.right() - 1, 5);
    EXPECT_EQ(window->height() - okPlace.bottom() - 1, 5);
    EXPECT_EQ(okPlace.left() - setComp->mapTo(window, QPoint(0, 0)).x() - setComp->width(), 5);
    EXPECT_FALSE(ok->isDefault() || setComp->isDefault() || redraw->isDefault());

    // The go-to selects the byte's cell; an address outside the image selects nothing.
    rig.bus->Send(EV_EeDebugGoto, 0, 0x23);
    EXPECT_EQ(grid.Col(), 9);
    EXPECT_EQ(grid.Row(), 5);
    for (intptr_t outside : {intptr_t{-1}, intptr_t{Image().GetSize()}}) {
        rig.bus->Send(EV_EeDebugGoto, 0, outside);
        EXPECT_EQ(grid.Col(), 9);
        EXPECT_EQ(grid.Row(), 5);
    }
    rig.bus->Send(EV_EeDebugGoto, 0, Image().GetSize() - 1);
    EXPECT_EQ(grid.Col(), 3 + 2 * 15);
    EXPECT_EQ(grid.Row(), grid.RowCount() - 1);

    // Set Comp takes the snapshot at once and redraws once the bus delivers; Redraw redraws too.
    int paints = 0;
    struct PaintCounter : QObject {
        int& count;
        explicit PaintCounter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* event) override {
            count += event->type() == QEvent::Paint;
            return false;
        }
    } counter(paints);
    grid.viewport()->installEventFilter(&counter);
    rig.Advance(20);
    paints = 0;
    Image().SetByte(0, static_cast<uint8_t>(Image().GetByte(0) + 1));
    setComp->click();
    EXPECT_TRUE(rig.main->CompareSnapshot().IsEqual(Image()));
    QApplication::processEvents();
    EXPECT_EQ(paints, 0);
    rig.Advance(20);
    EXPECT_GE(paints, 1);
    paints = 0;
    redraw->click();
    QApplication::processEvents();
    EXPECT_GE(paints, 1);
    grid.viewport()->removeEventFilter(&counter);

    // OK releases the window; the other stays.
    ok->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(ImageWindows().size(), 1u);
    rig.bus->Send(EV_RedrawEeDebug);
    rig.bus->Send(EV_EeDebugGoto, 0, 0x10);
    EXPECT_EQ(ImageWindows().front()->findChild<cuiGrid*>()->Row(), 4);
}

TEST_F(DebugWindowsTest, DebugCompareListsTheChangesSinceTheLastCompare) {
    rig.bus->Send(EV_TakeCompareSnapshot);
    const uint8_t before10 = Image().GetByte(0x10);
    const uint8_t beforeBee0 = Image().GetByte(0xBEE0);
    Image().SetByte(0x10, static_cast<uint8_t>(before10 ^ 0xFF));
    Image().SetByte(0xBEE0, static_cast<uint8_t>(beforeBee0 ^ 0x01));

    CompareWindow seen = RunCompare();
    EXPECT_EQ(seen.title, "Debug compare");
    EXPECT_EQ(seen.listing, "0010 : " + Hex(before10) + " -> " + Hex(before10 ^ 0xFF) +
                                "\nBEE0 : " + Hex(beforeBee0) + " -> " + Hex(beforeBee0 ^ 0x01));
    const QFrame& tree = *rig.main->TreePanel();
    EXPECT_EQ(seen.place, QRect(tree.mapToGlobal(QPoint(0, 0)), tree.size()));
    EXPECT_TRUE(seen.closeFocused);
    EXPECT_TRUE(rig.main->CompareSnapshot().IsEqual(Image()));

    // Nothing changed since: an empty listing, the snapshot still the image.
    EXPECT_EQ(RunCompare().listing, "");
    EXPECT_TRUE(rig.main->CompareSnapshot().IsEqual(Image()));

    // A snapshot of another size cannot be compared; it then takes the image's size and bytes.
    cmcEeprom kept;
    kept.Assign(Image());
    Image().Resize(64);
    rig.bus->Send(EV_TakeCompareSnapshot);
    Image().Assign(kept);
    EXPECT_EQ(rig.main->CompareSnapshot().GetSize(), 64);
    EXPECT_EQ(RunCompare().listing, "Not match size !");
    EXPECT_TRUE(rig.main->CompareSnapshot().IsEqual(Image()));
}

}  // namespace
