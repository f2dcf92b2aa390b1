#pragma once
#include <cstdint>
#include <memory>

// A growable byte buffer with cheap removal at the front: serial send and receive queues
// and a general byte string. Sizes are signed 32-bit.
class cmcBuff {
public:
    cmcBuff();
    cmcBuff(const cmcBuff& other);
    cmcBuff& operator=(const cmcBuff& other);
    virtual ~cmcBuff();

    // Makes the size n (negative counts as 0), growing the allocation first when needed.
    // Bytes that become part of the content are set to the fill byte. Returns the size.
    int32_t Resize(int32_t n);
    int32_t Size() const { return m_size; }
    int32_t Capacity() const { return m_capacity; }
    uint8_t* Data() { return m_alloc.get() + m_offset; }
    const uint8_t* Data() const { return m_alloc.get() + m_offset; }
    // Address of byte i; an index outside the content is fatal.
    uint8_t* At(int32_t i);
    const uint8_t* At(int32_t i) const;

    void Assign(const cmcBuff& other);
    void Set(const void* bytes, int32_t length);
    void Append(const cmcBuff& other);
    void AppendBytes(const void* bytes, int32_t length);
    void AppendByte(uint8_t byte);
    void AppendFill(uint8_t value, int32_t count);

    // Removes and returns the first byte, or -1 when empty.
    int PopFront();
    // Removes the first n bytes (all of them when n is larger than the size).
    void RemoveFront(int32_t n);
    // Frees the allocation and starts again with 1 byte.
    void Clear();
    // Reallocates to exactly max(size, 1) bytes.
    void Compact();

    // Bytes of the allocation before the content (moves forward with removals).
    int32_t FrontGap() const { return m_offset; }

private:
    void Reallocate(int32_t capacity);
    void AfterFrontRemoval();

    std::unique_ptr<uint8_t[]> m_alloc;
    int32_t m_offset = 0;    // where the content starts inside the allocation
    int32_t m_size = 0;      // content bytes
    int32_t m_capacity = 0;  // bytes from the content start to the end of the allocation
    uint8_t m_fill = 0;
};
