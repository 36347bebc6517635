#include "ui/SheetPanel.h"

#include <QFrame>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/cuiSheet.h"

namespace {

constexpr int kBevel = 2;
constexpr int kBorder = 8;

}  // namespace

SheetPanel MakeSheetPanel(QWidget* owner) {
    auto* outer = new QFrame(owner);
    outer->setFrameStyle(QFrame::Panel | QFrame::Raised);
    outer->setLineWidth(kBevel);
    auto* outerLayout = new QVBoxLayout(outer);
    outerLayout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    auto* inner = new QFrame(outer);
    inner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    inner->setLineWidth(kBevel);
    auto* innerLayout = new QVBoxLayout(inner);
    innerLayout->setContentsMargins(0, 0, 0, 0);
    innerLayout->setSpacing(0);
    outerLayout->addWidget(inner);
    return {outer, inner};
}

void FitSheetHost(QWidget& window, QWidget& host, const cuiSheet& sheet, int maxHeight) {
    window.setAttribute(Qt::WA_DontShowOnScreen, true);
    window.show();
    host.setFixedSize(sheet.NaturalWidth(), std::min(sheet.NaturalHeight(), maxHeight));
    window.adjustSize();
    window.hide();
    window.setAttribute(Qt::WA_DontShowOnScreen, false);
}
