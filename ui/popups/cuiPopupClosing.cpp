#include "ui/popups/cuiPopupClosing.h"

#include "platform/qt/FocusReturn.h"

void cuiPopupClosing::Release() {
    if (released_) {
        return;
    }
    released_ = true;
    const bool active = window_.isActiveWindow();
    window_.hide();
    if (active) {
        platform::qt::ReturnFocus(returnTo_);
    }
    window_.deleteLater();
}

bool cuiPopupClosing::LeftForAnother() {
    if (window_.isActiveWindow()) {
        wasActive_ = true;
        return false;
    }
    return wasActive_;
}
