#include "cells/SecondsCodec.h"

#include <cmath>
#include <cstdlib>

#include "cells/CodecProtocol.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"

std::string SecondsCodec::Seconds(int32_t value) const
{
    const int64_t u = unitsPerSecond <= 0 ? 1 : unitsPerSecond;
    const int64_t whole = value / u;
    const int64_t millis = std::llabs((static_cast<int64_t>(value) * 1000 / u) % 1000);
    std::string out =
        txt::Format("%3lld.%03lld", static_cast<long long>(whole), static_cast<long long>(millis));
    for (int i = 0; i < zerosToStrip && !out.empty(); ++i) {
        const char last = out.back();
        if (last != '0' && last != '.')
            break;
        out.pop_back();
        if (last == '.')
            break;
    }
    return out;
}

int SecondsCodec::Run(cmcCellCapsule& capsule, int32_t* value, int& /*repaint*/, int& opened) const
{
    if (capsule.context != nullptr)
        return 0;
    const int32_t u = unitsPerSecond <= 0 ? 1 : unitsPerSecond;
    int changed = 0;
    if (capsule.inputMode == cmcCellCapsule::kInputText) {
        std::string digits = CodecProtocol::KeepChars(capsule.inputText, "0123456789.");
        if (digits.size() > 9)
            digits.resize(9);
        if (!digits.empty()) {
            double x = (CodecProtocol::ReadReal(digits) + 0.0005) * u;
            if (x < min)
                x = min;
            if (x > max)
                x = max;
            *value = static_cast<int32_t>(std::trunc(x));
            changed = 1;
        }
        const std::string letters = CodecProtocol::KeepChars(capsule.inputText, "ofOF");
        if (letters.size() > 1 && (letters[0] == 'o' || letters[0] == 'O') &&
            (letters[1] == 'f' || letters[1] == 'F')) {
            // "off" is 0 only where the cell can show it; elsewhere the range holds.
            *value = offTextAllowed ? 0 : CodecProtocol::Limit(0, min, max);
            changed = 1;
        }
    }
    auto show = [&] {
        cmcGTex* texts = CodecProtocol::Texts();
        if (capsule.key == 0 && offTextAllowed && *value == 0 && texts != nullptr)
            CodecProtocol::Show(capsule, texts->GetText("GI_AppInd_TimerOff"));
        else
            CodecProtocol::Show(capsule, Seconds(*value));
    };
    show();

    if (!CodecProtocol::HandlesKeys(capsule))
        return changed;
    return changed |
           CodecProtocol::NumberKeys(capsule, value, min, max, opened, show, [&](int32_t k) {
               return CodecProtocol::IsDigitKey(k) || k == '.' || k == 'o' || k == 'O';
           });
}

int SecondsCodec::RunByte(cmcCellCapsule& capsule, uint8_t* value, int& repaint, int& opened) const
{
    SecondsCodec codec = *this;
    codec.min = 0;
    codec.max = 255;
    codec.zerosToStrip = 0;
    int32_t v = *value;
    const int changed = codec.Run(capsule, &v, repaint, opened);
    if (changed)
        *value = static_cast<uint8_t>(v & 0xFF);
    return changed;
}
