#pragma once

#include <QColor>
#include <QPaintDevice>
#include <memory>
#include <string>
#include <vector>

class QPaintEngine;

namespace testsupport {

// A paint device that keeps every text painted on it, with the pen's colour, in order: what a
// cell of a real grid painted, read back without looking at pixels.
class PaintedTexts : public QPaintDevice {
public:
    struct Text {
        std::string text;
        QColor colour;
    };

    PaintedTexts();
    ~PaintedTexts() override;

    QPaintEngine* paintEngine() const override;
    // The texts painted, joined by "\n".
    std::string Joined() const;
    // The filled polygons painted (the segments of display glyphs), their points joined, and the
    // glyph pictures copied in their place.
    std::string Shapes() const;

    std::vector<Text> texts;
    std::vector<std::string> polygons;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<QPaintEngine> engine_;
};

}  // namespace testsupport
