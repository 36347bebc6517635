#pragma once

#include <QPalette>
#include <QRect>
#include <functional>

#include "common/WindowRect.h"
#include "radio/cells/cmcCellCapsule.h"

class cmcCellObj;
class cuiCanvas;
class cuiImageList;
class QPainter;

// Paints one sheet cell on any painter (the grid's viewport, a printed page, an image): the
// background, the bottom line, the cell's text (for a cell with an item, the text its handler
// renders) placed by the cell's alignment, and the warning or error mark the handler reports.
// One capsule serves every paint.
class cuiCellPainter {
public:
    using Handler = std::function<int(cmcCellCapsule& capsule, int notify)>;

    // How a highlighted cell looks: in the highlight colour when the grid has the focus (or is
    // a pop-up list), in the button face when not, and in its own colours under the editor.
    enum class Highlight { None, UnderEditor, Focused, Unfocused };

    // The cell to paint (the anchor's descriptor for a joined cell) in the cell's rectangle;
    // the text starts at textLeft, left of the rectangle for a joined cell. A cell with a
    // bottom line that ends its column's part of the row (no cell joined to it on its right)
    // also gets a rule along its right edge, so that a value reads under its own heading.
    struct Target {
        cmcCellObj& cell;
        QRect rect;
        int textLeft;
        Highlight highlight;
        bool endsColumn = true;
    };

    // The image list (the tree's icons; none: no marks), the parent capsule and the template
    // are not owned and must outlive the painter.
    cuiCellPainter(const cuiImageList* images, cmcCellCapsule* parent, const cmcCellObj& tmpl);
    cuiCellPainter(const cuiCellPainter&) = delete;
    cuiCellPainter& operator=(const cuiCellPainter&) = delete;

    // On paper cells are white or dark grey with black or white text, and marks are polygons;
    // margins grow with the scale.
    void SetPrinting(bool printing, int scale);

    void Paint(QPainter& painter, const QPalette& palette, const Target& target,
               const Handler& handler);

    // The width a mark takes beside a value, with its margins, for text lines of the height:
    // the room a sheet that shows marks keeps in its columns.
    static int MarkRoom(int lineHeight, bool printing, int scale);

private:
    // The rectangle's edges, right and bottom exclusive as the class library had them.
    struct Edges {
        int left;
        int top;
        int right;
        int bottom;
    };

    uint32_t PaintBackground(cuiCanvas& canvas, const cmcCellObj& cell, const Edges& edges,
                             Highlight highlight) const;
    void DrawColumnRule(cuiCanvas& canvas, const Target& target, const Edges& edges) const;
    // The bottom line's colour.
    uint32_t LineColour(const cmcCellObj& cell) const;
    void SetTextColour(cuiCanvas& canvas, const cmcCellObj& cell, uint32_t brush) const;
    int DrawText(cuiCanvas& canvas, const cmcCellObj& cell, const std::string& text,
                 const Edges& edges) const;
    void DrawMarks(QPainter& painter, cuiCanvas& canvas, const cmcCellObj& cell, int penX,
                   const Edges& edges) const;
    bool HasMark() const;
    // Marks are as high as a line of text (half of it on paper), within the row.
    int MarkSize(cuiCanvas& canvas, const Edges& edges) const;

    const cuiImageList* images_;
    cmcCellCapsule* parent_;
    const cmcCellObj& template_;
    bool printing_ = false;
    int scale_ = 1;
    cmcCellCapsule capsule_;
    WindowRect rect_;
};
