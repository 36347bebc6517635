#pragma once

#include <QFont>
#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRect>
#include <functional>
#include <string>

#include "radio/sheet/GridCoord.h"

// The in-place text editor of a sheet: a frameless QPlainTextEdit without wrap over the edited
// cell, at most 1,024 characters, made on first use. Enter, Tab, Up and Down commit it by giving
// the focus back to the grid (Up and Down then move the cursor), PgUp and PgDn commit it and
// page, Esc discards it, and losing the focus commits it. Hiding clears the showing state
// first, so a hide never commits.
class cuiInPlaceEditor : public QObject {
public:
    struct Handlers {
        // Every key the editor sees while it is showing or not.
        std::function<void()> key;
        // The edited cell runs with the text (key 13).
        std::function<void(GridCoord cell, const std::string& text)> commit;
        // After a commit by Up, Down, PgUp or PgDn: the key, which moves the cursor as on the
        // grid.
        std::function<void(int key)> move;
    };

    explicit cuiInPlaceEditor(Handlers handlers);
    ~cuiInPlaceEditor() override;

    // The editor is made on the panel; the focus goes back to the grid.
    void Attach(QWidget* panel, QWidget* grid);
    // Shows the editor over a cell's rectangle (panel coordinates) with the text and its
    // selection. A text line narrower than the rectangle sits by the vertical alignment
    // (0 top, 1 middle, 2 bottom). Nothing happens for an empty rectangle.
    void Open(GridCoord cell, QRect rect, const QFont& font, int vertical, const std::string& text,
              int selStart, int selLength);
    // Hides without committing; the focus goes back to the grid when the editor had it.
    void Hide();
    // Only while showing: the edited cell runs with the text, then the editor hides.
    void Commit();
    // The sheet goes: nothing the widget does from now on commits.
    void Detach();

    bool Showing() const { return showing_; }
    QPlainTextEdit* Widget() const { return editor_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Create();
    bool KeyDown(int key);

    Handlers handlers_;
    QPointer<QWidget> panel_;
    QPointer<QWidget> grid_;
    QPointer<QPlainTextEdit> editor_;
    GridCoord edited_;
    bool showing_ = false;
};
