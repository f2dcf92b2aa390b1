#include "cells/MinSecCodec.h"

#include "cells/CodecProtocol.h"
#include "platform/TextUtil.h"

int MinSecCodec::Run(cmcCellCapsule& capsule, int32_t* value, int& /*repaint*/, int& opened) const
{
    if (capsule.context != nullptr)
        return 0;
    const int32_t c = stepSeconds <= 0 ? 1 : (stepSeconds > 60 ? 60 : stepSeconds);
    const int32_t e = 60 / c;  // steps per minute
    const int32_t lo = minSeconds / c;
    const int32_t hi = maxSeconds / c;
    int changed = 0;
    if (capsule.inputMode == cmcCellCapsule::kInputText) {
        const std::string t = txt::KeepOnly(capsule.inputText, ":");
        // Longer than "mmm:ss" is not a time; nothing left at all keeps the value too.
        if (!t.empty() && t.size() <= 6) {
            const size_t colon = t.find(':');
            const int64_t minutes = CodecProtocol::ReadDigits(t.substr(0, colon));
            const int64_t seconds =
                colon == std::string::npos ? 0 : CodecProtocol::ReadDigits(t.substr(colon + 1));
            int64_t v = seconds / c + e * minutes;
            if (seconds % c >= c / 2)
                ++v;
            *value = CodecProtocol::Limit(v, lo, hi);
            changed = 1;
        }
    }
    auto show = [&] {
        const int32_t v = *value;
        CodecProtocol::Show(capsule, txt::Format("%2d:%02d", v / e, c * (v % e)));
    };
    show();

    if (!CodecProtocol::HandlesKeys(capsule))
        return changed;
    return changed | CodecProtocol::NumberKeys(
                         capsule, value, lo, hi, opened, show,
                         [&](int32_t k) { return CodecProtocol::IsDigitKey(k) || k == ':'; });
}
