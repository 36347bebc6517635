#include "radio/glyphs/Segment.h"

#include <algorithm>
#include <optional>

#include "common/DecimalNumber.h"
#include "common/TextHelpers.h"

namespace {

// The next point "(x, y)" of the text from pos on; pos moves past it.
std::optional<GeoPoint> ReadPoint(std::string_view text, std::size_t& pos) {
    const std::size_t open = text.find('(', pos);
    if (open == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t comma = text.find(',', open);
    const std::size_t close = text.find(')', open);
    if (comma == std::string_view::npos || close == std::string_view::npos || close < comma) {
        return std::nullopt;
    }
    pos = close + 1;
    return GeoPoint{ReadDecimal(text.substr(open + 1, comma - open - 1)).value,
                    ReadDecimal(text.substr(comma + 1, close - comma - 1)).value};
}

std::optional<dataTriangle> ReadTriangle(std::string_view field) {
    dataTriangle triangle;
    std::size_t pos = 0;
    for (GeoPoint& point : triangle.points) {
        const std::optional<GeoPoint> read = ReadPoint(field, pos);
        if (!read) {
            return std::nullopt;
        }
        point = *read;
    }
    return triangle;
}

}  // namespace

Segment::Segment(std::string_view line, int lineNumber) : lineNumber_(lineNumber) {
    const int count = ReadDecimal(GetToken(line, '|', 0).value_or("")).value;
    toggleable_ = count >= 0;
    const long long wanted = count < 0 ? -static_cast<long long>(count) : count;
    for (long long k = 1; k <= wanted; ++k) {
        const std::optional<std::string> field = GetToken(line, '|', static_cast<int>(k));
        if (!field) {
            break;
        }
        if (const std::optional<dataTriangle> triangle = ReadTriangle(*field)) {
            triangles_.push_back(*triangle);
        }
    }
}

bool Segment::HitTest(GeoPoint point) const {
    return std::any_of(triangles_.begin(), triangles_.end(),
                       [point](const dataTriangle& t) { return PointInTriangle(t, point); });
}
