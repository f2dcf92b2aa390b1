#include "cells/HexDigitsCodec.h"

#include <string>
#include <vector>

#include "cells/CodecProtocol.h"
#include "platform/TextUtil.h"

namespace {

constexpr const char kDigits[] = "0123456789ABCDEF";

}  // namespace

int HexDigitsCodec::RunDigits(cmcCellCapsule& capsule, int n, uint8_t* digits, int& opened) const
{
    if (capsule.context != nullptr)
        return 0;
    int changed = 0;
    if (capsule.inputMode == cmcCellCapsule::kInputText) {
        std::string t = CodecProtocol::KeepChars(
            capsule.inputText, lettersAllowed ? "0123456789abcdefABCDEF" : "0123456789");
        if (!t.empty()) {
            if (t.size() < static_cast<size_t>(n))
                t.insert(0, static_cast<size_t>(n) - t.size(), '0');
            for (int k = 0; k < n; ++k)
                digits[k] = static_cast<uint8_t>(txt::HexDigit(t[static_cast<size_t>(k)]));
            changed = 1;
        }
    }
    std::string shown;
    for (int k = 0; k < n; ++k)
        shown += kDigits[digits[k] & 0x0F];
    CodecProtocol::Show(capsule, shown);

    if (!CodecProtocol::HandlesKeys(capsule))
        return changed;
    const int32_t k = capsule.key;
    const char c = CodecProtocol::TypedChar(k);
    if (k == cmcCellCapsule::kKeyEnter || k == cmcCellCapsule::kKeySpace ||
        k == cmcCellCapsule::kKeyBackspace)
        CodecProtocol::OpenEditor(capsule, capsule.text, opened);
    else if (CodecProtocol::IsDigitKey(k) || (lettersAllowed && c != 0 && txt::HexDigit(c) >= 0))
        CodecProtocol::OpenEditorWith(capsule, c, opened);
    return changed;
}

int HexDigitsCodec::Run(cmcCellCapsule& capsule, uint8_t* digits, int& /*repaint*/,
                        int& opened) const
{
    return RunDigits(capsule, digitCount < 0 ? 0 : digitCount, digits, opened);
}

int HexDigitsCodec::RunPacked(cmcCellCapsule& capsule, int32_t* value, int& /*repaint*/,
                              int& opened) const
{
    const int n = digitCount < 0 ? 0 : (digitCount > 8 ? 8 : digitCount);
    uint8_t digits[8] = {};
    const uint32_t v = static_cast<uint32_t>(*value);
    for (int k = 0; k < n; ++k)
        digits[k] = static_cast<uint8_t>((v >> (4 * (n - 1 - k))) & 0x0F);
    const int changed = RunDigits(capsule, n, digits, opened);
    if (changed) {
        uint32_t packed = 0;
        for (int k = 0; k < n; ++k)
            packed = (packed << 4) | digits[k];
        *value = static_cast<int32_t>(packed);
    }
    return changed;
}
