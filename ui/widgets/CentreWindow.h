#pragma once

class QWidget;

// Places a window centred over another (the main window), kept inside the work area of the
// other's screen; with no other window, centred on the primary screen. The window's size is
// what it has now.
void CentreWindow(QWidget& window, const QWidget* over);
