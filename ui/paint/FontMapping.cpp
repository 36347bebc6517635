#include "ui/paint/FontMapping.h"

#include <cmath>

#include <QApplication>
#include <QFontMetricsF>

namespace {

void ApplyHeight(QFont& font, int height, int points) {
    if (height < 0) {
        font.setPixelSize(-height);
    } else if (height > 0) {
        // The cell height includes the leading: scale the character size to fit it.
        font.setPixelSize(height);
        const double cell = QFontMetricsF(font).height();
        if (cell > 0) {
            font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * height / cell))));
        }
    } else if (points > 0) {
        font.setPointSize(points);
    }
}

}  // namespace

QFont ToQFont(const cmcFont& value) {
    QFont font = QApplication::font();
    if (!value.name.empty()) {
        font.setFamily(QString::fromStdString(value.name));
    }
    ApplyHeight(font, value.height, value.size);
    font.setBold((value.style & fsBold) != 0);
    font.setItalic((value.style & fsItalic) != 0);
    font.setUnderline((value.style & fsUnderline) != 0);
    font.setStrikeOut((value.style & fsStrikeOut) != 0);
    if (value.pitch == fpFixed) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::Monospace);
    }
    return font;
}
