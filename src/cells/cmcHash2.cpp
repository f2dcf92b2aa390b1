#include "cells/cmcHash2.h"

#include "cells/cmcHash.h"
#include "platform/Fatal.h"

cmcHash2::cmcHash2(int bucketCount)
    : m_buckets(static_cast<size_t>(bucketCount > 0 ? bucketCount : cmcHash::kDefaultBuckets))
{
}

const cmcHash2::Entry* cmcHash2::FindEntry(std::string_view key) const
{
    for (const Entry& e : m_buckets[cmcHash::Bucket(key, BucketCount())])
        if (e.key == key)
            return &e;
    return nullptr;
}

void cmcHash2::Insert(std::string_view key, cmcFCacheList* list)
{
    if (FindEntry(key))
        plat::FatalError("Overlapped Hash2 table.");
    m_buckets[cmcHash::Bucket(key, BucketCount())].push_front(Entry{std::string(key), list});
}

cmcFCacheList* cmcHash2::Lookup(std::string_view key) const
{
    const Entry* e = FindEntry(key);
    return e ? e->list : nullptr;
}
