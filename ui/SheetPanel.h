#pragma once

#include <climits>

class QFrame;
class QWidget;
class cuiSheet;

// The bevelled panel that the information and debug windows show a sheet in: a raised bevel,
// a border of 8 and a lowered bevel round the sheet's host, which gets no margin of its own.
struct SheetPanel {
    QFrame* outer = nullptr;
    QFrame* host = nullptr;
};
SheetPanel MakeSheetPanel(QWidget* owner);

// Gives the host the sheet's natural size (its scroll bars as the grid shows them), at most
// maxHeight high. The sheet is measured on the laid-out window, which is not shown meanwhile,
// and the window is fitted round its contents.
void FitSheetHost(QWidget& window, QWidget& host, const cuiSheet& sheet, int maxHeight = INT_MAX);
