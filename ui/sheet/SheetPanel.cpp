#include "ui/sheet/SheetPanel.h"

#include <QFrame>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/widgets/cuiGrid.h"

namespace {

constexpr int kBevel = 2;
constexpr int kBorder = 8;
constexpr int kSpacing = 5;

}  // namespace

PanelSheet BuildPanelSheet(QWidget& window, cmcGTex& table, const std::string& sheetName,
                           const std::string& sheetArgument, const cuiImageList* images,
                           cuiSheet::CellHandler handler, Qt::ScrollBarPolicy vertical) {
    PanelSheet built;
    built.layout = new QVBoxLayout(&window);
    built.layout->setSizeConstraint(QLayout::SetFixedSize);
    built.layout->setContentsMargins(0, 0, 0, 0);
    built.layout->setSpacing(kSpacing);
    auto* outer = new QFrame(&window);
    outer->setFrameStyle(QFrame::Panel | QFrame::Raised);
    outer->setLineWidth(kBevel);
    auto* outerLayout = new QVBoxLayout(outer);
    outerLayout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    built.host = new QFrame(outer);
    built.host->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    built.host->setLineWidth(kBevel);
    auto* innerLayout = new QVBoxLayout(built.host);
    innerLayout->setContentsMargins(0, 0, 0, 0);
    innerLayout->setSpacing(0);
    outerLayout->addWidget(built.host);
    built.layout->addWidget(outer);

    built.sheet = std::make_unique<cuiSheet>(built.host, nullptr, 0, 0, table, sheetName, images);
    built.sheet->SetArgs(sheetArgument);
    if (handler) {
        built.sheet->SetCellHandler(std::move(handler));
    }
    built.sheet->Show();
    built.sheet->Grid()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    built.sheet->Grid()->setVerticalScrollBarPolicy(vertical);
    return built;
}

void FitSheetHost(QWidget& window, QWidget& host, const cuiSheet& sheet, int maxHeight) {
    window.setAttribute(Qt::WA_DontShowOnScreen, true);
    window.show();
    host.setFixedSize(sheet.NaturalWidth(), std::min(sheet.NaturalHeight(), maxHeight));
    window.adjustSize();
    window.hide();
    window.setAttribute(Qt::WA_DontShowOnScreen, false);
}
