#include "radio/glyphs/dataTriangle.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Half a side times the height of the third point over it.
double Area(GeoPoint a, GeoPoint b, GeoPoint c) {
    const double cross = (static_cast<double>(b.x) - a.x) * (static_cast<double>(c.y) - a.y) -
                         (static_cast<double>(c.x) - a.x) * (static_cast<double>(b.y) - a.y);
    return std::abs(cross) / 2;
}

}  // namespace

int32_t WholeCoordinate(double value) {
    constexpr double low = std::numeric_limits<int32_t>::min();
    constexpr double high = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(std::trunc(value), low, high));
}

bool PointInTriangle(const dataTriangle& triangle, GeoPoint point) {
    const auto& [a, b, c] = triangle.points;
    return Area(a, b, c) + 0.01 >= Area(a, b, point) + Area(a, point, c) + Area(point, b, c);
}
