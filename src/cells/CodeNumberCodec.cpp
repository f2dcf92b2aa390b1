#include "cells/CodeNumberCodec.h"

#include "cells/ChoiceCodec.h"
#include "cells/CodecProtocol.h"
#include "platform/TextUtil.h"

namespace {

// The value as the selection list sees it: every code number is its item 1.
int32_t Presented(int32_t value)
{
    return value >= 1 && value <= CodeNumberCodec::kMax ? 1 : value;
}

}  // namespace

int CodeNumberCodec::Run(cmcCellCapsule& capsule, int32_t* value, int& /*repaint*/,
                         int& opened) const
{
    int changed = 0;
    int32_t chosen = 0;
    if (CodecProtocol::ChoiceFor(capsule, kSelId, &chosen)) {
        if (chosen == 1) {
            ChoiceCodec::OpenList(capsule, kCodeId, *value, kCodeList, opened);
        } else {
            *value = chosen;
            changed = 1;
        }
    } else if (CodecProtocol::ChoiceFor(capsule, kCodeId, &chosen)) {
        *value = chosen;
        changed = 1;
    } else if (capsule.context != nullptr) {
        return 0;
    } else if (capsule.inputMode == cmcCellCapsule::kInputText) {
        std::string typed = capsule.inputText;
        if (typed.size() >= 2 && (typed[0] == 'o' || typed[0] == 'O') &&
            (typed[1] == 'f' || typed[1] == 'F'))
            typed = "0" + typed.substr(2);
        const std::string digits = CodecProtocol::KeepChars(typed, "0123456789");
        if (!digits.empty()) {
            *value = CodecProtocol::Limit(CodecProtocol::ReadDigits(digits), 0, kMax);
            changed = 1;
        }
    }

    const int32_t v = *value;
    CodecProtocol::Show(capsule, Presented(v) == 1 ? txt::Format("%d", v)
                                                   : ChoiceCodec::NameOf(kSelList, kSelId, v));

    if (CodecProtocol::HandlesKeys(capsule)) {
        const int32_t key = capsule.key;
        const char c = CodecProtocol::TypedChar(key);
        if (key == cmcCellCapsule::kKeySpace || key == cmcCellCapsule::kKeyBackspace) {
            const int delta = key == cmcCellCapsule::kKeySpace ? 1 : -1;
            int32_t p = Presented(v);
            if (ChoiceCodec::StepInList(kSelList, kSelId, &p, delta) && p == 1)
                ChoiceCodec::StepInList(kSelList, kSelId, &p, delta);
            if (p != Presented(v)) {
                *value = p;
                changed = 1;
                CodecProtocol::Show(capsule, Presented(p) == 1
                                                 ? txt::Format("%d", p)
                                                 : ChoiceCodec::NameOf(kSelList, kSelId, p));
            }
        } else if (key == cmcCellCapsule::kKeyEnter) {
            ChoiceCodec::OpenList(capsule, kSelId, Presented(v), kSelList, opened);
        } else if (CodecProtocol::IsDigitKey(key) || c == '.' || c == 'o' || c == 'O') {
            CodecProtocol::OpenEditorWith(capsule, c, opened);
        }
    }
    return changed;
}
