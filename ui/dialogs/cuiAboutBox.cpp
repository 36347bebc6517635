#include "ui/dialogs/cuiAboutBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "common/GetTextBlock.h"
#include "common/cmcGTex.h"
#include "platform/qt/FocusReturn.h"
#include "platform/qt/VirtualKeys.h"
#include "ui/paint/TreeImages.h"
#include "ui/widgets/CentreWindow.h"

namespace {

constexpr int kIconSize = 32;
constexpr int kLastCharacter = 255;

QIcon ProgramIcon(const QIcon& given) {
    if (!given.isNull()) {
        return given;
    }
    if (!QApplication::windowIcon().isNull()) {
        return QApplication::windowIcon();
    }
    return TreeImages().Icon(TRI_Radio);
}

}  // namespace

cuiAboutBox::cuiAboutBox(QWidget* mainWindow, cmcGTex& table, KeyChar onKeyChar, QIcon icon)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                              Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      mainWindow_(mainWindow),
      onKeyChar_(std::move(onKeyChar)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_WindowPropagation);
    setWindowTitle(QString::fromStdString(table.GetLine("GI_App_About_Caption", 0)));
    Build(table, ProgramIcon(icon));
    Place();
    CentreWindow(*this, mainWindow);
    setWindowModality(Qt::WindowModal);
    show();
    ok_->setFocus();
}

cuiAboutBox::~cuiAboutBox() {
    // The control that had the focus in the main window (the grid) takes it again.
    if (mainWindow_) {
        platform::qt::ReturnFocus(mainWindow_->focusWidget());
    }
}

void cuiAboutBox::Build(cmcGTex& table, const QIcon& icon) {
    icon_ = new QLabel(this);
    icon_->setPixmap(icon.pixmap(kIconSize, kIconSize));
    icon_->adjustSize();
    text_ = new QLabel(QString::fromStdString(GetTextBlock(table, "GI_App_About_Text")), this);
    text_->setTextFormat(Qt::PlainText);
    text_->adjustSize();
    ok_ = new QPushButton(QString::fromStdString(table.GetLine("GI_App_About_Button", 0)), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QWidget::close);
    // The box sees the keys before the button does.
    installEventFilter(this);
    ok_->installEventFilter(this);
}

// Measured in icon sizes: the icon half an icon from the corner, the text level with it one and
// a half icons to its right, the button two icons after the text.
void cuiAboutBox::Place() {
    const int width = icon_->width();
    const int height = icon_->height();
    icon_->move(width / 2, height / 2);
    text_->move(icon_->x() + width * 3 / 2, icon_->y());
    ok_->setGeometry(2 * width + text_->geometry().right() + 1, height / 4, width * 5 / 2,
                     ok_->sizeHint().height());
    setFixedSize(ok_->geometry().right() + 1 + height / 4,
                 text_->geometry().bottom() + 1 + height / 2);
}

// A key reaches the focused control first and then, unless it takes it, the box: only the
// first delivery counts, so each key is handed on once.
bool cuiAboutBox::eventFilter(QObject* watched, QEvent* event) {
    QWidget* first = focusWidget() ? focusWidget() : this;
    if (event->type() == QEvent::KeyPress && watched == first && onKeyChar_) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const int code = platform::qt::CapsuleKeyFromQt(key->key(), key->modifiers(), key->text());
        if (code > 0 && code <= kLastCharacter) {
            onKeyChar_(static_cast<char>(code));
        }
    }
    return false;
}
