#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cells/cmcCellCapsule.h"
#include "overlay/cmcGTex.h"
#include "sheets/cuiPopupForm.h"

class QPushButton;
class cuiSheet;

// The popup in which the user edits a set of on/off flags packed into one number: a row of
// labels over a row of bit cells; cell j (from 1) shows bit 26 - j of the value. Space or a
// double-click toggles a bit, the arrow keys move between bits; OK, Enter or a click
// outside hand the value back to the cell's rules as a choice, Cancel or Escape leave it.
// Without an entry name the window builds its sheet "GI_Sheet_FBitsR" from a small overlay
// of its own, popup menus included, so that it needs no key of the main overlay.
class cuiFBitsR : public cuiPopupForm {
public:
    static constexpr int kMaxBits = 25;
    static constexpr int kMaxSetForSentences = 3;  // label kind 5 allows at most three

    cuiFBitsR(const cmcCellCapsule& capsule, cmcGTex* store, uint32_t value, int firstLabel,
              int lastLabel, int labelKind, int displayKind, const std::string& entryName);
    ~cuiFBitsR() override;

    uint32_t Value() const { return m_value; }
    int BitCount() const { return m_bits; }
    cuiSheet* Sheet() const { return m_sheet.get(); }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    // Bits of the field that are set.
    int SetCount() const;
    // The label of bit n, as the label kind writes it (previous: the label before it).
    static std::string Label(int labelKind, int n, int last, const std::string& previous);
    // The 32 lines of the window's own overlay.
    static std::vector<std::string> OwnLines(int firstLabel, int lastLabel, int labelKind);

protected:
    void DoCommit() override;
    bool OnEnter() override;

private:
    static int Rules(void* self, cmcCellCapsule* capsule, int mode);
    int Run(cmcCellCapsule* capsule, int mode);
    bool TooMany() const;
    void UpdateOk();
    void DrawCheck(cmcCellCapsule& capsule) const;

    uint32_t m_value;
    int m_first;
    int m_last;
    int m_bits;
    int m_labelKind;
    int m_displayKind;
    std::vector<std::string> m_lines;
    std::vector<const char*> m_linePtrs;
    cmcGTex m_ownStore;
    std::unique_ptr<cuiSheet> m_sheet;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
