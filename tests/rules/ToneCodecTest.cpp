#include <gtest/gtest.h>

#include "ModelCodecFixture.h"
#include "model/datTone.h"
#include "rules/ToneCodec.h"

namespace {

constexpr uint8_t kOn = datTone::kOn;
constexpr uint8_t kDtcs = datTone::kDtcs;
constexpr uint8_t kInv = datTone::kInverted;

datTone Ctcss(int n)
{
    return datTone{kOn, 0, static_cast<uint16_t>(n), 0};
}
datTone Dtcs(int code, bool inverted = false)
{
    return datTone{static_cast<uint8_t>(kOn | kDtcs | (inverted ? kInv : 0)), 0, 0,
                   static_cast<uint16_t>(code)};
}
const datTone kOff{};

class ToneCodecTest : public ModelCodecTest {
protected:
    int Run(cmcCellCapsule c, bool receive = true, int modelType = 0)
    {
        ToneCodec codec;
        codec.receive = receive;
        codec.modelType = modelType;
        opened = 0;
        const int changed = codec.Run(c, m_tones, repaint, opened);
        m_last = c;
        return changed;
    }
    datTone m_tones[2] = {};
    cmcCellCapsule m_last;
};

TEST_F(ToneCodecTest, TypedTones)
{
    const struct {
        const char* typed;
        int modelType;
        datTone tone;  // Ctcss(15) when the text is refused
        const char* shown;
    } cases[] = {
        {"023n", 0, Dtcs(023), "023N"},  // upper-cased: normal polarity
        {" 754I ", 0, Dtcs(0754, true), "754i"},
        {"754", 0, Dtcs(0754), "754N"},
        {"777", 0, Dtcs(0777), "777N"},   // any code for the analogue radios
        {"0239", 0, Ctcss(15), "error"},  // four characters, not I or N: no tone of that name
        {"089", 0, Ctcss(15), "error"},   // 8 is no octal digit
        {"67", 0, Ctcss(0), "67.0"},      // one tone begins so
        {"100", 0, Dtcs(0100), "100N"},   // three octal digits are a DTCS code
        {"100.0", 0, Ctcss(12), "100.0"},
        {"7", 0, Ctcss(15), "error"},   // several tones, one character: refused
        {"10", 0, Ctcss(12), "100.0"},  // several, longer text: the first
        {"", 0, Ctcss(15), "error"},
        {"023", 3, Dtcs(023), "D023N"},  // the digital radio's names
        {"024", 3, Ctcss(15), "error"},  // not one of its codes
    };
    for (const auto& c : cases) {
        m_tones[0] = Ctcss(15);
        m_tones[1] = Ctcss(3);
        const int changed = Run(Typed(c.typed), true, c.modelType);
        EXPECT_TRUE(ToneCodec::Same(m_tones[0], c.tone)) << c.typed;
        EXPECT_EQ(changed, !ToneCodec::Same(c.tone, Ctcss(15))) << c.typed;
        EXPECT_EQ(m_last.text, c.shown) << c.typed;
        EXPECT_TRUE(ToneCodec::Same(m_tones[1], Ctcss(3))) << c.typed;  // not carried
    }
}

TEST_F(ToneCodecTest, ReceiveChangeCarriesAnEqualTransmitTone)
{
    m_tones[0] = m_tones[1] = Ctcss(1);
    Run(Draw(), false);
    EXPECT_EQ(m_last.text, "<-");
    EXPECT_EQ(m_cell.HAlign(), 1);
    Run(Typed("023"));
    EXPECT_EQ(m_cell.HAlign(), 2);
    EXPECT_TRUE(ToneCodec::Same(m_tones[1], Dtcs(023)));
    // Both off are equal, but "<-" stands only for a tone that is set.
    m_tones[0] = m_tones[1] = kOff;
    Run(Draw(), false);
    EXPECT_EQ(m_last.text, "Off");
}

TEST_F(ToneCodecTest, ChoicesFromTheToneLists)
{
    m_tones[0] = Ctcss(2);
    EXPECT_EQ(Run(Choice(Flex0, 12)), 1);
    EXPECT_TRUE(ToneCodec::Same(m_tones[0], Ctcss(12)));
    EXPECT_EQ(Run(Choice(Flex0, 52)), 1);
    EXPECT_EQ(m_tones[0].flags & kOn, 0);
    EXPECT_EQ(m_tones[0].ctcss, 0);
    EXPECT_EQ(m_last.text, "Off");

    // The DTCS item puts the code into the editor of the analogue radios.
    m_tones[0] = Dtcs(025, true);
    std::string refreshed;
    cmcCellCapsule c = Choice(FlexDtcs, 53);
    c.refreshEditor = [&](cuiSheet*, cmcCellCapsule* cap, int) { refreshed = cap->text; };
    EXPECT_EQ(Run(c), 0);
    EXPECT_EQ(refreshed, "025i");
    EXPECT_TRUE(m_popups.Requests().empty());

    // The digital radio picks from its code list, then the polarity.
    EXPECT_EQ(Run(Choice(FlexDtcs, 53), true, 3), 0);
    ASSERT_EQ(m_popups.Requests().size(), 1u);
    EXPECT_EQ(m_popups.Last().listName, "GI_Sheet_Sel_Mch_Dtcs");
    EXPECT_EQ(m_popups.Last().listId, Flex1);
    EXPECT_EQ(m_popups.Last().startValue, 1);  // 025 is the second code
    EXPECT_EQ(Run(Choice(Flex1, 3), true, 3), 1);
    EXPECT_TRUE(ToneCodec::Same(m_tones[0], Dtcs(0754, true)));
    EXPECT_EQ(m_popups.Last().listName, "GI_Sheet_Sel_Mch_DtcsInv");
    EXPECT_EQ(m_popups.Last().startValue, 1);
    EXPECT_EQ(Run(Choice(Flex2, 0), true, 3), 1);
    EXPECT_TRUE(ToneCodec::Same(m_tones[0], Dtcs(0754, false)));
    EXPECT_EQ(m_last.text, "D754N");
    EXPECT_EQ(Run(Choice(Flex1, 9), true, 3), 0);        // no such code item
    EXPECT_EQ(Run(Choice(FlexZoneSel, 1), true, 3), 0);  // another list's choice
}

TEST_F(ToneCodecTest, Keys)
{
    m_tones[0] = Dtcs(023);
    EXPECT_EQ(Run(Key(32)), 1);  // space toggles the polarity of a DTCS code
    EXPECT_TRUE(ToneCodec::Same(m_tones[0], Dtcs(023, true)));
    EXPECT_EQ(m_last.text, "023i");
    EXPECT_EQ(Run(Key(8)), 1);
    EXPECT_TRUE(ToneCodec::Same(m_tones[0], Dtcs(023)));

    m_tones[0] = Ctcss(1);
    EXPECT_EQ(Run(Key(32)), 1);  // steps in the list's order: 67.0 69.3 71.9 100.0 Off
    EXPECT_TRUE(ToneCodec::Same(m_tones[0], Ctcss(2)));
    m_tones[0] = Ctcss(12);
    Run(Key(32));
    EXPECT_EQ(m_tones[0].flags & kOn, 0);
    EXPECT_EQ(m_last.text, "Off");

    Run(Key(13));
    ASSERT_EQ(m_popups.Requests().size(), 1u);
    EXPECT_EQ(m_popups.Last().listName, "GI_Sheet_Sel_Mch_CTone");
    EXPECT_EQ(m_popups.Last().startValue, 52);
    Run(Key('6'));
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(m_last.text, "6");

    // The digital radio's transmit tone is only shown.
    m_tones[1] = Ctcss(0);
    m_popups.Clear();
    EXPECT_EQ(Run(Key(13), false, 3), 0);
    EXPECT_EQ(Run(Typed("023"), false, 3), 0);
    EXPECT_EQ(Run(Key(32), false, 3), 0);
    EXPECT_TRUE(m_popups.Requests().empty());
    EXPECT_EQ(m_last.text, "67.0");
}

}  // namespace
