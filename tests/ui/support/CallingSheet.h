#pragma once

#include <QObject>
#include <QSize>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "common/cmcGTex.h"
#include "ui/sheet/cuiSheet.h"

class ItemRegistry;
class cuiImageList;

namespace testsupport {

// The sheet a pop-up is opened from: shown in an active window, its grid focused, its cells run
// through the dispatcher over the rows given. The pop-ups it opens are children of its grid, so
// when it goes they go too.
class CallingSheet {
public:
    CallingSheet() = default;
    // One row of cells given in the cell language, in the program's font, built at once.
    CallingSheet(const std::string& cells, const ItemRegistry& rows, QSize size);
    ~CallingSheet();
    CallingSheet(const CallingSheet&) = delete;
    CallingSheet& operator=(const CallingSheet&) = delete;

    // The named sheet of a table the caller keeps.
    void Build(cmcGTex& table, const char* name, const ItemRegistry& rows, QSize size,
               const cuiImageList* images = nullptr);
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

// Runs the deletions and the events that wait (closed windows go after the event that closed
// them).
void Settle();

// The first child of the type (the pop-up classes carry no meta-object of their own, so
// qobject_cast cannot tell them).
template <class T>
T* ChildOf(const QObject* parent) {
    for (QObject* child : parent->findChildren<QObject*>()) {
        if (T* found = dynamic_cast<T*>(child)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace testsupport
