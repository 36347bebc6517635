// The cells of the clone information window: the radio's identity block from its last
// identity answer, read only. The block is the document's, not part of the image; the comments
// are shown by the text converter.
#include <cstdio>
#include <string>
#include <vector>

#include "common/cmcGTex.h"
#include "radio/memmap/items/ItemGroups.h"

namespace {

using namespace memmap;

constexpr int kComment1 = 2;
constexpr int kComment2 = 18;
constexpr int kCommentLength = 16;
constexpr int kRevision = 34;
constexpr int kOptions = 45;  // three bytes of option-unit bits
constexpr int kModel = 48;
constexpr int kStatus = 49;
constexpr int kCheckSum = 56;  // four ASCII hexadecimal digits
constexpr int kCheckSumLength = 4;

bool BitSet(uint8_t byte, int bit) {
    return (byte >> bit & 1) != 0;
}

// The radio's model: its name, then the line of "GI_AppInd_Model" of the model bits, which
// names the model type as the tree's first node does (" (LMR)").
std::string Model(std::span<const uint8_t> block, cmcGTex& texts) {
    const uint8_t bits = block[kModel];
    const int line = BitSet(bits, 0) + (BitSet(bits, 5) ? 3 : BitSet(bits, 3));
    return texts.GetLine("GI_AppInd_RadioName", 0) + texts.GetLine("GI_AppInd_Model", line);
}

std::string Revision(std::span<const uint8_t> block, cmcGTex&) {
    const uint8_t revision = block[kRevision];
    return std::to_string(revision >> 4) + "." + std::to_string(revision & 0x0F);
}

// One line of the option units fitted to the radio, each ended by a line break.
std::string Options(std::span<const uint8_t> block, cmcGTex& texts) {
    const uint8_t units = block[kOptions];
    const uint8_t boards = block[kOptions + 1];
    const uint8_t sensors = block[kOptions + 2];
    std::vector<const char*> keys;
    if (BitSet(boards, 5)) {
        keys.push_back(BitSet(boards, 4) ? "GI_Mess_CloneInfo_Opt_Kb06"
                                         : "GI_Mess_CloneInfo_Opt_Kb05");
    }
    if ((units & 0x07) == 0x02) {
        const int data = boards & 0x03;
        keys.push_back(data == 1   ? "GI_Mess_CloneInfo_Opt_Kb07"
                       : data == 2 ? "GI_Mess_CloneInfo_Opt_Kb09"
                                   : "GI_Mess_CloneInfo_Opt_Kb03");
    }
    if (BitSet(boards, 2)) {
        keys.push_back("GI_Mess_CloneInfo_Opt_Kb02");
    }
    if ((units & 0x07) == 0x01) {
        keys.push_back("GI_Mess_CloneInfo_Opt_Kb04");
    }
    if (BitSet(boards, 3)) {
        keys.push_back("GI_Mess_CloneInfo_Opt_Kb08");
    }
    if (BitSet(sensors, 6)) {
        keys.push_back("GI_Mess_CloneInfo_Opt_Kb01");
    }
    std::string text;
    for (const char* key : keys) {
        text += texts.GetLine(key, 0) + "\n";
    }
    return text;
}

std::string OverVoltage(std::span<const uint8_t> block, cmcGTex& texts) {
    return BitSet(block[kStatus], 5) ? texts.GetLine("GI_Mess_CloneInfo_OverVolt", 0) : "";
}

// The four digits as a number, then shown in capitals after "$"; reading stops at the first
// character that is no hexadecimal digit.
std::string CheckSum(std::span<const uint8_t> block, cmcGTex&) {
    const std::string digits(block.begin() + kCheckSum,
                             block.begin() + kCheckSum + kCheckSumLength);
    unsigned value = 0;
    if (std::sscanf(digits.c_str(), "%4X", &value) != 1) {
        value = 0;
    }
    char text[8];
    std::snprintf(text, sizeof text, "$%04X", value);
    return text;
}

constexpr ItemRow kRows[] = {
    IdentityField(CL_CloneInfo_Model, &Model),
    IdentityField(CL_CloneInfo_Revision, &Revision),
    Text(CL_CloneInfo_Comment1, IdentityChars(kComment1, kCommentLength)),
    Text(CL_CloneInfo_Comment2, IdentityChars(kComment2, kCommentLength)),
    IdentityField(CL_CloneInfo_Option, &Options),
    IdentityField(CL_CloneInfo_OverVolt, &OverVoltage),
    IdentityField(CL_CloneInfo_CheckSum, &CheckSum),
};
static_assert(CodesNamedOnce(kRows));

}  // namespace

std::span<const ItemRow> CloneInfoRows() {
    return kRows;
}
