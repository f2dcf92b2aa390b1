#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcFCache.h"
#include "overlay/cmcGTex.h"
#include "support/CellPopupsRecorder.h"
#include "support/ScopedGlobal.h"

// Shared ground for the codec tests: a small overlay with the lists the tests choose from,
// a definition cache over it, a recorder in place of the popup windows, and capsules as a
// sheet fills them for drawing, keys, typed text and choices.
class CodecTest : public ::testing::Test {
protected:
    void SetUp() override;
    // The overlay the test's lists come from; the model codec tests bring their own.
    virtual const char* const* Lines() const;

    // Drawing: no grid, so no keys.
    cmcCellCapsule Draw();
    // A key on the current cell.
    cmcCellCapsule Key(int32_t key);
    // Text confirmed in the in-place editor: key 0, inputMode 1.
    cmcCellCapsule Typed(const std::string& text);
    // A choice made in a list: a copy of the capsule that opened the list (here with key
    // Enter still set, as the window copied it), the picked item's capsule as context.
    cmcCellCapsule Choice(int32_t listId, int32_t value, const std::string& text = "");

    cmcGTex m_texts;
    std::unique_ptr<cmcFCache> m_cache;
    CellPopupsRecorder m_popups;
    qvtest::ScopedGlobal<cmcGTex> m_installTexts{g_GTex, &m_texts};
    qvtest::ScopedGlobal<cmcFCache> m_installCache{g_FCache};  // set once the cache is built
    qvtest::ScopedGlobal<ICellPopups> m_installPopups{g_CellPopups, &m_popups};
    cmcCellObj m_cell;      // the edited cell
    cmcCellObj m_itemCell;  // the picked list item
    cmcCellCapsule m_item;  // its capsule
    int m_gridTag = 0;
    cuiGrid* m_grid = nullptr;
    int repaint = 1;
    int opened = 0;
};
