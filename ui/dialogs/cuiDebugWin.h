#pragma once

#include <QPointer>

class QPlainTextEdit;
class QWidget;
struct cmcEvent;

// The free debug window: a text window over the main window that adds every debug text sent
// on the bus as a line. Its form belongs to the owner control and the object to its form: it
// is deleted when the form is destroyed (with its owner). Closing the window only hides it.
class cuiDebugWin {
public:
    // Builds and shows the window, centred over the owner, 0.8 of its height (100 at least).
    explicit cuiDebugWin(QWidget* owner);
    ~cuiDebugWin();
    cuiDebugWin(const cuiDebugWin&) = delete;
    cuiDebugWin& operator=(const cuiDebugWin&) = delete;

    QWidget* Form() const { return form_; }
    QPlainTextEdit* Memo() const { return memo_; }

private:
    static void OnEventThunk(void* data, const cmcEvent& event);
    void OnEvent(const cmcEvent& event);

    QWidget* form_;
    // Gone before the form's destroyed signal deletes the object.
    QPointer<QPlainTextEdit> memo_;
};
