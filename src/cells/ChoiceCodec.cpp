#include "cells/ChoiceCodec.h"

#include "cells/CodecProtocol.h"
#include "cells/ICellPopups.h"
#include "cells/cmcFCache.h"
#include "platform/TextUtil.h"

std::string ChoiceCodec::NameOf(const std::string& listName, int32_t listId, int32_t value)
{
    if (g_FCache == nullptr)
        return "error";
    return g_FCache->NameOf(listName, listId, value);
}

bool ChoiceCodec::StepInList(const std::string& listName, int32_t listId, int32_t* value, int delta)
{
    if (g_FCache == nullptr)
        return false;
    g_FCache->List(listName, listId);  // stepping needs the list loaded
    return g_FCache->Step(listName, listId, *value, delta, value);
}

void ChoiceCodec::OpenList(cmcCellCapsule& capsule, int32_t listId, int32_t startValue,
                           const std::string& listName, int& opened)
{
    if (g_CellPopups == nullptr)
        return;
    g_CellPopups->OpenChoiceList(capsule, listId, startValue, CodecProtocol::Texts(), listName);
    opened = cmcCellCapsule::kResultPopup;
}

bool ChoiceCodec::FindName(const cmcCellCapsule& capsule, int32_t* value) const
{
    if (g_FCache == nullptr)
        return false;
    const std::string typed = CodecProtocol::Upper(txt::Trim(capsule.inputText));
    if (typed.empty())
        return false;
    for (const cmcFChoice& c : g_FCache->List(listName, listId).byValue) {
        if (c.name != nullptr && CodecProtocol::Upper(txt::Trim(*c.name)) == typed) {
            *value = c.value;
            return true;
        }
    }
    return false;
}

int ChoiceCodec::Run(cmcCellCapsule& capsule, int32_t* value, int& /*repaint*/, int& opened) const
{
    if (CodecProtocol::ForeignContext(capsule, listId))
        return 0;
    int changed = 0;
    int32_t chosen;
    if (CodecProtocol::ChoiceFor(capsule, listId, &chosen)) {
        *value = chosen;
        changed = 1;
    } else if (capsule.inputMode == cmcCellCapsule::kInputText && FindName(capsule, &chosen)) {
        // Text pasted or imported into the cell: the choice of that name, as if picked.
        changed = chosen != *value;
        *value = chosen;
    }
    CodecProtocol::Show(capsule, NameOf(listName, listId, *value));
    if (CodecProtocol::HandlesKeys(capsule)) {
        switch (capsule.key) {
            case cmcCellCapsule::kKeySpace:
            case cmcCellCapsule::kKeyBackspace: {
                int32_t v = *value;
                if (StepInList(listName, listId, &v,
                               capsule.key == cmcCellCapsule::kKeySpace ? 1 : -1) &&
                    v != *value) {
                    *value = v;
                    changed = 1;
                    CodecProtocol::Show(capsule, NameOf(listName, listId, v));
                }
                break;
            }
            case cmcCellCapsule::kKeyEnter:
                OpenList(capsule, listId, startValue.value_or(*value), listName, opened);
                break;
            default:
                break;
        }
    }
    return changed;
}

int ChoiceCodec::RunByte(cmcCellCapsule& capsule, uint8_t* value, int& repaint, int& opened) const
{
    int32_t v = *value;
    const int changed = Run(capsule, &v, repaint, opened);
    if (changed)
        *value = static_cast<uint8_t>(v & 0xFF);
    return changed;
}
