#pragma once

#include <cstdint>
#include <string>

class QPainter;
class QRect;
class cuiStatusBar;
struct cmcEvent;

// What the main window's own status panels show: the status text of the last move in a sheet
// (EV_StatusText) in its colours, and the port chosen with its device.
class cuiStatusPanels {
public:
    // The text and colours of the event (A the text colour, B the background).
    void TakeStatusText(const cmcEvent& event);
    const std::string& StatusText() const { return statusText_; }
    // The port panel's new text; returns the width that holds it in the bar's font.
    int SetPortText(std::string text, const cuiStatusBar& bar);

    void DrawStatus(QPainter& painter, const QRect& rect, const cuiStatusBar& bar) const;
    // The port text centred in the panel.
    void DrawPort(QPainter& painter, const QRect& rect, const cuiStatusBar& bar) const;

private:
    uint32_t textColour_ = 0x80000008;        // window text
    uint32_t backgroundColour_ = 0x8000000F;  // button face
    std::string statusText_;
    std::string portText_;
};
