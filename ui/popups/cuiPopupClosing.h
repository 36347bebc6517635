#pragma once

#include <QPointer>
#include <QWidget>

// How a pop-up window beside a cell goes: once, after the event in hand (its parts may still
// be inside their own), giving the keys back to the calling cell when it was closed from its
// own keys or buttons; one left for another window leaves the focus there.
class cuiPopupClosing {
public:
    cuiPopupClosing(QWidget& window, QWidget* returnTo) : window_(window), returnTo_(returnTo) {}

    bool Released() const { return released_; }
    // From the window's destructor: whatever comes now closes nothing.
    void MarkReleased() { released_ = true; }
    // The calling grid is going: the focus goes nowhere it was.
    void ForgetCaller() { returnTo_ = nullptr; }
    void Release();
    // For the window's activation changes: true when the window, active before, has just been
    // left for another.
    bool LeftForAnother();

private:
    QWidget& window_;
    QPointer<QWidget> returnTo_;
    bool released_ = false;
    bool wasActive_ = false;
};
