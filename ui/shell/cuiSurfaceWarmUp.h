#pragma once

#include <thread>

class QWidget;

// The picture of a window that is about to show, made ahead. A window's pixels are an image
// the display reads from shared memory, and the system makes each of its pages on the first
// write to it: for a window of about a thousand by eight hundred pixels some eight hundred
// pages, a millisecond or two of the first paint. Made for a top-level window at the size it
// shows with, this makes the window's platform window and image at once and has a side thread
// make the image's pages while the window's parts are built; the first paint then only draws.
// The pages are made without writing to them, so the side thread may still be at it while
// the window paints. A window that shows at another size gets a new image, as without this.
class cuiSurfaceWarmUp {
public:
    explicit cuiSurfaceWarmUp(QWidget& window);
    ~cuiSurfaceWarmUp();
    cuiSurfaceWarmUp(const cuiSurfaceWarmUp&) = delete;
    cuiSurfaceWarmUp& operator=(const cuiSurfaceWarmUp&) = delete;

private:
    std::thread thread_;
};
