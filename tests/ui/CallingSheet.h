#pragma once

#include <QObject>
#include <QSize>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "common/cmcGTex.h"
#include "ui/cuiSheet.h"

class ItemRegistry;

namespace testsupport {

// The sheet a pop-up editor is opened from: one row of cells given in the cell language, in the
// program's font, in a window of its own that is shown, active and has the focus; its cells run
// through the dispatcher over the rows. The pop-ups it opens are children of its grid.
class CallingSheet {
public:
    CallingSheet(const std::string& cells, const ItemRegistry& rows, QSize size);
    ~CallingSheet();

    // Enter, or the key given, on a cell.
    void Press(int col, int row, Qt::Key key = Qt::Key_Return);
    // The sheet goes, and its grid with it.
    void Close();

    QWidget host;
    std::unique_ptr<cuiSheet> sheet;

private:
    std::vector<std::string> lines_;
    std::vector<const char*> pointers_;
    cmcGTex table_;
};

// Runs the deletions and the events that wait.
void Settle();

// The first child of the type (the pop-ups carry no meta-object of their own, so qobject_cast
// cannot tell them).
template <class T>
T* ChildOf(const QObject* parent) {
    for (QObject* child : parent->findChildren<QObject*>()) {
        if (auto* found = dynamic_cast<T*>(child)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace testsupport
