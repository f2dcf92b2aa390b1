#include "cells/DtmfCodeCodec.h"

#include "cells/CodecProtocol.h"
#include "cells/cmcPackedBcd.h"
#include "platform/TextUtil.h"

namespace {

int DigitOf(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c == '*')
        return 14;
    if (c == '#')
        return 15;
    return -1;
}

}  // namespace

int DtmfCodeCodec::Run(cmcCellCapsule& capsule, uint8_t* digits, uint8_t* count, int& /*repaint*/,
                       int& opened) const
{
    if (capsule.context != nullptr)
        return 0;
    const int n = maxDigits < 0 ? 0 : maxDigits;
    int changed = 0;
    if (capsule.inputMode == cmcCellCapsule::kInputText) {
        const std::string kept = CodecProtocol::Upper(
            CodecProtocol::KeepChars(capsule.inputText, "0123456789abcdefABCDEF*#"));
        cmcPackedBcd code;
        for (size_t i = 0; i < kept.size() && code.Count() < n; ++i)
            code.AddDigit(DigitOf(kept[i]));
        for (int i = 0; i < n; ++i)
            txt::SetNibble(digits, i, 0);
        code.WriteTo(digits);
        *count = static_cast<uint8_t>(code.Count());
        changed = 1;
    }

    const int shown = *count > n ? n : *count;
    std::string text;
    for (int i = 0; i < shown; ++i)
        text += "0123456789ABCD*#"[txt::GetNibble(digits, i)];
    CodecProtocol::Show(capsule, text);

    if (CodecProtocol::HandlesKeys(capsule)) {
        const int32_t key = capsule.key;
        const char c = CodecProtocol::TypedChar(key);
        if (key == cmcCellCapsule::kKeySpace || key == cmcCellCapsule::kKeyBackspace ||
            key == cmcCellCapsule::kKeyEnter)
            CodecProtocol::OpenEditor(capsule, text, opened);
        else if (c != 0 && (DigitOf(CodecProtocol::Upper(std::string(1, c))[0]) >= 0))
            CodecProtocol::OpenEditorWith(capsule, c, opened);
    }
    return changed;
}
