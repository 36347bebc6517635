#include "radio/HelpContext.h"

#include <string>

#include "common/DecimalNumber.h"
#include "common/TextHelpers.h"
#include "common/cmcHelpGTex.h"
#include "radio/CellCodes.h"
#include "radio/CellNames.h"
#include "radio/cmcEeprom.h"
#include "radio/cmcFCache.h"

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

// Field 1 of the first line of the section whose field 0 is name; empty when none.
std::string FindTopic(cmcHelpGTex& help, const std::string& section, const std::string& name) {
    for (int n = 0;; ++n) {
        const std::string line = help.GetLine(section, n);
        if (line == "#") {
            return {};
        }
        if (Field(line, 0) == name) {
            return Field(line, 1);
        }
    }
}

// Field 1 of the last context line whose field 0 is the topic.
std::string FindContext(cmcHelpGTex& help, const std::string& topic) {
    std::string context;
    for (int n = 0;; ++n) {
        const std::string line = help.GetLine("GI_AppItem_Context_ID", n);
        if (line == "#") {
            return context;
        }
        if (Field(line, 0) == topic) {
            context = Field(line, 1);
        }
    }
}

}  // namespace

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
