#pragma once

#include <cstdint>
#include <vector>

#include "radio/glyphs/Segment.h"

class cmcGTex;

// The middle of a segment: the mean of its triangles' points.
struct GeoMiddle {
    double x = 0;
    double y = 0;
};

// The display's character cell as segments, read from the text table's section
// "GI_PCG_Seg_Data". A pattern holds one bit a segment: segment i is bit (count - 1 - i), so
// the last segment is bit 0; 0x4000 is the dot after a character.
class Segchar {
public:
    static constexpr uint16_t kDotBit = 0x4000;

    // Reads the segment lines of the section up to its first "#" line; "//" lines and "0"
    // lines are passed over.
    explicit Segchar(cmcGTex& table);

    const std::vector<Segment>& Segments() const { return segments_; }
    int Count() const { return static_cast<int>(segments_.size()); }
    // Segment i is lit in the pattern.
    bool IsLitIn(uint16_t pattern, int i) const;
    void SetPattern(uint16_t pattern);
    // The pattern of the lit segments.
    uint16_t Pattern() const;
    // Switches the first switchable segment that holds the point; false when none does.
    bool ToggleAt(GeoPoint point);
    // The first switchable segment that holds the point; -1 when none does.
    int SegmentAt(GeoPoint point) const;
    // Switches segment i when it is switchable.
    void Toggle(int i);

    // The keyboard's way over the switchable segments: the first of them (-1 when there is
    // none), and the one the arrow key of direction (dx, dy) leads to from segment i: the
    // nearest that lies that way (i itself when none does).
    int FirstSwitchable() const;
    int Neighbour(int i, int dx, int dy) const;

    // Bounds over every triangle point; only meaningful with HasExtent.
    int32_t MinX() const { return minX_; }
    int32_t MaxX() const { return maxX_; }
    int32_t MinY() const { return minY_; }
    int32_t MaxY() const { return maxY_; }
    double Width() const { return static_cast<double>(maxX_) - minX_; }
    double Height() const { return static_cast<double>(maxY_) - minY_; }
    // There is something to draw: the bounds span an area.
    bool HasExtent() const { return Width() > 0 && Height() > 0; }

private:
    void Extend(GeoPoint point);
    GeoMiddle Middle(int i) const;

    std::vector<Segment> segments_;
    int32_t minX_ = 999'999'999;
    int32_t maxX_ = -999'999'999;
    int32_t minY_ = 999'999'999;
    int32_t maxY_ = -999'999'999;
};

// The geometry the glyph painter draws with: an installed one, else the program's own, built
// from the main text table on first use.
const Segchar& SharedSegchar();
// Installs the geometry SharedSegchar answers (not owned); nullptr restores the program's own.
void InstallSharedSegchar(const Segchar* segchar);
