#pragma once

#include "common/cmcHashChains.h"

// Text key to a record the table does not own.
template <class Record>
class cmcHash2 : public cmcHashChains<Record*> {
public:
    explicit cmcHash2(uint32_t buckets = 0)
        : cmcHashChains<Record*>(buckets, "Overlapped Hash2 table.") {}
};
