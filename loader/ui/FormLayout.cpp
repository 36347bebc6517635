#include "loader/ui/FormLayout.h"

namespace {

constexpr int kPanelGap = 3;
constexpr int kInnerMargin = 6;
constexpr int kMargin = 10;
constexpr int kBarHeight = 16;

}  // namespace

FormLayout ComputeFormLayout(QSize client, int toolBarBottom) {
    FormLayout layout;
    const int panelTop = toolBarBottom + 2;
    layout.panel1 = QRect(kPanelGap, panelTop, client.width() - 2 * kPanelGap,
                          client.height() - panelTop - kPanelGap);
    layout.panelMain = QRect(kInnerMargin, kInnerMargin, layout.panel1.width() - 2 * kInnerMargin,
                             layout.panel1.height() - 2 * kInnerMargin);
    const QSize main = layout.panelMain.size();
    const QRect bar(kMargin, main.height() - kBarHeight - 8, main.width() - 2 * kMargin,
                    kBarHeight);
    layout.progressBar = bar;
    const int buttonWidth = static_cast<int>(bar.width() * 0.3125);
    const int buttonHeight = 2 * bar.height();
    const int buttonTop = bar.top() - buttonHeight - 5;
    layout.buttonStart = QRect(bar.left(), buttonTop, buttonWidth, buttonHeight);
    const int exitLeft = bar.left() + bar.width() - buttonWidth;
    layout.buttonExit = QRect(exitLeft, buttonTop, buttonWidth, buttonHeight);
    layout.buttonCancel = QRect((bar.left() + exitLeft) / 2, buttonTop, buttonWidth, buttonHeight);
    layout.memo = QRect(kMargin, kMargin, main.width() - 2 * kMargin, buttonTop - kMargin - 8);
    return layout;
}
