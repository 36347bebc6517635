#include "ui/dialogs/cuiCloneProgress.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tests/ui/support/DialogRig.h"
#include "ui/widgets/cuiCellBar.h"

namespace {

// The cells painted in the highlight colour, read from the bar's picture; -1 when a lit cell
// follows an unlit one or a cell's last column is lit.
int PaintedCells(cuiCellBar& bar) {
    const QImage image = bar.grab().toImage();
    const QRgb lit = bar.palette().color(QPalette::Highlight).rgb();
    const int width = bar.width() / bar.Cells();
    const int y = bar.height() / 2;
    int count = 0;
    for (int i = 0; i < bar.Cells(); ++i) {
        const bool on = image.pixel(width * i + width / 2, y) == lit;
        if ((on && count != i) || image.pixel(width * (i + 1) - 1, y) == lit) {
            return -1;
        }
        count += on;
    }
    return count;
}

struct Step {
    int litCells;
    CloneStage stage;
    const char* text;
    int shownCells;
};

TEST(cuiCloneProgress, FollowsTheExchangeAndCancelCallsBackOnce) {
    testsupport::DialogRig rig;
    cuiCloneProgress view(&rig.mainWindow, rig.table);
    int cancels = 0;
    view.Open([&] { ++cancels; });
    QWidget* window = view.Window();
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Cloning");
    // Centred before the window manager gave it a frame.
    EXPECT_LE((window->geometry().center() - rig.mainWindow.geometry().center()).manhattanLength(),
              4);
    EXPECT_EQ(view.Bar()->size(), QSize(256, 16));

    const Step script[] = {
        {0, CloneStage::Waking, "Waking the radio", 0},
        {0, CloneStage::Waiting, "Waiting for the radio", 0},
        {1, CloneStage::Reading, "Reading the radio's memory", 1},
        {17, CloneStage::Reading, "Reading the radio's memory", 17},
        {32, CloneStage::Reading, "Reading the radio's memory", 32},
        {33, CloneStage::Finishing, "Finishing", 32},
    };
    const QSize size = window->size();
    for (const Step& step : script) {
        view.Show({step.litCells, step.stage, step.text});
        EXPECT_EQ(PaintedCells(*view.Bar()), step.shownCells) << step.litCells;
        EXPECT_EQ(view.StageLabel()->text(), step.text);
        EXPECT_EQ(window->size(), size) << step.text;  // no jumps from stage to stage
        if (step.litCells == 17) {
            rig.SaveShot(*window, "clone-progress");
        }
    }

    QTest::mouseClick(view.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(cancels, 1);
    EXPECT_FALSE(view.CancelButton()->isEnabled());
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(window->isVisible());  // until the exchange has ended
    view.Close();
    EXPECT_FALSE(window->isVisible());
}

TEST(cuiCloneProgress, EscapeOrClosingPressesCancelAndAReopenedWindowStartsEmpty) {
    testsupport::DialogRig rig;
    cuiCloneProgress view(&rig.mainWindow, rig.table);
    int cancels = 0;
    view.Open([&] { ++cancels; });
    view.Show({20, CloneStage::Writing, "Writing the radio's memory"});
    QTest::keyClick(view.Window(), Qt::Key_Escape);
    EXPECT_EQ(cancels, 1);
    view.Close();
    // A closed window's closure is gone.
    view.Window()->close();
    EXPECT_EQ(cancels, 1);

    view.Open([&] { cancels += 10; });
    EXPECT_EQ(PaintedCells(*view.Bar()), 0);
    EXPECT_TRUE(view.StageLabel()->text().isEmpty());
    EXPECT_TRUE(view.CancelButton()->isEnabled());
    EXPECT_FALSE(view.Window()->close());
    EXPECT_EQ(cancels, 11);
    EXPECT_TRUE(view.Window()->isVisible());
    view.Close();
}

// The window is built when first wanted; a main window gone before that, or after the window
// was built and opened, leaves a view that does nothing.
TEST(cuiCloneProgress, AViewWhoseMainWindowIsGoneDoesNothing) {
    testsupport::DialogRig rig;
    for (const bool openedBefore : {false, true}) {
        auto mainWindow = std::make_unique<QWidget>();
        cuiCloneProgress view(mainWindow.get(), rig.table);
        EXPECT_TRUE(mainWindow->findChildren<QWidget*>().isEmpty()) << "not built at the start";
        if (openedBefore) {
            view.Open([] {});
            ASSERT_NE(view.Window(), nullptr);
        }
        mainWindow.reset();
        EXPECT_EQ(view.Window(), nullptr) << openedBefore;
        EXPECT_EQ(view.Bar(), nullptr);
        EXPECT_EQ(view.CancelButton(), nullptr);
        view.Open([] {});
        view.Show({3, CloneStage::Reading, "Reading the radio's memory"});
        view.Close();
    }
}

}  // namespace
