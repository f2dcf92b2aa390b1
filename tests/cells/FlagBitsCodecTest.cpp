#include <gtest/gtest.h>

#include <string>

#include "CodecTestFixture.h"
#include "cells/FlagBitsCodec.h"

namespace {

using Capsule = cmcCellCapsule;

class FlagBitsCodecTest : public CodecTest {};

const FlagBitsCodec kCode8{.firstBit = 1, .lastBit = 8};    // bits 7..0
const FlagBitsCodec kMask7{.firstBit = 1, .lastBit = 7};    // bits 7..1 (7 bits times 2)
const FlagBitsCodec kCode10{.firstBit = 1, .lastBit = 10};  // bits 10..1
const FlagBitsCodec kCode11{.firstBit = 1, .lastBit = 11};  // bits 11..1
const FlagBitsCodec kScan{.firstBit = 1, .lastBit = 1, .labelKind = 3};  // bit 7

TEST_F(FlagBitsCodecTest, DisplayShowsTheLabelsOfTheSetFlags)
{
    struct Case {
        const FlagBitsCodec* codec;
        int32_t value;
        const char* shown;
    } cases[] = {
        {&kCode8, 0x81, "1______8\n"},      {&kCode8, 0x00, "________\n"},
        {&kMask7, 0xFE, "1234567\n"},       {&kMask7, 0x01, "_______\n"},  // bit 0 is not a flag
        {&kCode10, 0x7FE, "1234567890\n"},  {&kCode10, 0x002, "_________0\n"},
        {&kCode11, 0x002, "__________Z\n"}, {&kScan, 0x80, "1\n"},
    };
    for (const Case& c : cases) {
        Capsule cap = Draw();
        int32_t v = c.value;
        EXPECT_EQ(c.codec->Run(cap, &v, repaint, opened), 0);
        EXPECT_EQ(cap.text, c.shown) << c.value;
        EXPECT_EQ(cap.selStart, 0);
        EXPECT_EQ(cap.selLength, 1);
        EXPECT_EQ(v, c.value);
    }
}

TEST_F(FlagBitsCodecTest, KeysChangeOnlyTheFieldsOwnBits)
{
    struct Case {
        const FlagBitsCodec* codec;
        int32_t before;
        int32_t key;
        int32_t after;
    } cases[] = {
        {&kCode8, 0x81, '3', 0xA1},                                 // flag 2 = bit 5
        {&kCode8, 0xA1, '3', 0x81},    {&kCode8, 0x81, '9', 0x81},  // no position 9
        {&kCode8, 0x81, '0', 0x81},    // position 10 is not in the field
        {&kCode8, 0x181, ' ', 0x100},  // some set: clear them, bit 8 stays
        {&kCode8, 0x100, ' ', 0x1FF},  // none set: set them all, only them
        {&kCode8, 0x1A5, 8, 0x15A},    // backspace inverts the field
        {&kMask7, 0x00, ' ', 0xFE},    // bit 0 is no flag: never set
        {&kMask7, 0x01, 8, 0xFF},      {&kMask7, 0x01, ' ', 0xFF},
        {&kCode10, 0x000, '0', 0x002},  // "0" is position 10
        {&kCode10, 0x000, 'z', 0x000},  // position 11 is not in the field
        {&kCode11, 0x000, 'Z', 0x002}, {&kCode11, 0x000, '1', 0x800},
        {&kScan, 0x00, '1', 0x80},     {&kScan, 0x7F, ' ', 0xFF},
        {&kScan, -1, 8, ~0x80},  // every other bit of the number stays
    };
    for (const Case& c : cases) {
        Capsule cap = Key(c.key);
        int32_t v = c.before;
        const int changed = c.codec->Run(cap, &v, repaint, opened);
        EXPECT_EQ(v, c.after) << std::hex << c.before << " key " << c.key;
        EXPECT_EQ(changed, c.before != c.after ? 1 : 0) << std::hex << c.before;
    }
}

TEST_F(FlagBitsCodecTest, KeysNeedAGrid)
{
    Capsule cap = Draw();
    cap.key = ' ';
    int32_t v = 0;
    EXPECT_EQ(kCode8.Run(cap, &v, repaint, opened), 0);
    EXPECT_EQ(v, 0);
}

TEST_F(FlagBitsCodecTest, EnterOpensTheWindowWithTheShiftedValue)
{
    const FlagBitsCodec codec{.firstBit = 1,
                              .lastBit = 10,
                              .labelKind = 2,
                              .displayKind = 1,
                              .entryName = "GI_Sheet_Own"};
    Capsule cap = Key(Capsule::kKeyEnter);
    int32_t v = 0x402;  // positions 1 and 10
    EXPECT_EQ(codec.Run(cap, &v, repaint, opened), 0);
    EXPECT_EQ(opened, Capsule::kResultPopup);
    const auto& r = m_popups.Last();
    EXPECT_EQ(r.window, CellPopupsRecorder::Window::FlagBits);
    // Cell j of the window shows bit 26 - j: position 1 is bit 25, position 10 bit 16.
    EXPECT_EQ(r.value, (1u << 25) | (1u << 16));
    EXPECT_EQ(r.firstLabel, 1);
    EXPECT_EQ(r.lastLabel, 10);
    EXPECT_EQ(r.labelKind, 2);
    EXPECT_EQ(r.displayKind, 1);
    EXPECT_EQ(r.listName, "GI_Sheet_Own");
    EXPECT_EQ(r.cell, &m_cell);

    Capsule eight = Key(Capsule::kKeyEnter);
    v = 0x81;
    kCode8.Run(eight, &v, repaint, opened);
    EXPECT_EQ(m_popups.Last().value, (1u << 25) | (1u << 18));
}

TEST_F(FlagBitsCodecTest, TheWindowsCommitReachesTheCell)
{
    Capsule cap = Key(Capsule::kKeyEnter);
    int32_t v = 0x01;
    kCode8.Run(cap, &v, repaint, opened);
    ASSERT_EQ(m_popups.Requests().size(), 1u);

    // The window's commit: in its copy of the capsule, context = a capsule whose cell is
    // Flex0, inputMode 2, key 0, inputText = the edited value in decimal. Here the user
    // added position 1 (bit 25 of the window's value).
    cmcCellObj flex;
    flex.id = Flex0;
    cmcCellCapsule flexCapsule;
    flexCapsule.cell = &flex;
    cmcCellCapsule commit = m_popups.Last().capsule;
    commit.context = &flexCapsule;
    commit.inputMode = Capsule::kInputChoice;
    commit.key = 0;
    commit.inputText = std::to_string(m_popups.Last().value | (1u << 25));

    opened = 0;
    EXPECT_EQ(kCode8.Run(commit, &v, repaint, opened), 1);
    EXPECT_EQ(v, 0x81);
    EXPECT_EQ(commit.text, "1______8\n");
}

TEST_F(FlagBitsCodecTest, AWindowValueAboveTheSignedRangeIsReadInFull)
{
    // Bits above the field of an eight-flag cell land at bit 31 and above of the window's
    // value; its answer must still give back exactly the flags the user left set.
    struct Case {
        int32_t before;
        uint32_t toggled;  // window bits the user toggles
        int32_t after;
    } cases[] = {
        {0x2081, 1u << 25, 0x2001},            // bit 13 goes to bit 31; flag 1 cleared
        {0x2081, 0, 0x2081},                   // nothing toggled: nothing changes
        {-1, (1u << 25) | (1u << 18), ~0x81},  // every bit set; flags 1 and 8 cleared
    };
    for (const Case& c : cases) {
        m_popups.Clear();
        Capsule cap = Key(Capsule::kKeyEnter);
        int32_t v = c.before;
        kCode8.Run(cap, &v, repaint, opened);
        ASSERT_EQ(m_popups.Requests().size(), 1u);
        const uint32_t answer = m_popups.Last().value ^ c.toggled;
        Capsule commit = Choice(Flex0, 0, std::to_string(answer));
        kCode8.Run(commit, &v, repaint, opened);
        EXPECT_EQ(v, c.after) << std::hex << c.before;
    }
}

TEST_F(FlagBitsCodecTest, TheWindowsAnswerStoresOnlyTheFieldsBits)
{
    // The window answers with its whole value in decimal; bits outside the field (here
    // bit 30 and bit 17, which is below position 8) are not taken.
    const uint32_t answer = (1u << 25) | (1u << 23) | (1u << 30) | (1u << 17);
    Capsule cap = Choice(Flex0, 0, std::to_string(answer));
    int32_t v = 0x300;  // bits outside the field, kept
    EXPECT_EQ(kCode8.Run(cap, &v, repaint, opened), 1);
    EXPECT_EQ(v, 0x300 | 0x80 | 0x20);
    EXPECT_EQ(cap.text, "1_3_____\n");
    EXPECT_EQ(opened, 0);  // the Enter still in the copied capsule opens nothing

    Capsule foreign = Choice(Flex1, 0, "33554432");
    v = 0;
    EXPECT_EQ(kCode8.Run(foreign, &v, repaint, opened), 0);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(foreign.text, "");
}

}  // namespace
