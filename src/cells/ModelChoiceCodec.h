#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellIds.h"

// A value chosen from one of the model's lists whose items follow the image (channel
// lists, the language list). It takes the choice and opens the model's list window; the
// rules set the text.
class ModelChoiceCodec {
public:
    std::string listName{};
    int32_t listId = Flex0;
    std::optional<int32_t> startValue{};  // the current value when empty
    std::string parameter{};              // the list sheet's parameter: selects the list kind

    int Run(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const;
};
