#pragma once
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "cells/cmcCellCapsule.h"
#include "sheets/cuiPopupForm.h"

class cmcGTex;
class cuiImageList;
class cuiSheet;

// The drop-down choice list of a cell: a borderless popup window next to the cell holding
// a sheet in popup mode, built from the list's overlay entry, with the cell of the current
// value selected. A choice goes back to the rules of the edited cell through the capsule
// that opened the list (the choice protocol); the sheet then hides the window. Every other
// way out (Escape, a click outside, event 21, the edited sheet's grid going away) closes
// the list without a choice. The caller only creates it.
class cuiFlector : public cuiPopupForm {
public:
    cuiFlector(const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue, cmcGTex* store,
               const std::string& entryName);
    ~cuiFlector() override;

    cuiSheet* Sheet() const { return m_sheet.get(); }
    // Lists open (or hidden and waiting for their deferred deletion).
    static int LiveCount();
    // Closes the list without a choice.
    void Close() { Cancel(); }

protected:
    using SheetFactory = std::function<std::unique_ptr<cuiSheet>(
        QWidget* window, const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue,
        cmcGTex* store, const std::string& entryName, cuiImageList* images)>;
    cuiFlector(const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue, cmcGTex* store,
               const std::string& entryName, const SheetFactory& factory);

private:
    void Open(const cmcCellCapsule& capsule, int32_t listId, int32_t initialValue,
              const SheetFactory& factory);

    cmcGTex* m_store;
    std::string m_entryName;
    cuiImageList* m_images;
    std::unique_ptr<cuiSheet> m_sheet;
};
