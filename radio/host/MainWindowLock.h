#pragma once

// The main window as a running exchange sees it: disabled from the start of the exchange to
// its end, so that no second command starts and the window cannot close meanwhile. The program's
// main window implements it.
class MainWindowLock {
public:
    virtual ~MainWindowLock() = default;
    // Refuses the user's input and closing.
    virtual void Lock() = 0;
    // Takes input again and gets the focus.
    virtual void Unlock() = 0;
};
