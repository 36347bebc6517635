#pragma once

namespace platform {

// Which bytes start a double-byte character. Table files here are UTF-8, which never puts
// an ASCII special character inside a multi-byte character, so the default rule knows none;
// tests install the Shift-JIS rule to exercise the double-byte paths of every scanner.
enum class LeadByteRule { None, ShiftJis };

void SetLeadByteRule(LeadByteRule rule);
LeadByteRule CurrentLeadByteRule();
bool IsLeadByte(unsigned char byte);

}  // namespace platform
