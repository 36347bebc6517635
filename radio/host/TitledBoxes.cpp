#include "radio/host/TitledBoxes.h"

#include "common/GetTextBlock.h"
#include "common/MainGTex.h"

platform::BoxAnswer ShowAppBox(const std::string& text, platform::BoxIcon icon,
                               platform::BoxButtons buttons) {
    return platform::Boxes().Show(text, MainGTex().GetLine("GI_Sys_AppTitle", 0), icon, buttons);
}

platform::BoxAnswer ShowTextBlockBox(const std::string& key, platform::BoxIcon icon,
                                     platform::BoxButtons buttons) {
    return ShowAppBox(GetTextBlock(MainGTex(), key), icon, buttons);
}
