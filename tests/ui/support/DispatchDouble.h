#pragma once

#include <map>
#include <string>
#include <vector>

#include "radio/memmap/ItemRegistry.h"

namespace testsupport {

// A dispatcher double for command cells: a row table whose rows report the state bits a test
// sets for (item, index), replace the caption when asked, and record every Enter.
struct CommandRows {
    struct Run {
        int item;
        int index;
        int key;
        int parentItem;  // the parent capsule's cell, -1 without one
        void* control;
    };

    CommandRows();
    ~CommandRows();

    static const ItemRegistry& Registry();
    void Set(int item, int index, uint8_t bits, std::string caption = {});

    std::map<std::pair<int, int>, std::pair<uint8_t, std::string>> states;
    std::vector<Run> enters;
    // By item code: the parent capsule's cell item of the last state query, -1 without one.
    std::map<int, int> queryParents;
};

}  // namespace testsupport
