#include "radio/cells/BodyOutline.h"

#include "common/TextHelpers.h"

int BodyLineLevel(std::string_view line) {
    // Field 0 ends at the first single-byte "+", so a second byte is never taken for one.
    return static_cast<int>(GetToken(line, '+', 0)->size());
}

std::string_view BodyLineDefinition(std::string_view line) {
    const std::size_t level = static_cast<std::size_t>(BodyLineLevel(line));
    return level < line.size() ? line.substr(level + 1) : std::string_view();
}
