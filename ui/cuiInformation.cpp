#include "ui/cuiInformation.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/cmcGTex.h"
#include "ui/CentreWindow.h"

namespace {

// The panel: a raised bevel, a border of 8 and a lowered bevel round the sheet; the button
// sits 5 pixels from the right and bottom edges.
constexpr int kBevel = 2;
constexpr int kBorder = 8;
constexpr int kButtonMargin = 5;

}  // namespace

cuiInformation::cuiInformation(QWidget* parent, const std::string& caption, cmcGTex& table,
                               const std::string& sheetName, const std::string& sheetArgument,
                               const cuiImageList* images, cuiSheet::CellHandler handler)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      parentWindow_(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_WindowPropagation);
    setWindowTitle(QString::fromStdString(caption));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kButtonMargin);
    QWidget* sheetHost = nullptr;
    layout->addWidget(BuildPanel(sheetHost));
    sheet_ = std::make_unique<cuiSheet>(sheetHost, nullptr, 0, 0, table, sheetName, images);
    sheet_->SetArgs(sheetArgument);
    if (handler) {
        sheet_->SetCellHandler(std::move(handler));
    }
    sheet_->Show();
    sheet_->Grid()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sheet_->Grid()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(BuildButtonRow(table));
    FitToSheet(sheetHost);
    CentreWindow(*this, parent);
    setWindowModality(Qt::WindowModal);
    show();
    ok_->setFocus();
}

cuiInformation::~cuiInformation() {
    sheet_.reset();
    if (parentWindow_) {
        parentWindow_->activateWindow();
        parentWindow_->setFocus();
    }
}

// The sheet goes on the inner panel, which gets no margin of its own.
QWidget* cuiInformation::BuildPanel(QWidget*& sheetHost) {
    auto* outer = new QFrame(this);
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
    sheetHost = inner;
    return outer;
}

QWidget* cuiInformation::BuildButtonRow(cmcGTex& table) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, kButtonMargin, kButtonMargin);
    layout->addStretch(1);
    ok_ =
        new QPushButton(QString::fromStdString(table.GetLine("GI_AppInd_Button_OkCancel", 0)), row);
    ok_->setDefault(true);
    layout->addWidget(ok_);
    connect(ok_, &QPushButton::clicked, this, &QWidget::close);
    return row;
}

// The sheet's natural size is measured on the laid-out window, which is not shown meanwhile;
// its host then keeps exactly that size.
void cuiInformation::FitToSheet(QWidget* sheetHost) {
    setAttribute(Qt::WA_DontShowOnScreen, true);
    show();
    sheetHost->setFixedSize(sheet_->NaturalWidth(), sheet_->NaturalHeight());
    adjustSize();
    hide();
    setAttribute(Qt::WA_DontShowOnScreen, false);
}
