#pragma once
#include <cstddef>
#include <cstdint>

// In-memory copy of the radio's EEPROM: a flat, resizable byte array addressed from 0.
// The class knows nothing about what the bytes mean.
class cmcEeprom {
public:
    cmcEeprom() = default;
    ~cmcEeprom();
    cmcEeprom(const cmcEeprom&) = delete;
    cmcEeprom& operator=(const cmcEeprom&) = delete;

    // Reallocates when the size changes, then clears every byte to 0 (also when the size
    // stays the same). A size of 0 or less leaves an empty image.
    void SetSize(int32_t newSize);
    int32_t GetSize() const { return size_; }
    uint8_t* Data() { return data_; }
    const uint8_t* Data() const { return data_; }

    // A contiguous range of bytes, so that an image converts to a std::span of them.
    uint8_t* data() { return data_; }
    const uint8_t* data() const { return data_; }
    size_t size() const { return static_cast<size_t>(size_); }
    uint8_t* begin() { return data_; }
    uint8_t* end() { return data_ + size_; }
    const uint8_t* begin() const { return data_; }
    const uint8_t* end() const { return data_ + size_; }

    bool IsAddress(int32_t address) const { return address >= 0 && address < size_; }
    void Fill(uint8_t value);

    // Out-of-range addresses are definition errors and end the program.
    void SetByte(int32_t address, uint8_t value);
    uint8_t GetByte(int32_t address) const;

    // Copy length bytes in or out. Silently does nothing unless the whole block
    // [start, start+length) lies inside the image and length > 0. Overlap is allowed.
    void SetBlock(int32_t start, const uint8_t* source, int32_t length);
    void GetBlock(int32_t start, uint8_t* destination, int32_t length) const;

    // Makes this image an exact, independent copy of the other. Assigning an image to
    // itself changes nothing.
    cmcEeprom& Assign(const cmcEeprom& other);
    bool Equals(const cmcEeprom& other) const;
    bool Differs(const cmcEeprom& other) const { return !Equals(other); }

private:
    // True when [start, start+length) is a non-empty block inside the image; written so
    // that a huge length cannot overflow.
    bool IsBlock(int32_t start, int32_t length) const;

    int32_t size_ = 0;
    uint8_t* data_ = nullptr;
};
