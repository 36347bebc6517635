#pragma once

#include <thread>

// What the first window waits for although it does not depend on the window, done in side
// threads while the main thread builds it: the session bus connects (the accessibility bridge
// connects it on the first button text or item view, and waits; with no bus it tries to
// launch one) and the image plug-ins load (Qt's style reads the menu bar's extension-button
// picture through them). Made once the application object exists, and gone before it goes.
class ApplicationWarmUp {
public:
    ApplicationWarmUp();
    ~ApplicationWarmUp();
    ApplicationWarmUp(const ApplicationWarmUp&) = delete;
    ApplicationWarmUp& operator=(const ApplicationWarmUp&) = delete;

private:
    std::thread bus_;
    std::thread plugins_;
};
