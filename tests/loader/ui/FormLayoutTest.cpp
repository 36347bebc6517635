#include "loader/ui/FormLayout.h"

#include <gtest/gtest.h>

#include "loader/ui/OpenDialogFilter.h"

namespace {

// A 554 x 375 client area below a 30-pixel tool bar, worked out by hand.
TEST(FormLayoutTest, ControlsFollowTheirParentsAndTheBar) {
    const FormLayout layout = ComputeFormLayout(QSize(560, 375), 30);
    EXPECT_EQ(layout.panel1, QRect(3, 32, 554, 340));
    EXPECT_EQ(layout.panelMain, QRect(6, 6, 542, 328));
    EXPECT_EQ(layout.progressBar, QRect(10, 304, 522, 16));
    // 522 x 0.3125 = 163.125; the buttons stand 5 pixels above the bar.
    EXPECT_EQ(layout.buttonStart, QRect(10, 267, 163, 32));
    EXPECT_EQ(layout.buttonExit, QRect(369, 267, 163, 32));
    EXPECT_EQ(layout.buttonExit.right(), layout.progressBar.right());
    EXPECT_EQ(layout.buttonCancel, QRect(189, 267, 163, 32));
    EXPECT_EQ(layout.memo, QRect(10, 10, 522, 249));
}

TEST(OpenDialogFilterTest, TableFiltersBecomeDialogFilters) {
    const struct {
        const char* table;
        const char* dialog;
    } cases[] = {
        {"ROM image files (*.mot)|*.mot|All files (*.*)|*.*",
         "ROM image files (*.mot);;All files (*.*)"},
        {"S-records|*.mot;*.s28|", "S-records (*.mot *.s28)"},
        {"Lonely description", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OpenDialogFilter(c.table).toStdString(), c.dialog) << c.table;
    }
}

}  // namespace
