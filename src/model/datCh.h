#pragma once
#include <cstdint>

#include "model/datChFields.h"
#include "model/indMemMap.h"

// Decoder and encoder of one repeated record of the working area, addressed by record kind
// (1 to 20) and index. Kinds 1 to 4 are the memory channels of the four model types.
//
// A record carries what its decoder knows. Every record keeps the raw bytes of its stored
// parts (`part`) and remembers the slot it was loaded from. Stored back into that slot it
// writes its fields over those bytes, so a load followed by a store changes nothing; stored
// into another slot (another index, or another image) the bits its decoder does not know
// stay as the target slot held them (see KnownBits). The only rewrites in place are values
// a channel cannot hold: frequencies above the limit, a transmit frequency on a channel not
// in use, DTCS bits under a CTCSS tone, and bit 5 of record A byte 12. For kinds without
// named fields the raw bytes are the fields (the cell rules give them their meaning), so
// every bit of them is known and travels with the record.
class datCh : public datChFields {
public:
    // flags
    static constexpr int32_t kInUse = 0x01;
    // status bits kept by the frequency codec while a channel is being brought into use
    static constexpr int32_t kStatusUnconfirmedR = 0x01;
    static constexpr int32_t kStatusUnconfirmedT = 0x02;
    // attribute bits of a memory channel (the attribute cell's flag letters)
    static constexpr int32_t kAtrPrio1 = 0x01;
    static constexpr int32_t kAtrPrio2 = 0x02;
    static constexpr int32_t kAtrSpecial = 0x04;
    static constexpr int32_t kAtrSpecialOff = 0x08;
    static constexpr int32_t kAtrBank = 0x10;

    static constexpr uint32_t kMaxFrequency = 799999950;

    datCh() { Clear(); }
    // An image shorter than indMemMap::kImageSize is treated as having no storage.
    explicit datCh(indMemMap::Image image) : m_image(image) { Clear(); }

    void SetImage(indMemMap::Image image) { m_image = image; }
    indMemMap::Image Image() const { return m_image; }
    int32_t Kind() const { return m_kind; }
    int32_t Index() const { return m_index; }

    // Every field 0, the in-use flag 1. Image, kind and index are kept.
    void Clear();
    // Clears, remembers kind and index, and decodes the record. A kind or index without
    // storage (memory channels exist only at 0 to 15) leaves the cleared fields.
    void Load(int32_t kind, int32_t index);
    // Encodes the fields into the record; kind 0 means the remembered kind. A kind or index
    // without storage writes nothing at all.
    void Store(int32_t kind, int32_t index);
    void Reload() { Load(m_kind, m_index); }
    // Store then Reload, so values the encoding cannot hold are normalised at once.
    void Save();

    bool InUse() const { return (flags & kInUse) != 0; }
    void SetInUse(bool on) { flags = on ? (flags | kInUse) : (flags & ~kInUse); }

    // Takes the bits the decoder does not know from the same slot of another image (the
    // reference image, when an image is prepared); a later Save into the loaded slot writes
    // them there while the decoded fields keep their values.
    void TakeUndecodedFrom(indMemMap::ConstImage other);
    // The bits of byte `byte` of part p that the decoder of the kind knows.
    static uint8_t KnownBits(int32_t kind, int p, int byte);

    // Raw 16-bit big-endian value at offset off of part p (0 when outside the part).
    int32_t GetU16(int p, int off) const;
    void SetU16(int p, int off, int32_t value);

private:
    void LoadChannel();
    void StoreChannel(int32_t kind, int32_t index);
    void LoadParts();
    void StoreParts(int32_t kind, int32_t index);
    // The bytes a store into (kind, index) starts from: the carried ones in the loaded slot,
    // elsewhere the target's bytes with the known bits taken from the carried ones.
    void BaseBytes(int32_t kind, int32_t index,
                   uint8_t (&out)[kDatMaxParts][kDatMaxPartLength]) const;
    bool IsLoadedSlot(int32_t kind, int32_t index) const;

    int32_t m_kind = 0;
    int32_t m_index = 0;
    bool HasImage() const { return indMemMap::IsWhole(m_image); }

    indMemMap::Image m_image;
    // Where the carried bytes came from: the image and the address of part 0 (none: -1).
    const uint8_t* m_loadImage = nullptr;
    int32_t m_loadAddress = -1;
};
