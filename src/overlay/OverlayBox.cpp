#include "overlay/OverlayBox.h"

#include "overlay/cmcGTex.h"
#include "platform/Services.h"

std::string AppTitle()
{
    return g_GTex ? g_GTex->GetLine("GI_Sys_AppTitle", 0) : std::string();
}

plat::BoxResult OverlayTextBox(const std::string& text, plat::BoxIcon icon,
                               plat::BoxButtons buttons)
{
    plat::IMessageBoxes* boxes = plat::Get().boxes;
    if (!boxes)
        return buttons == plat::BoxButtons::Ok ? plat::BoxResult::Ok : plat::BoxResult::Cancel;
    return boxes->Show(AppTitle(), text, icon, buttons);
}

plat::BoxResult OverlayBox(const std::string& key, plat::BoxIcon icon, plat::BoxButtons buttons)
{
    return OverlayTextBox(g_GTex->GetLines(key), icon, buttons);
}

bool ConfirmBox(const std::string& key)
{
    return OverlayBox(key, plat::BoxIcon::Warning, plat::BoxButtons::OkCancel) ==
           plat::BoxResult::Ok;
}
