#include "cells/FiveToneCodeCodec.h"

#include "cells/CodecProtocol.h"
#include "cells/cmcPackedBcd.h"
#include "platform/TextUtil.h"

int FiveToneCodeCodec::Run(cmcCellCapsule& capsule, uint8_t* code, uint8_t* groupMarks,
                           int& /*repaint*/, int& opened) const
{
    if (capsule.context != nullptr)
        return 0;
    int changed = 0;
    if (capsule.inputMode == cmcCellCapsule::kInputText) {
        std::string kept =
            CodecProtocol::KeepChars(capsule.inputText, receive ? "0123456789abcdefgABCDEFG*+"
                                                                : "0123456789abcdefgABCDEFG*");
        // Nothing usable typed keeps the code; "F" ends it, so a lone "F" clears it.
        if (!kept.empty()) {
            kept = kept.substr(0, kept.find_first_of("fF"));
            cmcPackedBcd digits;
            uint8_t marks = 0;
            for (size_t i = 0; i < kept.size() && digits.Count() < kDigits; ++i) {
                const char c = CodecProtocol::Upper(std::string(1, kept[i]))[0];
                if (c >= '0' && c <= '9') {
                    digits.AddDigit(c - '0');
                } else if (c >= 'A' && c <= 'E') {
                    digits.AddDigit(c - 'A' + 10);
                } else if (c == '+') {
                    marks |= static_cast<uint8_t>(0x80 >> digits.Count());
                    digits.AddDigit(0);
                } else {  // "*" or "G"
                    digits.AddDigit(repeatDigit);
                }
            }
            while (digits.Count() < kDigits)
                digits.AddDigit(15);
            digits.WriteTo(code);
            *groupMarks = marks;
            changed = 1;
        }
    }

    std::string text;
    for (int i = 0; i < kDigits; ++i) {
        const int d = txt::GetNibble(code, i);
        if (d == 15)
            break;
        if (*groupMarks & (0x80 >> i))
            text += '+';
        else if (d == repeatDigit)
            text += '*';
        else
            text += "0123456789ABCDE*"[d];
    }
    CodecProtocol::Show(capsule, text);

    if (CodecProtocol::HandlesKeys(capsule)) {
        const int32_t key = capsule.key;
        const char c = CodecProtocol::TypedChar(key);
        const std::string_view accepted = "0123456789abcdefABCDEF*Gg#+";
        if (key == cmcCellCapsule::kKeySpace || key == cmcCellCapsule::kKeyBackspace ||
            key == cmcCellCapsule::kKeyEnter)
            CodecProtocol::OpenEditor(capsule, text, opened);
        else if (c != 0 && accepted.find(c) != std::string_view::npos)
            CodecProtocol::OpenEditorWith(capsule, c, opened);
    }
    return changed;
}
