#pragma once

#include <string>

#include "platform/MessageBox.h"

// Message boxes of the cloning program, captioned with line 0 of "GI_Sys_AppTitle".
platform::BoxAnswer ShowAppBox(const std::string& text, platform::BoxIcon icon,
                               platform::BoxButtons buttons = platform::BoxButtons::Ok);
// The text block of the key in such a box.
platform::BoxAnswer ShowTextBlockBox(const std::string& key, platform::BoxIcon icon,
                                     platform::BoxButtons buttons = platform::BoxButtons::Ok);
