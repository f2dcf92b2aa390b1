#include "shell/ShellRules.h"

#include "cells/ModelChoiceCodec.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellIds.h"
#include "cells/cmcCellObj.h"
#include "common/indEnviron.h"
#include "overlay/OverlayLanguages.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "rules/indRulesHost.h"

int ShellRules(void* context, cmcCellCapsule* c, int)
{
    indRulesHost& host = *static_cast<indRulesHost*>(context);
    cmcCellObj* cell = c->cell;
    if (!cell)
        return cmcCellCapsule::kResultNone;
    const int32_t id = cell->id;
    const int32_t index = cell->index;
    if (c->key == cmcCellCapsule::kKeyDoubleClick)
        c->key = cmcCellCapsule::kKeyEnter;
    c->text.clear();
    c->flags &= static_cast<uint8_t>(~(cmcCellCapsule::kFlagWarning | cmcCellCapsule::kFlagError));
    if (id == CallSheet) {
        if (c->key == cmcCellCapsule::kKeyEnter && cell->altText)
            host.OpenSheet(*cell->altText);
    } else if ((id >= CL_Menu_File_New && id < CallSheet) || id == CL_Menu_Clone_Safety) {
        if (c->key == cmcCellCapsule::kKeyEnter) {
            host.RunCommand(id, index);
        } else {
            cell->SetUserFlag(cmcCellObj::kFlagChecked, host.CommandChecked(id, index));
            cell->SetUserFlag(cmcCellObj::kFlagDisabled, !host.CommandEnabled(id, index));
            if (id == CL_Menu_File_Recent && g_Environ) {
                const std::string name =
                    g_Environ->recent.DisplayName(index, g_Environ->currentDirectory);
                if (name.empty()) {
                    cell->SetUserFlag(cmcCellObj::kFlagDisabled, true);
                    cell->SetUserFlag(cmcCellObj::kFlagHidden, index != 0);
                } else {
                    c->text = txt::Format("&%d %s", index + 1, txt::DoubleAmpersand(name).c_str());
                    cell->SetUserFlag(3, true);
                }
            } else if (id == CL_Language_Text && g_BaseGTex) {
                c->text =
                    txt::Field(g_BaseGTex->GetLine("GI_Sys_Language", index), '\t', 0).value_or("");
                cell->SetUserFlag(3, true);
            }
        }
    } else if (id == CL_Langage_Select) {
        // The language number is chosen in the list and stored at once; the cell shows the
        // language's name from the base overlay.
        ModelChoiceCodec codec;
        codec.listName = "GI_Sheet_Sel_Language";
        codec.listId = Flex_Language_ChNo;
        int32_t value = g_Environ ? g_Environ->language : 0;
        int repaint = 0, opened = 0;
        if (codec.Run(*c, &value, repaint, opened) == 1 && g_Environ && g_BaseGTex && value >= 0 &&
            value < ovlLang::Count(*g_BaseGTex))
            g_Environ->language = value;
        if (g_BaseGTex)
            c->text = ovlLang::Name(*g_BaseGTex, g_Environ ? g_Environ->language : 0);
        if (opened)
            return opened;
    } else if (id == Flex_Language_ChNo) {
        // The items of the language list name their languages as the base overlay does.
        if (g_BaseGTex)
            c->text = ovlLang::Name(*g_BaseGTex, index);
    } else if (id == CL_PMenu_NoItem) {
        cell->SetUserFlag(cmcCellObj::kFlagDisabled, true);
    } else if (id >= CL_Check_Mch && id <= CL_Check_Mch + 8) {
        // No warnings without the model rules.
    } else if (id != kNoId && id != CL_Null) {
        c->text = txt::Format("%d *Yet*", id);
    }
    if (c->key != 0 || c->inputMode != 0 || c->command != 0) {
        host.StartWarningRecheck();
        host.CheckModified();
    }
    return cmcCellCapsule::kResultNone;
}
