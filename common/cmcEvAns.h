#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// One answer to a query. The answers of a query form a list; a query asked while another is
// being delivered hangs its list under the outer query's current node, so answers nest.
struct cmcEvAns {
    intptr_t pointerAnswer = 0;
    int intAnswer = 0;
    std::vector<uint8_t> block;  // the bus's copy of an answered block

    std::unique_ptr<cmcEvAns> next;
    cmcEvAns* previous = nullptr;
    cmcEvAns* parent = nullptr;
    std::unique_ptr<cmcEvAns> children;

    const cmcEvAns* Next() const { return next.get(); }
    int BlockLength() const { return static_cast<int>(block.size()); }
};
