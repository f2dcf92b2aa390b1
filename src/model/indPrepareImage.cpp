#include "model/indPrepareImage.h"

#include <cstring>

#include "model/datCh.h"
#include "model/datChBanks.h"

namespace {

using indMemMap::ConstImage;
using indMemMap::Image;

constexpr int kChannels = kDatChannelSlots;
constexpr int32_t kChALen = 14, kChBLen = 12;

// Applies the steps to an image and its reference; the reference is never written.
class Repairs {
public:
    Repairs(Image image, ConstImage ref, int t, int purpose)
        : p(image.data()),
          r(ref.data()),
          m_image(image),
          m_ref(ref),
          t(t),
          purpose(purpose),
          kind(t + 1)
    {
    }
    void Run();

private:
    void Copy(int32_t first, int32_t last) { std::memcpy(p + first, r + first, last - first + 1); }
    void Bits(int32_t a, uint8_t mask)
    {
        p[a] = static_cast<uint8_t>((p[a] & ~mask) | (r[a] & mask));
    }
    void SetBits(int32_t a, uint8_t mask, bool on)
    {
        p[a] = static_cast<uint8_t>(on ? (p[a] | mask) : (p[a] & ~mask));
    }
    bool InUse(int index, bool* inhibit)
    {
        datCh ch(m_image);
        ch.Load(kind, index);
        *inhibit = ch.inhibit != 0;
        return index < kChannels && ch.InUse();
    }
    // Resets a record to the reference's bytes while the fields its decoder knows keep
    // their values.
    void ResetKeepingFields(int32_t recordKind, int index)
    {
        datCh ch(m_image);
        ch.Load(recordKind, index);
        ch.TakeUndecodedFrom(m_ref);
        ch.Store(recordKind, index);
    }

    void Battery();
    void CapBankSizes();
    void FirstChannels();
    void Header();
    void Options();
    void PairBytes();
    void Channels();
    void Block17();
    void Later();

    uint8_t* p;
    const uint8_t* r;
    Image m_image;
    ConstImage m_ref;
    int t;
    int purpose;
    int kind;
};

void Repairs::Run()
{
    // Identity fields.
    Copy(0x0000, 0x0003);
    Copy(0x0008, 0x000A);
    Battery();
    Copy(0x0100, 0x010B);
    // The bank sizes are capped first: the first-channel search of each bank below counts
    // on every bank lying within the sixteen channels that have storage.
    CapBankSizes();
    FirstChannels();
    Header();
    Options();
    PairBytes();
    // Comments are printable text.
    for (int32_t a = 0x0A2C; a < 0x0A4C; ++a)
        if (p[a] < 0x20 || p[a] > 0x7E)
            p[a] = 0x20;
    for (int i = 0; i < 9; ++i)
        ResetKeepingFields(8, i);
    ResetKeepingFields(7, 0);
    for (int i = 0; i < 3; ++i)
        ResetKeepingFields(6, i);
    Channels();
    Block17();
    Later();
}

void Repairs::Battery()
{
    // All thresholds set and the NiMH levels strictly falling, or the reference's.
    if (!p[0x30] || !p[0x31] || !p[0x33] || !p[0x34] || !p[0x36] || !p[0x20] || !p[0x21]) {
        Copy(0x0030, 0x0037);
        Copy(0x0020, 0x0022);
    }
    if (p[0x21] >= p[0x20] || p[0x22] >= p[0x21])
        Copy(0x0020, 0x0022);
}

void Repairs::CapBankSizes()
{
    // Once the running sum passes sixteen, the bank and all after it are empty.
    int sum = 0;
    bool over = false;
    for (int b = 0; b < kDatBanks; ++b) {
        sum += datBankSize(m_image, b);
        if (over || sum > kChannels) {
            over = true;
            datSetBankSize(m_image, b, 0);
        }
    }
}

void Repairs::FirstChannels()
{
    // The first channel in use, preferring one not inhibited (or any, with bit 2 of 0148).
    Copy(0x0140, 0x0141);
    bool found = false;
    for (int i = 0; i < kChannels; ++i) {
        bool inhibit = false;
        if (!InUse(i, &inhibit))
            continue;
        if (!found)
            p[0x0141] = static_cast<uint8_t>(i);
        found = true;
        if (!inhibit || (p[0x0148] & 0x04)) {
            p[0x0141] = static_cast<uint8_t>(i);
            break;
        }
    }
    Copy(0x0142, 0x0143);
    if (p[0x0ACE] & 0x0F)
        p[0x0143] = 0;
    Copy(0x0144, 0x0144);
    for (int i = 0; i < 3; ++i)
        if (p[0x0AD6 + 14 * i + 12] != 0) {
            p[0x0144] = static_cast<uint8_t>(i);
            break;
        }
    Bits(0x0148, 0xE8);
    Bits(0x0149, 0xF3);
    // Per bank, counted within the bank.
    std::memset(p + 0x014A, 0, 8);
    for (int b = 0; b < kDatBanks; ++b) {
        const int first = datChannelsBefore(m_image, b);
        const int size = datBankSize(m_image, b);
        bool foundInBank = false;
        for (int c = 0; c < size && first + c < kChannels; ++c) {
            bool inhibit = false;
            if (!InUse(first + c, &inhibit))
                continue;
            if (!foundInBank)
                p[0x014A + b] = static_cast<uint8_t>(c);
            foundInBank = true;
            if (!inhibit) {
                p[0x014A + b] = static_cast<uint8_t>(c);
                break;
            }
        }
    }
    if (t == 3)
        Copy(0x0145, 0x0146);
}

void Repairs::Header()
{
    Copy(0x08EA, 0x08EC);
    Bits(0x08ED, 0xC0);
    Bits(0x09B3, 0x04);
    Bits(0x09CF, 0x20);
    Copy(0x0A0E, 0x0A0F);
    if (t == 0 || t == 3) {
        Bits(0x09CF, 0x03);
        Bits(0x09D0, 0x02);
        Bits(0x09D1, 0x40);
    }
    Bits(0x09D0, 0x04);
    Bits(0x09D1, 0x01);
}

void Repairs::Options()
{
    // Option units fitted, from the eight key characters of block 5.
    p[0x09D4] &= static_cast<uint8_t>(~0x0E);
    const int low = p[0x09FD] & 0x03;
    for (int i = 0; i < 8; ++i) {
        const char c = static_cast<char>(p[0x0860 + i]);
        if (c == '0' || c == '3' || (c == 'I' && low == 0))
            p[0x09D4] |= 0x02;
        if (c == '1' || c == '4' || (c == 'I' && low == 1))
            p[0x09D4] |= 0x04;
        if (c == '2' || c == '5' || (c == 'I' && low == 2))
            p[0x09D4] |= 0x08;
    }
    for (int bit = 1; bit <= 3; ++bit)
        if (!(p[0x09D4] & (1 << bit)))
            p[0x09D4] &= static_cast<uint8_t>(~(1 << (bit + 4)));
    if (t != 2)
        Bits(0x09D2, 0xC0);
    p[0x09D2] &= static_cast<uint8_t>(~0x20);
    p[0x0BC6] &= static_cast<uint8_t>(~0x80);
    if (t == 0 || t == 3) {
        Bits(0x09D3, 0x80);
        Bits(0x09DE, 0x80);
        Bits(0x09F0, 0x80);
    } else {
        Copy(0x09E2, 0x09E2);
    }
}

void Repairs::PairBytes()
{
    uint8_t& g = p[0x0A1A];
    if (g & 0x08) {
        if (g & 0x20)
            p[0x0A11] = p[0x0A18];
        if (g & 0x10)
            p[0x0A12] = p[0x0A19];
    } else {
        SetBits(0x0A1A, 0x20, p[0x0A11] != 0);
        p[0x0A18] = p[0x0A11];
        SetBits(0x0A1A, 0x10, p[0x0A12] != 0);
        p[0x0A19] = p[0x0A12];
        g &= static_cast<uint8_t>(~0xC0);
    }
    Bits(0x0A1A, 0x08);
}

void Repairs::Channels()
{
    // A channel not in use becomes the reference's channel entirely; one in use keeps the
    // fields its decoder knows and takes every other bit from the reference.
    for (int i = 0; i < kChannels; ++i) {
        datCh ch(m_image);
        ch.Load(kind, i);
        const int32_t a = indMemMap::kChannelsA + i * kChALen;
        const int32_t b = indMemMap::kChannelsB + i * kChBLen;
        Copy(a, a + kChALen - 1);
        Copy(b, b + kChBLen - 1);
        if (ch.InUse()) {
            ch.TakeUndecodedFrom(m_ref);
            ch.Store(kind, i);
        }
        Bits(a + 12, 0x80);
        if (t == 0 || t == 3) {
            Bits(b + 0, 0x40);
            Bits(b + 1, 0x08);
            Bits(b + 2, 0xF1);
            Bits(b + 6, 0xCF);
            Copy(b + 7, b + 7);
            Copy(b + 9, b + 9);
            datCh stored(m_image);
            stored.Load(kind, i);
            SetBits(b + 2, 0x0C, stored.rxCNo2 != 0);
        }
        if (t != 2) {
            p[b + 3] &= static_cast<uint8_t>(~0x08);
        } else if (!(p[b + 3] & 0x08)) {
            p[b + 3] &= static_cast<uint8_t>(~0x04);
        } else {
            p[b + 10] |= 0x80;
            Copy(b + 9, b + 9);
            Bits(b + 6, 0xC0);
        }
    }
}

void Repairs::Block17()
{
    const int32_t k = indPrepareImage::Block17Kind(t);
    for (int i = 0; i < indPrepareImage::kBlock17Records; ++i) {
        datCh rec(m_image);
        rec.Load(k, i);
        rec.TakeUndecodedFrom(m_ref);
        // Element 0 has no decode window; the LMR model's windows follow its tones.
        if (t == 0 && purpose != 0 && i >= 1)
            indPrepareImage::SetDecodeWindow(rec);
        rec.Store(k, i);
        const int32_t a = 0x0B40 + 10 * i;
        Bits(a + 6, 0x08);
        if (t == 0) {
            Copy(a + 4, a + 4);
            Bits(a + 6, 0xC0);
            Bits(a + 7, 0x40);
            Bits(a + 8, 0x80);
        }
    }
}

void Repairs::Later()
{
    if (t == 1 || t == 2) {
        for (int i = 0; i < 32; ++i)
            ResetKeepingFields(10, i);
    } else {
        for (int i = 0; i < 32; ++i)
            Bits(0x0B01 + 2 * i, 0x10);
    }
    if (t == 2) {
        for (int i = 0; i < 8; ++i) {
            const int32_t e = 0x122A + 8 * i;
            Copy(e + 2, e + 3);
            Bits(e + 4, 0xF8);
            Bits(e + 5, 0xF8);
            Bits(e + 6, 0x80);
        }
        for (int i = 0; i < 32; ++i)
            Bits(0x1278 + 2 * i + 1, 0xC0);
        for (int i = 0; i < 24; ++i)
            Bits(0x1400 + 12 * i + 8, 0x40);
    }
}

}  // namespace

int32_t indPrepareImage::Block17Kind(int modelType)
{
    return modelType == 1 || modelType == 2 ? 9 : 12;
}

void indPrepareImage::SetDecodeWindow(datCh& record)
{
    const int32_t x = record.GetU16(0, 0);
    const int32_t y = record.GetU16(0, 2);
    record.SetU16(1, 0, UpperLimit(x));
    record.SetU16(1, 2, LowerLimit(x));
    record.SetU16(1, 4, UpperLimit(y));
    record.SetU16(1, 6, LowerLimit(y));
}

void indPrepareImage::Repair(Image image, ConstImage reference, int modelType, int purpose)
{
    if (!indMemMap::IsWhole(image) || !indMemMap::IsWhole(reference) || modelType < 0 ||
        modelType > 3)
        return;
    Repairs(image, reference, modelType, purpose).Run();
}
