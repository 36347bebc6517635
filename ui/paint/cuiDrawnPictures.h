#pragma once

#include <atomic>
#include <thread>
#include <vector>

#include <QImage>

class QPainter;

// The pictures of one list, drawn in a side thread at the size the program shows them (tool
// bar, menus, tree) as soon as the list is made, so that the window's first paint finds them
// drawn instead of drawing them itself (the numbered ones need a font of their own for it).
// A picture asked for before the side thread has drawn it is drawn at once where it is asked
// for: the window's icon is wanted as soon as the window is made, and waiting for a side
// thread that a busy machine has not yet run costs more than drawing one picture.
class cuiDrawnPictures {
public:
    using Painter = void (*)(QPainter&);

    cuiDrawnPictures(std::vector<Painter> painters, int size);
    ~cuiDrawnPictures();
    cuiDrawnPictures(const cuiDrawnPictures&) = delete;
    cuiDrawnPictures& operator=(const cuiDrawnPictures&) = delete;

    int Size() const { return size_; }
    // The picture of the painter at the index.
    QImage Picture(int index) const;

    // One drawing on a transparent square of the size: the painter works on a 16 x 16 grid.
    static QImage Draw(Painter paint, int size);

private:
    std::vector<Painter> painters_;
    int size_;
    // Sized once; the side thread fills them in order and counts those it has finished.
    std::vector<QImage> pictures_;
    std::atomic<std::size_t> drawn_{0};
    std::thread thread_;
};
