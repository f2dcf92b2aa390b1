#include <gtest/gtest.h>

#include <vector>

#include "model/datBcd.h"
#include "model/datCh.h"
#include "model/datChBanks.h"
#include "model/datDaloAdr.h"
#include "model/indBlockMap.h"

namespace {

using Image = std::vector<uint8_t>;

Image WithBanks(std::initializer_list<int> sizes)
{
    Image img(0x1D00, 0);
    int b = 0;
    for (int n : sizes)
        datSetBankSize(img, b++, n);
    return img;
}

void SetInUse(Image& img, int channel)
{
    img[0x0780 + 14 * channel + 3] = 1;  // 1 Hz receive frequency
}

// Every accessor checks the image's size once: a short image reads as zero and is never
// written, whatever address the record or bank would reach.
TEST(datChBanks, AnImageShorterThanTheMapIsNeitherReadNorWritten)
{
    Image shortImage(indMemMap::kImageSize - 1, 0xFF);
    const Image before = shortImage;
    EXPECT_EQ(datBankSize(shortImage, 0), 0);
    EXPECT_EQ(datSetBankSize(shortImage, 0, 5), 0);
    EXPECT_EQ(datStatusIncrement(shortImage), 0);
    EXPECT_FALSE(datBankFlag(shortImage, 0));
    datSetBankFlag(shortImage, 0, false);
    datCh ch(shortImage);
    ch.Load(1, 0);
    ch.freqR = 146520000;
    ch.Store(1, 0);
    datDaloAdr adr(shortImage);
    EXPECT_EQ(adr.GetBoundary(), 0);
    adr.SetBoundary(5);
    EXPECT_TRUE(indBlockMap::Pack(shortImage));
    indBlockMap::Unpack(shortImage);
    EXPECT_EQ(indBlockMap::PackedChannelCount(shortImage), 0);
    EXPECT_EQ(shortImage, before);
}

TEST(datChBanks, ChannelNumbersRunAcrossTheBanks)
{
    Image img = WithBanks({4, 0, 3});
    indMemMap::ConstImage p = img;
    EXPECT_EQ(img[0x09FE + 1], 4);
    EXPECT_EQ(datChannelsBefore(p, 2), 4);
    EXPECT_EQ(datChannelsBefore(p, 3), 7);
    EXPECT_EQ(datTotalChannels(p), 7);
    EXPECT_EQ(datLastChannelOfBank(p, 0), 3);
    EXPECT_EQ(datLastChannelOfBank(p, 2), 6);
    EXPECT_EQ(datLastChannelOfBank(p, 5), 6);
    EXPECT_EQ(datLastChannelOfBank(WithBanks({}), 0), 0);  // at least 0
    const struct {
        int channel, bank;
    } cases[] = {{0, 0}, {3, 0}, {4, 2}, {5, 2}, {6, 2}, {7, 8}, {-1, 8}};
    for (auto c : cases)
        EXPECT_EQ(datBankOfChannel(p, c.channel), c.bank) << c.channel;
    EXPECT_EQ(datBankSize(p, -1), 0);
    EXPECT_EQ(datBankSize(p, 8), 0);
    EXPECT_EQ(datSetBankSize(img, 8, 5), 0);
    EXPECT_EQ(datSetBankSize(img, 7, 70000), 65535);
    EXPECT_EQ(datSetBankSize(img, 6, -1), 0);
    EXPECT_EQ(datBankSize(img, 6), 0);
}

TEST(datChBanks, UsedChannelsCountOnlyChannelsWithStorage)
{
    // Banks enabled: 16 channels in each of banks 0 and 1, but only 0 to 15 are stored.
    Image img = WithBanks({16, 16});
    SetInUse(img, 2);
    SetInUse(img, 15);
    indMemMap::ConstImage p = img;
    for (int modelType = 0; modelType < 4; ++modelType) {
        EXPECT_EQ(datUsedChannelsInBank(p, 0, modelType), 2);
        EXPECT_EQ(datUsedChannelsInBank(p, 1, modelType), 0);
        EXPECT_EQ(datUsedChannels(p, modelType), 2);
        EXPECT_EQ(datUsedChannels16(p, modelType), 2);
    }
    Image split = WithBanks({2, 0, 14});
    SetInUse(split, 1);
    SetInUse(split, 2);
    EXPECT_EQ(datUsedChannelsInBank(split, 0, 0), 1);
    EXPECT_EQ(datUsedChannelsInBank(split, 2, 0), 1);
    EXPECT_EQ(datUsedChannelsInBank(split, 9, 0), 0);
    EXPECT_EQ(datUsedChannels16(WithBanks({}), 1), 0);
    EXPECT_EQ(datCountKind(0), 1);
    EXPECT_EQ(datCountKind(1), 2);
    EXPECT_EQ(datCountKind(2), 2);
    EXPECT_EQ(datCountKind(3), 4);
}

TEST(datChBanks, BankFlagsNamesAndStatusCount)
{
    Image img = WithBanks({});
    datSetBankFlag(img, 0, true);
    datSetBankFlag(img, 7, true);
    datSetBankFlag(img, 8, true);  // ignored
    EXPECT_EQ(img[0x09C4], 0x81);
    EXPECT_EQ(img[0x09C5], 0x00);
    EXPECT_TRUE(datBankFlag(img, 7));
    EXPECT_FALSE(datBankFlag(img, 3));
    EXPECT_FALSE(datBankFlag(img, 8));
    datSetBankFlag(img, 0, false);
    EXPECT_EQ(img[0x09C4], 0x01);
    EXPECT_EQ(datBankName(0), "Free");
    EXPECT_EQ(datBankName(7), "Free");

    EXPECT_EQ(datStatusDecrement(img), 0);  // never below 0
    EXPECT_EQ(datStatusIncrement(img), 1);
    EXPECT_EQ(img[0x1CFF], 1);
    img[0x1CFE] = img[0x1CFF] = 0xFF;
    EXPECT_EQ(datStatusIncrement(img), 65535);  // nor above 65535
    EXPECT_EQ(datStatusDecrement(img), 65534);
}

TEST(datChBanks, KindLimitTable)
{
    const struct {
        int kind, first, last;
        bool editable;
    } cases[] = {{0, 0, 0, false},          {1, 0, 15, true},   {4, 0, 15, true},
                 {5, 0, 15, true},          {6, 0, 2, false},   {7, 0, 0, false},
                 {9, 1, 8, false},          {10, 0, 31, false}, {12, 1, 10, false},
                 {13, 0, 9, false},         {17, 0, 22, false}, {20, 0, 4, true},
                 {21, 0, 100000000, false}, {-1, 0, 0, false}};
    for (auto c : cases) {
        EXPECT_EQ(datKindFirstIndex(c.kind), c.first) << c.kind;
        EXPECT_EQ(datKindLastIndex(c.kind), c.last) << c.kind;
        EXPECT_EQ(datKindEditable(c.kind), c.editable) << c.kind;
    }
}

// Every stored part of every kind lies inside the working area for every index.
TEST(datChBanks, EveryStoredRecordLiesInsideTheWorkingArea)
{
    for (int kind = 0; kind <= 20; ++kind) {
        const datKindPart* parts = nullptr;
        int n = datKindParts(kind, &parts);
        for (int p = 0; p < n; ++p) {
            EXPECT_LE(parts[p].length, kDatMaxPartLength);
            int last = datKindLastIndex(kind);
            EXPECT_GE(parts[p].base + parts[p].stride * parts[p].fromIndex, 0x0780);
            EXPECT_LE(parts[p].base + parts[p].stride * last + parts[p].length, 0x1D00)
                << "kind " << kind;
        }
    }
}

TEST(datBcd, DecodeAndEncode)
{
    const struct {
        uint8_t b0, b1;
        int32_t value;
    } decode[] = {{0x12, 0x34, 1234},  {0x00, 0x00, 0},     {0x99, 0x99, 9999},
                  {0x12, 0x3A, 65535}, {0xA0, 0x00, 65535}, {0xFF, 0xFF, 65535}};
    for (auto c : decode) {
        const uint8_t b[2] = {c.b0, c.b1};
        EXPECT_EQ(datBcdDecode(b), c.value) << int(c.b0) << " " << int(c.b1);
    }
    uint8_t buf[5] = {0, 0, 0, 0, 0x11};
    datBcdEncode(98765, buf, 4);
    EXPECT_EQ(std::vector<uint8_t>(buf, buf + 5),
              (std::vector<uint8_t>{0x87, 0x65, 0xFF, 0xFF, 0x11}));
    datBcdEncode(42, buf, 2);
    EXPECT_EQ(buf[0], 0x00);
    EXPECT_EQ(buf[1], 0x42);
    uint8_t one[2] = {0, 0x77};
    datBcdEncode(1234, one, 1);  // a short buffer gets only what fits
    EXPECT_EQ(one[0], 0x12);
    EXPECT_EQ(one[1], 0x77);
    datBcdEncode(-5, buf, 2);
    EXPECT_EQ(buf[0], 0x00);
    EXPECT_EQ(buf[1], 0x00);
}

TEST(datDaloAdr, RangesFollowTheBoundary)
{
    Image img(0x1D00, 0);
    img[0x126A] = 0x03;
    img[0x126B] = 0xE8;  // 1000
    datDaloAdr adr(img);
    EXPECT_EQ(adr.GetBoundary(), 1000);
    const struct {
        int n, low, high;
    } cases[] = {{0, 0, 0},     {1, 0, 4095}, {2, 1000, 4095}, {3, 4095, 4095},  {4, 0, 4095},
                 {5, 0, 999},   {6, 0, 999},  {7, 1000, 4095}, {13, 1000, 4095}, {14, 0, 4095},
                 {45, 0, 4095}, {46, 1, 0},   {-1, 1, 0}};
    for (auto c : cases) {
        EXPECT_EQ(adr.Lowest(c.n), c.low) << c.n;
        EXPECT_EQ(adr.Highest(c.n), c.high) << c.n;
    }
    EXPECT_TRUE(adr.InRange(5, 999));
    EXPECT_FALSE(adr.InRange(5, 1000));
    EXPECT_FALSE(adr.InRange(46, 0));

    adr.SetBoundary(0);
    EXPECT_EQ(img[0x126A], 0);
    EXPECT_EQ(img[0x126B], 0);
    EXPECT_FALSE(adr.InRange(5, 0));  // no individual addresses
    EXPECT_TRUE(adr.InRange(2, 0));
    adr.SetBoundary(9999);
    EXPECT_EQ(adr.GetBoundary(), 4095);
    EXPECT_EQ(img[0x126A], 0x0F);
    EXPECT_EQ(img[0x126B], 0xFF);

    img[0x126A] = 0x00;
    img[0x126B] = 0x10;
    adr.Refresh();
    EXPECT_EQ(adr.GetBoundary(), 16);
    EXPECT_EQ(adr.Highest(6), 15);
}

}  // namespace
