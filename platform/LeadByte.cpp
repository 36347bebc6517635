#include "platform/LeadByte.h"

namespace platform {

namespace {
LeadByteRule currentRule = LeadByteRule::None;
}

void SetLeadByteRule(LeadByteRule rule) {
    currentRule = rule;
}

LeadByteRule CurrentLeadByteRule() {
    return currentRule;
}

bool IsLeadByte(unsigned char byte) {
    if (currentRule == LeadByteRule::ShiftJis) {
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    }
    return false;
}

std::size_t CharLength(std::string_view text, std::size_t i) {
    return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

}  // namespace platform
