#pragma once
#include <cstdint>
#include <forward_list>
#include <string>
#include <string_view>
#include <vector>

// String table of chained buckets for the fixed name lists (categories, identifiers,
// colours). Each entry keeps its own copy of the key. Names are inserted once; a second
// insertion of the same name is an internal error and ends the program.
class cmcHash {
public:
    // A bucket count of 0 means the default of 1031.
    explicit cmcHash(int bucketCount = 0);

    void Insert(std::string_view key, int32_t value);
    // The value of the first matching entry (exact, case-sensitive), or null.
    const int32_t* Lookup(std::string_view key) const;

    int BucketCount() const { return static_cast<int>(m_buckets.size()); }

    // Bucket of a key; shared with the definition cache's table so both spread names alike.
    static uint32_t Bucket(std::string_view key, int bucketCount);
    static constexpr int kDefaultBuckets = 1031;

private:
    struct Entry {
        std::string key;
        int32_t value;
    };
    std::vector<std::forward_list<Entry>> m_buckets;
};
