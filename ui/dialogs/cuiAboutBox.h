#pragma once

#include <QDialog>
#include <QIcon>
#include <QPointer>
#include <functional>

class QLabel;
class QPushButton;
class cmcGTex;

// The About box: the program's icon, its name, version and purpose, and an OK button. It is
// modeless for the program but takes the main window's input while it is open, and deletes
// itself when it closes; the main window then gets the focus back. The box sees every key
// typed in it first and hands each typed character to a callback (the application object
// recognises the maker-mode word in them).
class cuiAboutBox : public QDialog {
public:
    using KeyChar = std::function<void(char)>;

    // Builds and shows the box over the main window. Without an icon of its own the box shows
    // the application's icon, or the program's radio picture when there is none.
    cuiAboutBox(QWidget* mainWindow, cmcGTex& table, KeyChar onKeyChar, QIcon icon = {});
    ~cuiAboutBox() override;

    QLabel* IconLabel() const { return icon_; }
    QLabel* TextLabel() const { return text_; }
    QPushButton* OkButton() const { return ok_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build(cmcGTex& table, const QIcon& icon);
    void Place();

    QPointer<QWidget> mainWindow_;
    KeyChar onKeyChar_;
    QLabel* icon_ = nullptr;
    QLabel* text_ = nullptr;
    QPushButton* ok_ = nullptr;
};
