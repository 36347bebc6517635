#include "radio/image/DocumentRanges.h"

#include "radio/image/ImageLayout.h"

namespace {

constexpr int kFirstUserAddress = 256;

}  // namespace

AddressRangeList GetAddressRanges(int kind) {
    const int first = kind == RANGE_CloneWrite ? kFirstUserAddress : 0;
    return {{first, layout::kRadioPartLast}, {1, 0}};
}
