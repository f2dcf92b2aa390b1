#pragma once
#include "cells/ICellPopups.h"

// The popup windows the codecs open, as the sheets build them. The program installs one
// instance as g_CellPopups. Every window frees itself when it closes.
class cuiCellPopups : public ICellPopups {
public:
    void OpenChoiceList(const cmcCellCapsule& capsule, int32_t listId, int32_t startValue,
                        cmcGTex* store, const std::string& listName) override;
    void OpenModelChoiceList(const cmcCellCapsule& capsule, int32_t listId, int32_t startValue,
                             cmcGTex* store, const std::string& listName,
                             const std::string& parameter) override;
    void OpenFlagBits(const cmcCellCapsule& capsule, cmcGTex* store, uint32_t value, int firstLabel,
                      int lastLabel, int labelKind, int displayKind,
                      const std::string& entryName) override;
    void OpenSegmentText(const cmcCellCapsule& capsule, cmcGTex* store,
                         const std::string& storedBytes, bool selectAll, int length,
                         const uint8_t* userChars) override;
    void OpenCharEditor(const cmcCellCapsule& capsule, int unused, uint16_t pattern) override;
};
