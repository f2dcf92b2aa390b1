#include <gtest/gtest.h>

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"

namespace {

using C = cmcCellCapsule;

TEST(cmcCellCapsule, BuiltResetAndCopied)
{
    C a;
    EXPECT_EQ(a.bank, 0);
    EXPECT_EQ(a.context, nullptr);
    EXPECT_EQ(a.inputMode, C::kInputKey);

    cmcCellObj cell;
    int calls = 0;
    a.bank = 3;
    a.cell = &cell;
    a.key = C::kKeySpace;
    a.inputText = "446.1";
    a.text = "shown";
    a.flags = C::kFlagCurrent | C::kFlagWarning;
    a.jump = 1;
    a.selectionFlags = C::kSelRange;
    a.rangeLast = 9;
    a.repaint = [&](cuiSheet*, C*, int) { ++calls; };

    // A copy keeps its own bank and takes everything else, with own strings.
    C b;
    b.bank = 7;
    b.Copy(a);
    EXPECT_EQ(b.bank, 7);
    EXPECT_EQ(b.cell, &cell);
    EXPECT_EQ(b.key, C::kKeySpace);
    EXPECT_EQ(b.inputText, "446.1");
    EXPECT_EQ(b.text, "shown");
    EXPECT_EQ(b.flags, C::kFlagCurrent | C::kFlagWarning);
    EXPECT_EQ(b.selectionFlags, C::kSelRange);
    EXPECT_EQ(b.rangeLast, 9);
    a.inputText = "other";
    EXPECT_EQ(b.inputText, "446.1");
    b.Repaint(1);
    EXPECT_EQ(calls, 1);
    C c;
    c.Copy(a);
    EXPECT_EQ(c.bank, 0);
    EXPECT_EQ(c.jump, 1);
    // The C++ copy takes everything, the bank too.
    C d(a);
    EXPECT_EQ(d.bank, 3);
    EXPECT_EQ(d.jump, 1);
    d.bank = 0;
    d = a;
    EXPECT_EQ(d.bank, 3);

    // Reset clears everything but the bank.
    a.Reset();
    EXPECT_EQ(a.bank, 3);
    EXPECT_EQ(a.cell, nullptr);
    EXPECT_EQ(a.key, 0);
    EXPECT_TRUE(a.inputText.empty());
    EXPECT_TRUE(a.text.empty());
    EXPECT_EQ(a.flags, 0);
    EXPECT_EQ(a.jump, 0);
    EXPECT_EQ(a.selectionFlags, 0);
    EXPECT_EQ(a.rangeLast, 0);
    a.Repaint(1);  // no callback: nothing happens
    a.RefreshEditor(0);
    EXPECT_EQ(calls, 1);
}

TEST(cmcCellCapsule, ChoiceProtocolCapsule)
{
    // The opening cell's capsule, as the codec handed it to the choice list.
    cmcCellObj opening;
    opening.id = CL_Mch_CTone_R;
    opening.index = 4;
    C opener;
    opener.cell = &opening;
    opener.key = C::kKeyEnter;
    int repaintSelector = 0;
    opener.repaint = [&](cuiSheet*, C* cap, int sel) {
        EXPECT_EQ(cap->cell, &opening);
        repaintSelector = sel;
    };

    // The picked item: the list's identifier and the item's value as index.
    cmcCellObj item;
    item.id = Flex0;
    item.index = 12;
    C picked;
    picked.cell = &item;

    C choice(opener);
    choice.context = &picked;
    choice.inputMode = C::kInputChoice;
    EXPECT_EQ(choice.cell, &opening);
    EXPECT_EQ(choice.context->cell->id, Flex0);
    EXPECT_EQ(choice.context->cell->index, 12);
    choice.Repaint(C::kRepaintSame | C::kRepaintIndex);
    EXPECT_EQ(repaintSelector, 0x09);
}

TEST(cmcCellCapsule, RepaintSelectorBits)
{
    struct Case {
        int selector;
        int32_t c, i, x;     // the request's cell
        int32_t c2, i2, x2;  // another cell of the sheet
        bool repaint;
    };
    const int32_t N = kNoId;
    const int32_t NC = kNoCategory;
    const Case cases[] = {
        {0x01, 2, 119, 5, 2, 119, 5, true},
        {0x01, 2, 119, 5, 7, 119, 5, true},  // the same cell shown elsewhere
        {0x01, 2, 119, 5, 2, 119, 6, false},
        {0x01, 2, 119, 5, 2, 120, 5, false},
        {0x02, 2, 119, 5, 2, N, 0, true},
        {0x02, 2, 119, 5, 3, 119, 5, false},
        {0x04, 2, 119, 5, 0, 119, 9, true},
        {0x08, 2, 119, 5, 2, 120, 5, true},
        {0x08, 2, 119, 5, 2, N, 5, false},     // labels are not real
        {0x08, NC, 119, 5, 2, 120, 5, false},  // a request without category has no real index
        {0x10, 2, 119, 5, 2, 130, 4, true},
        {0x10, 2, 119, 5, 2, 130, 6, true},
        {0x10, 2, 119, 5, 2, 130, 7, false},
        {0x10, 2, 119, 5, 3, 130, 5, false},
        {0x10, 2, 119, 5, 2, N, 5, false},
        // Indices at the ends of the 32-bit range: no wrap-around makes far cells neighbours.
        {0x10, 2, 119, INT32_MIN, 2, 130, INT32_MAX, false},
        {0x10, 2, 119, INT32_MAX, 2, 130, INT32_MIN, false},
        {0x10, 2, 119, INT32_MAX, 2, 130, INT32_MAX - 1, true},
        {0x20, 2, 119, 5, 9, 1, 99, true},
        {0x20, 2, 119, 5, 9, N, 99, false},
        {0x40, 2, 119, 5, 0, 1, 5, true},
        {0x40, 2, 119, 5, 0, 1, 4, false},
        {0x80, 2, 119, 5, 0, 1, 4, true},
        {0x80, 2, 119, 5, 0, 1, 6, false},
        {0x00, 2, 119, 5, 2, 119, 5, false},
        {0x41, 2, 119, 5, 2, 119, 5, true},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(C::RepaintMatches(k.selector, k.c, k.i, k.x, k.c2, k.i2, k.x2), k.repaint)
            << "selector " << k.selector << " other " << k.c2 << "/" << k.i2 << "/" << k.x2;
    }
}

}  // namespace
