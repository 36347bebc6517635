#pragma once

#include <QProxyStyle>

// The application's style for a tool bar row, which paints the row's background in tiles.
// Qt's raster engine blends a long run of single pixels (a line across the whole bar) in its
// thread pool and waits for it; painted a tile at a time the same pixels are blended in the
// painting thread, so the window's first paint starts no threads and waits for none.
class cuiToolBarStyle : public QProxyStyle {
public:
    cuiToolBarStyle();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

    // Qt blends a run in threads from about a hundred pixels on; a tile stays well below that
    // with every line it crosses.
    static constexpr int kTile = 32;
};
