#pragma once

#include <QObject>
#include <QWidget>
#include <memory>

class ItemRegistry;
class cmcGTex;
class cuiImageList;
class cuiSheet;

namespace testsupport {

// The first child of the type (the pop-up classes carry no meta-object of their own, so
// qobject_cast cannot tell them).
template <class T>
T* ChildOf(const QObject* parent) {
    for (QObject* child : parent->findChildren<QObject*>()) {
        if (auto* found = dynamic_cast<T*>(child)) {
            return found;
        }
    }
    return nullptr;
}

// Deletes the windows that closed (they go after the event that closed them).
void SettleWindows();

// The sheet a pop-up is opened from: shown in an active window, its grid focused, its cells run
// through the dispatcher over the rows given. When it goes, the pop-ups its grid owns go too.
struct CallingSheet {
    CallingSheet() = default;
    ~CallingSheet();
    CallingSheet(const CallingSheet&) = delete;
    CallingSheet& operator=(const CallingSheet&) = delete;

    void Build(cmcGTex& table, const char* name, const ItemRegistry& rows, QSize size,
               const cuiImageList* images = nullptr);

    QWidget host;
    std::unique_ptr<cuiSheet> sheet;
};

}  // namespace testsupport
