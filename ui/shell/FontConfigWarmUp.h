#pragma once

#include <thread>

// Fontconfig reads its configuration (some fifty XML files) the first time a program asks for
// a font, several milliseconds of a start-up. Qt asks while the first window is built; the
// warm-up reads it in a side thread from the program's first line on, while Qt connects to the
// display.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    // Waits until the configuration is read: called before the first font is asked for, so
    // that Qt does not read it a second time alongside.
    void Wait();

private:
    std::thread thread_;
};
