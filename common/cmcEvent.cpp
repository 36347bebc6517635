#include "common/cmcEvent.h"

#include <algorithm>

std::string cmcEvent::Text() const {
    const auto end = std::find(block.begin(), block.end(), uint8_t{0});
    return std::string(block.begin(), end);
}
