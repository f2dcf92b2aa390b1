#include <gtest/gtest.h>

#include <vector>

#include "model/datCh.h"
#include "model/datChBanks.h"
#include "model/indPrepareImage.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A reference with a recognisable pattern and valid battery levels, and an image that
// starts as a copy of it.
struct Images {
    Bytes ref = Bytes(indMemMap::kImageSize);
    Bytes img;
    explicit Images()
    {
        for (size_t a = 0; a < ref.size(); ++a)
            ref[a] = static_cast<uint8_t>((a * 11 + 3) & 0xFF);
        const uint8_t levels[] = {200, 150, 100};
        std::copy(levels, levels + 3, ref.begin() + 0x20);
        for (int a = 0x30; a <= 0x37; ++a)
            ref[a] = static_cast<uint8_t>(240 - 20 * (a - 0x30));
        // Sixteen channels in bank 0, none in use.
        for (int b = 0; b < 8; ++b)
            datSetBankSize(ref, b, b == 0 ? 16 : 0);
        for (int i = 0; i < 16; ++i)
            std::fill_n(ref.begin() + 0x0780 + 14 * i, 4, 0);
        img = ref;
    }
    void Prepare(int t, int purpose) { indPrepareImage::Repair(img, ref, t, purpose); }
    void PutChannel(int t, int i, uint32_t freq, bool inhibit = false)
    {
        datCh ch(img);
        ch.Load(t + 1, i);
        ch.SetInUse(true);
        ch.freqR = ch.freqT = freq;
        ch.inhibit = inhibit;
        ch.Save();
    }
};

TEST(indPrepareImage, BatteryLevelsOutOfOrderComeFromTheReference)
{
    struct Case {
        uint8_t b20, b21, b22, b30;
        bool fromRef;
    };
    const Case cases[] = {
        {90, 60, 30, 240, false},  // strictly falling: kept
        {90, 90, 30, 240, true},   // 0021 not below 0020
        {90, 60, 60, 240, true},   // 0022 not below 0021
        {90, 60, 30, 0, true},     // a Li-ion level of 0
    };
    for (const Case& c : cases) {
        Images m;
        m.img[0x20] = c.b20;
        m.img[0x21] = c.b21;
        m.img[0x22] = c.b22;
        m.img[0x30] = c.b30;
        m.Prepare(0, 1);
        EXPECT_EQ(m.img[0x20], c.fromRef ? 200 : c.b20);
        EXPECT_EQ(m.img[0x22], c.fromRef ? 100 : c.b22);
    }
}

TEST(indPrepareImage, ChannelsNotInUseBecomeTheReferenceAndOthersKeepTheirFields)
{
    Images m;
    // Channel 2 not in use with stray bytes; channel 3 in use with a bit its decoder does not
    // know (record A byte 12, bit 3) and a narrow flag it does know.
    m.img[0x0780 + 14 * 2 + 8] ^= 0xFF;
    m.img[0x08EE + 12 * 2 + 5] ^= 0xFF;
    m.PutChannel(0, 3, 446006250);
    m.img[0x0780 + 14 * 3 + 12] |= 0x48;
    m.ref[0x0780 + 14 * 3 + 12] &= static_cast<uint8_t>(~0x48);
    m.Prepare(0, 1);
    for (int k = 0; k < 14; ++k)
        EXPECT_EQ(m.img[0x0780 + 14 * 2 + k], m.ref[0x0780 + 14 * 2 + k]) << k;
    EXPECT_EQ(m.img[0x08EE + 12 * 2 + 5], m.ref[0x08EE + 12 * 2 + 5]);
    datCh ch(m.img);
    ch.Load(1, 3);
    EXPECT_EQ(ch.freqR, 446006250u);
    EXPECT_EQ(ch.narrow, 1);
    EXPECT_EQ(m.img[0x0780 + 14 * 3 + 12] & 0x08, 0);
}

TEST(indPrepareImage, FirstChannelsInUseOverallAndPerBank)
{
    Images m;
    datSetBankSize(m.img, 0, 4);
    datSetBankSize(m.img, 1, 6);
    for (int b = 2; b < 8; ++b)
        datSetBankSize(m.img, b, 0);
    m.PutChannel(0, 1, 146000000, true);  // inhibited
    m.PutChannel(0, 2, 146100000);
    m.PutChannel(0, 6, 146200000, true);
    m.img[0x0148] &= static_cast<uint8_t>(~0x04);
    m.Prepare(0, 1);
    EXPECT_EQ(m.img[0x0141], 2);
    EXPECT_EQ(m.img[0x014A], 2);  // bank 0: channel 2
    EXPECT_EQ(m.img[0x014B], 2);  // bank 1 (from channel 4): channel 6, inhibited, the only one
    for (int b = 2; b < 8; ++b)
        EXPECT_EQ(m.img[0x014A + b], 0);
}

// With bank sizes 10 and 8 the second bank is emptied before the per-bank search, so no
// bank reaches past the sixteen stored channels.
TEST(indPrepareImage, BankSizesAreCappedBeforeTheyAreUsed)
{
    Images m;
    datSetBankSize(m.img, 0, 10);
    datSetBankSize(m.img, 1, 8);
    datSetBankSize(m.img, 2, 3);
    m.PutChannel(0, 12, 146000000);
    m.Prepare(0, 1);
    EXPECT_EQ(datBankSize(m.img, 0), 10);
    EXPECT_EQ(datBankSize(m.img, 1), 0);
    EXPECT_EQ(datBankSize(m.img, 2), 0);
    EXPECT_EQ(m.img[0x014B], 0);
}

TEST(indPrepareImage, CommentsBecomePrintable)
{
    Images m;
    const char text[] = "Line\rTwo";
    std::copy(text, text + 8, m.img.begin() + 0x0A2C);
    m.img[0x0A3C + 15] = 0x7F;
    m.Prepare(1, 1);
    EXPECT_EQ(std::string(m.img.begin() + 0x0A2C, m.img.begin() + 0x0A34), "Line Two");
    EXPECT_EQ(m.img[0x0A3C + 15], ' ');
}

TEST(indPrepareImage, OptionBitsFollowTheKeyCharacters)
{
    struct Case {
        const char* keys;
        uint8_t low;  // low two bits of 09FD
        uint8_t before, after;
    };
    const Case cases[] = {
        {"--------", 0, 0xFE, 0x10},  // none fitted: 1-3 and 5-7 cleared
        {"--3-----", 0, 0xE0, 0x22}, {"-4---5--", 0, 0xE0, 0xCC},
        {"I-------", 2, 0x80, 0x88}, {"I-------", 1, 0x80, 0x04},
    };
    for (const Case& c : cases) {
        Images m;
        std::copy(c.keys, c.keys + 8, m.img.begin() + 0x0860);
        m.img[0x09FD] = static_cast<uint8_t>((m.img[0x09FD] & 0xFC) | c.low);
        m.img[0x09D4] = c.before;
        m.Prepare(0, 1);
        EXPECT_EQ(m.img[0x09D4], c.after) << c.keys;
    }
}

TEST(indPrepareImage, PairedBytesFollowTheirFlags)
{
    Images m;
    m.ref[0x0A1A] = 0x00;
    m.img[0x0A1A] = 0xC0;  // bit 3 clear: the flags follow 0A11 and 0A12
    m.img[0x0A11] = 7;
    m.img[0x0A12] = 0;
    m.Prepare(0, 1);
    EXPECT_EQ(m.img[0x0A1A], 0x20);
    EXPECT_EQ(m.img[0x0A18], 7);
    EXPECT_EQ(m.img[0x0A19], 0);

    Images n;
    n.ref[0x0A1A] = 0x08;
    n.img[0x0A1A] = 0x28;  // bit 3 set: 0A11 takes 0A18, 0A12 stays
    n.img[0x0A18] = 9;
    n.img[0x0A12] = 5;
    n.img[0x0A19] = 6;
    n.Prepare(0, 1);
    EXPECT_EQ(n.img[0x0A11], 9);
    EXPECT_EQ(n.img[0x0A12], 5);
    EXPECT_EQ(n.img[0x0A1A], 0x28);
}

// All eleven elements of block 17 are repaired, elements 9 and 10 of the PMR types too; the
// LMR type's decode windows are recomputed before saving, from element 1 on.
TEST(indPrepareImage, Block17ElementsAndDecodeWindows)
{
    Images p;
    for (int i = 0; i < 11; ++i) {
        p.img[0x0B40 + 10 * i + 6] |= 0x08;
        p.ref[0x0B40 + 10 * i + 6] &= static_cast<uint8_t>(~0x08);
    }
    p.Prepare(1, 1);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(p.img[0x0B40 + 10 * i + 6] & 0x08, 0) << i;

    Images m;
    auto put16 = [&m](int32_t a, int v) {
        m.img[a] = static_cast<uint8_t>(v >> 8);
        m.img[a + 1] = static_cast<uint8_t>(v);
    };
    put16(0x0B40 + 10 * 3, 10000);  // element 3: 1000.0 Hz and 25 tenths
    put16(0x0B40 + 10 * 3 + 2, 25);
    // The end of the second comment lies where element 0's window would.
    const char tail[] = "ABCDEFGH";
    std::copy(tail, tail + 8, m.img.begin() + 0x0A44);
    const Bytes before = m.img;
    m.Prepare(0, 0);  // after a load nothing is recomputed
    EXPECT_TRUE(
        std::equal(m.img.begin() + 0x0A44, m.img.begin() + 0x0A9C, before.begin() + 0x0A44));
    m.img = before;
    m.Prepare(0, 1);
    auto get16 = [&m](int32_t a) { return (m.img[a] << 8) | m.img[a + 1]; };
    const int32_t w = 0x0A44 + 8 * 3;
    EXPECT_EQ(get16(w), 10200);
    EXPECT_EQ(get16(w + 2), 9800);
    EXPECT_EQ(get16(w + 4), 26);  // 25.5 rounded half up
    EXPECT_EQ(get16(w + 6), 25);  // 24.5 rounded half up
    // Element 0 has no window: the comment's last eight characters stay.
    EXPECT_EQ(std::string(m.img.begin() + 0x0A44, m.img.begin() + 0x0A4C), "ABCDEFGH");
}

TEST(indPrepareImage, RepairIsStable)
{
    for (int t = 0; t < 4; ++t) {
        Images m;
        m.PutChannel(t, 0, 446006250);
        m.Prepare(t, 1);
        const Bytes once = m.img;
        m.Prepare(t, 1);
        for (size_t a = 0; a < once.size(); ++a)
            if (m.img[a] != once[a])
                ADD_FAILURE() << "type " << t << std::hex << " address " << a << ": "
                              << int(once[a]) << " then " << int(m.img[a]);
    }
}

TEST(indPrepareImage, ShortImagesAreLeftAlone)
{
    Bytes shortImage(100, 0x55);
    const Bytes ref(indMemMap::kImageSize, 0);
    indPrepareImage::Repair(shortImage, ref, 0, 1);
    EXPECT_EQ(shortImage, Bytes(100, 0x55));
}

}  // namespace
