#include "ui/dialogs/cuiInformation.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/cmcGTex.h"
#include "platform/qt/FocusReturn.h"
#include "ui/sheet/SheetPanel.h"
#include "ui/widgets/CentreWindow.h"

namespace {

// The button sits 5 pixels from the right and bottom edges.
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
    PanelSheet built = BuildPanelSheet(*this, table, sheetName, sheetArgument, images,
                                       std::move(handler), Qt::ScrollBarAlwaysOff);
    sheet_ = std::move(built.sheet);
    built.layout->addWidget(BuildButtonRow(table));
    FitSheetHost(*this, *built.host, *sheet_);
    CentreWindow(*this, parent);
    setWindowModality(Qt::WindowModal);
    show();
    ok_->setFocus();
}

cuiInformation::~cuiInformation() {
    sheet_.reset();
    // The control that had the focus in the main window (the grid) takes it again.
    if (parentWindow_) {
        platform::qt::ReturnFocus(parentWindow_->focusWidget());
    }
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
