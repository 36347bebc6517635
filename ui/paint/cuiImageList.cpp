#include "ui/paint/cuiImageList.h"

QIcon cuiImageList::Icon(int index) const {
    if (index < 0 || index >= Count()) {
        return QIcon();
    }
    return icons_[static_cast<std::size_t>(index)];
}
