#pragma once
#include <cstdint>

// One decoded tone setting (CTCSS tone or DTCS code) of a channel or tone-pair record, in
// the layout the tone codec edits.
struct datTone {
    static constexpr uint8_t kOn = 0x01;        // a tone is set
    static constexpr uint8_t kDtcs = 0x02;      // DTCS rather than CTCSS
    static constexpr uint8_t kInverted = 0x04;  // inverted DTCS polarity

    uint8_t flags = 0;
    uint8_t spare = 0;
    uint16_t ctcss = 0;  // index into the CTCSS tone list
    uint16_t dtcs = 0;   // 9-bit code, shown as three octal digits

    bool operator==(const datTone&) const = default;

    // The two stored bytes: t0 bit 7 clear = on, bit 6 = DTCS; for DTCS bit 0 is code bit 8
    // and bit 5 the inverted polarity, t1 the code's low byte; for CTCSS t1 is the tone
    // index. Bits 4..1 of t0 are not ours: Encode keeps them from t0.
    static datTone Decode(uint8_t t0, uint8_t t1);
    void Encode(uint8_t& t0, uint8_t& t1) const;
};

inline datTone datTone::Decode(uint8_t t0, uint8_t t1)
{
    datTone t;
    if (!(t0 & 0x80))
        t.flags |= kOn;
    if (t0 & 0x40) {
        t.flags |= kDtcs;
        if (t0 & 0x20)
            t.flags |= kInverted;
        t.dtcs = static_cast<uint16_t>(((t0 & 0x01) << 8) | t1);
    } else {
        t.ctcss = t1;
    }
    return t;
}

inline void datTone::Encode(uint8_t& t0, uint8_t& t1) const
{
    uint8_t b = t0 & 0x1E;
    if (!(flags & kOn))
        b |= 0x80;
    if (flags & kDtcs) {
        b |= 0x40;
        if (flags & kInverted)
            b |= 0x20;
        b |= (dtcs >> 8) & 0x01;
        t1 = static_cast<uint8_t>(dtcs & 0xFF);
    } else {
        t1 = static_cast<uint8_t>(ctcss & 0xFF);
    }
    t0 = b;
}
