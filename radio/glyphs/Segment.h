#pragma once

#include <string_view>
#include <vector>

#include "radio/glyphs/dataTriangle.h"

// One segment of the display's character cell: the triangles that fill it, whether it is lit,
// and whether the user may switch it in the character editor.
class Segment {
public:
    // From a segment line "n|(x,y)(x,y)(x,y)|...": n triangles, -n for a segment the user
    // cannot switch. Fields that hold no three points are left out.
    Segment(std::string_view line, int lineNumber);

    const std::vector<dataTriangle>& Triangles() const { return triangles_; }
    int LineNumber() const { return lineNumber_; }
    bool IsToggleable() const { return toggleable_; }
    bool IsOn() const { return on_; }
    void SetOn(bool on) { on_ = on; }
    // One of its triangles holds the point.
    bool HitTest(GeoPoint point) const;

private:
    std::vector<dataTriangle> triangles_;
    int lineNumber_;
    bool on_ = false;
    bool toggleable_ = true;
};
