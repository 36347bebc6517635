#include "tests/ui/support/PaintedTexts.h"

#include <QHashFunctions>
#include <QImage>
#include <QPaintEngine>
#include <QPen>

namespace testsupport {

namespace {

class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine(std::vector<PaintedTexts::Text>& texts, std::vector<std::string>& polygons)
        : QPaintEngine(QPaintEngine::AllFeatures), texts_(texts), polygons_(polygons) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& changed) override {
        if (changed.state() & QPaintEngine::DirtyPen) {
            pen_ = changed.pen();
        }
    }
    void drawTextItem(const QPointF&, const QTextItem& item) override {
        texts_.push_back({item.text().toStdString(), pen_.color()});
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    // Glyphs copied from the shape cache: where, and which picture (by its pixels).
    void drawImage(const QRectF& rect, const QImage& image, const QRectF&,
                   Qt::ImageConversionFlags) override {
        polygons_.push_back(
            "image(" + std::to_string(rect.x()) + "," + std::to_string(rect.y()) + "," +
            std::to_string(qHashBits(image.constBits(), image.sizeInBytes())) + ")");
    }
    void drawRects(const QRectF*, int) override {}
    void drawRects(const QRect*, int) override {}
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override {
        std::string polygon;
        for (int i = 0; i < count; ++i) {
            polygon +=
                "(" + std::to_string(points[i].x()) + "," + std::to_string(points[i].y()) + ")";
        }
        polygons_.push_back(polygon);
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override {
        std::vector<QPointF> real(points, points + count);
        drawPolygon(real.data(), count, mode);
    }
    void drawPath(const QPainterPath&) override {}
    void drawLines(const QLineF*, int) override {}
    void drawLines(const QLine*, int) override {}
    Type type() const override { return QPaintEngine::User; }

private:
    std::vector<PaintedTexts::Text>& texts_;
    std::vector<std::string>& polygons_;
    QPen pen_;
};

}  // namespace

PaintedTexts::PaintedTexts() : engine_(std::make_unique<RecordingEngine>(texts, polygons)) {}

PaintedTexts::~PaintedTexts() = default;

QPaintEngine* PaintedTexts::paintEngine() const {
    return engine_.get();
}

std::string PaintedTexts::Joined() const {
    std::string joined;
    for (const Text& text : texts) {
        joined += (joined.empty() ? "" : "\n") + text.text;
    }
    return joined;
}

std::string PaintedTexts::Shapes() const {
    std::string joined;
    for (const std::string& polygon : polygons) {
        joined += polygon;
    }
    return joined;
}

int PaintedTexts::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return 2000;
        case PdmWidthMM:
        case PdmHeightMM:
            return 529;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7FFFFFFF;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
    }
}

}  // namespace testsupport
