#include "cells/UserCharCodec.h"

#include "cells/CodecProtocol.h"
#include "cells/ICellPopups.h"
#include "cells/Segchar.h"
#include "cells/SegmentText.h"
#include "platform/TextUtil.h"

int UserCharCodec::Run(cmcCellCapsule& capsule, uint8_t* value, int& /*repaint*/, int& opened) const
{
    // The character editor hands the pattern back as a choice of a Flex0 cell.
    if (CodecProtocol::ForeignContext(capsule, Flex0))
        return 0;
    int changed = 0;
    if (capsule.inputMode == cmcCellCapsule::kInputChoice) {
        const std::string typed = txt::Trim(capsule.inputText);
        const std::string digits = CodecProtocol::KeepChars(typed, "0123456789");
        // Text that is not a number stores 0; a pattern has 16 bits.
        const int64_t v = digits.size() == typed.size() ? CodecProtocol::ReadDigits(digits) : 0;
        const int32_t pattern = CodecProtocol::Limit(v, 0, 0xFFFF);
        value[0] = static_cast<uint8_t>(pattern >> 8);
        value[1] = static_cast<uint8_t>(pattern & 0xFF);
        changed = 1;
    }
    CodecProtocol::Show(capsule, "");

    if (capsule.canvas != nullptr && capsule.rect != nullptr) {
        // Drawn as user character 0 whose pattern is this value.
        const uint8_t code[2] = {16, 0};
        DrawSegmentText(*capsule.canvas, *capsule.rect, code, 1, 1, 1, value,
                        Segchar::FromOverlay());
    }

    if (CodecProtocol::HandlesKeys(capsule) && g_CellPopups != nullptr) {
        const int32_t key = capsule.key;
        if (key == cmcCellCapsule::kKeyEnter || key == cmcCellCapsule::kKeySpace ||
            key == cmcCellCapsule::kKeyBackspace) {
            g_CellPopups->OpenCharEditor(capsule, 15,
                                         static_cast<uint16_t>((value[0] << 8) | value[1]));
            opened = cmcCellCapsule::kResultPopup;
        }
    }
    return changed;
}
