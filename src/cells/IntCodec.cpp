#include "cells/IntCodec.h"

#include "cells/CodecProtocol.h"
#include "platform/TextUtil.h"

namespace {

int32_t StepOf(int32_t step)
{
    return step == 0 ? 1 : step;
}

}  // namespace

bool IntCodec::ReadTyped(const std::string& text, int32_t offset, int32_t step, int32_t min,
                         int32_t max, int32_t* value)
{
    std::string f = txt::KeepOnly(text, ".-");
    if (f.size() > 9)
        f.resize(9);
    if (f.find_first_not_of('-') == std::string::npos)
        return false;
    int64_t v = static_cast<int64_t>(txt::ReadDecimal(f)) - offset;
    step = StepOf(step);
    if (step != 1)
        v = static_cast<int64_t>(CodecProtocol::RoundHalfAway(static_cast<double>(v) / step)) *
            step;
    *value = CodecProtocol::Limit(v, min, max);
    return true;
}

bool IntCodec::ClampValue(int32_t min, int32_t max, int32_t* value)
{
    const int32_t v = CodecProtocol::Limit(*value, min, max);
    if (v == *value)
        return false;
    *value = v;
    return true;
}

std::string IntCodec::Display(int32_t value, int32_t offset, const std::string& fixedText)
{
    if (!fixedText.empty())
        return fixedText;
    return txt::Format("%lld", static_cast<long long>(value) + offset);
}

int IntCodec::Run(cmcCellCapsule& capsule, int32_t* value, int& /*repaint*/, int& opened) const
{
    if (capsule.context != nullptr)
        return 0;
    int changed = 0;
    if (capsule.inputMode == cmcCellCapsule::kInputText &&
        ReadTyped(capsule.inputText, offset, step, min, max, value))
        changed = 1;
    if (clamp && ClampValue(min, max, value))
        changed = 1;
    CodecProtocol::Show(capsule, Display(*value, offset, fixedText));

    if (!CodecProtocol::HandlesKeys(capsule))
        return changed;
    const int32_t k = capsule.key;
    if (k == cmcCellCapsule::kKeySpace || k == cmcCellCapsule::kKeyBackspace) {
        const int32_t s = StepOf(step);
        int64_t v = static_cast<int64_t>(*value) + (k == cmcCellCapsule::kKeySpace ? s : -s);
        if (v < min)
            v = saturate ? min : max;
        else if (v > max)
            v = saturate ? max : min;
        v = (v / s) * s;
        if (clamp)
            v = CodecProtocol::Limit(v, min, max);
        if (v != *value) {
            *value = static_cast<int32_t>(v);
            changed = 1;
            CodecProtocol::Show(capsule, Display(*value, offset, fixedText));
        }
    } else if (k == cmcCellCapsule::kKeyEnter) {
        CodecProtocol::OpenEditor(capsule, txt::Trim(capsule.text), opened);
    } else if (CodecProtocol::IsDigitKey(k) || (k == '-' && min < 0)) {
        CodecProtocol::OpenEditorWith(capsule, static_cast<char>(k), opened);
    }
    return changed;
}

int IntCodec::RunByte(cmcCellCapsule& capsule, uint8_t* value, int& repaint, int& opened) const
{
    int32_t v = min < 0 ? static_cast<int32_t>(static_cast<int8_t>(*value)) : *value;
    IntCodec codec = *this;
    codec.saturate = false;
    const int changed = codec.Run(capsule, &v, repaint, opened);
    if (changed)
        *value = static_cast<uint8_t>(v & 0xFF);
    return changed;
}
