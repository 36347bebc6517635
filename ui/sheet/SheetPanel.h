#pragma once

#include <climits>
#include <memory>
#include <string>

#include "ui/sheet/cuiSheet.h"

class QFrame;
class QVBoxLayout;
class QWidget;
class cmcGTex;
class cuiImageList;

// A sheet in the bevelled panel that the information and debug windows show it in: a raised
// bevel, a border of 8 and a lowered bevel round the sheet's host, at the top of the window's
// own vertical layout (fixed to its contents, 5 pixels between the panel and what follows).
struct PanelSheet {
    QVBoxLayout* layout = nullptr;
    QFrame* host = nullptr;
    std::unique_ptr<cuiSheet> sheet;
};

// Builds the layout, the panel and the sheet of the table (with the handler when given) and
// shows the sheet, its grid without a horizontal scroll bar and with the vertical one as said.
PanelSheet BuildPanelSheet(QWidget& window, cmcGTex& table, const std::string& sheetName,
                           const std::string& sheetArgument, const cuiImageList* images,
                           cuiSheet::CellHandler handler, Qt::ScrollBarPolicy vertical);

// Gives the host the sheet's natural size (its scroll bars as the grid shows them), at most
// maxHeight high. The sheet is measured on the laid-out window, which is not shown meanwhile,
// and the window is fitted round its contents.
void FitSheetHost(QWidget& window, QWidget& host, const cuiSheet& sheet, int maxHeight = INT_MAX);
