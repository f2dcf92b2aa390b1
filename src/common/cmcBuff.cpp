#include "common/cmcBuff.h"

#include <cstring>
#include <vector>

#include "platform/Fatal.h"

namespace {
// Front removals compact the buffer once the content has moved this far into it.
constexpr int32_t kCompactAfter = 4096;
}  // namespace

cmcBuff::cmcBuff()
{
    Clear();
}

cmcBuff::cmcBuff(const cmcBuff& other) : cmcBuff()
{
    Assign(other);
}

cmcBuff& cmcBuff::operator=(const cmcBuff& other)
{
    Assign(other);
    return *this;
}

cmcBuff::~cmcBuff() = default;

void cmcBuff::Reallocate(int32_t capacity)
{
    std::unique_ptr<uint8_t[]> block(new uint8_t[static_cast<size_t>(capacity)]);
    std::memcpy(block.get(), Data(), static_cast<size_t>(m_size));
    std::memset(block.get() + m_size, m_fill, static_cast<size_t>(capacity - m_size));
    m_alloc = std::move(block);
    m_offset = 0;
    m_capacity = capacity;
}

int32_t cmcBuff::Resize(int32_t n)
{
    if (n < 0)
        n = 0;
    if (m_capacity < n) {
        const int64_t grown = static_cast<int64_t>(n) + m_size / 4;
        if (grown > INT32_MAX)
            plat::FatalError("cmcBuff overflow !");
        Reallocate(static_cast<int32_t>(grown < 1 ? 1 : grown));
    } else if (n > m_size) {
        // Space re-used after a shrink must not show old content.
        std::memset(Data() + m_size, m_fill, static_cast<size_t>(n - m_size));
    }
    m_size = n;
    return n;
}

uint8_t* cmcBuff::At(int32_t i)
{
    if (i < 0 || i >= m_size)
        plat::FatalError("Out of cmcBuff element !");
    return Data() + i;
}

const uint8_t* cmcBuff::At(int32_t i) const
{
    if (i < 0 || i >= m_size)
        plat::FatalError("Out of cmcBuff element !");
    return Data() + i;
}

void cmcBuff::Assign(const cmcBuff& other)
{
    if (&other != this)
        Set(other.Data(), other.Size());
}

void cmcBuff::Set(const void* bytes, int32_t length)
{
    if (!bytes || length <= 0) {
        Resize(0);
        return;
    }
    // The source may lie inside this buffer.
    std::vector<uint8_t> copy(static_cast<const uint8_t*>(bytes),
                              static_cast<const uint8_t*>(bytes) + length);
    Resize(0);
    AppendBytes(copy.data(), length);
}

void cmcBuff::Append(const cmcBuff& other)
{
    AppendBytes(other.Data(), other.Size());
}

void cmcBuff::AppendBytes(const void* bytes, int32_t length)
{
    if (!bytes || length <= 0)
        return;
    const auto* src = static_cast<const uint8_t*>(bytes);
    const auto at = reinterpret_cast<uintptr_t>(src);
    const auto begin = reinterpret_cast<uintptr_t>(m_alloc.get());
    const auto end = begin + static_cast<uintptr_t>(m_offset + m_capacity);
    std::vector<uint8_t> copy;
    if (at >= begin && at < end) {  // growing would free the source
        copy.assign(src, src + length);
        src = copy.data();
    }
    const int32_t old = m_size;
    if (static_cast<int64_t>(old) + length > INT32_MAX)
        plat::FatalError("cmcBuff overflow !");
    Resize(old + length);
    std::memcpy(Data() + old, src, static_cast<size_t>(length));
}

void cmcBuff::AppendByte(uint8_t byte)
{
    AppendBytes(&byte, 1);
}

void cmcBuff::AppendFill(uint8_t value, int32_t count)
{
    if (count <= 0)
        return;
    const int32_t old = m_size;
    if (static_cast<int64_t>(old) + count > INT32_MAX)
        plat::FatalError("cmcBuff overflow !");
    Resize(old + count);
    std::memset(Data() + old, value, static_cast<size_t>(count));
}

int cmcBuff::PopFront()
{
    if (m_size <= 0)
        return -1;
    const int byte = *Data();
    ++m_offset;
    --m_capacity;
    --m_size;
    AfterFrontRemoval();
    return byte;
}

void cmcBuff::RemoveFront(int32_t n)
{
    if (n <= 0)
        return;
    if (n > m_size)
        n = m_size;
    m_offset += n;
    m_capacity -= n;
    m_size -= n;
    AfterFrontRemoval();
}

void cmcBuff::AfterFrontRemoval()
{
    if (m_offset > kCompactAfter)
        Compact();
}

void cmcBuff::Clear()
{
    m_alloc.reset(new uint8_t[1]);
    m_alloc[0] = m_fill;
    m_offset = 0;
    m_size = 0;
    m_capacity = 1;
}

void cmcBuff::Compact()
{
    Reallocate(m_size > 1 ? m_size : 1);
}
