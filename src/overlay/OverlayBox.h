#pragma once
#include <string>

#include "platform/IMessageBoxes.h"

// Message boxes whose text is an overlay entry: the whole entry of the key from the main
// overlay, lines joined with line breaks, captioned with the program's title.
plat::BoxResult OverlayBox(const std::string& key, plat::BoxIcon icon, plat::BoxButtons buttons);
// The same with a text already composed (for messages with inserted values).
plat::BoxResult OverlayTextBox(const std::string& text, plat::BoxIcon icon,
                               plat::BoxButtons buttons);
// Warning box with OK and Cancel; true on OK.
bool ConfirmBox(const std::string& key);
// Caption of every overlay message box: line 0 of "GI_Sys_AppTitle".
std::string AppTitle();
