#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Keeps the user's input away from a window while it is "disabled" (a clone exchange or a
// print job runs), without greying it: mouse, wheel, key, shortcut and context-menu events
// meant for the window or any widget on it are dropped. Other windows (a progress or printing
// dialog) are not touched.
class cuiInputBlock : public QObject {
public:
    explicit cuiInputBlock(QWidget* window);
    ~cuiInputBlock() override;

    void SetBlocked(bool blocked);
    bool IsBlocked() const { return blocked_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsOnWindow(QObject* object) const;

    QPointer<QWidget> window_;
    bool blocked_ = false;
};
