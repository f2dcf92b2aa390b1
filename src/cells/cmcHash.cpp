#include "cells/cmcHash.h"

#include "platform/Fatal.h"

cmcHash::cmcHash(int bucketCount)
    : m_buckets(static_cast<size_t>(bucketCount > 0 ? bucketCount : kDefaultBuckets))
{
}

uint32_t cmcHash::Bucket(std::string_view key, int bucketCount)
{
    if (bucketCount <= 0)
        bucketCount = kDefaultBuckets;
    const uint32_t half = static_cast<uint32_t>(bucketCount / 2);
    uint32_t h = 0;
    uint32_t s = half;
    for (size_t i = 0; i < key.size(); ++i) {
        const int32_t c = static_cast<signed char>(key[i]);
        h = 2 * h + s + static_cast<uint32_t>(c);
        // The byte after c steers the step; after the last byte that is the terminating zero.
        const unsigned char next = i + 1 < key.size() ? static_cast<unsigned char>(key[i + 1]) : 0;
        if (next & 1) {
            s /= 2;
            if (s == 0)
                s = half;
        }
    }
    return h % static_cast<uint32_t>(bucketCount);
}

void cmcHash::Insert(std::string_view key, int32_t value)
{
    if (Lookup(key))
        plat::FatalError("Overlapped Hash table.");
    m_buckets[Bucket(key, BucketCount())].push_front(Entry{std::string(key), value});
}

const int32_t* cmcHash::Lookup(std::string_view key) const
{
    for (const Entry& e : m_buckets[Bucket(key, BucketCount())])
        if (e.key == key)
            return &e.value;
    return nullptr;
}
