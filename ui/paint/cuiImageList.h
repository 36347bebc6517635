#pragma once

#include <vector>

#include <QIcon>
#include <QSize>

// The pictures that menu items, tool-bar buttons and tree nodes name by index.
class cuiImageList {
public:
    explicit cuiImageList(QSize size = QSize(16, 16)) : size_(size) {}

    void Add(const QIcon& icon) { icons_.push_back(icon); }
    int Count() const { return static_cast<int>(icons_.size()); }
    // A null icon for an index outside the list (-1 is "no picture").
    QIcon Icon(int index) const;
    QSize Size() const { return size_; }

private:
    QSize size_;
    std::vector<QIcon> icons_;
};
