#include "cells/ModelChoiceCodec.h"

#include "cells/CodecProtocol.h"
#include "cells/ICellPopups.h"

int ModelChoiceCodec::Run(cmcCellCapsule& capsule, int32_t* value, int& /*repaint*/,
                          int& opened) const
{
    if (CodecProtocol::ForeignContext(capsule, listId))
        return 0;
    int32_t chosen;
    if (CodecProtocol::ChoiceFor(capsule, listId, &chosen)) {
        *value = chosen;
        return 1;
    }
    if (!CodecProtocol::HandlesKeys(capsule))
        return 0;
    // The items come from the image, not from the overlay: there is nothing to step
    // through here, so space and backspace open the list like Enter.
    switch (capsule.key) {
        case cmcCellCapsule::kKeyEnter:
        case cmcCellCapsule::kKeySpace:
        case cmcCellCapsule::kKeyBackspace:
            if (g_CellPopups != nullptr) {
                g_CellPopups->OpenModelChoiceList(capsule, listId, startValue.value_or(*value),
                                                  CodecProtocol::Texts(), listName, parameter);
                opened = cmcCellCapsule::kResultPopup;
            }
            break;
        default:
            break;
    }
    return 0;
}
