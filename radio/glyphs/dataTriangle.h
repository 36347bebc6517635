#pragma once

#include <array>
#include <cstdint>

// A point of the segment geometry, in the geometry's own units.
struct GeoPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// A coordinate computed from the geometry (in pixels or units): its whole part, held in the
// int range whatever the geometry's numbers.
int32_t WholeCoordinate(double value);

// One triangle of a display segment.
struct dataTriangle {
    std::array<GeoPoint, 3> points{};
};

// The point lies inside the triangle or on its edge: the three triangles it makes with the
// sides add up to the whole area (within 0.01).
bool PointInTriangle(const dataTriangle& triangle, GeoPoint point);
