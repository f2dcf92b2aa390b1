#include "model/cmcClipCh.h"

#include "common/cmcEeprom.h"

void cmcClipCh::Reset()
{
    m_records.clear();
    m_kind = 0;
    m_first = 0;
    m_count = 0;
}

void cmcClipCh::CopyFrom(cmcEeprom& image, int32_t kind, int32_t first, int32_t count)
{
    Reset();
    if (count <= 0)
        return;
    m_records.resize(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
        LoadOne(image, kind, first + i, m_records[static_cast<size_t>(i)]);
    m_kind = kind;
    m_first = first;
    m_count = count;
}

void cmcClipCh::LoadOne(cmcEeprom& image, int32_t kind, int32_t index, datCh& record)
{
    record.SetImage(image);
    record.Load(kind, index);
}

bool cmcClipCh::Accepts(int32_t kind) const
{
    return m_kind != 0 && m_kind == kind;
}

void cmcClipCh::PasteTo(cmcEeprom& image, int32_t kind, int32_t first, int32_t count)
{
    if (!Accepts(kind))
        return;
    for (int32_t i = 0; i < m_count && i < count; ++i)
        StoreOne(image, kind, first + i, m_records[static_cast<size_t>(i)]);
}

void cmcClipCh::StoreOne(cmcEeprom& image, int32_t kind, int32_t index, datCh& record)
{
    record.SetImage(image);
    record.Store(kind, index);
}
