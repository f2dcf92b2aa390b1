#include "cells/AdjustCodec.h"

#include "cells/CodecProtocol.h"
#include "cells/IntCodec.h"
#include "platform/TextUtil.h"

std::string AdjustCodec::Bar(int32_t value, int32_t low, int32_t high)
{
    int64_t n = 0;
    if (high != low)
        n = (static_cast<int64_t>(value) - low) * 20 / (static_cast<int64_t>(high) - low);
    n = CodecProtocol::Limit(n, 0, 20);
    return "[" + std::string(static_cast<size_t>(n), '#') + std::string(20 - n, '-') + "]";
}

int AdjustCodec::Run(cmcCellCapsule& capsule, int32_t* value, int& /*repaint*/, int& opened) const
{
    if (capsule.context != nullptr)
        return 0;
    const int32_t step = shiftDown ? 5 : 1;
    int changed = 0;
    if (capsule.inputMode == cmcCellCapsule::kInputText &&
        IntCodec::ReadTyped(capsule.inputText, offset, 1, min, max, value))
        changed = 1;
    if (clamp && IntCodec::ClampValue(min, max, value))
        changed = 1;
    CodecProtocol::Show(capsule, IntCodec::Display(*value, offset, fixedText));

    if (!CodecProtocol::HandlesKeys(capsule))
        return changed;
    const int32_t k = capsule.key;
    if (k == cmcCellCapsule::kKeyRightEdge || k == cmcCellCapsule::kKeyLeftEdge) {
        int64_t v =
            static_cast<int64_t>(*value) + (k == cmcCellCapsule::kKeyRightEdge ? step : -step);
        v = CodecProtocol::Limit(v, min, max);
        *value = static_cast<int32_t>((v / step) * step);
        CodecProtocol::Show(capsule, IntCodec::Display(*value, offset, fixedText));
        return 1;  // the arrows always send the value again
    }
    const bool enter = k == cmcCellCapsule::kKeyEnter || k == cmcCellCapsule::kKeySpace ||
                       k == cmcCellCapsule::kKeyBackspace;
    if (enter && enterBehaviour == kEnterPopup)
        opened = cmcCellCapsule::kResultPopup;
    else if (enter)
        CodecProtocol::OpenEditor(capsule, txt::Trim(capsule.text), opened);
    else if (CodecProtocol::IsDigitKey(k) || (k == '-' && min < 0))
        CodecProtocol::OpenEditorWith(capsule, static_cast<char>(k), opened);
    return changed;
}
