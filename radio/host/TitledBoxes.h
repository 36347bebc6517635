#pragma once

#include <string>

#include "platform/MessageBox.h"

class cmcGTex;

// Message boxes of the cloning program, captioned with line 0 of "GI_Sys_AppTitle": in the boxes
// in force with the main text table, or in the given ones.
platform::BoxAnswer ShowAppBox(const std::string& text, platform::BoxIcon icon,
                               platform::BoxButtons buttons = platform::BoxButtons::Ok);
platform::BoxAnswer ShowAppBox(platform::MessageBoxes& boxes, cmcGTex& texts,
                               const std::string& text, platform::BoxIcon icon,
                               platform::BoxButtons buttons = platform::BoxButtons::Ok);
// The text block of the key in such a box.
platform::BoxAnswer ShowTextBlockBox(const std::string& key, platform::BoxIcon icon,
                                     platform::BoxButtons buttons = platform::BoxButtons::Ok);
platform::BoxAnswer ShowTextBlockBox(platform::MessageBoxes& boxes, cmcGTex& texts,
                                     const std::string& key, platform::BoxIcon icon,
                                     platform::BoxButtons buttons = platform::BoxButtons::Ok);
