#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellIds.h"

// A value chosen from a list: the cells of the entry listName + "_Cells" whose identifier
// is listId are the choices (index = value, altText or text = name). Space and backspace
// step through the list in its visual order, wrapping; Enter opens the choice list. Text
// pasted or imported into the cell that names a choice (in any case) picks that choice.
class ChoiceCodec {
public:
    std::string listName{};
    int32_t listId = Flex0;  // FlexMark for lists whose items carry marks
    // The value the list opens on; the current value when empty.
    std::optional<int32_t> startValue{};

    int Run(cmcCellCapsule& capsule, int32_t* value, int& repaint, int& opened) const;
    // The value is the byte; only its low byte is written back, and only on a change.
    int RunByte(cmcCellCapsule& capsule, uint8_t* value, int& repaint, int& opened) const;

    // Helpers of the list codecs.
    // The name of a value; "error" when the list does not have it.
    static std::string NameOf(const std::string& listName, int32_t listId, int32_t value);
    // Steps the value delta places in the list (a value not in it steps to the first
    // choice); false when the list has no choices, and the value stays.
    static bool StepInList(const std::string& listName, int32_t listId, int32_t* value, int delta);
    // Opens the choice list window on the capsule.
    static void OpenList(cmcCellCapsule& capsule, int32_t listId, int32_t startValue,
                         const std::string& listName, int& opened);

private:
    // The value of the choice the capsule's input text names.
    bool FindName(const cmcCellCapsule& capsule, int32_t* value) const;
};
