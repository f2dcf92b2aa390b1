#pragma once
#include <forward_list>
#include <string>
#include <string_view>
#include <vector>

struct cmcFCacheList;

// The definition cache's table: the same chained table and hash as cmcHash, whose entries
// point to a cached list. A second insertion of the same key ends the program.
class cmcHash2 {
public:
    // A bucket count of 0 means the default of 1031.
    explicit cmcHash2(int bucketCount = 0);

    void Insert(std::string_view key, cmcFCacheList* list);
    cmcFCacheList* Lookup(std::string_view key) const;

    int BucketCount() const { return static_cast<int>(m_buckets.size()); }

private:
    struct Entry {
        std::string key;
        cmcFCacheList* list;
    };
    const Entry* FindEntry(std::string_view key) const;

    std::vector<std::forward_list<Entry>> m_buckets;
};
