#include "model/datCh.h"

#include <cstring>

#include "model/datBcd.h"
#include "model/datChBanks.h"

namespace {

// Places outside the channel records that belong to a channel.
using indMemMap::kPrio1;
using indMemMap::kPrio2;
using indMemMap::kScanBitmap;
using indMemMap::kSpecialChannel;
using indMemMap::kSpecialOffByte;

int32_t Bit(uint8_t byte, int bit)
{
    return (byte >> bit) & 1;
}
int32_t Bits(uint8_t byte, int low, int width)
{
    return (byte >> low) & ((1 << width) - 1);
}

// Writes the low width bits of value into bits low.. of byte, leaving the others.
void Put(uint8_t& byte, int low, int width, int32_t value)
{
    uint8_t mask = static_cast<uint8_t>(((1 << width) - 1) << low);
    byte = static_cast<uint8_t>((byte & ~mask) | ((value << low) & mask));
}

uint32_t Frequency(const uint8_t* b)
{
    uint32_t f = (static_cast<uint32_t>(b[0] & 0x7F) << 24) | (b[1] << 16) | (b[2] << 8) | b[3];
    return f > datCh::kMaxFrequency ? datCh::kMaxFrequency : f;
}

void PutFrequency(uint8_t* b, uint32_t f, int32_t inhibit)
{
    if (f > datCh::kMaxFrequency)
        f = datCh::kMaxFrequency;
    b[0] = static_cast<uint8_t>(((inhibit & 1) << 7) | ((f >> 24) & 0x7F));
    b[1] = static_cast<uint8_t>(f >> 16);
    b[2] = static_cast<uint8_t>(f >> 8);
    b[3] = static_cast<uint8_t>(f);
}

}  // namespace

void datCh::Clear()
{
    static_cast<datChFields&>(*this) = datChFields{};
    flags = kInUse;
    m_loadImage = nullptr;
    m_loadAddress = -1;
}

void datCh::Load(int32_t kind, int32_t index)
{
    Clear();
    m_kind = kind;
    m_index = index;
    if (!HasImage() || !datKindHasStorage(kind, index))
        return;
    const datKindPart* parts = nullptr;
    datKindParts(kind, &parts);
    m_loadImage = m_image.data();
    m_loadAddress = parts[0].base + parts[0].stride * index;
    if (datIsChannelKind(kind))
        LoadChannel();
    else
        LoadParts();
}

void datCh::Store(int32_t kind, int32_t index)
{
    if (kind == 0)
        kind = m_kind;
    if (!HasImage() || !datKindHasStorage(kind, index))
        return;
    if (datIsChannelKind(kind))
        StoreChannel(kind, index);
    else
        StoreParts(kind, index);
}

void datCh::Save()
{
    Store(m_kind, m_index);
    Reload();
}

uint8_t datCh::KnownBits(int32_t kind, int p, int byte)
{
    if (datIsChannelKind(kind)) {
        const bool pmr = datIsPmrChannelKind(kind);
        if (p == 0) {
            switch (byte) {
                case 8:
                case 10:
                    return 0xE1;  // tone: on, DTCS, inverted, code bit 8
                case 12:
                    return 0x73;
                default:
                    return 0xFF;
            }
        }
        switch (byte) {
            case 2:
                return pmr ? 0xFF : 0xFE;
            case 6:
                return pmr ? 0xCF : 0x00;
            case 7:
            case 9:
                return pmr ? 0xFF : 0x00;
            case 8:
                return pmr ? 0xFF : 0x7F;
            case 11:
                return pmr ? 0x00 : 0xC0;
            default:
                return 0xFF;
        }
    }
    if (kind == 6 && p == 0 && byte == 13)
        return 0x00;
    if (kind == 8 && p == 0 && (byte == 0 || byte == 2))
        return 0xE1;
    return 0xFF;
}

bool datCh::IsLoadedSlot(int32_t kind, int32_t index) const
{
    const datKindPart* parts = nullptr;
    if (m_loadAddress < 0 || m_loadImage != m_image.data() || datKindParts(kind, &parts) == 0)
        return false;
    return parts[0].base + parts[0].stride * index == m_loadAddress;
}

void datCh::BaseBytes(int32_t kind, int32_t index,
                      uint8_t (&out)[kDatMaxParts][kDatMaxPartLength]) const
{
    std::memcpy(out, part, sizeof out);
    if (IsLoadedSlot(kind, index))
        return;
    const datKindPart* parts = nullptr;
    const int n = datKindParts(kind, &parts);
    for (int p = 0; p < n; ++p) {
        if (index < parts[p].fromIndex)
            continue;
        const uint8_t* target = m_image.data() + parts[p].base + parts[p].stride * index;
        for (int k = 0; k < parts[p].length; ++k) {
            const uint8_t known = KnownBits(kind, p, k);
            out[p][k] = static_cast<uint8_t>((part[p][k] & known) | (target[k] & ~known));
        }
    }
}

void datCh::TakeUndecodedFrom(indMemMap::ConstImage other)
{
    if (!indMemMap::IsWhole(other) || m_loadAddress < 0)
        return;
    const datKindPart* parts = nullptr;
    const int n = datKindParts(m_kind, &parts);
    for (int p = 0; p < n; ++p) {
        if (m_index < parts[p].fromIndex)
            continue;
        const uint8_t* source = other.data() + parts[p].base + parts[p].stride * m_index;
        for (int k = 0; k < parts[p].length; ++k) {
            const uint8_t known = KnownBits(m_kind, p, k);
            part[p][k] = static_cast<uint8_t>((part[p][k] & known) | (source[k] & ~known));
        }
    }
}

int32_t datCh::GetU16(int p, int off) const
{
    if (p < 0 || p >= kDatMaxParts || off < 0 || off + 1 >= kDatMaxPartLength)
        return 0;
    return (part[p][off] << 8) | part[p][off + 1];
}

void datCh::SetU16(int p, int off, int32_t value)
{
    if (p < 0 || p >= kDatMaxParts || off < 0 || off + 1 >= kDatMaxPartLength)
        return;
    part[p][off] = static_cast<uint8_t>((value >> 8) & 0xFF);
    part[p][off + 1] = static_cast<uint8_t>(value & 0xFF);
}

void datCh::LoadChannel()
{
    const datKindPart* parts = nullptr;
    datKindParts(m_kind, &parts);
    const int32_t i = m_index;
    uint8_t* a = part[0];
    uint8_t* b = part[1];
    std::memcpy(a, m_image.data() + parts[0].base + parts[0].stride * i, parts[0].length);
    std::memcpy(b, m_image.data() + parts[1].base + parts[1].stride * i, parts[1].length);

    // Record A
    inhibit = Bit(a[0], 7);
    freqR = Frequency(a);
    txInhibit = Bit(a[4], 7);
    freqT = Frequency(a + 4);
    SetInUse(freqR != 0);
    tone[0] = datTone::Decode(a[8], a[9]);
    tone[1] = datTone::Decode(a[10], a[11]);
    digSig = Bits(a[12], 0, 2);
    flagA12 = Bit(a[12], 4);
    narrow = Bit(a[12], 6);
    scanList = a[13];

    // Record B
    pwrSave = Bit(b[0], 7);
    moni = Bit(b[0], 6) | (Bit(b[1], 3) << 1) | (Bits(b[2], 4, 2) << 2);
    scanListSel = Bit(b[0], 5);
    tot = Bit(b[0], 4);
    lockout = Bits(b[0], 2, 2);
    rfPower = Bits(b[0], 0, 2);
    log = Bits(b[1], 4, 4);
    sqlTight = Bit(b[1], 2);
    scanInc = Bit(b[1], 1);
    chMute = Bit(b[1], 0);
    sel = Bits(b[2], 6, 2);
    call = Bit(b[2], 3);
    ptt = Bit(b[2], 2);
    if (datIsPmrChannelKind(m_kind))
        autoReset = (Bit(b[2], 0) << 1) | Bit(b[2], 1);
    else
        autoReset = Bit(b[2], 1);
    sigTypeLog = (Bit(b[4], 5) << 1) | Bit(b[3], 7);
    scrambler = Bits(b[3], 5, 2);
    compander = Bit(b[3], 4);
    mskSig = Bit(b[3], 3);
    mskRpt = Bit(b[3], 2);
    mskSendStatus = Bit(b[3], 1);
    autoChScan = Bit(b[3], 0);
    sigTypeEmg = (Bit(b[4], 7) << 1) | Bit(b[4], 6);
    decodeSig = Bit(b[4], 4);
    mdcSystem = Bits(b[4], 0, 4);
    scrmCode = b[5];
    if (datIsPmrChannelKind(m_kind)) {
        format = Bits(b[6], 0, 4);
        position = Bits(b[6], 6, 2);
        rptCode = Bits(b[7], 0, 7);
        rptL = Bit(b[7], 7);
        stnCode = Bits(b[8], 0, 7);
        stnL = Bit(b[8], 7);
        idCode = Bits(b[9], 0, 7);
        idL = Bit(b[9], 7);
        rxCNo = b[10];
    } else {
        // These radios have no station code: show the fixed defaults.
        format = 0;
        stnCode = 1;
        stnL = 1;
        twoTone = Bits(b[8], 0, 7);
        rxCNo2 = ((b[10] << 8) | b[11]) >> 6;
    }

    // Attributes and scan flag
    indMemMap::ConstImage img = m_image;
    attr = 0;
    if (img[kPrio1] == i)
        attr |= kAtrPrio1;
    if (img[kPrio2] == i)
        attr |= kAtrPrio2;
    bool specialOff = !(img[kSpecialOffByte] & 0x40);
    if (specialOff)
        attr |= kAtrSpecialOff;
    if (img[kSpecialChannel] == i && !specialOff)
        attr |= kAtrSpecial;
    if (datBankFlag(img, datBankOfChannel(img, i)))
        attr |= kAtrBank;
    scan = (img[kScanBitmap + i / 8] & (0x80 >> (i % 8))) ? 1 : 0;
}

void datCh::StoreChannel(int32_t kind, int32_t i)
{
    const datKindPart* parts = nullptr;
    datKindParts(kind, &parts);
    uint8_t base[kDatMaxParts][kDatMaxPartLength];
    BaseBytes(kind, i, base);
    uint8_t* a = base[0];
    uint8_t* b = base[1];

    uint32_t fr = freqR;
    uint32_t ft = freqT;
    if (!InUse())
        fr = ft = 0;

    // Attributes and scan flag
    indMemMap::Image img = m_image;
    if (attr & kAtrPrio1)
        img[kPrio1] = static_cast<uint8_t>(i);
    if (attr & kAtrPrio2)
        img[kPrio2] = static_cast<uint8_t>(i);
    Put(img[kSpecialOffByte], 6, 1, (attr & kAtrSpecialOff) ? 0 : 1);
    if (attr & kAtrSpecial)
        img[kSpecialChannel] = static_cast<uint8_t>(i);
    int32_t bank = datBankOfChannel(img, i);
    if (bank < kDatBanks)
        datSetBankFlag(img, bank, (attr & kAtrBank) != 0);
    Put(img[kScanBitmap + i / 8], 7 - i % 8, 1, scan);

    // Record A
    PutFrequency(a, fr, inhibit);
    PutFrequency(a + 4, ft, txInhibit);
    tone[0].Encode(a[8], a[9]);
    tone[1].Encode(a[10], a[11]);
    Put(a[12], 0, 2, digSig);
    Put(a[12], 4, 1, flagA12);
    Put(a[12], 5, 1, 0);
    Put(a[12], 6, 1, narrow);
    a[13] = static_cast<uint8_t>(scanList);

    // Record B
    Put(b[0], 7, 1, pwrSave);
    Put(b[0], 6, 1, moni);
    Put(b[1], 3, 1, moni >> 1);
    Put(b[2], 4, 2, moni >> 2);
    Put(b[0], 5, 1, scanListSel);
    Put(b[0], 4, 1, tot);
    Put(b[0], 2, 2, lockout);
    Put(b[0], 0, 2, rfPower);
    Put(b[1], 4, 4, log);
    Put(b[1], 2, 1, sqlTight);
    Put(b[1], 1, 1, scanInc);
    Put(b[1], 0, 1, chMute);
    Put(b[2], 6, 2, sel);
    Put(b[2], 3, 1, call);
    Put(b[2], 2, 1, ptt);
    if (datIsPmrChannelKind(kind)) {
        Put(b[2], 0, 1, autoReset >> 1);
        Put(b[2], 1, 1, autoReset);
    } else {
        Put(b[2], 1, 1, autoReset);
    }
    Put(b[3], 7, 1, sigTypeLog);
    Put(b[4], 5, 1, sigTypeLog >> 1);
    Put(b[3], 5, 2, scrambler);
    Put(b[3], 4, 1, compander);
    Put(b[3], 3, 1, mskSig);
    Put(b[3], 2, 1, mskRpt);
    Put(b[3], 1, 1, mskSendStatus);
    Put(b[3], 0, 1, autoChScan);
    Put(b[4], 7, 1, sigTypeEmg >> 1);
    Put(b[4], 6, 1, sigTypeEmg);
    Put(b[4], 4, 1, decodeSig);
    Put(b[4], 0, 4, mdcSystem);
    b[5] = static_cast<uint8_t>(scrmCode);
    if (datIsPmrChannelKind(kind)) {
        Put(b[6], 0, 4, format);
        Put(b[6], 6, 2, position);
        Put(b[7], 0, 7, rptCode);
        Put(b[7], 7, 1, rptL);
        Put(b[8], 0, 7, stnCode);
        Put(b[8], 7, 1, stnL);
        Put(b[9], 0, 7, idCode);
        Put(b[9], 7, 1, idL);
        b[10] = static_cast<uint8_t>(rxCNo);
    } else {
        // Byte 8 holds only the 2-tone number here; the fixed station-code defaults are
        // not written over it, and the bytes of the other code fields are kept.
        Put(b[8], 0, 7, twoTone);
        int32_t w = (((b[10] << 8) | b[11]) & 0x3F) | ((rxCNo2 & 0x3FF) << 6);
        b[10] = static_cast<uint8_t>(w >> 8);
        b[11] = static_cast<uint8_t>(w);
    }

    std::memcpy(img.data() + parts[0].base + parts[0].stride * i, a, parts[0].length);
    std::memcpy(img.data() + parts[1].base + parts[1].stride * i, b, parts[1].length);
}

void datCh::LoadParts()
{
    const datKindPart* parts = nullptr;
    int n = datKindParts(m_kind, &parts);
    for (int p = 0; p < n; ++p) {
        if (m_index < parts[p].fromIndex)
            continue;
        std::memcpy(part[p], m_image.data() + parts[p].base + parts[p].stride * m_index,
                    parts[p].length);
    }
    const uint8_t* r = part[0];
    switch (datKindOf(m_kind)) {
        case datKind::UserChar:
            pattern = (r[0] << 8) | r[1];
            break;
        case datKind::TonePair:
            tone[0] = datTone::Decode(r[0], r[1]);
            tone[1] = datTone::Decode(r[2], r[3]);
            break;
        case datKind::CallList:
            callAddress = datBcdDecode(r);
            break;
        default:
            break;
    }
}

void datCh::StoreParts(int32_t kind, int32_t index)
{
    uint8_t r[kDatMaxParts][kDatMaxPartLength];
    BaseBytes(kind, index, r);
    switch (datKindOf(kind)) {
        case datKind::UserChar:
            r[0][0] = static_cast<uint8_t>((pattern >> 8) & 0xFF);
            r[0][1] = static_cast<uint8_t>(pattern & 0xFF);
            break;
        case datKind::TonePair:
            tone[0].Encode(r[0][0], r[0][1]);
            tone[1].Encode(r[0][2], r[0][3]);
            break;
        case datKind::CallList:
            // An address that is not four digits was loaded from bytes that are not BCD:
            // those bytes stay as they are.
            if (callAddress >= 0 && callAddress <= 9999)
                datBcdEncode(callAddress, r[0], 2);
            break;
        default:
            break;
    }
    const datKindPart* parts = nullptr;
    int n = datKindParts(kind, &parts);
    for (int p = 0; p < n; ++p) {
        if (index < parts[p].fromIndex)
            continue;
        std::memcpy(m_image.data() + parts[p].base + parts[p].stride * index, r[p],
                    parts[p].length);
    }
}
