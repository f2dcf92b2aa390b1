#include "CodecTestFixture.h"

#include "cells/ICellPopups.h"

namespace {

const char* const kLines[] = {
    "#GI_AppInd_TimerOff",
    "Off",
    "#GI_Sheet_Sel_Misc_OnOff_Cells",
    "{(%Flex0[0])}Off",
    "{(%Flex0[1])}On",
    "#",
    // Two columns: the list's order runs down the first column, then the second.
    "#GI_Sheet_Sel_Columns_Cells",
    "{(%Flex0[10])}Ten|{(%Flex0[5])}Five",
    "{(%Flex0[30])}Thirty|{(%Flex0[40]:Forty)}40 x",
    "{(%Flex0[20])}Twenty",
    "#",
    "#GI_Sheet_Sel_Empty_Cells",
    "#",
    "#GI_Sheet_Sel_UserSetEnable_Cells",
    "{(%Flex0[0])}Fixed",
    "{(%Flex0[1])}User",
    "#",
    // Numbered names for typed matching, in entry order.
    "#GI_Sheet_Sel_Numbers_Cells",
    "{(%Flex0[0])}Off",
    "{(%Flex0[1])}1 (Alpha)",
    "{(%Flex0[2])}2 (Bravo)",
    "{(%Flex0[3])}5 (Charlie)",
    "{(%Flex0[4])}10",
    "{(%Flex0[5])}Bravo",
    "#",
    // A: off, repeater, and the number item last (L = 1); B: the numbers 1..8 (H = 8).
    "#GI_Sheet_Sel_Rpt_1st_Cells",
    "{(%Flex0[0])}Off",
    "{(%Flex0[255])}Rpt",
    "{(%Flex0[1])}Code",
    "#",
    "#GI_Sheet_Sel_Rpt_2nd_Cells",
    "{(%Flex1[1])}1",
    "{(%Flex1[2])}2",
    "{(%Flex1[3])}3",
    "{(%Flex1[4])}4",
    "{(%Flex1[5])}5",
    "{(%Flex1[6])}6",
    "{(%Flex1[7])}7",
    "{(%Flex1[8])}8",
    "#",
    "#GI_Sheet_Sel_Mch_Atr_Cells",
    "{(%Flex0[1])}Priority 1",
    "{(%Flex0[2])}Priority 2",
    "{(%Flex0[3])}Special",
    "{(%Flex0[4])}Not special",
    "{(%Flex0[5])}Bank",
    "#",
    "#End_Of_Ovl",
    nullptr,
};

}  // namespace

const char* const* CodecTest::Lines() const
{
    return kLines;
}

void CodecTest::SetUp()
{
    m_texts.UseLines(Lines());
    m_cache = std::make_unique<cmcFCache>(&m_texts);
    m_installCache.Set(m_cache.get());
    m_grid = reinterpret_cast<cuiGrid*>(&m_gridTag);
}

cmcCellCapsule CodecTest::Draw()
{
    cmcCellCapsule c;
    c.cell = &m_cell;
    return c;
}

cmcCellCapsule CodecTest::Key(int32_t key)
{
    cmcCellCapsule c = Draw();
    c.owner = m_grid;
    c.grid = m_grid;
    c.key = key;
    return c;
}

cmcCellCapsule CodecTest::Typed(const std::string& text)
{
    cmcCellCapsule c = Key(0);
    c.inputMode = cmcCellCapsule::kInputText;
    c.inputText = text;
    return c;
}

cmcCellCapsule CodecTest::Choice(int32_t listId, int32_t value, const std::string& text)
{
    m_itemCell.id = listId;
    m_itemCell.index = value;
    m_item.Reset();
    m_item.cell = &m_itemCell;
    cmcCellCapsule c = Key(cmcCellCapsule::kKeyEnter);
    c.context = &m_item;
    c.inputMode = cmcCellCapsule::kInputChoice;
    c.inputText = text;
    return c;
}
