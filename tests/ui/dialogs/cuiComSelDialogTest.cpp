#include "ui/dialogs/cuiComSelDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <string>

#include "common/GetTextBlock.h"
#include "tests/ui/support/DialogRig.h"

namespace {

class cuiComSelDialogTest : public ::testing::Test {
protected:
    // A dialog shown over the main window, the field's text replaced by typing.
    std::unique_ptr<cuiComSelDialog> Open(const char* typed = nullptr) {
        auto dialog = std::make_unique<cuiComSelDialog>(&rig.mainWindow, rig.table, port);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        if (typed) {
            dialog->Edit()->clear();
            QTest::keyClicks(dialog->Edit(), typed);
        }
        return dialog;
    }

    testsupport::DialogRig rig;
    int port = 3;
};

struct Entry {
    const char* typed;
    int port;  // 0: refused
};

TEST_F(cuiComSelDialogTest, OkTakesOnlyPortNumbersFrom1To256) {
    const std::string outOfRange = GetTextBlock(rig.table, "GI_AppInd_Opt_ComSel_OutofRange");
    const Entry entries[] = {
        {"0", 0}, {"1", 1},   {"256", 256}, {"257", 0},  {"-3", 0},
        {"", 0},  {"COM", 0}, {" 7 ", 7},   {"9999", 0},
    };
    for (const Entry& entry : entries) {
        port = 3;
        rig.boxes.boxes.clear();
        auto dialog = Open(entry.typed);
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        if (entry.port == 0) {
            ASSERT_EQ(rig.boxes.boxes.size(), 1u) << entry.typed;
            EXPECT_EQ(rig.boxes.boxes[0].text, outOfRange);
            EXPECT_EQ(rig.boxes.boxes[0].caption, "Tarnwick");
            EXPECT_EQ(rig.boxes.boxes[0].icon, platform::BoxIcon::Error);
            EXPECT_TRUE(dialog->isVisible()) << entry.typed;
            EXPECT_EQ(dialog->focusWidget(), dialog->Edit());
            EXPECT_EQ(port, 3);
        } else {
            EXPECT_TRUE(rig.boxes.boxes.empty()) << entry.typed;
            EXPECT_FALSE(dialog->isVisible());
            EXPECT_EQ(dialog->result(), QDialog::Accepted);
            EXPECT_EQ(port, entry.port);
        }
    }
}

TEST_F(cuiComSelDialogTest, StartsWithThePortAndKeepsItOnCancelOrEscape) {
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), "Other Serial Port");
    EXPECT_EQ(dialog->Edit()->text(), "3");
    EXPECT_EQ(dialog->focusWidget(), dialog->Edit());
    // Enter in the field is OK; the field takes four characters.
    QTest::keyClicks(dialog->Edit(), "12345");
    EXPECT_EQ(dialog->Edit()->text(), "1234");
    QTest::keyClick(dialog->Edit(), Qt::Key_Return);
    EXPECT_EQ(rig.boxes.boxes.size(), 1u);

    QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    dialog = Open("17");
    QTest::keyClick(dialog->Edit(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(port, 3);
}

TEST_F(cuiComSelDialogTest, TheDeviceLineNamesWhatTheNumberOpens) {
    setenv("MERROW_COM12", "/dev/serial/by-id/usb-cloning-cable-if00-port0", 1);
    auto dialog = Open("12");
    const std::string device = dialog->DeviceLabel()->toolTip().toStdString();
    EXPECT_EQ(device, "Device: /dev/serial/by-id/usb-cloning-cable-if00-port0");
    // Shown whole when it fits, else shortened in the middle, never cut off at the edge.
    const QFontMetrics metrics = dialog->DeviceLabel()->fontMetrics();
    EXPECT_LE(metrics.horizontalAdvance(dialog->DeviceLabel()->text()),
              dialog->DeviceLabel()->width());
    EXPECT_LE(dialog->DeviceLabel()->geometry().right(), dialog->width());
    rig.SaveShot(*dialog, "port-dialog");
    unsetenv("MERROW_COM12");

    dialog->Edit()->clear();
    QTest::keyClicks(dialog->Edit(), "257");
    EXPECT_EQ(dialog->DeviceLabel()->text(), "Device: none (the number must be 1 to 256)");
}

}  // namespace
