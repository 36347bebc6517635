#include "ui/paint/cuiShapeCache.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cstring>

namespace {

// Shapes are drawn afresh once this many are kept: the bound of sheets that show ever new
// sizes and colours for a long time.
constexpr std::size_t kMaxShapes = 2048;
// Room around the corners for the outline, which may reach a pixel beyond them.
constexpr int kMargin = 2;

std::string KeyOf(std::span<const CanvasPoint> corners, const QColor& colour) {
    const QRgb rgb = colour.rgba();
    std::string key(sizeof rgb + corners.size_bytes(), '\0');
    std::memcpy(key.data(), &rgb, sizeof rgb);
    if (!corners.empty()) {
        std::memcpy(key.data() + sizeof rgb, corners.data(), corners.size_bytes());
    }
    return key;
}

}  // namespace

const cuiShapeCache::Shape& cuiShapeCache::Get(std::span<const CanvasPoint> corners,
                                               const QColor& colour) {
    std::string key = KeyOf(corners, colour);
    if (const auto found = shapes_.find(key); found != shapes_.end()) {
        return found->second;
    }
    if (shapes_.size() >= kMaxShapes) {
        shapes_.clear();
    }
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    if (!corners.empty()) {
        left = right = corners.front().x;
        top = bottom = corners.front().y;
    }
    for (const CanvasPoint& corner : corners) {
        left = std::min(left, corner.x);
        right = std::max(right, corner.x);
        top = std::min(top, corner.y);
        bottom = std::max(bottom, corner.y);
    }
    Shape shape;
    shape.offset = QPoint(left - kMargin, top - kMargin);
    shape.picture = QImage(right - left + 2 * kMargin + 1, bottom - top + 2 * kMargin + 1,
                           QImage::Format_ARGB32_Premultiplied);
    shape.picture.fill(Qt::transparent);
    QPainter painter(&shape.picture);
    painter.setPen(colour);
    painter.setBrush(colour);
    Draw(painter, corners, -shape.offset);
    painter.end();
    return shapes_.emplace(std::move(key), std::move(shape)).first->second;
}

// One path of all the triangles: the painter rasterises it once instead of once a triangle.
void cuiShapeCache::Draw(QPainter& painter, std::span<const CanvasPoint> corners, QPoint shift) {
    QPainterPath path;
    for (std::size_t at = 0; at + 3 <= corners.size(); at += 3) {
        path.moveTo(corners[at].x + shift.x(), corners[at].y + shift.y());
        path.lineTo(corners[at + 1].x + shift.x(), corners[at + 1].y + shift.y());
        path.lineTo(corners[at + 2].x + shift.x(), corners[at + 2].y + shift.y());
        path.closeSubpath();
    }
    painter.drawPath(path);
}

cuiShapeCache& cuiShapeCache::Shared() {
    static cuiShapeCache cache;
    return cache;
}
