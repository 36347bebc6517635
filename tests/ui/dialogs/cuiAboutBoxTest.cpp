#include "ui/dialogs/cuiAboutBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <string>

#include "tests/ui/support/DialogRig.h"

namespace {

class cuiAboutBoxTest : public ::testing::Test {
protected:
    cuiAboutBox* Open() {
        box = new cuiAboutBox(&rig.mainWindow, rig.table, [this](char ch) { typed += ch; });
        QApplication::processEvents();
        return box;
    }

    testsupport::DialogRig rig;
    std::string typed;
    QPointer<cuiAboutBox> box;
};

TEST_F(cuiAboutBoxTest, ShowsTheProgramAndHandsEveryTypedCharacterOnOnce) {
    cuiAboutBox* about = Open();
    ASSERT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), "About Tarnwick");
    EXPECT_TRUE(about->TextLabel()->text().startsWith("Tarnwick\nVersion "));
    EXPECT_FALSE(about->IconLabel()->pixmap().isNull());
    rig.SaveShot(*about, "about");

    // The button has the focus and ignores letters, which reach the box as well: still once.
    ASSERT_EQ(QApplication::focusWidget(), about->OkButton());
    QTest::keyClicks(about->OkButton(), "HeArken7");
    // Without a focused control the box is the first to see the key.
    about->OkButton()->clearFocus();
    QTest::keyClicks(about, "x");
    EXPECT_EQ(typed, "HeArken7x");
    // Keys without a character hand nothing on.
    QTest::keyClick(about, Qt::Key_F1);
    QTest::keyClick(about, Qt::Key_Left);
    EXPECT_EQ(typed, "HeArken7x");
    ASSERT_FALSE(box.isNull());
}

TEST_F(cuiAboutBoxTest, TheMainWindowTakesNoInputUntilTheBoxCloses) {
    auto* button = new QPushButton("Read", &rig.mainWindow);
    button->show();
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    // Clicked through the window system, as the user clicks, where modality is kept.
    const auto click = [&] {
        QTest::mouseClick(rig.mainWindow.windowHandle(), Qt::LeftButton, {},
                          button->mapTo(&rig.mainWindow, button->rect().center()));
    };
    for (const auto close :
         {+[](cuiAboutBox& about) { QTest::keyClick(&about, Qt::Key_Escape); },
          +[](cuiAboutBox& about) { QTest::mouseClick(about.OkButton(), Qt::LeftButton); }}) {
        Open();
        EXPECT_EQ(QApplication::activeModalWidget(), box);
        click();
        EXPECT_EQ(clicks, 0);
        close(*box);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(box.isNull());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        click();
        EXPECT_EQ(clicks, 1);
        clicks = 0;
    }
}

}  // namespace
