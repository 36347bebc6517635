#pragma once

#include <functional>

#include <QApplication>

// The cloning program's application: an exception that escapes an event handler is shown in
// an error box and ends the message loop, so the program still shuts down in order (settings
// written, port closed) instead of dying inside the loop.
class cuiApplication : public QApplication {
public:
    cuiApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Runs one delivery; an exception it throws is shown and ends the loop (false returned).
    static bool Guarded(const std::function<bool()>& deliver);
};
