// The Clone menu of the program's main window against the simulated radio on a fake serial
// line: the read with its progress window, Cancel in that window, and the checks before a write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

#include "common/GetTextBlock.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/clone/indCloneCommands.h"
#include "radio/clone/indCloneMan.h"
#include "radio/image/BankTable.h"
#include "radio/image/ImageLayout.h"
#include "radio/records/datCh.h"
#include "tests/radio/support/CloneRadioPeer.h"
#include "tests/support/FakeSerialLine.h"
#include "tests/ui/support/MainRig.h"
#include "tests/ui/support/ProgramFolder.h"
#include "tools/clone_radio/CloneCable.h"
#include "ui/dialogs/cuiCloneProgress.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/sheet/iuiTree.h"
#include "ui/widgets/cuiCellBar.h"
#include "ui/widgets/cuiGrid.h"
#include "ui/widgets/cuiMenu.h"

namespace {

using testsupport::MainRig;
using testsupport::ProgramFolder;

constexpr int kRadioPart = layout::kRadioPartSize;
constexpr int kComment = 504;

class CloneMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.settings.portNumber = 1;
        rig.settings.highSpeed = 1;
        rig.Start();
        rig.Advance(300);
        // The radio holds the program's initial image with a comment of its own.
        std::copy_n(rig.main->CurrentImage().GetData(), kRadioPart, radio.Memory().begin());
        radio.Memory()[kComment] = 'R';
    }

    void Click(int code) {
        rig.main->Menu()->UpdateAll();
        QAction* item = rig.main->Menu()->FindItem(nullptr, code);
        ASSERT_NE(item, nullptr) << code;
        item->trigger();
    }
    // Runs until the exchange has ended; calls during() at each step while it runs.
    void RunExchange(const std::function<void()>& during = {}) {
        ASSERT_TRUE(rig.time.RunUntil(
            [&] {
                if (during) {
                    during();
                }
                return !rig.main->CloneManager()->IsBusy();
            },
            200000));
        rig.Advance(50);
    }
    QWidget* ProgressWindow() const { return rig.main->CloneProgress()->Window(); }

    ProgramFolder folder;
    MainRig rig;
    testsupport::FakeSerialLine line;
    sim::CloneRadio radio;
    sim::CloneCable cable{radio};
    CloneRadioPeer peer{line, cable};
};

TEST_F(CloneMenuTest, ReadFromTheMenuShowsItsProgressAndTakesTheRadiosImage) {
    bool locked = false;
    int mostLit = 0;
    Click(CL_Menu_Clone_Read);
    RunExchange([&] {
        locked = locked || !rig.form->IsFormEnabled();
        if (ProgressWindow() && ProgressWindow()->isVisible()) {
            mostLit = std::max(mostLit, rig.main->CloneProgress()->Bar()->Lit());
        }
    });
    EXPECT_TRUE(rig.boxes.boxes.empty());
    EXPECT_TRUE(locked) << "the window took no input meanwhile";
    EXPECT_GT(mostLit, 0);
    EXPECT_TRUE(rig.form->IsFormEnabled());
    EXPECT_FALSE(ProgressWindow() && ProgressWindow()->isVisible());
    EXPECT_EQ(std::memcmp(rig.main->CurrentImage().GetData(), radio.Memory().data(), kRadioPart),
              0);
    EXPECT_EQ(rig.form->windowTitle(), "Untitled* - Tarnwick");
}

TEST_F(CloneMenuTest, CancelInTheProgressWindowLeavesTheDocument) {
    cmcEeprom before;
    before.Assign(rig.main->CurrentImage());
    Click(CL_Menu_Clone_Read);
    bool pressed = false;
    RunExchange([&] {
        if (!pressed && ProgressWindow() && ProgressWindow()->isVisible() &&
            rig.main->CloneProgress()->Bar()->Lit() > 4) {
            pressed = true;
            QTest::mouseClick(rig.main->CloneProgress()->CancelButton(), Qt::LeftButton);
        }
    });
    EXPECT_TRUE(pressed);
    EXPECT_TRUE(rig.boxes.boxes.empty()) << "a cancel shows no box";
    EXPECT_TRUE(rig.main->CurrentImage().IsEqual(before));
    EXPECT_EQ(rig.form->windowTitle(), "Untitled - Tarnwick");
    EXPECT_TRUE(rig.form->IsFormEnabled());
}

// A read given up at its 100th frame (a garbled frame, or Cancel) leaves the radio sending
// the rest of its memory for some 20 s. The wait for it shows in the progress window (before
// the failed read's box, or in the retry's identity exchange after a Cancel), and a read
// retried at once from the menu takes the radio's image.
class CloneRetryTest : public CloneMenuTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CloneRetryTest, AReadRetriedAtOnceAfterOneGivenUpHalfWayTakesTheRadiosImage) {
    const bool cancel = GetParam();  // else frame 100 has a bad checksum, once
    if (!cancel) {
        radio.AddFault({sim::CloneFaultKind::BadChecksum, 100, 0, true});
    }
    bool pressed = false;
    bool waitShown = false;
    const auto watch = [&] {
        QWidget* window = ProgressWindow();
        if (!window || !window->isVisible()) {
            return;
        }
        const QString stage = rig.main->CloneProgress()->StageLabel()->text();
        waitShown = waitShown || stage == "Waiting for the radio to stop sending";
        if (cancel && !pressed && rig.main->CloneProgress()->Bar()->Lit() >= 2) {
            pressed = true;
            QTest::mouseClick(rig.main->CloneProgress()->CancelButton(), Qt::LeftButton);
        }
    };
    Click(CL_Menu_Clone_Read);
    RunExchange(watch);
    const size_t boxes = cancel ? 0 : 1;
    ASSERT_EQ(rig.boxes.boxes.size(), boxes);
    EXPECT_EQ(rig.form->windowTitle(), "Untitled - Tarnwick") << "the document stays";

    Click(CL_Menu_Clone_Read);
    RunExchange(watch);
    EXPECT_EQ(rig.boxes.boxes.size(), boxes) << "the retry shows no box";
    EXPECT_TRUE(waitShown);
    EXPECT_EQ(std::memcmp(rig.main->CurrentImage().GetData(), radio.Memory().data(), kRadioPart),
              0);
    EXPECT_EQ(rig.form->windowTitle(), "Untitled* - Tarnwick");
}

INSTANTIATE_TEST_SUITE_P(BadChecksumOrCancel, CloneRetryTest, ::testing::Bool());

TEST_F(CloneMenuTest, WriteOfADocumentWithoutChannelsIsRefusedBeforeTheRadioIsCalled) {
    Click(CL_Menu_Clone_Write);
    ASSERT_EQ(rig.boxes.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes.boxes[0].icon, platform::BoxIcon::Error);
    EXPECT_FALSE(rig.main->CloneManager()->IsBusy());
    EXPECT_TRUE(line.bytes.empty());
}

// Once the progress window has gone, the keys are on the main window's grid again: the first
// Alt+letter opens its menu.
TEST_F(CloneMenuTest, TheFirstAltLetterAfterAnExchangeOpensItsMenu) {
    rig.Choose(rig.Node("GI_Sheet_Scan_List"));
    rig.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(rig.form.get()));
    rig.main->OpenedSheet()->Grid()->setFocus();
    Click(CL_Menu_Clone_Read);
    bool progressShown = false;
    RunExchange([&] {
        progressShown = progressShown || (ProgressWindow() && ProgressWindow()->isVisible());
    });
    ASSERT_TRUE(progressShown);
    rig.Advance(100);  // the sheet opens again over the image read
    ASSERT_NE(rig.main->OpenedSheet(), nullptr);
    EXPECT_EQ(QGuiApplication::focusWindow(), rig.form->windowHandle());
    EXPECT_EQ(QApplication::focusWidget(), rig.main->OpenedSheet()->Grid());
    QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_F, Qt::AltModifier);
    QWidget* menu = QApplication::activePopupWidget();
    const QAction* file = rig.form->menuBar()->actions().value(0);
    ASSERT_TRUE(file && file->text() == "&File");
    EXPECT_TRUE(menu && menu == file->menu());
    if (menu) {
        menu->close();
    }
}

// In maker mode a write first says that it writes the factory adjustments too; Cancel there
// writes nothing.
TEST_F(CloneMenuTest, AWriteInMakerModeFirstCautionsThatItWritesTheAdjustments) {
    rig.main->EnterMakerMode();  // OK to the caution before maker mode
    ASSERT_TRUE(rig.main->InMakerMode());
    EXPECT_NE(rig.boxes.boxes.back().text.find("Enter maker mode?"), std::string::npos);
    cmcEeprom& image = rig.main->CurrentImage();
    SetBankSize(image, 0, 1);
    datCh channel(&image);
    channel.Load(ChannelKindOf(rig.main->CurrentModelType()), 0);
    channel.used = 1;
    channel.rxFreq = channel.txFreq = 146500000;
    channel.Store();
    rig.boxes.boxes.clear();
    rig.boxes.Answer(platform::BoxAnswer::Cancel);
    Click(CL_Menu_Clone_Write);
    RunExchange();
    ASSERT_EQ(rig.boxes.boxes.size(), 1u);
    const std::string& caution = rig.boxes.boxes[0].text;
    EXPECT_EQ(caution, GetTextBlock(rig.table, "GI_Mess_Maker_WriteCaution"));
    EXPECT_NE(caution.find("factory adjustments"), std::string::npos);
    EXPECT_NE(caution.find("Write to the radio"), std::string::npos);
    EXPECT_EQ(caution.find("Enter maker mode?"), std::string::npos);
    EXPECT_EQ(radio.WritesDone(), 0);
    EXPECT_EQ(radio.FramesWritten(), 0);
}

TEST_F(CloneMenuTest, InformationAsksTheRadioWithoutAQuestion) {
    rig.main->CurrentImage().SetByte(kComment, 'X');
    rig.main->UpdateModified();
    Click(CL_Menu_Clone_Info);
    RunExchange();
    EXPECT_TRUE(rig.boxes.boxes.empty());
    EXPECT_EQ(rig.main->CloneCommands()->IdentityBlock()[0], 68);
}

}  // namespace
