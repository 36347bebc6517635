#include "ui/widgets/cuiInPlaceEditor.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <algorithm>

namespace {

constexpr int kMaxEditorText = 1024;

}  // namespace

cuiInPlaceEditor::cuiInPlaceEditor(Handlers handlers) : handlers_(std::move(handlers)) {}

cuiInPlaceEditor::~cuiInPlaceEditor() {
    Detach();
}

void cuiInPlaceEditor::Attach(QWidget* panel, QWidget* grid) {
    panel_ = panel;
    grid_ = grid;
}

void cuiInPlaceEditor::Detach() {
    showing_ = false;
    if (editor_) {
        editor_->removeEventFilter(this);
    }
}

void cuiInPlaceEditor::Create() {
    editor_ = new QPlainTextEdit(panel_);
    editor_->hide();
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor_->setFrameShape(QFrame::NoFrame);
    editor_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor_->document()->setDocumentMargin(0);
    QObject::connect(editor_, &QPlainTextEdit::textChanged, [this] {
        // A typed or pasted text past the limit is cut, as the memo's length limit did.
        const QString text = editor_->toPlainText();
        if (text.size() > kMaxEditorText) {
            const QSignalBlocker quiet(editor_);
            editor_->setPlainText(text.left(kMaxEditorText));
            editor_->moveCursor(QTextCursor::End);
        }
    });
    editor_->installEventFilter(this);
}

void cuiInPlaceEditor::Open(GridCoord cell, QRect rect, const QFont& font, int vertical,
                            const std::string& text, int selStart, int selLength) {
    if (!editor_) {
        Create();
    }
    const int width = rect.width();
    int height = rect.height() - 1;
    if (width < 1 || height < 1) {
        return;
    }
    editor_->setFont(font);
    const int h = QFontMetrics(font).height();
    int top = rect.top();
    if (h < height) {
        if (vertical == 1) {
            top += (height - h) / 2;
        } else if (vertical == 2) {
            top = rect.top() + rect.height() - h - 1;
        }
        height = h;
    }
    editor_->setGeometry(rect.left(), top, width, height);
    editor_->setPlainText(QString::fromStdString(text));
    QTextCursor cursor = editor_->textCursor();
    const int length = static_cast<int>(editor_->toPlainText().size());
    cursor.setPosition(std::clamp(selStart, 0, length));
    cursor.setPosition(std::clamp(selStart + selLength, 0, length), QTextCursor::KeepAnchor);
    editor_->setTextCursor(cursor);
    editor_->document()->clearUndoRedoStacks();
    edited_ = cell;
    showing_ = true;
    editor_->show();
    editor_->raise();
    editor_->setFocus();
}

void cuiInPlaceEditor::Hide() {
    if (!editor_ || !showing_) {
        return;
    }
    showing_ = false;
    const bool hadFocus = editor_->hasFocus();
    editor_->hide();
    if (hadFocus && grid_) {
        grid_->setFocus();
    }
}

void cuiInPlaceEditor::Commit() {
    if (!editor_ || !showing_) {
        return;
    }
    const std::string text = editor_->toPlainText().toStdString();
    showing_ = false;
    handlers_.commit(edited_, text);
    editor_->hide();
}

bool cuiInPlaceEditor::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        Commit();
    } else if (event->type() == QEvent::KeyPress) {
        return KeyDown(static_cast<QKeyEvent*>(event)->key());
    }
    return false;
}

// Returns whether the key was swallowed.
bool cuiInPlaceEditor::KeyDown(int key) {
    handlers_.key();
    if (!showing_) {
        return false;
    }
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:  // a memo that wants no tabs: Tab leaves it
        case Qt::Key_Backtab:
            grid_->setFocus();
            Commit();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            grid_->setFocus();
            Commit();
            handlers_.move(key);
            return true;
        case Qt::Key_Escape:
            Hide();
            return true;
        default:
            return false;
    }
}
