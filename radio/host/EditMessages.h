#pragma once

#include <string>

struct ItemServices;

// The boxes and status texts of the channel-list and bank edits, from the main text table; a
// row shows its boxes through the boxes and the text table it is given.

// The key's text in a warning box with OK and Cancel; true for OK.
bool ConfirmEdit(const std::string& key);
bool ConfirmEdit(const ItemServices& services, const std::string& key);
// The key's text in an error box.
void ShowEditError(const std::string& key);
void ShowEditError(const ItemServices& services, const std::string& key);
// Line 0 of the key in the status bar, at once or at the next pump of the event bus.
void SendEditStatus(const std::string& key);
void PostEditStatus(const std::string& key);
