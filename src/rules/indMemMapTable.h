#pragma once
#include <cstdint>
#include <vector>

#include "rules/indMemMapRow.h"

// The radio's memory map of the generic settings: one row per identifier, in identifier
// order (the rows are in indMemMapTable.cpp). The generic rules (indGenericRules) are driven
// by it; the special rules find the storage of their cells here.
class indMemMapTable {
public:
    static const std::vector<indMemMapRow>& Rows();
    // The row of an identifier, or nullptr.
    static const indMemMapRow* Find(int32_t id);
};
