#include "sheets/cuiCellPopups.h"

#include "sheets/cuiFlector.h"
#include "sheets/indFlector.h"

void cuiCellPopups::OpenChoiceList(const cmcCellCapsule& capsule, int32_t listId,
                                   int32_t startValue, cmcGTex* store, const std::string& listName)
{
    // The list frees itself when it closes.
    new cuiFlector(capsule, listId, startValue, store, listName);
}

void cuiCellPopups::OpenModelChoiceList(const cmcCellCapsule& capsule, int32_t listId,
                                        int32_t startValue, cmcGTex* store,
                                        const std::string& listName, const std::string& parameter)
{
    new indFlector(capsule, listId, startValue, store, listName, parameter);
}

void cuiCellPopups::OpenFlagBits(const cmcCellCapsule&, cmcGTex*, uint32_t, int, int, int, int,
                                 const std::string&)
{
}

void cuiCellPopups::OpenSegmentText(const cmcCellCapsule&, cmcGTex*, const std::string&, bool, int,
                                    const uint8_t*)
{
}

void cuiCellPopups::OpenCharEditor(const cmcCellCapsule&, int, uint16_t) {}
