// The cell-definition language: the first line of the input is a row of cells, the lines
// after it a text table that may hold cell models. Errors of the language are fatal (caught).
#include <string_view>

#include "common/cmcGTex.h"
#include "platform/LeadByte.h"
#include "radio/cells/cmcCellObj.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/ScopedInstall.h"

namespace {

void ParseRow(std::string_view row, const cmcCellObj* tmpl) {
    ChannelVars vars{};
    cmcCellObj cell;
    for (int n = 0; n < 256; ++n) {
        try {
            row = cmcCellObj::ParseDefinition(cell, row, &vars, tmpl, false);
        } catch (const platform::FatalError&) {
            return;
        }
        if (row.empty()) {
            return;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::QuietBoxes boxes;
    std::vector<std::string> lines =
        fuzz::Lines(std::string_view(reinterpret_cast<const char*>(data), size));
    if (lines.empty()) {
        return 0;
    }
    const std::string row = lines.front();
    lines.erase(lines.begin());
    lines.push_back("#End_Of_Ovl");
    std::vector<const char*> pointers;
    for (const std::string& line : lines) {
        pointers.push_back(line.c_str());
    }
    cmcGTex table;
    table.SetLines(pointers.data(), static_cast<int>(pointers.size()));
    const testsupport::ScopedMainGTex installed(&table);
    cmcCellObj tmpl;
    ParseRow(row, nullptr);
    ParseRow(row, &tmpl);
    // The double-byte rule changes what the scanners take for special characters.
    platform::SetLeadByteRule(platform::LeadByteRule::ShiftJis);
    ParseRow(row, &tmpl);
    platform::SetLeadByteRule(platform::LeadByteRule::None);
    return 0;
}
