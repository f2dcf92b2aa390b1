#include "model/datClipCh.h"

#include "common/cmcEeprom.h"

void datClipCh::StoreOne(cmcEeprom& image, int32_t kind, int32_t index, datCh& record)
{
    m_scratch.SetImage(image);
    m_scratch.Load(kind, index);
    constexpr int32_t kAll = datCh::kAtrPrio1 | datCh::kAtrPrio2 | datCh::kAtrSpecial |
                             datCh::kAtrSpecialOff | datCh::kAtrBank;
    const int32_t take = m_keepAttributes ? kAll : (datCh::kAtrSpecialOff | datCh::kAtrBank);
    // The held record stays as it was copied, so a later paste starts from it again.
    datCh stored = record;
    stored.attr = (record.attr & ~take) | (m_scratch.attr & take);
    cmcClipCh::StoreOne(image, kind, index, stored);
}

void datClipCh::PasteKeep(cmcEeprom& image, int32_t kind, int32_t first, int32_t count)
{
    m_keepAttributes = true;
    PasteTo(image, kind, first, count);
    m_keepAttributes = false;
}
