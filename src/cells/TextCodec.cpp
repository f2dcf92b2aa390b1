#include "cells/TextCodec.h"

#include <string>

#include "cells/CodecProtocol.h"
#include "platform/TextUtil.h"

int TextCodec::Run(cmcCellCapsule& capsule, uint8_t* value, int& /*repaint*/, int& opened) const
{
    const bool choice = capsule.inputMode == cmcCellCapsule::kInputChoice;
    if (capsule.context != nullptr && !choice)
        return 0;
    const int n = length < 0 ? 0 : length;
    const uint8_t fill = variant == kSpaceFilled ? ' ' : 0;
    int changed = 0;

    if (capsule.inputMode == cmcCellCapsule::kInputText || choice) {
        const std::string& in = capsule.inputText;
        // The length counts bytes; a double-byte character that does not fit whole is left
        // out rather than cut in half.
        size_t keep = 0;
        while (keep < in.size()) {
            const size_t w =
                (txt::IsLeadByte(static_cast<unsigned char>(in[keep])) && keep + 1 < in.size()) ? 2
                                                                                                : 1;
            if (keep + w > static_cast<size_t>(n))
                break;
            keep += w;
        }
        for (int i = 0; i < n; ++i)
            value[i] = static_cast<size_t>(i) < keep ? static_cast<uint8_t>(in[i]) : fill;
        changed = 1;
    }

    for (int i = 0; i < n; ++i) {
        uint8_t b = value[i];
        if (variant == kZeroFilledLower && b >= 'A' && b <= 'Z')
            b = static_cast<uint8_t>(b - 'A' + 'a');
        if (txt::IsLeadByte(b) && i + 1 < n) {
            // Both bytes of a double-byte character go, not only the lead byte.
            value[i] = value[i + 1] = fill;
            ++i;
            continue;
        }
        if (b < 32 || b > 126)
            b = fill;
        if (b == ' ' && (variant == kZeroFilled || variant == kZeroFilledLower))
            b = 0;
        value[i] = b;
    }

    int end = 0;
    while (end < n && value[end] != 0)
        ++end;
    std::string shown(reinterpret_cast<const char*>(value), static_cast<size_t>(end));
    if (variant == kSpaceFilled) {
        while (!shown.empty() && shown.back() == ' ')
            shown.pop_back();
    }
    CodecProtocol::Show(capsule, shown);

    if (!CodecProtocol::HandlesKeys(capsule))
        return changed;
    const int32_t k = capsule.key;
    if (k == cmcCellCapsule::kKeyEnter || k == cmcCellCapsule::kKeySpace ||
        k == cmcCellCapsule::kKeyBackspace)
        CodecProtocol::OpenEditor(capsule, capsule.text, opened);
    else if (k > 32 && k <= 126)
        CodecProtocol::OpenEditorWith(capsule, static_cast<char>(k), opened);
    return changed;
}
