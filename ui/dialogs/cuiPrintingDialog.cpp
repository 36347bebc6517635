#include "ui/dialogs/cuiPrintingDialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include "common/cmcGTex.h"

namespace {

constexpr char kTextKey[] = "GI_Sys_Printer_PrintingDialog";

}  // namespace

cuiPrintingDialog::cuiPrintingDialog(QWidget* mainWindow, cmcGTex& table,
                                     std::function<void()> onCancel)
    : QDialog(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      label_(new QLabel(this)),
      cancel_(new QPushButton(this)),
      onCancel_(std::move(onCancel)) {
    setWindowTitle(QString::fromStdString(table.GetLine(kTextKey, 0)));
    label_->setTextFormat(Qt::PlainText);
    label_->setText(QString::fromStdString(table.GetLine(kTextKey, 1)));
    cancel_->setText(QString::fromStdString(table.GetLine(kTextKey, 2)));
    cancel_->setDefault(true);
    connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
    Place();
}

// The window is twice as wide as the label and three label-and-button heights high; the label
// sits two of its heights down, the button one and a half of its heights above the bottom.
void cuiPrintingDialog::Place() {
    label_->adjustSize();
    const int labelWidth = label_->width();
    const int labelHeight = label_->height();
    const int buttonHeight = cancel_->sizeHint().height();
    const int buttonWidth = static_cast<int>(labelWidth * 1.2);
    cancel_->resize(buttonWidth, buttonHeight);
    const int width = 2 * labelWidth;
    const int height = 3 * (labelHeight + buttonHeight);
    setFixedSize(width, height);
    label_->move((width - labelWidth) / 2, 2 * labelHeight);
    cancel_->move((width - buttonWidth) / 2, height - static_cast<int>(1.5 * buttonHeight));
}

void cuiPrintingDialog::reject() {
    if (onCancel_) {
        onCancel_();
    }
}

void cuiPrintingDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    reject();
}
