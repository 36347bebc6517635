#include "ui/shell/TForm1.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include "common/TextHelpers.h"
#include "common/cmcGTex.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/host/indEnviron.h"
#include "ui/paint/FontMapping.h"
#include "ui/paint/ToolBarImages.h"
#include "ui/paint/TreeImages.h"
#include "ui/shell/cuiMain.h"

namespace {

WindowRect WorkArea(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    return {area.left(), area.top(), area.width(), area.height()};
}

}  // namespace

TForm1::TForm1(cuiMain& app, indEnviron& settings, cmcGTex& table)
    : treeImages_(::TreeImages()), barImages_(::ToolBarImages()), inputBlock_(this) {
    const QString title = QString::fromStdString(table.GetLine("GI_Sys_AppTitle", 0));
    // The title only: a display name set for the application would be added by Qt to the
    // caption of every window and box ("tarnwick — Tarnwick").
    setWindowTitle(title);
    ApplyFont(table);
    PlaceFromSettings(settings);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    setWindowIcon(treeImages_.Icon(TRI_Radio));
    surface_ = std::make_unique<cuiSurfaceWarmUp>(*this);
    app.BuildWindow(this, treeImages_, barImages_);
}

TForm1::~TForm1() = default;

void TForm1::Unlock() {
    SetFormEnabled(true);
    activateWindow();
}

void TForm1::ApplyFont(cmcGTex& table) {
    cmcCellObj cell;
    cmcCellObj::ParseDefinition(cell, table.GetLine("GI_Form_Main_BasicCell", 0), nullptr, nullptr,
                                false);
    if (cell.font) {
        setFont(ToQFont(*cell.font));
    }
}

void TForm1::PlaceFromSettings(const indEnviron& settings) {
    const WindowRect saved{settings.windowLeft, settings.windowTop, settings.windowWidth,
                           settings.windowHeight};
    const WindowRect placed = KeepWindowReachable(saved, WorkArea(*this));
    move(placed.left, placed.top);
    resize(placed.width, placed.height);
}

std::optional<WindowRect> TForm1::RestoredPlace() const {
    const QRect normal = normalGeometry();
    if (!normal.isValid()) {
        return std::nullopt;
    }
    const QPoint frame = geometry().topLeft() - frameGeometry().topLeft();
    return WindowRect{normal.left() - frame.x(), normal.top() - frame.y(), normal.width(),
                      normal.height()};
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (onShow) {
        onShow();
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    if (onCloseQuery) {
        onCloseQuery(canClose);
    }
    if (!canClose) {
        event->ignore();
        return;
    }
    if (onClose) {
        onClose();
    }
    event->accept();
}
