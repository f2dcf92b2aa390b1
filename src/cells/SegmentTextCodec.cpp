#include "cells/SegmentTextCodec.h"

#include "cells/CodecProtocol.h"
#include "cells/ICellPopups.h"
#include "cells/Segchar.h"
#include "cells/SegmentText.h"

int SegmentTextCodec::Run(cmcCellCapsule& capsule, uint8_t* value, int& /*repaint*/,
                          int& opened) const
{
    // The segment text window hands its text back as a choice of a Flex0 cell.
    if (CodecProtocol::ForeignContext(capsule, Flex0))
        return 0;
    const int n = length < 0 ? 0 : length;
    int changed = 0;
    if (capsule.inputMode == cmcCellCapsule::kInputText ||
        capsule.inputMode == cmcCellCapsule::kInputChoice) {
        std::string stored = SegEscapedToStored(capsule.inputText);
        if (static_cast<int>(stored.size()) < n)
            stored.append(n - stored.size(), zeroFill ? '\0' : ' ');
        for (int i = 0; i < n; ++i)
            value[i] = static_cast<uint8_t>(stored[i]);
        changed = 1;
    }

    std::string text;
    for (int i = 0; i < n && value[i] != 0; ++i)
        text += static_cast<char>(value[i]);
    if (!zeroFill) {
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
    }
    CodecProtocol::Show(capsule, text);

    if (capsule.canvas != nullptr && capsule.rect != nullptr) {
        DrawSegmentText(*capsule.canvas, *capsule.rect,
                        reinterpret_cast<const uint8_t*>(text.c_str()), n, 16, 1, userChars,
                        Segchar::FromOverlay());
        capsule.text.clear();
    }

    if (CodecProtocol::HandlesKeys(capsule) && g_CellPopups != nullptr) {
        const int32_t key = capsule.key;
        if (key == cmcCellCapsule::kKeyEnter || key == cmcCellCapsule::kKeyBackspace) {
            g_CellPopups->OpenSegmentText(capsule, CodecProtocol::Texts(), text, true, n,
                                          userChars);
            opened = cmcCellCapsule::kResultPopup;
        } else if (key >= 32 && key <= 126) {
            const std::string typed(1, key == '.' ? '\xA0' : static_cast<char>(key));
            g_CellPopups->OpenSegmentText(capsule, CodecProtocol::Texts(), typed, false, n,
                                          userChars);
            opened = cmcCellCapsule::kResultPopup;
        }
    }
    return changed;
}
