#include "cells/NumberedChoiceCodec.h"

#include "cells/ChoiceCodec.h"
#include "cells/CodecProtocol.h"
#include "cells/cmcCellObj.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"

namespace {

// Calls f(cell) for every cell of every line of the entry, line by line; f returns false
// to go on to the next line.
template <typename F>
void ForEachCell(const std::string& listName, F f)
{
    cmcGTex* texts = CodecProtocol::Texts();
    if (texts == nullptr)
        return;
    const std::string key = listName + "_Cells";
    cmcCellObj cell;
    cmcCounters counters{};
    for (int n = 0;; ++n) {
        const std::string line = txt::Trim(texts->GetLine(key, n));
        if (!line.empty() && line[0] == '#')
            return;
        std::string rest = line;
        while (!rest.empty()) {
            rest = cell.ParseCell(rest, nullptr, &counters);
            if (!f(cell))
                break;
        }
    }
}

}  // namespace

int32_t NumberedChoiceCodec::LowBound() const
{
    int32_t low = 0;
    ForEachCell(listA, [&](const cmcCellObj& cell) {
        if (cell.id != idA)
            return true;
        low = cell.index;
        return false;
    });
    return low;
}

int32_t NumberedChoiceCodec::HighBound() const
{
    int32_t high = 0;
    ForEachCell(listB, [&](const cmcCellObj& cell) {
        if (cell.id != idB || cell.index <= high)
            return true;
        high = cell.index;
        return false;
    });
    return high;
}

int NumberedChoiceCodec::Run(cmcCellCapsule& capsule, int32_t* value, int& /*repaint*/,
                             int& opened) const
{
    int32_t chosen = 0;
    const bool fromA = CodecProtocol::ChoiceFor(capsule, idA, &chosen);
    const bool fromB = !fromA && CodecProtocol::ChoiceFor(capsule, idB, &chosen);
    if (capsule.context != nullptr && !fromA && !fromB)
        return 0;

    const int32_t low = LowBound();
    const int32_t high = HighBound();
    int changed = 0;

    if (fromA && chosen == low) {
        // The number item: the number itself comes from list B. List B is opened on the
        // cell's own request, not on this choice: its context is the picked item of list A,
        // which goes away with list A while list B stays open.
        cmcCellCapsule request;
        request.Copy(capsule);
        request.context = nullptr;
        request.inputMode = cmcCellCapsule::kInputKey;
        request.inputText.clear();
        ChoiceCodec::OpenList(request, idB, *value, listB, opened);
        CodecProtocol::Show(capsule, txt::Format("%d", *value));
        return 0;
    }
    if (fromA || fromB) {
        *value = chosen;
        changed = 1;
    } else if (capsule.inputMode == cmcCellCapsule::kInputText) {
        std::string t = txt::Trim(capsule.inputText);
        if (offAllowed && t.size() >= 2 && (t[0] == 'o' || t[0] == 'O') &&
            (t[1] == 'f' || t[1] == 'F'))
            t = "0";
        const std::string digits = txt::KeepOnly(t, "");
        if (!digits.empty()) {
            // Leading zeros do not count against the length the number is read with.
            const size_t first = digits.find_first_not_of('0');
            const int64_t n =
                first == std::string::npos ? 0 : CodecProtocol::ReadDigits(digits.substr(first));
            *value = (offAllowed && n == 0) ? 0 : CodecProtocol::Limit(n, low, high);
            changed = 1;
        }
    }

    auto show = [&] {
        const int32_t v = *value;
        CodecProtocol::Show(capsule, v >= low && v <= high ? txt::Format("%d", v)
                                                           : ChoiceCodec::NameOf(listA, idA, v));
    };
    show();

    if (CodecProtocol::HandlesKeys(capsule)) {
        const int32_t k = capsule.key;
        if (k == cmcCellCapsule::kKeyEnter) {
            ChoiceCodec::OpenList(capsule, idA, (*value >= low && *value <= high) ? low : *value,
                                  listA, opened);
        } else if (k == cmcCellCapsule::kKeySpace || k == cmcCellCapsule::kKeyBackspace) {
            const int delta = k == cmcCellCapsule::kKeySpace ? 1 : -1;
            int32_t v = *value;
            ChoiceCodec::NameOf(listA, idA, v);  // loads the list
            if (ChoiceCodec::StepInList(listA, idA, &v, delta)) {
                // Stepping passes over the number item.
                if (v == low)
                    ChoiceCodec::StepInList(listA, idA, &v, delta);
                if (v != *value) {
                    *value = v;
                    changed = 1;
                    show();
                }
            }
        } else if (CodecProtocol::IsDigitKey(k) || k == '.' || k == 'o' || k == 'O') {
            CodecProtocol::OpenEditorWith(capsule, static_cast<char>(k), opened);
        }
    }
    return changed;
}
