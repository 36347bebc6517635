#include "ui/paint/cuiTextCache.h"

#include <QFontMetrics>

#include "ui/paint/FontMapping.h"

namespace {

// A font's texts are laid out afresh once this many are kept: the bound of a sheet that shows
// ever new texts (frequencies, names) for a long time.
constexpr std::size_t kTextsPerFont = 4096;

cmcFont WithoutColour(cmcFont value) {
    value.colour = 0;
    return value;
}

}  // namespace

cuiTextCache::Font::Font(const cmcFont& value)
    : key_(WithoutColour(value)), font_(ToQFont(value)), height_(QFontMetrics(font_).height()) {}

const cuiTextCache::Text& cuiTextCache::Font::Lay(std::string_view text) {
    const std::string key(text);
    if (const auto found = texts_.find(key); found != texts_.end()) {
        return found->second;
    }
    if (texts_.size() >= kTextsPerFont) {
        texts_.clear();
    }
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    Text laid;
    laid.layout.setText(string);
    laid.layout.setTextFormat(Qt::PlainText);
    laid.layout.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.layout.prepare(QTransform(), font_);
    laid.width = QFontMetrics(font_).horizontalAdvance(string);
    return texts_.emplace(key, std::move(laid)).first->second;
}

cuiTextCache::Font& cuiTextCache::Get(const cmcFont& value) {
    const cmcFont key = WithoutColour(value);
    for (Font& font : fonts_) {
        if (font.key_ == key) {
            return font;
        }
    }
    return fonts_.emplace_back(value);
}

cuiTextCache& cuiTextCache::Shared() {
    static cuiTextCache cache;
    return cache;
}
