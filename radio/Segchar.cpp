#include "radio/Segchar.h"

#include <algorithm>
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
    for (Segment& segment : segments_) {
        if (segment.IsToggleable() && segment.HitTest(point)) {
            segment.SetOn(!segment.IsOn());
            return true;
        }
    }
    return false;
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
