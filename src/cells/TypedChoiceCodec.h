#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellIds.h"

// A choice list that also takes a typed text: by the start of an item's name (match kind
// 1), by the nearest number (kind 0, where "off" reads as 0), or by name and then by number
// (kind 2). Everything else is the plain choice list.
class TypedChoiceCodec {
public:
    static constexpr int kMatchNumber = 0;
    static constexpr int kMatchName = 1;
    static constexpr int kMatchNameThenNumber = 2;

    std::string listName{};
    int32_t listId = Flex0;
    int matchKind = kMatchNumber;

    int Run(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const;

    // The item a typed text picks, from (value, name) items in entry order; false when
    // none does.
    static bool Match(const std::string& typed, int matchKind,
                      const std::vector<std::pair<int32_t, std::string>>& items, int32_t* value);
};
