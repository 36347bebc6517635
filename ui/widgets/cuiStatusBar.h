#pragma once

#include <functional>
#include <vector>

#include <QRect>
#include <QStatusBar>

class QPainter;

// The main window's status bar: panels side by side, left to right, each as wide as its
// setting (the last one takes what is left); owner-drawn panels are painted by the owner's
// draw handler, the others stay empty.
class cuiStatusBar : public QStatusBar {
public:
    struct Panel {
        int width = 50;
        bool ownerDrawn = false;
    };
    using DrawHandler = std::function<void(QPainter& painter, int panel, const QRect& rect)>;

    explicit cuiStatusBar(QWidget* parent = nullptr);

    int PanelCount() const { return static_cast<int>(panels_.size()); }
    Panel& PanelAt(int index) { return panels_.at(static_cast<size_t>(index)); }
    void AddPanel(Panel panel);
    // A panel is added at the end and every panel after k takes the settings of the one before
    // it, so they all end up with panel k's settings. Returns the number of panels after k.
    int InsertPanel(int k);
    QRect PanelRect(int index) const;

    void SetOnDrawPanel(DrawHandler handler) { onDrawPanel_ = std::move(handler); }
    void SetOnResize(std::function<void()> handler) { onResize_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::vector<Panel> panels_;
    DrawHandler onDrawPanel_;
    std::function<void()> onResize_;
};
