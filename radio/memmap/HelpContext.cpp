#include "radio/memmap/HelpContext.h"

#include <string>
#include <utility>
#include <vector>

#include "common/DecimalNumber.h"
#include "common/TextHelpers.h"
#include "common/cmcHelpGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/CellNames.h"
#include "radio/image/cmcEeprom.h"
#include "radio/memmap/cmcFCache.h"

namespace {

constexpr int kFirstKeyItem = 221;
constexpr int kLastFrontKeyItem = 232;  // the programmable keys; the trunking keys follow
constexpr int kLastKeyItem = 244;
constexpr int kFrontKeyBytes = 195;  // item + 195: the function assigned to the key
constexpr int kTrunkKeyBytes = 191;

bool IsKeyAssignment(int item) {
    return item >= kFirstKeyItem && item <= kLastKeyItem;
}

// The choice list that names the functions a key can take.
std::string KeyFunctionList(int item, ModelType model) {
    if (model == MT_MdcPmr) {
        return "GI_Sheet_Sel_Keys_Conv_MdcPmr";
    }
    if (model == MT_MdcLmr) {
        return "GI_Sheet_Sel_Keys_Conv_MdcLmr";
    }
    if (item > kLastFrontKeyItem) {
        return "GI_Sheet_Sel_KDisp_Key_SmTr";
    }
    return model == MT_Lmr ? "GI_Sheet_Sel_Keys_Conv_Lmr" : "GI_Sheet_Sel_Keys_Conv_VaskPmr";
}

std::string Field(const std::string& line, int n) {
    return GetToken(line, '\t', n).value_or(std::string());
}

// The lines of a section up to its closing "#".
std::vector<std::string> SectionLines(cmcHelpGTex& help, const std::string& section) {
    std::vector<std::string> lines;
    for (int n = 0;; ++n) {
        std::string line = help.GetLine(section, n);
        if (line == "#") {
            return lines;
        }
        lines.push_back(std::move(line));
    }
}

// Field 1 of the first line of the sections whose field 0 is name; empty when none.
std::string FindTopic(cmcHelpGTex& help, const std::string& section, const std::string& name) {
    for (const std::string& line : HelpLines(help, section)) {
        if (Field(line, 0) == name) {
            return Field(line, 1);
        }
    }
    return {};
}

// Field 1 of the last context line whose field 0 is the topic.
std::string FindContext(cmcHelpGTex& help, const std::string& topic) {
    std::string context;
    for (const std::string& line : HelpLines(help, "GI_AppItem_Context_ID")) {
        if (Field(line, 0) == topic) {
            context = Field(line, 1);
        }
    }
    return context;
}

}  // namespace

std::vector<std::string> HelpLines(cmcHelpGTex& help, const std::string& name) {
    std::vector<std::string> lines = SectionLines(help, name);
    for (const std::string& part : SectionLines(help, "GI_AppItem_Help_Parts")) {
        if (part.starts_with(name + "_")) {
            std::vector<std::string> more = SectionLines(help, part);
            lines.insert(lines.end(), more.begin(), more.end());
        }
    }
    return lines;
}

int FindHelpContext(int item, const cmcEeprom& image, ModelType model, cmcFCache& lists,
                    cmcHelpGTex& help) {
    std::string name;
    std::string section = "GI_AppItem_Topic_ID";
    if (IsKeyAssignment(item)) {
        const int offset = item <= kLastFrontKeyItem ? kFrontKeyBytes : kTrunkKeyBytes;
        name = lists.GetCaption(KeyFunctionList(item, model), Flex0, image.GetByte(item + offset));
        section = "GI_AppItem_Key_Assign_Topic_ID";
    } else {
        name = CellItemCodeToName(item);
    }
    const std::string topic = FindTopic(help, section, name);
    return ReadDecimal(FindContext(help, topic)).value;
}
