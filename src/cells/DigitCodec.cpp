#include "cells/DigitCodec.h"

#include <string>

#include "cells/CodecProtocol.h"

int DigitCodec::DigitOf(char c) const
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const char last = fAllowed ? 'F' : 'E';
    if (c >= 'A' && c <= last)
        return c - 'A' + 10;
    if (c >= 'a' && c <= last - 'A' + 'a')
        return c - 'a' + 10;
    return -1;
}

int DigitCodec::Run(cmcCellCapsule& capsule, int32_t* value, int& /*repaint*/, int& opened) const
{
    if (capsule.context != nullptr)
        return 0;
    int changed = 0;
    if (capsule.inputMode == cmcCellCapsule::kInputText && !capsule.inputText.empty()) {
        const int d = DigitOf(capsule.inputText[0]);
        if (d >= 0) {
            *value = d;
            changed = 1;
        }
    }
    CodecProtocol::Show(capsule, std::string(1, "0123456789ABCDEF"[*value & 0x0F]));
    capsule.selLength = 1;

    if (!CodecProtocol::HandlesKeys(capsule))
        return changed;
    const int32_t k = capsule.key;
    const char c = CodecProtocol::TypedChar(k);
    if (k == cmcCellCapsule::kKeyEnter || k == cmcCellCapsule::kKeySpace ||
        k == cmcCellCapsule::kKeyBackspace)
        CodecProtocol::OpenEditor(capsule, capsule.text, opened);
    else if (c != 0 && DigitOf(c) >= 0)
        CodecProtocol::OpenEditorWith(capsule, c, opened);
    return changed;
}

int DigitCodec::RunByte(cmcCellCapsule& capsule, uint8_t* value, int& repaint, int& opened) const
{
    int32_t v = *value;
    const int changed = Run(capsule, &v, repaint, opened);
    if (changed)
        *value = static_cast<uint8_t>(v);
    return changed;
}
