#include "cells/PaddedIntCodec.h"

#include "cells/CodecProtocol.h"
#include "platform/TextUtil.h"

int PaddedIntCodec::Run(cmcCellCapsule& capsule, int32_t* value, int& /*repaint*/,
                        int& opened) const
{
    if (capsule.context != nullptr)
        return 0;
    int changed = 0;
    if (capsule.inputMode == cmcCellCapsule::kInputText) {
        std::string f = txt::KeepOnly(capsule.inputText, ".-");
        if (f.size() > 9)
            f.resize(9);
        const int32_t v = txt::ReadDecimal(f);
        if (f.find_first_not_of('-') != std::string::npos && v >= min && v <= max) {
            *value = v;
            changed = 1;
        }
    }
    auto show = [&] {
        CodecProtocol::Show(
            capsule, noFill ? txt::Format("%d", *value) : txt::Format("%0*d", width, *value));
    };
    show();

    if (!CodecProtocol::HandlesKeys(capsule))
        return changed;
    return changed |
           CodecProtocol::NumberKeys(capsule, value, min, max, opened, show, [&](int32_t k) {
               return CodecProtocol::IsDigitKey(k) || (k == '-' && min < 0);
           });
}
