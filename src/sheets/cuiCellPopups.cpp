#include "sheets/cuiCellPopups.h"

#include "maker/cuiSegEdit.h"
#include "sheets/cuiFBitsR.h"
#include "sheets/cuiFSegText.h"
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

void cuiCellPopups::OpenFlagBits(const cmcCellCapsule& capsule, cmcGTex* store, uint32_t value,
                                 int firstLabel, int lastLabel, int labelKind, int displayKind,
                                 const std::string& entryName)
{
    new cuiFBitsR(capsule, store, value, firstLabel, lastLabel, labelKind, displayKind, entryName);
}

void cuiCellPopups::OpenSegmentText(const cmcCellCapsule& capsule, cmcGTex* store,
                                    const std::string& storedBytes, bool selectAll, int length,
                                    const uint8_t* userChars)
{
    new cuiFSegText(capsule, store, storedBytes, selectAll, length, userChars);
}

void cuiCellPopups::OpenCharEditor(const cmcCellCapsule& capsule, int unused, uint16_t pattern)
{
    new cuiSegEdit(capsule, unused, pattern);
}
