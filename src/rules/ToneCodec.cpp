#include "rules/ToneCodec.h"

#include "cells/ChoiceCodec.h"
#include "cells/CodecProtocol.h"
#include "cells/cmcCellObj.h"
#include "model/datTone.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"

namespace {

bool IsOctal(char c)
{
    return c >= '0' && c <= '7';
}

// The code of three octal digits at the start of s; -1 when there are none.
int OctalCode(const std::string& s)
{
    if (s.size() < 3 || !IsOctal(s[0]) || !IsOctal(s[1]) || !IsOctal(s[2]))
        return -1;
    return (s[0] - '0') * 64 + (s[1] - '0') * 8 + (s[2] - '0');
}

// Position of a code among the DTCS items, -1 when it is not one of them.
int DtcsPosition(const std::vector<std::string>& items, int code)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (OctalCode(items[i]) == code)
            return static_cast<int>(i);
    return -1;
}

bool IsDtcs(const datTone& t)
{
    return (t.flags & datTone::kOn) && (t.flags & datTone::kDtcs);
}

int32_t ListValue(const datTone& t)
{
    if (!(t.flags & datTone::kOn))
        return ToneCodec::kNoTone;
    if (t.flags & datTone::kDtcs)
        return ToneCodec::kDtcsItem;
    return t.ctcss;
}

// A value of the tone list: a CTCSS tone or no tone.
bool SetFromList(datTone& t, int32_t v)
{
    if (v >= 0 && v < ToneCodec::kNoTone) {
        t.flags = datTone::kOn;
        t.ctcss = static_cast<uint16_t>(v);
        return true;
    }
    if (v == ToneCodec::kNoTone) {
        t.flags &= ~(datTone::kOn | datTone::kDtcs | datTone::kInverted);
        t.ctcss = 0;
        return true;
    }
    return false;
}

void SetDtcs(datTone& t, int code, bool inverted)
{
    t.flags = datTone::kOn | datTone::kDtcs | (inverted ? datTone::kInverted : 0);
    t.dtcs = static_cast<uint16_t>(code);
}

void SetAlign(cmcCellCapsule& capsule, int align)
{
    if (capsule.cell != nullptr)
        capsule.cell->layout =
            static_cast<uint8_t>((capsule.cell->layout & ~cmcCellObj::kHAlignMask) | align);
}

}  // namespace

std::vector<std::string> ToneCodec::Items(const char* key)
{
    std::vector<std::string> items;
    cmcGTex* texts = CodecProtocol::Texts();
    if (texts == nullptr)
        return items;
    for (const std::string& line : txt::Split(texts->GetLines(key), '\n'))
        for (const std::string& item : txt::Split(line, ','))
            items.push_back(txt::Trim(item));
    return items;
}

std::string ToneCodec::DtcsText(const datTone& t)
{
    return txt::Format("%d%d%d%c", (t.dtcs >> 6) & 7, (t.dtcs >> 3) & 7, t.dtcs & 7,
                       (t.flags & datTone::kInverted) ? 'i' : 'N');
}

bool ToneCodec::Same(const datTone& a, const datTone& b)
{
    const bool onA = a.flags & datTone::kOn;
    if (onA != static_cast<bool>(b.flags & datTone::kOn))
        return false;
    if (!onA)
        return true;
    if (IsDtcs(a) != IsDtcs(b))
        return false;
    if (IsDtcs(a))
        return a.dtcs == b.dtcs && (a.flags & datTone::kInverted) == (b.flags & datTone::kInverted);
    return a.ctcss == b.ctcss;
}

int ToneCodec::Run(cmcCellCapsule& capsule, datTone* tones, int& /*repaint*/, int& opened) const
{
    datTone& t = tones[receive ? 0 : 1];
    const bool wereSame = Same(tones[0], tones[1]);
    const bool digital = modelType == kDigitalPmrModel;
    const bool displayOnly = digital && !receive;
    const char* toneList = digital ? kToneListExUser : kToneList;
    int changed = 0;

    int32_t chosen = 0;
    if (displayOnly) {
        if (capsule.context != nullptr)
            return 0;
    } else if (CodecProtocol::ChoiceFor(capsule, Flex0, &chosen)) {
        changed = SetFromList(t, chosen) ? 1 : 0;
    } else if (CodecProtocol::ChoiceFor(capsule, FlexDtcs, &chosen)) {
        if (digital) {
            const int pos = DtcsPosition(Items(kDtcsItems), t.dtcs);
            ChoiceCodec::OpenList(capsule, Flex1, pos < 0 ? 0 : pos, kDtcsList, opened);
        } else {
            CodecProtocol::Show(capsule, DtcsText(t));
            capsule.RefreshEditor(0);
        }
    } else if (CodecProtocol::ChoiceFor(capsule, Flex1, &chosen)) {
        const std::vector<std::string> items = Items(kDtcsItems);
        const int code = chosen >= 0 && chosen < static_cast<int32_t>(items.size())
                             ? OctalCode(items[chosen])
                             : -1;
        if (code >= 0) {
            SetDtcs(t, code, IsDtcs(t) && (t.flags & datTone::kInverted));
            changed = 1;
            ChoiceCodec::OpenList(capsule, Flex2, (t.flags & datTone::kInverted) ? 1 : 0,
                                  kPolarityList, opened);
        }
    } else if (CodecProtocol::ChoiceFor(capsule, Flex2, &chosen)) {
        if (t.flags & datTone::kDtcs) {
            t.flags =
                (chosen & 1) ? (t.flags | datTone::kInverted) : (t.flags & ~datTone::kInverted);
            changed = 1;
        }
    } else if (capsule.context != nullptr) {
        return 0;
    } else if (capsule.inputMode == cmcCellCapsule::kInputText) {
        const std::string typed = CodecProtocol::Upper(txt::Trim(capsule.inputText));
        const int code = OctalCode(typed);
        const bool dtcsForm =
            code >= 0 &&
            (typed.size() == 3 || (typed.size() == 4 && (typed[3] == 'I' || typed[3] == 'N')));
        if (dtcsForm && (!digital || DtcsPosition(Items(kDtcsItems), code) >= 0)) {
            SetDtcs(t, code, typed.size() == 4 && typed[3] == 'I');
            changed = 1;
        } else if (!typed.empty()) {
            const std::vector<std::string> items = Items(kCtcssItems);
            int matches = 0;
            int first = -1;
            for (size_t i = 0; i < items.size(); ++i) {
                if (CodecProtocol::Upper(items[i].substr(0, typed.size())) == typed) {
                    if (matches++ == 0)
                        first = static_cast<int>(i);
                }
            }
            if ((matches == 1 || (matches > 1 && typed.size() > 1)) && first < kNoTone) {
                SetFromList(t, first);
                changed = 1;
            }
        }
    }

    // Keys
    if (!displayOnly && CodecProtocol::HandlesKeys(capsule)) {
        const int32_t key = capsule.key;
        if (key == cmcCellCapsule::kKeySpace || key == cmcCellCapsule::kKeyBackspace) {
            if (IsDtcs(t)) {
                t.flags ^= datTone::kInverted;
                changed = 1;
            } else {
                int32_t v = ListValue(t);
                if (ChoiceCodec::StepInList(toneList, Flex0, &v,
                                            key == cmcCellCapsule::kKeySpace ? 1 : -1) &&
                    v != ListValue(t) && SetFromList(t, v))
                    changed = 1;
            }
        } else if (key == cmcCellCapsule::kKeyEnter) {
            ChoiceCodec::OpenList(capsule, Flex0, ListValue(t), toneList, opened);
        } else if (key > 32 && key <= 126) {
            CodecProtocol::OpenEditorWith(capsule, static_cast<char>(key), opened);
        }
    }

    if (changed && receive && wereSame)
        tones[1] = tones[0];

    // Display
    if (opened != cmcCellCapsule::kResultEditor) {
        std::string text;
        if (IsDtcs(t)) {
            if (digital) {
                text =
                    ChoiceCodec::NameOf(kDtcsList, Flex1, DtcsPosition(Items(kDtcsItems), t.dtcs)) +
                    ((t.flags & datTone::kInverted) ? "i" : "N");
            } else {
                text = DtcsText(t);
            }
        } else {
            text = ChoiceCodec::NameOf(toneList, Flex0, ListValue(t));
        }
        CodecProtocol::Show(capsule, text);
        SetAlign(capsule, 2);
        if (!receive && (tones[0].flags & datTone::kOn) && Same(tones[0], tones[1])) {
            CodecProtocol::Show(capsule, "<-");
            SetAlign(capsule, 1);
        }
    }
    return changed;
}
