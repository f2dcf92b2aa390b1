#include "cells/FixedPointCodec.h"

#include <cstdlib>

#include "cells/CodecProtocol.h"
#include "platform/TextUtil.h"

namespace {

int64_t Pow10(int n)
{
    int64_t p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

int Decimals(int n)
{
    return n < 0 ? 0 : (n > 9 ? 9 : n);
}

}  // namespace

int32_t FixedPointCodec::Low() const
{
    return CodecProtocol::RoundHalfAway(min * static_cast<double>(Pow10(Decimals(storedDecimals))));
}

int32_t FixedPointCodec::High() const
{
    return CodecProtocol::RoundHalfAway(max * static_cast<double>(Pow10(Decimals(storedDecimals))));
}

std::string FixedPointCodec::Display(int32_t value) const
{
    const int a = Decimals(storedDecimals);
    const int b = shownDecimals < 0 ? 0 : (shownDecimals > 6 ? 6 : shownDecimals);
    const int64_t unit = Pow10(a);
    const int64_t whole = value / unit;
    int64_t fraction = std::llabs(value % unit);
    if (b >= a)
        fraction *= Pow10(b - a);
    else
        fraction /= Pow10(a - b);
    // A value between -1 and 0 has a whole part of 0: the sign goes in front of it.
    const std::string wholeText = (value < 0 && whole == 0)
                                      ? std::string("-0")
                                      : txt::Format("%lld", static_cast<long long>(whole));
    std::string out = txt::Format("%3s", wholeText.c_str());
    if (b > 0)
        out += txt::Format(".%0*lld", b, static_cast<long long>(fraction));
    return out;
}

int FixedPointCodec::Run(cmcCellCapsule& capsule, int32_t* value, int& /*repaint*/,
                         int& opened) const
{
    if (capsule.context != nullptr)
        return 0;
    const int32_t lo = Low();
    const int32_t hi = High();
    const int32_t s = step <= 0 ? 1 : step;
    int changed = 0;
    if (capsule.inputMode == cmcCellCapsule::kInputText) {
        std::string f = txt::KeepOnly(capsule.inputText, ".-");
        if (f.size() > 9)
            f.resize(9);
        if (!f.empty()) {
            const int64_t limit = int64_t{1} << 30;
            int64_t v = CodecProtocol::Limit(CodecProtocol::ReadScaled(f, Decimals(storedDecimals)),
                                             static_cast<int32_t>(-limit - 2),
                                             static_cast<int32_t>(limit - 2));
            v = (v / s) * s;
            *value = CodecProtocol::Limit(v, lo, hi);
            changed = 1;
        }
    }
    CodecProtocol::Show(capsule, Display(*value));

    if (!CodecProtocol::HandlesKeys(capsule))
        return changed;
    const int32_t k = capsule.key;
    const bool stepKey = k == cmcCellCapsule::kKeySpace || k == cmcCellCapsule::kKeyBackspace;
    if (k == '.') {
        const std::string t = txt::Trim(capsule.text);
        CodecProtocol::OpenEditor(capsule, t, opened);
        const size_t dot = t.find('.');
        capsule.selStart = static_cast<int32_t>(dot == std::string::npos ? t.size() : dot + 1);
        capsule.selLength = 0;
    } else if (stepKey && steppingAllowed) {
        const int32_t v = CodecProtocol::Wrap(
            static_cast<int64_t>(*value) + (k == cmcCellCapsule::kKeySpace ? s : -s), lo, hi);
        if (v != *value) {
            *value = v;
            changed = 1;
            CodecProtocol::Show(capsule, Display(*value));
        }
    } else if (stepKey || k == cmcCellCapsule::kKeyEnter) {
        CodecProtocol::OpenEditor(capsule, emptyEditor ? std::string() : txt::Trim(capsule.text),
                                  opened);
    } else if (CodecProtocol::IsDigitKey(k) || k == '-') {
        CodecProtocol::OpenEditorWith(capsule, static_cast<char>(k), opened);
    }
    return changed;
}
