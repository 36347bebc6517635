#pragma once

#include "common/cmcHashChains.h"

// Text key to integer: the layout language's names to codes, colour names to colours.
class cmcHash : public cmcHashChains<int> {
public:
    explicit cmcHash(uint32_t buckets = 0);
};
