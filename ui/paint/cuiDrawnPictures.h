#pragma once

#include <thread>
#include <vector>

#include <QImage>

class QPainter;

// The pictures of one list, drawn in a side thread at the size the program shows them (tool
// bar, menus, tree) as soon as the list is made, so that the window's first paint finds them
// drawn instead of drawing them itself (the numbered ones need a font of their own for it).
class cuiDrawnPictures {
public:
    using Painter = void (*)(QPainter&);

    cuiDrawnPictures(std::vector<Painter> painters, int size);
    ~cuiDrawnPictures();
    cuiDrawnPictures(const cuiDrawnPictures&) = delete;
    cuiDrawnPictures& operator=(const cuiDrawnPictures&) = delete;

    int Size() const { return size_; }
    // The picture of the painter at the index, once its drawing is done.
    QImage Picture(int index);

    // One drawing on a transparent square of the size: the painter works on a 16 x 16 grid.
    static QImage Draw(Painter paint, int size);

private:
    void Wait();

    std::vector<Painter> painters_;
    int size_;
    std::vector<QImage> pictures_;
    std::thread thread_;
};
