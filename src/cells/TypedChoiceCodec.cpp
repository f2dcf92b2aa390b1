#include "cells/TypedChoiceCodec.h"

#include <algorithm>
#include <cmath>

#include "cells/ChoiceCodec.h"
#include "cells/CodecProtocol.h"
#include "cells/cmcFCache.h"
#include "platform/TextUtil.h"

namespace {

using Items = std::vector<std::pair<int32_t, std::string>>;

// The items of the list in the order they stand in the entry.
Items EntryOrder(const std::string& listName, int32_t listId)
{
    Items items;
    if (g_FCache == nullptr)
        return items;
    std::vector<cmcFChoice> choices = g_FCache->List(listName, listId).byValue;
    std::stable_sort(choices.begin(), choices.end(), [](const cmcFChoice& a, const cmcFChoice& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    for (const cmcFChoice& c : choices)
        items.emplace_back(c.value, c.name != nullptr ? *c.name : std::string());
    return items;
}

// The number a name starts with; 0 when it does not start with one.
int32_t LeadingNumber(const std::string& name)
{
    size_t end = 0;
    while (end < name.size() && ((name[end] >= '0' && name[end] <= '9') || name[end] == '.' ||
                                 (end == 0 && name[end] == '-')))
        ++end;
    return txt::ReadDecimal(std::string_view(name).substr(0, end));
}

bool MatchName(const std::string& typed, const Items& items, int32_t* value)
{
    for (const auto& [v, name] : items) {
        if (CodecProtocol::Upper(std::string_view(name).substr(0, typed.size())) == typed) {
            *value = v;
            return true;
        }
    }
    return false;
}

bool MatchNumber(const std::string& typed, const Items& items, int32_t* value)
{
    if (items.empty())
        return false;
    std::string t = typed;
    if (t.size() >= 2 && t[0] == 'O') {
        if (t[1] != 'F')
            return false;
        t = "0";
    }
    const int64_t n = txt::ReadDecimal(t);
    int64_t best = -1;
    for (const auto& [v, name] : items) {
        const int64_t d = std::llabs(static_cast<int64_t>(LeadingNumber(name)) - n);
        if (best < 0 || d < best) {  // on equal distance the earlier item stays
            best = d;
            *value = v;
        }
    }
    return true;
}

}  // namespace

bool TypedChoiceCodec::Match(const std::string& typed, int matchKind, const Items& items,
                             int32_t* value)
{
    const std::string t = CodecProtocol::Upper(txt::Trim(typed));
    if (t.empty())  // an emptied editor names nothing: the value stays
        return false;
    switch (matchKind) {
        case kMatchName:
            return MatchName(t, items, value);
        case kMatchNameThenNumber:
            if (t.size() == 1)
                return false;
            return MatchName(t, items, value) || MatchNumber(t, items, value);
        default:
            return MatchNumber(t, items, value);
    }
}

int TypedChoiceCodec::Run(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const
{
    if (capsule.inputMode == cmcCellCapsule::kInputText && capsule.context == nullptr &&
        opened == 0) {
        int32_t v;
        int changed = 0;
        if (Match(capsule.inputText, matchKind, EntryOrder(listName, listId), &v)) {
            *value = v;
            changed = 1;
        }
        CodecProtocol::Show(capsule, ChoiceCodec::NameOf(listName, listId, *value));
        return changed;
    }
    if (CodecProtocol::HandlesKeys(capsule) && capsule.context == nullptr) {
        const int32_t k = capsule.key;
        const bool opens = matchKind == kMatchNumber
                               ? (CodecProtocol::IsDigitKey(k) || k == 'o' || k == 'O')
                               : (k > ' ' && k <= 255 && k != 127);
        if (opens) {
            CodecProtocol::Show(capsule, ChoiceCodec::NameOf(listName, listId, *value));
            CodecProtocol::OpenEditorWith(capsule, static_cast<char>(k), opened);
            return 0;
        }
    }
    return ChoiceCodec{listName, listId, std::nullopt}.Run(capsule, value, repaint, opened);
}
