#pragma once

#include <thread>

// Work that the first window waits for although it does not depend on the window, done in
// side threads while the main thread builds: fontconfig reading its configuration (some
// fifty XML files, before the first font), the image plug-ins (before the style's first
// picture, the menu bar's extension button) and the session bus (before the accessibility
// bridge's first event, the first button text; without a bus it tries to launch one).
class StartupWarmUp {
public:
    // Starts reading the font configuration: from the program's first line on, while Qt
    // connects to the display.
    StartupWarmUp();
    ~StartupWarmUp();
    StartupWarmUp(const StartupWarmUp&) = delete;
    StartupWarmUp& operator=(const StartupWarmUp&) = delete;

    // Once the application object exists: waits for the font configuration, so that Qt does
    // not read it a second time alongside, and starts what needs the application.
    void ApplicationMade();

private:
    static void Join(std::thread& thread);

    std::thread fonts_;
    std::thread application_;
};
