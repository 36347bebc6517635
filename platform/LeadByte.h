#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// Which bytes start a double-byte character. Table files here are UTF-8, which never puts
// an ASCII special character inside a multi-byte character, so the default rule knows none;
// tests install the Shift-JIS rule to exercise the double-byte paths of every scanner.
enum class LeadByteRule { None, ShiftJis };

void SetLeadByteRule(LeadByteRule rule);
LeadByteRule CurrentLeadByteRule();
bool IsLeadByte(unsigned char byte);
// The length in bytes of the character at i: 2 for a lead byte with a second byte after it,
// else 1. A scanner steps by it, so a second byte is never taken for a special character.
std::size_t CharLength(std::string_view text, std::size_t i);

}  // namespace platform
