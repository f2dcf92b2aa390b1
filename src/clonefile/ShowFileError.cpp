#include "clonefile/ShowFileError.h"

#include "overlay/OverlayBox.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"

void ShowFileError(int code)
{
    static const char* const kKeys[] = {
        nullptr,
        "GI_Mess_FileErr_FileOpen",
        "GI_Mess_FileErr_FileAccess",
        "GI_Mess_FileErr_Model",
        "GI_Mess_FileErr_Extra",
        "GI_Mess_FileErr_MapRev",
        "GI_Mess_FileErr_Format",
        "GI_Mess_FileErr_Coverage",
        "GI_Mess_FileErr_Data",
        "GI_Mess_FileErr_Newer",
    };
    if (code < 1 || code > 9 || !g_GTex) {
        return;
    }
    const std::string text =
        txt::Format("%s\n\n%s", g_GTex->GetLine("GI_Mess_FileErr_Headline", 0).c_str(),
                    g_GTex->GetLine(kKeys[code], 0).c_str());
    OverlayTextBox(text, plat::BoxIcon::Warning, plat::BoxButtons::Ok);
}
