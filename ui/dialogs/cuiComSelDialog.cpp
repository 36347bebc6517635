#include "ui/dialogs/cuiComSelDialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/GetTextBlock.h"
#include "common/cmcGTex.h"
#include "platform/SerialPortPath.h"
#include "radio/host/PortNumber.h"
#include "radio/host/TitledBoxes.h"
#include "ui/widgets/CentreWindow.h"

namespace {

constexpr int kMaxDigits = 4;
constexpr char kButtons[] = "GI_AppInd_Opt_ComSel_Buttons";

}  // namespace

cuiComSelDialog::cuiComSelDialog(QWidget* mainWindow, cmcGTex& table, int& portNumber)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                              Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      portNumber_(portNumber),
      deviceCaption_(table.GetLine("GI_AppInd_Opt_ComSel_Device", 0)),
      noDevice_(table.GetLine("GI_AppInd_Opt_ComSel_Device", 1)) {
    setAttribute(Qt::WA_WindowPropagation);
    setWindowTitle(QString::fromStdString(table.GetLine("GI_AppInd_Opt_ComSel_Caption", 0)));
    BuildControls(table);
    PlaceControls(table);
    ShowDevice();
    CentreWindow(*this, mainWindow);
    edit_->setFocus();
    edit_->selectAll();
}

void cuiComSelDialog::BuildControls(cmcGTex& table) {
    notice_ = new QLabel(QString::fromStdString(GetTextBlock(table, "GI_AppInd_Opt_ComSel_Notice")),
                         this);
    notice_->setTextFormat(Qt::PlainText);
    edit_ = new QLineEdit(QString::number(portNumber_), this);
    edit_->setMaxLength(kMaxDigits);
    edit_->setAttribute(Qt::WA_InputMethodEnabled, false);
    device_ = new QLabel(this);
    device_->setTextFormat(Qt::PlainText);
    ok_ = new QPushButton(QString::fromStdString(table.GetLine(kButtons, 0)), this);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QString::fromStdString(table.GetLine(kButtons, 1)), this);
    connect(edit_, &QLineEdit::textChanged, this, [this] { ShowDevice(); });
    connect(ok_, &QPushButton::clicked, this, [this] { OkClick(); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

// Everything is measured in the dialog's font: the notice at one "W" height from the corner,
// the field under it, the device line beside the field, the buttons under the right end of
// the notice.
void cuiComSelDialog::PlaceControls(cmcGTex& table) {
    const QFontMetrics metrics(font());
    const int lineHeight = metrics.height();
    notice_->adjustSize();
    notice_->move(lineHeight, lineHeight);
    const int editHeight = std::max(lineHeight, edit_->sizeHint().height());
    edit_->setGeometry(notice_->x() + metrics.horizontalAdvance("WW"),
                       notice_->geometry().bottom() + 1 + lineHeight / 2,
                       metrics.horizontalAdvance("255WWWW"), editHeight);
    const int deviceLeft = edit_->geometry().right() + 1 + metrics.horizontalAdvance("W");
    device_->setGeometry(deviceLeft, edit_->y(), notice_->geometry().right() + 1 - deviceLeft,
                         editHeight);
    const int buttonWidth = std::max(
        metrics.horizontalAdvance(
            QString::fromStdString(table.GetLine("GI_AppInd_Opt_ComSel_SizeOfButtons", 0))),
        std::max(ok_->sizeHint().width(), cancel_->sizeHint().width()));
    const int buttonHeight = 2 * lineHeight;
    const int buttonTop = edit_->y() + 4 * editHeight;
    cancel_->setGeometry(notice_->geometry().right() + 1 - buttonWidth, buttonTop, buttonWidth,
                         buttonHeight);
    ok_->setGeometry(cancel_->x() - buttonHeight / 2 - buttonWidth, buttonTop, buttonWidth,
                     buttonHeight);
    setFixedSize(notice_->width() + 2 * notice_->x(), buttonTop + buttonHeight * 3 / 2);
}

// The device the number opens, shortened in the middle when it is too long for its place.
void cuiComSelDialog::ShowDevice() {
    const std::optional<int> port = ReadPortNumber(edit_->text().toStdString());
    const QString text = QString::fromStdString(
        deviceCaption_ + " " + (port ? platform::SerialPortPath(*port) : noDevice_));
    device_->setText(device_->fontMetrics().elidedText(text, Qt::ElideMiddle, device_->width()));
    device_->setToolTip(text);
}

void cuiComSelDialog::OkClick() {
    const std::optional<int> port = ReadPortNumber(edit_->text().toStdString());
    if (!port) {
        ShowTextBlockBox("GI_AppInd_Opt_ComSel_OutofRange", platform::BoxIcon::Error);
        edit_->setFocus();
        return;
    }
    portNumber_ = *port;
    accept();
}
