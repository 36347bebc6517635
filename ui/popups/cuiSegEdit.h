#pragma once

#include <QDialog>
#include <QPointer>
#include <cstdint>
#include <functional>

#include "radio/cells/cmcCellCapsule.h"
#include "radio/glyphs/Segchar.h"

class QPainter;
class QPushButton;
class cmcEvMan;
class cmcGTex;
class cuiPaintBox;
struct cmcEvent;

// The dialog that designs a user character: its segments drawn large, a click on one switches
// it; from the keyboard the arrow keys move the outline over the segments and Space switches
// the one outlined. OK (Enter) hands the pattern back by running a copy of the opening capsule
// through the dispatch handler with inputMode 2 and the pattern as decimal text; Cancel and
// Esc store nothing.
// Modal to the application while open; it deletes itself when it closes.
class cuiSegEdit : public QDialog {
public:
    using Dispatch = std::function<int(cmcCellCapsule& capsule, int notify)>;

    // Owned by the capsule's grid; the geometry is read from the table.
    cuiSegEdit(const cmcCellCapsule& capsule, uint16_t pattern, cmcGTex& table, Dispatch dispatch);
    ~cuiSegEdit() override;

    const Segchar& Geometry() const { return segchar_; }
    cuiPaintBox* PaintBox() const { return paintBox_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    // Where a point of the geometry lies in the paint box.
    QPoint ToBox(GeoPoint point) const;
    // The segment the keys act on; -1 when none can be switched.
    int Cursor() const { return cursor_; }

private:
    double Scale() const;
    GeoPoint FromBox(QPoint at) const;
    void Paint(QPainter& painter);
    void PaintCursor(QPainter& painter);
    void OnMouseDown(Qt::MouseButton button, QPoint at);
    bool OnKeyDown(int key);
    void OnOk();

    static void OnEventThunk(void* data, const cmcEvent& event);
    void OnEvent(const cmcEvent& event);

    cmcCellCapsule capsule_;
    Segchar segchar_;
    Dispatch dispatch_;
    // The grid of the calling cell, which gets the focus back.
    QPointer<QWidget> callingGrid_;
    cmcEvMan* bus_ = nullptr;
    cuiPaintBox* paintBox_ = nullptr;
    int cursor_ = -1;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
