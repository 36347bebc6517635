#pragma once

#include <string>

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

// The program's help: the help file (HTML) in a window of its own with Back, Forward and
// Contents. A context number opens the topic whose anchor is "context-<number>". Esc and Ctrl+W
// close it.
class cuiHelpWindow : public QWidget {
public:
    cuiHelpWindow(const std::string& file, const QString& caption, QWidget* owner = nullptr);

    // Shows the window at the top of the help file.
    void ShowContents();
    // Shows the window at the topic of the context; 0 (no topic) shows the contents.
    void ShowContext(int context);

    QTextBrowser* Browser() const { return browser_; }
    // The anchor name of a context's topic.
    static QString ContextAnchor(int context);

private:
    void AddCloseKeys();
    void ShowAt(const QString& anchor);

    QUrl file_;
    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
};
