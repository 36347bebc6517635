#include "radio/glyphs/Segchar.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/MainGTex.h"
#include "common/TextHelpers.h"
#include "common/cmcGTex.h"

namespace {

constexpr const char* kSection = "GI_PCG_Seg_Data";

bool IsSegmentLine(std::string line) {
    TrimBlanks(line);
    return !line.starts_with("//") && line != "0";
}

const Segchar* installed = nullptr;

}  // namespace

Segchar::Segchar(cmcGTex& table) {
    for (int n = 0;; ++n) {
        const std::string line = table.GetLine(kSection, n);
        if (line.starts_with('#')) {
            break;
        }
        if (IsSegmentLine(line)) {
            segments_.emplace_back(line, n);
        }
    }
    for (const Segment& segment : segments_) {
        for (const dataTriangle& triangle : segment.Triangles()) {
            std::for_each(triangle.points.begin(), triangle.points.end(),
                          [this](GeoPoint point) { Extend(point); });
        }
    }
}

void Segchar::Extend(GeoPoint point) {
    minX_ = std::min(minX_, point.x);
    maxX_ = std::max(maxX_, point.x);
    minY_ = std::min(minY_, point.y);
    maxY_ = std::max(maxY_, point.y);
}

bool Segchar::IsLitIn(uint16_t pattern, int i) const {
    const int bit = Count() - 1 - i;
    return bit >= 0 && bit < 16 && (pattern >> bit) & 1;
}

void Segchar::SetPattern(uint16_t pattern) {
    for (int i = 0; i < Count(); ++i) {
        segments_[static_cast<std::size_t>(i)].SetOn(IsLitIn(pattern, i));
    }
}

uint16_t Segchar::Pattern() const {
    unsigned pattern = 0;
    for (int i = 0; i < Count(); ++i) {
        const int bit = Count() - 1 - i;
        if (segments_[static_cast<std::size_t>(i)].IsOn() && bit < 16) {
            pattern |= 1u << bit;
        }
    }
    return static_cast<uint16_t>(pattern);
}

bool Segchar::ToggleAt(GeoPoint point) {
    const int i = SegmentAt(point);
    if (i < 0) {
        return false;
    }
    Toggle(i);
    return true;
}

int Segchar::SegmentAt(GeoPoint point) const {
    for (int i = 0; i < Count(); ++i) {
        const Segment& segment = segments_[static_cast<std::size_t>(i)];
        if (segment.IsToggleable() && segment.HitTest(point)) {
            return i;
        }
    }
    return -1;
}

void Segchar::Toggle(int i) {
    if (i >= 0 && i < Count() && segments_[static_cast<std::size_t>(i)].IsToggleable()) {
        Segment& segment = segments_[static_cast<std::size_t>(i)];
        segment.SetOn(!segment.IsOn());
    }
}

int Segchar::FirstSwitchable() const {
    for (int i = 0; i < Count(); ++i) {
        if (segments_[static_cast<std::size_t>(i)].IsToggleable()) {
            return i;
        }
    }
    return -1;
}

GeoMiddle Segchar::Middle(int i) const {
    GeoMiddle middle;
    int points = 0;
    for (const dataTriangle& triangle : segments_[static_cast<std::size_t>(i)].Triangles()) {
        for (const GeoPoint& point : triangle.points) {
            middle.x += point.x;
            middle.y += point.y;
            ++points;
        }
    }
    if (points > 0) {
        middle.x /= points;
        middle.y /= points;
    }
    return middle;
}

// Segments are compared by their middles. The nearest switchable segment within 45 degrees of
// the direction is taken; when none lies there, the one ahead with the least distance ahead
// plus twice the distance aside.
int Segchar::Neighbour(int i, int dx, int dy) const {
    if (i < 0 || i >= Count()) {
        return i;
    }
    const GeoMiddle from = Middle(i);
    for (const bool cone : {true, false}) {
        int best = -1;
        double bestScore = 0;
        for (int k = 0; k < Count(); ++k) {
            if (k == i || !segments_[static_cast<std::size_t>(k)].IsToggleable()) {
                continue;
            }
            const GeoMiddle to = Middle(k);
            const double ahead = (to.x - from.x) * dx + (to.y - from.y) * dy;
            const double aside = std::abs((to.x - from.x) * dy - (to.y - from.y) * dx);
            if (ahead <= 0 || (cone && aside > ahead)) {
                continue;
            }
            const double score = cone ? std::hypot(ahead, aside) : ahead + 2 * aside;
            if (best < 0 || score < bestScore) {
                best = k;
                bestScore = score;
            }
        }
        if (best >= 0) {
            return best;
        }
    }
    return i;
}

const Segchar& SharedSegchar() {
    if (installed) {
        return *installed;
    }
    static const Segchar programGeometry(MainGTex());
    return programGeometry;
}

void InstallSharedSegchar(const Segchar* segchar) {
    installed = segchar;
}
