#pragma once

// A window's place on the desktop, in pixels.
struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool operator==(const WindowRect&) const = default;
};
