#include "common/cmcHash.h"

cmcHash::cmcHash(uint32_t buckets) : cmcHashChains<int>(buckets, "Overlapped Hash table.") {}
