#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "radio/host/CloneProgressView.h"

class QLabel;
class QPushButton;
class QWidget;
class cmcGTex;
class cuiCellBar;

// The "Cloning" window of a read or write: a bar of cells for the share of the data done, the
// stage the exchange has reached and a Cancel button. A small tool window over the main window,
// without a close button; Escape and a close request press Cancel. The clone manager opens,
// repaints and closes it. The window is built when it is first wanted (the program starts
// without it) and is the main window's child: it goes with the main window or with this
// object, whichever goes first, and then the view does nothing.
class cuiCloneProgress : public QObject, public CloneProgressView {
public:
    cuiCloneProgress(QWidget* mainWindow, cmcGTex& table);
    ~cuiCloneProgress() override;
    cuiCloneProgress(const cuiCloneProgress&) = delete;
    cuiCloneProgress& operator=(const cuiCloneProgress&) = delete;

    void Open(std::function<void()> cancel) override;
    void Show(const CloneProgress& progress) override;
    void Close() override;

    // The window and its parts, built if they are not yet; none once the main window is gone.
    QWidget* Window();
    cuiCellBar* Bar();
    QLabel* StageLabel();
    QPushButton* CancelButton();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    QWidget* BuildBarPanel();
    // Calls the cancel closure once; the window stays until the manager closes it.
    void PressCancel();

    QPointer<QWidget> mainWindow_;
    cmcGTex& table_;
    bool built_ = false;
    QPointer<QWidget> window_;
    cuiCellBar* bar_ = nullptr;
    QLabel* stage_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::function<void()> onCancel_;
};
