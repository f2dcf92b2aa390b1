#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "model/datCh.h"
#include "model/datChBanks.h"

namespace {

constexpr int kImageSize = indMemMap::kImageSize;
constexpr int kA = 0x0780;  // record A of channel 0
constexpr int kB = 0x08EE;  // record B of channel 0

using Image = std::vector<uint8_t>;

// Makes the channel slot well formed: the only states a load followed by a store rewrites
// are frequencies above the limit, a transmit frequency on an unused channel, CTCSS tones
// with DTCS bits set and the always-zero bit 5 of byte 12 (each has its own test below).
void MakeChannelWellFormed(Image& img, int i, std::mt19937& rng)
{
    uint8_t* a = &img[kA + 14 * i];
    auto freq = [&](uint8_t* p) {
        uint32_t f = rng() % (datCh::kMaxFrequency + 1);
        p[0] = static_cast<uint8_t>((p[0] & 0x80) | (f >> 24));
        p[1] = static_cast<uint8_t>(f >> 16);
        p[2] = static_cast<uint8_t>(f >> 8);
        p[3] = static_cast<uint8_t>(f);
    };
    freq(a);
    freq(a + 4);
    if (rng() % 4 == 0) {  // some channels not in use
        a[0] &= 0x80;
        a[1] = a[2] = a[3] = 0;
    }
    if ((a[0] & 0x7F) == 0 && a[1] == 0 && a[2] == 0 && a[3] == 0) {
        a[4] &= 0x80;
        a[5] = a[6] = a[7] = 0;
    }
    for (int t = 8; t <= 10; t += 2)
        if (!(a[t] & 0x40))
            a[t] &= ~0x21;
    a[12] &= ~0x20;
}

Image RandomImage(unsigned seed)
{
    std::mt19937 rng(seed);
    Image img(kImageSize);
    for (auto& b : img)
        b = static_cast<uint8_t>(rng());
    // Bank sizes that put channels 0 to 15 into the first banks.
    for (int b = 0; b < 8; ++b)
        datSetBankSize(img, b, 0);
    datSetBankSize(img, 0, 6);
    datSetBankSize(img, 1, 10);
    for (int i = 0; i < 16; ++i)
        MakeChannelWellFormed(img, i, rng);
    for (int i = 0; i < 9; ++i)  // tone pairs
        for (int t = 0; t < 4; t += 2)
            if (!(img[0x11F6 + 4 * i + t] & 0x40))
                img[0x11F6 + 4 * i + t] &= ~0x21;
    return img;
}

TEST(datCh, LoadThenStoreChangesNoByteForEveryKindAndIndex)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const Image original = RandomImage(seed);
        for (int kind = 1; kind <= 20; ++kind) {
            for (int index = 0; index <= datKindLastIndex(kind); ++index) {
                Image img = original;
                datCh ch(img);
                ch.Load(kind, index);
                ch.Store(kind, index);
                ASSERT_EQ(img, original)
                    << "seed " << seed << " kind " << kind << " index " << index;
                ch.Save();
                ASSERT_EQ(img, original) << "Save, kind " << kind << " index " << index;
            }
        }
    }
}

// A record stored into another slot carries the bits its decoder knows; every other bit
// stays as the target held it. Checked bit by bit for every kind with storage.
TEST(datCh, RecordStoredIntoAnotherSlotCarriesOnlyWhatItsDecoderKnows)
{
    for (unsigned seed = 1; seed <= 5; ++seed) {
        const Image original = RandomImage(seed);
        for (int kind = 1; kind <= 20; ++kind) {
            const int first = datKindFirstIndex(kind);
            const int last = datKindLastIndex(kind);
            if (last == first || !datKindHasStorage(kind, first))
                continue;
            Image img = original;
            datCh ch(img);
            ch.Load(kind, first);
            if (datIsChannelKind(kind) && !ch.InUse())
                continue;  // an unused channel zeroes its transmit frequency: own test
            ch.Store(kind, last);
            const datKindPart* parts = nullptr;
            const int n = datKindParts(kind, &parts);
            for (int p = 0; p < n; ++p) {
                if (first < parts[p].fromIndex)
                    continue;
                for (int k = 0; k < parts[p].length; ++k) {
                    const int from = parts[p].base + parts[p].stride * first + k;
                    const int to = parts[p].base + parts[p].stride * last + k;
                    const uint8_t known = datCh::KnownBits(kind, p, k);
                    const uint8_t want =
                        static_cast<uint8_t>((original[from] & known) | (original[to] & ~known));
                    ASSERT_EQ(img[to], want) << "kind " << kind << " part " << p << " byte " << k;
                }
            }
        }
    }
}

TEST(datCh, UndecodedBitsNamedByTheRadioStayWithTheTargetSlot)
{
    Image img(kImageSize, 0);
    img[0x0AD6 + 13] = 0xA5;       // kind 6 record 0, byte 13
    img[0x0AD6 + 14 + 13] = 0x3C;  // kind 6 record 1, byte 13
    img[0x11F6] = 0x1E;            // kind 8 record 0: tone bits 4..1
    img[0x11F6 + 4] = 0x80;        // kind 8 record 1: off, bits 4..1 clear
    img[kA + 12] = 0x8C;           // channel 0: record A byte 12 bits 7, 3, 2
    img[kA + 14 + 12] = 0x00;
    datCh ch(img);
    ch.Load(6, 0);
    ch.Store(6, 1);
    EXPECT_EQ(img[0x0AD6 + 14 + 13], 0x3C);
    ch.Load(8, 0);
    ch.Store(8, 1);
    EXPECT_EQ(img[0x11F6 + 4], 0x00);  // the tone came, its undecoded bits did not
    ch.Load(1, 0);
    ch.Store(1, 1);
    EXPECT_EQ(img[kA + 14 + 12], 0x00);
    // In the same slot nothing changes.
    ch.Load(8, 0);
    ch.Store(8, 0);
    EXPECT_EQ(img[0x11F6], 0x1E);
}

TEST(datCh, UndecodedBitsTakenFromAnotherImageAreSavedInTheLoadedSlot)
{
    Image work = RandomImage(3);
    const Image ref = RandomImage(4);
    const Image before = work;
    datCh ch(work);
    ch.Load(2, 5);
    ch.TakeUndecodedFrom(ref);
    ch.Save();
    for (int k = 0; k < 14; ++k) {
        const int a = kA + 14 * 5 + k;
        const uint8_t known = datCh::KnownBits(2, 0, k);
        EXPECT_EQ(work[a], (before[a] & known) | (ref[a] & ~known)) << k;
    }
    for (int k = 0; k < 12; ++k) {
        const int a = kB + 12 * 5 + k;
        const uint8_t known = datCh::KnownBits(2, 1, k);
        EXPECT_EQ(work[a], (before[a] & known) | (ref[a] & ~known)) << k;
    }
}

// Setting one field changes only that field's bits. Each case names the bits (image address
// relative to the channel's record A or B, mask) that the field owns.
struct FieldCase {
    const char* name;
    int kind;
    std::function<void(datCh&)> change;
    std::vector<std::pair<int, uint8_t>> bitsA;
    std::vector<std::pair<int, uint8_t>> bitsB;
};

template <typename T>
std::function<void(datCh&)> Flip(T datChFields::*field, int32_t mask)
{
    return [field, mask](datCh& c) { c.*field = static_cast<T>((c.*field ^ mask) & mask); };
}

TEST(datCh, SettingOneFieldChangesOnlyItsBits)
{
    const std::vector<FieldCase> cases = {
        {"inhibit", 2, Flip(&datChFields::inhibit, 1), {{0, 0x80}}, {}},
        {"freqR",
         2,
         [](datCh& c) { c.freqR = c.freqR == 446100000 ? 146520000 : 446100000; },
         {{0, 0x7F}, {1, 0xFF}, {2, 0xFF}, {3, 0xFF}},
         {}},
        {"txInhibit", 2, Flip(&datChFields::txInhibit, 1), {{4, 0x80}}, {}},
        {"freqT",
         2,
         [](datCh& c) { c.freqT = c.freqT == 446100000 ? 146520000 : 446100000; },
         {{4, 0x7F}, {5, 0xFF}, {6, 0xFF}, {7, 0xFF}},
         {}},
        {"tone R off", 2, [](datCh& c) { c.tone[0].flags ^= datTone::kOn; }, {{8, 0x80}}, {}},
        {"tone T as DTCS",
         2,
         [](datCh& c) {
             c.tone[1] = datTone{datTone::kOn | datTone::kDtcs | datTone::kInverted, 0, 0, 0x1FF};
         },
         {{10, 0xE1}, {11, 0xFF}},
         {}},
        {"digSig", 2, Flip(&datChFields::digSig, 3), {{12, 0x03}}, {}},
        {"flagA12", 2, Flip(&datChFields::flagA12, 1), {{12, 0x10}}, {}},
        {"narrow", 2, Flip(&datChFields::narrow, 1), {{12, 0x40}}, {}},
        {"scanList", 2, Flip(&datChFields::scanList, 0xFF), {{13, 0xFF}}, {}},
        {"pwrSave", 2, Flip(&datChFields::pwrSave, 1), {}, {{0, 0x80}}},
        {"moni", 2, Flip(&datChFields::moni, 15), {}, {{0, 0x40}, {1, 0x08}, {2, 0x30}}},
        {"scanListSel", 2, Flip(&datChFields::scanListSel, 1), {}, {{0, 0x20}}},
        {"tot", 2, Flip(&datChFields::tot, 1), {}, {{0, 0x10}}},
        {"lockout", 2, Flip(&datChFields::lockout, 3), {}, {{0, 0x0C}}},
        {"rfPower", 2, Flip(&datChFields::rfPower, 3), {}, {{0, 0x03}}},
        {"log", 2, Flip(&datChFields::log, 15), {}, {{1, 0xF0}}},
        {"sqlTight", 2, Flip(&datChFields::sqlTight, 1), {}, {{1, 0x04}}},
        {"scanInc", 2, Flip(&datChFields::scanInc, 1), {}, {{1, 0x02}}},
        {"chMute", 2, Flip(&datChFields::chMute, 1), {}, {{1, 0x01}}},
        {"sel", 2, Flip(&datChFields::sel, 3), {}, {{2, 0xC0}}},
        {"call", 2, Flip(&datChFields::call, 1), {}, {{2, 0x08}}},
        {"ptt", 2, Flip(&datChFields::ptt, 1), {}, {{2, 0x04}}},
        {"autoReset Pmr", 3, Flip(&datChFields::autoReset, 3), {}, {{2, 0x03}}},
        {"autoReset Lmr", 1, Flip(&datChFields::autoReset, 1), {}, {{2, 0x02}}},
        {"sigTypeLog", 2, Flip(&datChFields::sigTypeLog, 3), {}, {{3, 0x80}, {4, 0x20}}},
        {"scrambler", 2, Flip(&datChFields::scrambler, 3), {}, {{3, 0x60}}},
        {"compander", 2, Flip(&datChFields::compander, 1), {}, {{3, 0x10}}},
        {"mskSig", 3, Flip(&datChFields::mskSig, 1), {}, {{3, 0x08}}},
        {"mskRpt", 3, Flip(&datChFields::mskRpt, 1), {}, {{3, 0x04}}},
        {"mskSendStatus", 3, Flip(&datChFields::mskSendStatus, 1), {}, {{3, 0x02}}},
        {"autoChScan", 2, Flip(&datChFields::autoChScan, 1), {}, {{3, 0x01}}},
        {"sigTypeEmg", 2, Flip(&datChFields::sigTypeEmg, 3), {}, {{4, 0xC0}}},
        {"decodeSig", 2, Flip(&datChFields::decodeSig, 1), {}, {{4, 0x10}}},
        {"mdcSystem", 2, Flip(&datChFields::mdcSystem, 15), {}, {{4, 0x0F}}},
        {"scrmCode", 2, Flip(&datChFields::scrmCode, 0xFF), {}, {{5, 0xFF}}},
        {"format", 2, Flip(&datChFields::format, 15), {}, {{6, 0x0F}}},
        {"position", 3, Flip(&datChFields::position, 3), {}, {{6, 0xC0}}},
        {"rptCode", 2, Flip(&datChFields::rptCode, 0x7F), {}, {{7, 0x7F}}},
        {"rptL", 2, Flip(&datChFields::rptL, 1), {}, {{7, 0x80}}},
        {"stnCode", 3, Flip(&datChFields::stnCode, 0x7F), {}, {{8, 0x7F}}},
        {"stnL", 3, Flip(&datChFields::stnL, 1), {}, {{8, 0x80}}},
        {"idCode", 2, Flip(&datChFields::idCode, 0x7F), {}, {{9, 0x7F}}},
        {"idL", 2, Flip(&datChFields::idL, 1), {}, {{9, 0x80}}},
        {"rxCNo", 2, Flip(&datChFields::rxCNo, 0xFF), {}, {{10, 0xFF}}},
        {"twoTone", 1, Flip(&datChFields::twoTone, 0x7F), {}, {{8, 0x7F}}},
        {"rxCNo2", 4, Flip(&datChFields::rxCNo2, 0x3FF), {}, {{10, 0xFF}, {11, 0xC0}}},
        // Fields of the other radios are shown as fixed defaults and never written.
        {"format on Lmr", 1, Flip(&datChFields::format, 15), {}, {}},
        {"stnCode on DPmr446", 4, Flip(&datChFields::stnCode, 0x7F), {}, {}},
        {"rxCNo on Lmr", 1, Flip(&datChFields::rxCNo, 0xFF), {}, {}},
        {"rxCNo2 on Pmr", 2, Flip(&datChFields::rxCNo2, 0x3FF), {}, {}},
        {"name", 2, [](datCh& c) { c.name[0] = 'A'; }, {}, {}},
    };
    const int i = 5;
    for (unsigned seed = 1; seed <= 8; ++seed) {
        const Image original = RandomImage(seed);
        for (const auto& fc : cases) {
            Image img = original;
            datCh ch(img);
            ch.Load(fc.kind, i);
            if (!ch.InUse()) {  // a channel not in use stores both frequencies as 0
                ch.freqR = 100000000;
                ch.SetInUse(true);
                ch.Store(0, i);
            }
            const Image before = img;
            fc.change(ch);
            ch.Store(0, i);
            Image allowed(kImageSize, 0);
            for (auto [off, mask] : fc.bitsA)
                allowed[kA + 14 * i + off] = mask;
            for (auto [off, mask] : fc.bitsB)
                allowed[kB + 12 * i + off] = mask;
            bool changed = false;
            for (int a = 0; a < kImageSize; ++a) {
                uint8_t diff = img[a] ^ before[a];
                ASSERT_EQ(diff & ~allowed[a], 0)
                    << fc.name << ": address " << std::hex << a << " seed " << seed;
                changed |= diff != 0;
            }
            EXPECT_EQ(changed, !fc.bitsA.empty() || !fc.bitsB.empty()) << fc.name;
        }
    }
}

// One record whose fields all differ, decoded under a Pmr and an Lmr kind: catches bits
// swapped inside a field, which the round trip cannot see.
TEST(datCh, GoldenChannelRecordDecodes)
{
    Image img(kImageSize, 0);
    const uint8_t a[14] = {0x9A, 0x96, 0xF2, 0x20, 0x1A, 0x98, 0x78,
                           0xC0, 0x61, 0x23, 0x00, 0x0C, 0x52, 0x07};
    const uint8_t b[12] = {0xA6, 0x6D, 0xA5, 0xAA, 0x69, 0xC8, 0x87, 0x85, 0x2A, 0x93, 0xB4, 0x7F};
    std::copy(a, a + 14, &img[kA]);
    std::copy(b, b + 12, &img[kB]);
    datCh ch(img);
    ch.Load(2, 0);
    EXPECT_EQ(ch.inhibit, 1);
    EXPECT_EQ(ch.freqR, 446100000u);
    EXPECT_EQ(ch.txInhibit, 0);
    EXPECT_EQ(ch.freqT, 446200000u);
    EXPECT_EQ(ch.tone[0].dtcs, 0x123);
    EXPECT_EQ(ch.tone[1], (datTone{datTone::kOn, 0, 12, 0}));
    EXPECT_EQ(ch.digSig, 2);
    EXPECT_EQ(ch.flagA12, 1);
    EXPECT_EQ(ch.narrow, 1);
    EXPECT_EQ(ch.scanList, 7);
    const std::pair<const char*, int32_t> pmr[] = {
        {"pwrSave", ch.pwrSave},
        {"moni", ch.moni},
        {"scanListSel", ch.scanListSel},
        {"tot", ch.tot},
        {"lockout", ch.lockout},
        {"rfPower", ch.rfPower},
        {"log", ch.log},
        {"sqlTight", ch.sqlTight},
        {"scanInc", ch.scanInc},
        {"chMute", ch.chMute},
        {"sel", ch.sel},
        {"call", ch.call},
        {"ptt", ch.ptt},
        {"autoReset", ch.autoReset},
        {"sigTypeLog", ch.sigTypeLog},
        {"scrambler", ch.scrambler},
        {"compander", ch.compander},
        {"mskSig", ch.mskSig},
        {"mskRpt", ch.mskRpt},
        {"mskSendStatus", ch.mskSendStatus},
        {"autoChScan", ch.autoChScan},
        {"sigTypeEmg", ch.sigTypeEmg},
        {"decodeSig", ch.decodeSig},
        {"mdcSystem", ch.mdcSystem},
        {"scrmCode", ch.scrmCode},
        {"format", ch.format},
        {"position", ch.position},
        {"rptCode", ch.rptCode},
        {"rptL", ch.rptL},
        {"stnCode", ch.stnCode},
        {"stnL", ch.stnL},
        {"idCode", ch.idCode},
        {"idL", ch.idL},
        {"rxCNo", ch.rxCNo},
        {"twoTone", ch.twoTone},
        {"rxCNo2", ch.rxCNo2},
    };
    const int32_t expected[] = {1, 10, 1, 0, 1, 2, 6,   1, 0, 1, 2, 0,  1, 2,  3, 1,   0, 1,
                                0, 1,  0, 1, 0, 9, 200, 7, 2, 5, 1, 42, 0, 19, 1, 180, 0, 0};
    for (size_t k = 0; k < std::size(pmr); ++k)
        EXPECT_EQ(pmr[k].second, expected[k]) << pmr[k].first;

    ch.Load(1, 0);
    EXPECT_EQ(ch.autoReset, 0);  // bit 1 only
    EXPECT_EQ(ch.twoTone, 42);
    EXPECT_EQ(ch.rxCNo2, 721);
    EXPECT_EQ(ch.rxCNo, 0);
    EXPECT_EQ(ch.position, 0);
    EXPECT_EQ(ch.idCode, 0);
}

TEST(datCh, AttributesAndScanFlagLiveOutsideTheRecord)
{
    Image img(kImageSize, 0);
    datSetBankSize(img, 0, 4);
    datSetBankSize(img, 2, 12);
    img[0x0145] = 3;     // priority 1 is channel 3
    img[0x0146] = 9;     // priority 2 is channel 9
    img[0x0BC5] = 3;     // special channel 3 ...
    img[0x0BC6] = 0x40;  // ... switched on
    img[0x09C4] = 0x20;  // bank flag of bank 2
    img[0x0868] = 0x10;  // scan flag of channel 3
    datCh ch(img);
    ch.Load(1, 3);
    EXPECT_EQ(ch.attr, datCh::kAtrPrio1 | datCh::kAtrSpecial);
    EXPECT_EQ(ch.scan, 1);
    ch.Load(1, 9);
    EXPECT_EQ(ch.attr, datCh::kAtrPrio2 | datCh::kAtrBank);
    EXPECT_EQ(ch.scan, 0);

    // Switching the special channel off from any channel hides it on channel 3 too.
    ch.attr = datCh::kAtrSpecialOff;
    ch.scan = 1;
    ch.Save();
    EXPECT_EQ(img[0x0BC6] & 0x40, 0);
    EXPECT_EQ(img[0x0869], 0x40);  // channel 9: second byte, mask 80 >> 1
    EXPECT_EQ(img[0x09C4], 0x00);  // its bank flag cleared
    EXPECT_EQ(img[0x0146], 9);     // a clear priority flag writes nothing
    ch.Load(1, 3);
    EXPECT_EQ(ch.attr, datCh::kAtrPrio1 | datCh::kAtrSpecialOff);

    // Setting priority 2 on channel 3 moves it away from channel 9.
    ch.attr |= datCh::kAtrPrio2;
    ch.Save();
    EXPECT_EQ(img[0x0146], 3);
}

TEST(datCh, FrequenciesAreClampedAndZeroMeansNotInUse)
{
    Image img(kImageSize, 0);
    const uint8_t a[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF};
    std::copy(a, a + 8, &img[kA]);
    datCh ch(img);
    ch.Load(2, 0);
    EXPECT_EQ(ch.inhibit, 1);
    EXPECT_EQ(ch.freqR, 799999950u);
    EXPECT_EQ(ch.txInhibit, 0);
    EXPECT_EQ(ch.freqT, 799999950u);
    EXPECT_TRUE(ch.InUse());
    ch.Save();  // the limit is written back
    const uint8_t clamped[8] = {0xAF, 0xAF, 0x07, 0xCE, 0x2F, 0xAF, 0x07, 0xCE};
    EXPECT_TRUE(std::equal(clamped, clamped + 8, &img[kA]));

    // Bits 30..0 only: the inhibit bit is no part of the frequency.
    const uint8_t b[4] = {0x80, 0x00, 0x00, 0x00};
    std::copy(b, b + 4, &img[kA + 14]);
    ch.Load(2, 1);
    EXPECT_EQ(ch.freqR, 0u);
    EXPECT_FALSE(ch.InUse());
}

TEST(datCh, SavingAChannelNotInUseZeroesBothFrequenciesOnly)
{
    Image img = RandomImage(3);
    datCh ch(img);
    ch.Load(2, 4);
    ch.freqR = 446100000;
    ch.freqT = 446200000;
    ch.SetInUse(true);
    ch.Save();
    const Image before = img;
    ch.SetInUse(false);
    ch.Save();
    EXPECT_FALSE(ch.InUse());
    EXPECT_EQ(ch.freqT, 0u);
    // Channel 4's frequency bits (bits 30..0 of bytes 0 to 3 and 4 to 7) may change.
    Image allowed(kImageSize, 0);
    for (int k = 0; k < 8; ++k)
        allowed[kA + 56 + k] = (k == 0 || k == 4) ? 0x7F : 0xFF;
    for (int a = 0; a < kImageSize; ++a)
        ASSERT_EQ((img[a] ^ before[a]) & ~allowed[a], 0) << std::hex << a;
    EXPECT_EQ(img[kA + 56] & 0x7F, 0);
    EXPECT_EQ(img[kA + 63], 0);
}

TEST(datCh, ToneCodesDecodeAndNormalise)
{
    struct Case {
        uint8_t t0, t1;
        datTone tone;
        uint8_t storedT0;  // after a save
    } cases[] = {
        // DTCS 443 octal (0x123), inverted
        {0x61, 0x23, {datTone::kOn | datTone::kDtcs | datTone::kInverted, 0, 0, 0x123}, 0x61},
        // DTCS 023 octal, normal; bits 4..1 are kept
        {0x5E, 0x13, {datTone::kOn | datTone::kDtcs, 0, 0, 0x013}, 0x5E},
        // CTCSS tone 12; bits 5 and 0 do not belong to a CTCSS tone and are cleared
        {0x21, 12, {datTone::kOn, 0, 12, 0}, 0x00},
        // no tone
        {0x80, 0, {0, 0, 0, 0}, 0x80},
        // a DTCS code switched off keeps its code
        {0xC1, 0xFF, {datTone::kDtcs, 0, 0, 0x1FF}, 0xC1},
    };
    for (const auto& c : cases) {
        Image img(kImageSize, 0);
        img[kA + 8] = c.t0;
        img[kA + 9] = c.t1;
        img[kA + 3] = 1;  // in use
        datCh ch(img);
        ch.Load(2, 0);
        EXPECT_EQ(ch.tone[0], c.tone) << int(c.t0);
        ch.Save();
        EXPECT_EQ(img[kA + 8], c.storedT0) << int(c.t0);
        EXPECT_EQ(img[kA + 9], c.t1) << int(c.t0);
    }
}

TEST(datCh, Byte12Bit5IsAlwaysWrittenZero)
{
    Image img(kImageSize, 0);
    img[kA + 12] = 0xFF;
    datCh ch(img);
    ch.Load(3, 0);
    ch.Store(0, 0);
    EXPECT_EQ(img[kA + 12], 0xDF);
}

TEST(datCh, ChannelsExistOnlyAtIndexes0To15)
{
    Image img = RandomImage(5);
    // Banks enabled: 16 channels in bank 0 and 16 in bank 1.
    datSetBankSize(img, 0, 16);
    datSetBankSize(img, 1, 16);
    const Image original = img;
    datCh ch(img);
    for (int kind = 1; kind <= 4; ++kind) {
        for (int index : {-1, 16, 17, 31, 1000}) {
            ch.Load(kind, index);
            EXPECT_TRUE(ch.InUse());
            EXPECT_EQ(ch.freqR, 0u);
            EXPECT_EQ(ch.attr, 0);
            // Everything set: still nothing may be written anywhere.
            ch.freqR = ch.freqT = 446100000;
            ch.attr = 0x1F;
            ch.scan = 1;
            ch.scanList = 0xFF;
            ch.Store(kind, index);
            ch.Save();
            ASSERT_EQ(img, original) << "kind " << kind << " index " << index;
        }
    }
}

TEST(datCh, LmrChannelKeepsItsTwoToneNumberAndOtherCodeBytes)
{
    Image img(kImageSize, 0);
    img[kA + 3] = 1;
    const uint8_t b[12] = {0, 0, 0, 0, 0, 0, 0x5A, 0x33, 0x25, 0x44, 0x00, 0x15};
    std::copy(b, b + 12, &img[kB]);
    datCh ch(img);
    for (int kind : {1, 4}) {
        ch.Load(kind, 0);
        EXPECT_EQ(ch.twoTone, 0x25);
        EXPECT_EQ(ch.format, 0);  // fixed defaults of these radios
        EXPECT_EQ(ch.stnCode, 1);
        EXPECT_EQ(ch.stnL, 1);
        ch.narrow = 1;
        ch.Save();
        EXPECT_TRUE(std::equal(b, b + 12, &img[kB])) << "kind " << kind;
        EXPECT_EQ(ch.twoTone, 0x25);
    }
}

TEST(datCh, MskSignalFlagIsKept)
{
    Image img(kImageSize, 0);
    img[kA + 3] = 1;
    img[kB + 3] = 0x08;
    datCh ch(img);
    ch.Load(3, 0);
    EXPECT_EQ(ch.mskSig, 1);
    ch.chMute = 1;
    ch.Save();
    EXPECT_EQ(ch.mskSig, 1);
    EXPECT_EQ(img[kB + 3], 0x08);
}

TEST(datCh, ClearedRecordAndRememberedKind)
{
    Image img = RandomImage(9);
    datCh ch(img);
    ch.Load(2, 3);
    ch.Clear();
    EXPECT_TRUE(ch.InUse());
    EXPECT_EQ(ch.freqR, 0u);
    EXPECT_EQ(ch.Kind(), 2);
    EXPECT_EQ(ch.Image().data(), img.data());
    // Store with kind 0 uses the remembered kind: a cleared record in use with frequency 0
    // reads back as not in use.
    ch.Store(0, 3);
    ch.Reload();
    EXPECT_FALSE(ch.InUse());
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(img[kA + 42 + k], 0) << k;

    // No image: loads the cleared record, stores nothing.
    datCh none;
    none.Load(2, 3);
    EXPECT_TRUE(none.InUse());
    none.Store(2, 3);
}

TEST(datCh, KindsWithoutNamedFieldsKeepTheirBytes)
{
    Image img(kImageSize, 0);
    img[0x1196 + 2 * 15] = 0x12;  // kind 5, index 15
    img[0x1196 + 2 * 15 + 1] = 0x34;
    img[0x0FC6 + 4 * 31] = 0x98;  // kind 16, index 31
    img[0x0FC6 + 4 * 31 + 1] = 0x76;
    img[0x0FC6 + 4 * 30] = 0x12;  // kind 16, index 30: not BCD
    img[0x0FC6 + 4 * 30 + 1] = 0x3A;
    datCh ch(img);

    ch.Load(5, 15);
    EXPECT_EQ(ch.pattern, 0x1234);
    ch.pattern = 0xBEEF;
    ch.Save();
    EXPECT_EQ(img[0x1196 + 30], 0xBE);
    EXPECT_EQ(img[0x1196 + 31], 0xEF);

    ch.Load(16, 31);
    EXPECT_EQ(ch.callAddress, 9876);
    ch.callAddress = 4095;
    ch.Save();
    EXPECT_EQ(img[0x0FC6 + 124], 0x40);
    EXPECT_EQ(img[0x0FC6 + 125], 0x95);
    EXPECT_EQ(img[0x0FC6 + 126], 0x00);  // the bytes after the digits are kept

    ch.Load(16, 30);
    EXPECT_EQ(ch.callAddress, 65535);
    ch.Save();
    EXPECT_EQ(img[0x0FC6 + 121], 0x3A);

    // Kind 12 has its limits only from index 1 on.
    for (int a = 0x0A44; a < 0x0A4C; ++a)
        img[a] = 0x55;
    ch.Load(12, 0);
    for (int b = 0; b < 8; ++b)
        EXPECT_EQ(ch.part[1][b], 0);
    ch.Save();
    EXPECT_EQ(img[0x0A44], 0x55);
    ch.Load(12, 1);
    ch.part[1][0] = 0x01;
    ch.SetU16(2, 2, 0xABCD);
    ch.Save();
    EXPECT_EQ(img[0x0A4C], 0x01);
    EXPECT_EQ(img[0x086C], 0xAB);
    EXPECT_EQ(ch.GetU16(2, 2), 0xABCD);

    // No storage: kinds 0, 13, 14 and above 20, and indexes beyond a kind's last one.
    const Image before = img;
    for (auto [kind, index] : {std::pair{0, 0}, {13, 0}, {14, 3}, {21, 0}, {5, 16}, {20, 5}}) {
        ch.Load(kind, index);
        ch.part[0][0] = 0xEE;
        ch.Save();
    }
    EXPECT_EQ(img, before);
}

}  // namespace
