#include <gtest/gtest.h>

#include "ModelCodecFixture.h"
#include "model/datCh.h"
#include "rules/FrequencyCodec.h"

namespace {

TEST(FrequencyCodecGrid, TypedDigitsArePrefixesOfAGridFrequency)
{
    const struct {
        uint32_t typed, grid;
    } cases[] = {
        {146520000, 146520000},  // 146.52
        {146521870, 146521875},  // 146.52187: the next multiple of 3125 within 10 Hz
        {146521300, 0},          // 146.5213: nothing on the grid in 146521300..146521399
        {799999999, 0},          // 900 limited: 799999375 below, 800000000 above
        {446100000, 446100000},
        {446006250, 446006250},  // 3125 grid
        {446002500, 446002500},  // 2500 grid
        {446001000, 0},
        {0, 0},
        {5, 0},
    };
    for (auto c : cases)
        EXPECT_EQ(FrequencyCodec::CompleteToGrid(c.typed), c.grid) << c.typed;
    EXPECT_EQ(FrequencyCodec::CompleteToGrid(146531250, true), 146531250u);
    EXPECT_EQ(FrequencyCodec::CompleteToGrid(146521875, true), 0u);
    EXPECT_EQ(FrequencyCodec::CompleteToGrid(146520000, true), 146520000u);
}

class FrequencyCodecTest : public ModelCodecTest {
protected:
    datCh Channel(uint32_t rx, uint32_t tx)
    {
        datCh ch(m_image);
        ch.Load(2, 0);
        ch.freqR = rx;
        ch.freqT = tx;
        ch.SetInUse(rx != 0);
        return ch;
    }
    int Run(cmcCellCapsule c, datCh& ch, bool receive)
    {
        FrequencyCodec codec;
        codec.receive = receive;
        opened = 0;
        int changed = codec.Run(c, &ch, repaint, opened);
        m_last = c;
        return changed;
    }
    cmcCellCapsule m_last;
};

TEST_F(FrequencyCodecTest, TypedReceiveFrequencyOnAnUnusedChannelBringsItIntoUse)
{
    datCh ch = Channel(0, 0);
    EXPECT_EQ(Run(Draw(), ch, true), 0);
    EXPECT_EQ(m_last.text, "");  // a channel not in use shows nothing
    EXPECT_FALSE(ch.InUse());

    EXPECT_EQ(Run(Typed("446.1"), ch, true), 1);
    EXPECT_TRUE(ch.InUse());
    EXPECT_EQ(ch.freqR, 446100000u);
    EXPECT_EQ(ch.freqT, 446100000u);
    EXPECT_EQ(ch.status & datCh::kStatusUnconfirmedR, 0);
    EXPECT_EQ(m_last.text, "446.100000");
    EXPECT_EQ(m_cell.HAlign(), 2);

    ch.Save();
    datCh again(m_image);
    again.Load(2, 0);
    EXPECT_TRUE(again.InUse());
    EXPECT_EQ(again.freqR, 446100000u);
    EXPECT_EQ(again.freqT, 446100000u);

    // The transmit cell shows that it follows the receive frequency.
    Run(Draw(), again, false);
    EXPECT_EQ(m_last.text, "<-");
    EXPECT_EQ(m_cell.HAlign(), 1);

    // Typed digits are completed to the grid before the channel comes into use.
    datCh other = Channel(0, 0);
    EXPECT_EQ(Run(Typed("446.00312"), other, true), 1);
    EXPECT_EQ(other.freqR, 446003125u);
    EXPECT_EQ(other.freqT, 446003125u);
    EXPECT_TRUE(other.InUse());
}

TEST_F(FrequencyCodecTest, TypedTextIsCompletedOrRefused)
{
    const struct {
        const char* typed;
        uint32_t rx;  // 146000000 when refused
    } cases[] = {
        {"146.52", 146520000},     {"146.52187", 146521875},
        {"146.5213", 146000000},   {"900", 146000000},
        {"", 146000000},           {"abc", 146000000},
        {" 446.1 MHz", 446100000}, {"446.0062500", 446006250},  // cut to 9 characters
        {"146,52", 146000000},     {"0", 146000000},
    };
    for (auto c : cases) {
        datCh ch = Channel(146000000, 147000000);
        const int changed = Run(Typed(c.typed), ch, true);
        EXPECT_EQ(ch.freqR, c.rx) << c.typed;
        EXPECT_EQ(changed, c.rx != 146000000) << c.typed;
        EXPECT_EQ(ch.freqT, 147000000u) << c.typed;  // different before: not carried
        EXPECT_TRUE(ch.InUse());
    }
    // A refused entry on an unused channel leaves it unused.
    datCh unused = Channel(0, 0);
    EXPECT_EQ(Run(Typed("146.5213"), unused, true), 0);
    EXPECT_FALSE(unused.InUse());
    EXPECT_EQ(unused.status & datCh::kStatusUnconfirmedR, datCh::kStatusUnconfirmedR);
}

TEST_F(FrequencyCodecTest, ReceiveCarriesAnEqualTransmitFrequency)
{
    datCh ch = Channel(146000000, 146000000);
    Run(Typed("146.52"), ch, true);
    EXPECT_EQ(ch.freqT, 146520000u);
    // The transmit cell changes the transmit frequency only.
    EXPECT_EQ(Run(Typed("147.5"), ch, false), 1);
    EXPECT_EQ(ch.freqT, 147500000u);
    EXPECT_EQ(ch.freqR, 146520000u);
    EXPECT_EQ(m_last.text, "147.500000");
}

TEST_F(FrequencyCodecTest, StoredValueIsShownWithinTheLimit)
{
    datCh ch = Channel(800000000, 5);
    Run(Draw(), ch, true);
    EXPECT_EQ(m_last.text, "799.999950");
    EXPECT_EQ(ch.freqR, 799999950u);
    Run(Draw(), ch, false);
    EXPECT_EQ(m_last.text, "0.000005");
}

TEST_F(FrequencyCodecTest, KeysOpenTheEditor)
{
    struct Case {
        int32_t key;
        bool receive;
        bool inUse;
        int opened;
        const char* text;
        int selStart;
    } cases[] = {
        {13, true, true, 2, "146.520000", 0},
        {13, true, false, 2, "", 0},  // not in use: an empty editor
        {32, true, true, 2, "146.520000", 0},
        {8, false, true, 2, "147.000000", 0},
        {'.', true, true, 2, "146.520000", 4},   // caret after the point
        {'=', false, true, 2, "146.520000", 0},  // the receive frequency
        {'=', true, true, 0, "146.520000", 0},
        {'7', true, true, 2, "7", 1},
        {'x', true, true, 0, "146.520000", 0},
    };
    for (const auto& c : cases) {
        datCh ch = Channel(c.inUse ? 146520000 : 0, c.inUse ? 147000000 : 0);
        Run(Key(c.key), ch, c.receive);
        EXPECT_EQ(opened, c.opened) << c.key;
        if (c.opened == 2 || c.inUse) {
            EXPECT_EQ(m_last.text, c.text) << c.key;
            EXPECT_EQ(m_last.selStart, c.selStart) << c.key;
        }
    }
}

}  // namespace
