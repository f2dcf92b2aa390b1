#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/datCh.h"

class cmcEeprom;

// A run of records taken from one image and put back into the same or another one: the
// row clipboard of copy and paste, and the temporary store of the row commands that move
// records. It holds the decoded records, their kind, the first index they came from and
// their count.
class cmcClipCh {
public:
    cmcClipCh() = default;
    virtual ~cmcClipCh() { Reset(); }
    cmcClipCh(const cmcClipCh&) = delete;
    cmcClipCh& operator=(const cmcClipCh&) = delete;

    // Frees the records; kind, first index and count become 0.
    virtual void Reset();
    // Reset, then loads count records from first on.
    virtual void CopyFrom(cmcEeprom& image, int32_t kind, int32_t first, int32_t count);
    virtual void LoadOne(cmcEeprom& image, int32_t kind, int32_t index, datCh& record);
    // True when records are held and they are of this kind.
    virtual bool Accepts(int32_t kind) const;
    // Stores the held records from first on, at most count of them; nothing when the kind
    // is not the held one.
    virtual void PasteTo(cmcEeprom& image, int32_t kind, int32_t first, int32_t count);
    virtual void StoreOne(cmcEeprom& image, int32_t kind, int32_t index, datCh& record);

    int32_t Kind() const { return m_kind; }
    int32_t First() const { return m_first; }
    int32_t Count() const { return m_count; }
    const datCh& Record(int32_t i) const { return m_records[static_cast<size_t>(i)]; }

protected:
    std::vector<datCh> m_records;
    int32_t m_kind = 0;
    int32_t m_first = 0;
    int32_t m_count = 0;
};
