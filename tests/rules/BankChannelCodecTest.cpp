#include <gtest/gtest.h>

#include "ModelCodecFixture.h"
#include "model/datChBanks.h"
#include "rules/BankChannelCodec.h"
#include "rules/ScanChannelCodec.h"

namespace {

class BankChannelCodecTest : public ModelCodecTest {
protected:
    void Banks(std::initializer_list<int> sizes)
    {
        for (int b = 0; b < 8; ++b)
            datSetBankSize(m_image, b, 0);
        int b = 0;
        for (int n : sizes)
            datSetBankSize(m_image, b++, n);
    }
    int Run(cmcCellCapsule c, int32_t* value)
    {
        BankChannelCodec codec;
        codec.image = m_image;
        opened = 0;
        const int changed = codec.Run(c, value, repaint, opened);
        m_last = c;
        return changed;
    }
    // A row picked in the channel list of a bank: the list names its bank in the request.
    cmcCellCapsule Picked(int32_t bank, int32_t position)
    {
        cmcCellCapsule c = Choice(FlexCHSel, position);
        m_item.bank = bank;
        return c;
    }
    cmcCellCapsule m_last;
};

TEST_F(BankChannelCodecTest, ShownAsBankAndPosition)
{
    Banks({3, 0, 2});
    const struct {
        int32_t value;
        const char* text;
    } cases[] = {{0, "1-1ch"}, {2, "1-3ch"}, {3, "3-1ch"}, {4, "3-2ch"},
                 {5, "Null"},  {16, "Null"}, {-1, "Null"}};
    for (auto c : cases) {
        int32_t v = c.value;
        Run(Draw(), &v);
        EXPECT_EQ(m_last.text, c.text) << c.value;
    }
}

TEST_F(BankChannelCodecTest, SpaceAndBackspaceStepThroughTheChannels)
{
    Banks({3, 0, 2});  // channels 0 to 4
    const struct {
        int32_t from;
        int32_t key;
        int32_t to;
    } cases[] = {
        {0, 32, 1}, {4, 32, 0},  {0, 8, 4},
        {3, 8, 2},  {16, 32, 0}, {16, 8, 4},  // from none to the first or last channel
        {9, 32, 0}, {9, 8, 4},                // from a channel that no longer exists
    };
    for (auto c : cases) {
        int32_t v = c.from;
        EXPECT_EQ(Run(Key(c.key), &v), 1) << c.from << " " << c.key;
        EXPECT_EQ(v, c.to) << c.from << " " << c.key;
    }
    Banks({});
    int32_t none = 16;
    EXPECT_EQ(Run(Key(32), &none), 0);  // no channels: the value stays
    EXPECT_EQ(none, 16);
    Banks({16, 16});  // channels beyond 15 have no storage and cannot be named
    int32_t last = 15;
    Run(Key(32), &last);
    EXPECT_EQ(last, 0);
}

TEST_F(BankChannelCodecTest, ChosenFromTheBankThenTheChannelList)
{
    Banks({3, 0, 2});
    int32_t v = 16;
    Run(Key(13), &v);
    ASSERT_EQ(m_popups.Requests().size(), 1u);
    EXPECT_EQ(m_popups.Last().listName, "GI_Sheet_Sel_ExtIOZoneSel");
    EXPECT_EQ(m_popups.Last().startValue, 8);

    EXPECT_EQ(Run(Choice(FlexZoneSel, 2), &v), 0);
    EXPECT_EQ(m_popups.Last().window, CellPopupsRecorder::Window::ModelChoiceList);
    EXPECT_EQ(m_popups.Last().listName, "GI_Sheet_Sel_ScanCHSel");
    EXPECT_EQ(m_popups.Last().listId, FlexCHSel);
    EXPECT_EQ(m_popups.Last().parameter, "C 2");
    EXPECT_EQ(Run(Picked(2, 1), &v), 1);
    EXPECT_EQ(v, 4);
    // The bank comes with the picked row, whatever list was opened last.
    EXPECT_EQ(Run(Picked(0, 1), &v), 1);
    EXPECT_EQ(v, 1);

    // An empty bank opens the bank list again; a bank above 7 stands for none.
    EXPECT_EQ(Run(Choice(FlexZoneSel, 1), &v), 0);
    EXPECT_EQ(m_popups.Last().listName, "GI_Sheet_Sel_ExtIOZoneSel");
    EXPECT_EQ(Run(Choice(FlexZoneSel, 8), &v), 1);
    EXPECT_EQ(v, 16);
    EXPECT_EQ(Run(Choice(Flex0, 1), &v), 0);  // another list's choice
}

TEST_F(BankChannelCodecTest, ScanChannelModeAndFixedChannel)
{
    Banks({3, 0, 2});
    int32_t mode = 0, channel = 0, flag = 0;
    int32_t sheetBank = 0;
    auto run = [&](cmcCellCapsule c, int which) {
        ScanChannelCodec codec;
        codec.which = which;
        codec.image = m_image;
        codec.bank = sheetBank;
        opened = 0;
        const int changed = codec.Run(c, &mode, &channel, &flag, repaint, opened);
        m_last = c;
        return changed;
    };
    run(Draw(), ScanChannelCodec::kPriority1);
    EXPECT_EQ(m_last.text, "Off");
    EXPECT_EQ(run(Key(32), ScanChannelCodec::kPriority2), 1);
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(flag, 1);  // priority 2 in use sets the mode flag
    EXPECT_EQ(run(Choice(Flex0, 0), ScanChannelCodec::kPriority2), 1);
    EXPECT_EQ(flag, 0);

    // Fixed channel: the mode, then the channel of the current channel's bank.
    channel = 4;
    EXPECT_EQ(run(Choice(Flex0, 5), ScanChannelCodec::kTransmit), 1);
    EXPECT_EQ(m_popups.Last().listName, "GI_Sheet_Sel_ScanCHSel");
    EXPECT_EQ(m_popups.Last().startValue, 1);
    EXPECT_EQ(m_popups.Last().parameter, "C 2");
    EXPECT_EQ(run(Picked(2, 0), ScanChannelCodec::kTransmit), 1);
    EXPECT_EQ(channel, 3);
    EXPECT_EQ(m_last.text, "1ch");  // first channel of its bank
    EXPECT_EQ(run(Choice(FlexZoneSel, 0), ScanChannelCodec::kTransmit), 0);
    EXPECT_EQ(m_popups.Last().parameter, "C 0");
    EXPECT_EQ(run(Choice(FlexZoneSel, 1), ScanChannelCodec::kTransmit), 0);  // empty bank
    EXPECT_EQ(m_popups.Last().listName, "GI_Sheet_Sel_ScanZoneSel");
    EXPECT_EQ(run(Picked(0, 2), ScanChannelCodec::kTransmit), 1);
    EXPECT_EQ(channel, 2);
    EXPECT_EQ(m_last.text, "3ch");

    // A fixed channel that lies in no bank opens the list of the requesting sheet's bank.
    channel = 9;
    sheetBank = 2;
    EXPECT_EQ(run(Choice(Flex0, 5), ScanChannelCodec::kPriority1), 1);
    EXPECT_EQ(m_popups.Last().parameter, "C 2");
}

}  // namespace
