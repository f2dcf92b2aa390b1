// Opening and closing channel slots: the channels move, every stored reference follows its
// channel, and the blank record comes from the reference image.

#include <gtest/gtest.h>

#include <vector>

#include "common/cmcEeprom.h"
#include "model/datCh.h"
#include "model/datChBanks.h"
#include "model/datChEdit.h"
#include "model/datClipCh.h"

namespace {

constexpr int kKind = 2;

class ChEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        work.SetSize(0x1D00);
        ref.SetSize(0x1D00);
        datSetBankSize(work, 0, 10);
        for (int i = 0; i < 16; ++i)
            Use(i, 100000000u + 12500u * static_cast<uint32_t>(i));
        for (int e = 0; e < 16; ++e)
            work.SetByte(datChEdit::kSwitchTable + e, datChEdit::kNone);
    }
    void Use(int i, uint32_t f)
    {
        datCh ch(work);
        ch.Load(kKind, i);
        ch.freqR = ch.freqT = f;
        ch.SetInUse(true);
        ch.Save();
    }
    // The original slot of the channel now in slot i; -1 for a blank one.
    int Origin(int i)
    {
        datCh ch(work);
        ch.Load(kKind, i);
        return ch.InUse() ? static_cast<int>((ch.freqR - 100000000u) / 12500u) : -1;
    }
    cmcEeprom work, ref;
};

TEST_F(ChEdit, DeletingChannel2RenumbersTheSwitchTable)
{
    const uint8_t table[6] = {2, 7, 16, 0, 15, 3};
    for (int e = 0; e < 6; ++e)
        work.SetByte(datChEdit::kSwitchTable + e, table[e]);
    int flags = 0;
    datChEdit::DeleteChannel(work, ref, kKind, 2, &flags);
    const uint8_t want[6] = {16, 6, 16, 0, 14, 2};
    for (int e = 0; e < 6; ++e)
        EXPECT_EQ(work.GetByte(datChEdit::kSwitchTable + e), want[e]) << e;
    EXPECT_EQ(flags, 0x28);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(Origin(i), i < 2 ? i : i + 1) << i;
    EXPECT_EQ(Origin(15), -1);  // the blank record of the reference image
}

// A deleted channel's scan list entry is reset and the key function that used it falls
// back; references above it shrink.
TEST_F(ChEdit, DeletingAScanListChannelResetsItsEntry)
{
    struct Case {
        int32_t ref;
        uint8_t d0, d1, cc;   // 0AD0, 0AD1, 0ACC before
        uint8_t w0, w1, wcc;  // after
    } cases[] = {
        {0x0AD2, 0x53, 0x00, 0xFF, 0x03, 0x00, 0xFF}, {0x0AD4, 0x00, 0x57, 0xFF, 0x00, 0x17, 0xFF},
        {0x0AD5, 0x00, 0x35, 0xFF, 0x00, 0x30, 0x7F}, {0x0AD3, 0x25, 0x00, 0xFF, 0x20, 0x00, 0xFF},
        {0x0AD3, 0x26, 0x00, 0xFF, 0x26, 0x00, 0xFF},
    };
    for (const Case& k : cases) {
        SetUp();
        for (int32_t a : datChEdit::kScanRefs)
            work.SetByte(a, 9);
        work.SetByte(k.ref, 4);
        work.SetByte(0x0AD0, k.d0);
        work.SetByte(0x0AD1, k.d1);
        work.SetByte(0x0ACC, k.cc);
        datChEdit::DeleteChannel(work, ref, kKind, 4);
        EXPECT_EQ(work.GetByte(k.ref), 0) << std::hex << k.ref;
        EXPECT_EQ(work.GetByte(0x0AD0), k.w0) << std::hex << k.ref;
        EXPECT_EQ(work.GetByte(0x0AD1), k.w1) << std::hex << k.ref;
        EXPECT_EQ(work.GetByte(0x0ACC), k.wcc) << std::hex << k.ref;
        for (int32_t a : datChEdit::kScanRefs) {
            if (a != k.ref) {
                EXPECT_EQ(work.GetByte(a), 8);
            }
        }
    }
}

// The priority flags stay with the channels that move; the inserted blank channel takes
// the flags its slot has after the move, so it does not steal a priority.
TEST_F(ChEdit, InsertingLeavesPriorityAndSpecialWithTheMovedChannels)
{
    work.SetByte(0x0145, 3);  // priority 1
    work.SetByte(0x0146, 5);  // priority 2
    work.SetByte(0x0BC6, 0x40);
    work.SetByte(0x0BC5, 3);  // special channel, switched on
    work.SetByte(0x0AD2, 3);
    work.SetByte(datChEdit::kSwitchTable, 15);
    datChEdit::InsertChannel(work, ref, kKind, 3);
    EXPECT_EQ(Origin(3), -1);
    EXPECT_EQ(Origin(4), 3);
    EXPECT_EQ(work.GetByte(0x0145), 4);
    EXPECT_EQ(work.GetByte(0x0146), 6);
    EXPECT_EQ(work.GetByte(0x0BC5), 4);
    EXPECT_EQ(work.GetByte(0x0AD2), 4);
    EXPECT_EQ(work.GetByte(datChEdit::kSwitchTable), 16);  // channel 15 dropped off the end
    datCh blank(work);
    blank.Load(kKind, 3);
    EXPECT_EQ(blank.attr & (datCh::kAtrPrio1 | datCh::kAtrPrio2 | datCh::kAtrSpecial), 0);
}

TEST_F(ChEdit, ASwitchedOffSpecialChannelStillFollowsItsChannel)
{
    work.SetByte(0x0BC6, 0x00);
    work.SetByte(0x0BC5, 6);
    datChEdit::InsertChannel(work, ref, kKind, 2);
    EXPECT_EQ(work.GetByte(0x0BC5), 7);
    datChEdit::DeleteChannel(work, ref, kKind, 0);
    EXPECT_EQ(work.GetByte(0x0BC5), 6);
    datChEdit::CarryReferences(work, 5, 6, -1);
    EXPECT_EQ(work.GetByte(0x0BC5), 5);
}

// Channel slots change their bank flag with the bank they are in.
TEST_F(ChEdit, MovedChannelsTakeTheBankFlagOfTheirNewSlot)
{
    datSetBankSize(work, 0, 4);
    datSetBankSize(work, 1, 6);
    datSetBankFlag(work, 0, true);
    datSetBankFlag(work, 1, false);
    datChEdit::DeleteChannel(work, ref, kKind, 1);
    EXPECT_TRUE(datBankFlag(work, 0));
    EXPECT_FALSE(datBankFlag(work, 1));
    datChEdit::InsertChannelInBank(work, ref, kKind, 1, 5);
    EXPECT_EQ(datBankSize(work, 1), 7);
    EXPECT_TRUE(datBankFlag(work, 0));
    EXPECT_FALSE(datBankFlag(work, 1));
}

TEST_F(ChEdit, AliasListOpensAndClosesEntries)
{
    for (int i = 0; i < 5; ++i)
        work.SetByte(0x1C0E + 12 * i, static_cast<uint8_t>(0xA0 + i));
    work.SetByte(0x1CFF, 3);
    datChEdit::InsertAlias(work, ref, 1);
    EXPECT_EQ(work.GetByte(0x1CFF), 4);
    const uint8_t afterInsert[5] = {0xA0, 0x00, 0xA1, 0xA2, 0xA3};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(work.GetByte(0x1C0E + 12 * i), afterInsert[i]) << i;
    datChEdit::DeleteAlias(work, ref, 0);
    EXPECT_EQ(work.GetByte(0x1CFF), 3);
    const uint8_t afterDelete[5] = {0x00, 0xA1, 0xA2, 0xA3, 0x00};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(work.GetByte(0x1C0E + 12 * i), afterDelete[i]) << i;

    // The count stays within 0 to 5 and the list without gaps: a sixth entry, an entry past
    // the end and the removal of an entry that is not there change nothing.
    const struct {
        int count;
        bool insert;
        int at;
    } refused[] = {{5, true, 0}, {2, true, 3}, {0, false, 0}, {2, false, 2}, {2, true, -1}};
    for (auto c : refused) {
        work.SetByte(0x1CFF, static_cast<uint8_t>(c.count));
        const std::vector<uint8_t> before(work.Data(), work.Data() + work.GetSize());
        if (c.insert)
            datChEdit::InsertAlias(work, ref, c.at);
        else
            datChEdit::DeleteAlias(work, ref, c.at);
        EXPECT_EQ(std::vector<uint8_t>(work.Data(), work.Data() + work.GetSize()), before)
            << c.count << " " << c.insert << " " << c.at;
    }
}

TEST(datClipCh, PasteKeepLeavesTheTargetsFlagsAndPasteCarriesTheSources)
{
    cmcEeprom img;
    img.SetSize(0x1D00);
    datSetBankSize(img, 0, 8);
    img.SetByte(0x0145, 1);
    img.SetByte(0x0146, 6);
    datClipCh clip;
    clip.CopyFrom(img, kKind, 1, 1);
    EXPECT_TRUE(clip.Accepts(kKind));
    EXPECT_FALSE(clip.Accepts(1));
    clip.PasteKeep(img, kKind, 6, 1);
    EXPECT_EQ(img.GetByte(0x0145), 1);
    EXPECT_EQ(img.GetByte(0x0146), 6);
    clip.PasteTo(img, kKind, 4, 1);
    EXPECT_EQ(img.GetByte(0x0145), 4);  // plain paste carries the priority along
    clip.PasteTo(img, 1, 5, 1);         // another kind: nothing
    EXPECT_EQ(img.GetByte(0x0145), 4);
    clip.Reset();
    EXPECT_FALSE(clip.Accepts(kKind));
}

}  // namespace
