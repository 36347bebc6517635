#pragma once

#include <functional>
#include <memory>

#include <QMainWindow>

#include <optional>

#include "common/WindowRect.h"
#include "radio/host/MainWindowLock.h"
#include "ui/paint/cuiImageList.h"
#include "ui/shell/cuiInputBlock.h"
#include "ui/shell/cuiSurfaceWarmUp.h"

class cmcGTex;
class cuiMain;
class indEnviron;

// The cloning program's main form. It takes its caption and font from the text table and its
// place from the settings (kept reachable inside the desktop's work area), holds the tree's
// and the tool bar's pictures, and hands itself to the application object, which builds the
// window on it and shows it. Closing asks the close query first.
class TForm1 : public QMainWindow, public MainWindowLock {
public:
    static constexpr int kMinimumWidth = 400;
    static constexpr int kMinimumHeight = 200;

    TForm1(cuiMain& app, indEnviron& settings, cmcGTex& table);
    ~TForm1() override;

    const cuiImageList& TreeImages() const { return treeImages_; }
    const cuiImageList& ToolBarImages() const { return barImages_; }

    // A disabled form (a clone exchange or a print job runs) takes no input from the user and
    // does not close; it is not greyed.
    void SetFormEnabled(bool enabled) { inputBlock_.SetBlocked(!enabled); }
    bool IsFormEnabled() const { return !inputBlock_.IsBlocked(); }
    void Lock() override { SetFormEnabled(false); }
    // Enabled again, the form takes the focus.
    void Unlock() override;

    // The window's place when shown normally (not maximised): its outer left and top, its
    // inner width and height, as the settings keep it; none while the window has no place.
    std::optional<WindowRect> RestoredPlace() const;

    // The form's events, set by the application object.
    std::function<void()> onShow;
    std::function<void(bool& canClose)> onCloseQuery;
    std::function<void()> onClose;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ApplyFont(cmcGTex& table);
    void PlaceFromSettings(const indEnviron& settings);

    cuiImageList treeImages_;
    cuiImageList barImages_;
    cuiInputBlock inputBlock_;
    std::unique_ptr<cuiSurfaceWarmUp> surface_;
};
