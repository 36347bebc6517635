#include "radio/host/TitledBoxes.h"

#include "common/GetTextBlock.h"
#include "common/MainGTex.h"

platform::BoxAnswer ShowAppBox(const std::string& text, platform::BoxIcon icon,
                               platform::BoxButtons buttons) {
    return ShowAppBox(platform::Boxes(), MainGTex(), text, icon, buttons);
}

platform::BoxAnswer ShowAppBox(platform::MessageBoxes& boxes, cmcGTex& texts,
                               const std::string& text, platform::BoxIcon icon,
                               platform::BoxButtons buttons) {
    return boxes.Show(text, texts.GetLine("GI_Sys_AppTitle", 0), icon, buttons);
}

platform::BoxAnswer ShowTextBlockBox(const std::string& key, platform::BoxIcon icon,
                                     platform::BoxButtons buttons) {
    return ShowTextBlockBox(platform::Boxes(), MainGTex(), key, icon, buttons);
}

platform::BoxAnswer ShowTextBlockBox(platform::MessageBoxes& boxes, cmcGTex& texts,
                                     const std::string& key, platform::BoxIcon icon,
                                     platform::BoxButtons buttons) {
    return ShowAppBox(boxes, texts, GetTextBlock(texts, key), icon, buttons);
}
