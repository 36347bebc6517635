#pragma once

class QWidget;

namespace platform::qt {

// The window the program's other windows belong to: its visible main window, or none.
QWidget* MainWindow();

// After one of the program's windows (a pop-up, a box, a progress window) has closed, the
// keyboard focus goes back to the control given and its window becomes the active one, so that
// keys and menu mnemonics work at once without a click. When that control is gone or hidden,
// the main window is activated and its own focus control takes the focus.
void ReturnFocus(QWidget* control);

}  // namespace platform::qt
