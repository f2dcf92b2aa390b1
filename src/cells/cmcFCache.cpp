#include "cells/cmcFCache.h"

#include <algorithm>

#include "cells/cmcCellObj.h"
#include "overlay/cmcGTex.h"
#include "platform/Fatal.h"
#include "platform/TextUtil.h"

cmcFCache* g_FCache = nullptr;

namespace {
const std::string kError = "error";
}

cmcFCache::cmcFCache(cmcGTex* texts) : m_texts(texts) {}

cmcFCache::~cmcFCache()
{
    // Free the chain one record at a time rather than by recursion through the links.
    std::unique_ptr<cmcFCacheList> p = std::move(m_head.next);
    while (p)
        p = std::move(p->next);
}

std::string cmcFCache::ListKey(const std::string& listName, int32_t id)
{
    return txt::Format("%s#%d", listName.c_str(), static_cast<int>(id));
}

const cmcFCacheList* cmcFCache::Find(const std::string& listName, int32_t id) const
{
    return m_table.Lookup(ListKey(listName, id));
}

const cmcFCacheList& cmcFCache::List(const std::string& listName, int32_t id)
{
    const std::string key = ListKey(listName, id);
    cmcFCacheList* list = m_table.Lookup(key);
    return list ? *list : *Load(key, listName, id);
}

const std::string& cmcFCache::NameOf(const std::string& listName, int32_t id, int32_t value)
{
    const cmcFCacheList& list = List(listName, id);
    int lo = 0;
    int hi = list.choiceCount - 1;
    while (hi >= lo && value >= list.byValue[lo].value && value <= list.byValue[hi].value) {
        const int m = (lo + hi) / 2;
        const cmcFChoice& c = list.byValue[m];
        if (value == c.value)
            return *c.name;
        if (value > c.value)
            lo = m + 1;
        else
            hi = m - 1;
    }
    return kError;
}

bool cmcFCache::Step(const std::string& listName, int32_t id, int32_t value, int delta,
                     int32_t* newValue) const
{
    const cmcFCacheList* list = Find(listName, id);
    if (!list || list->choiceCount == 0)
        return false;
    const int64_t count = list->choiceCount;
    int64_t p = count + 1;
    for (int64_t k = 0; k < count; ++k) {
        if (list->byPosition[k].value == value) {
            p = k;
            break;
        }
    }
    int64_t q = p + delta;
    if (q >= count)
        q = 0;
    else if (q < 0)
        q = count - 1;
    if (newValue)
        *newValue = list->byPosition[q].value;
    return true;
}

cmcFCacheList* cmcFCache::Load(const std::string& key, const std::string& listName, int32_t id)
{
    cmcGTex* texts = m_texts ? m_texts : g_GTex;
    if (!texts)
        plat::FatalError("Choice lists need the overlay text store.");

    auto owned = std::make_unique<cmcFCacheList>();
    cmcFCacheList* list = owned.get();
    owned->next = std::move(m_head.next);
    m_head.next = std::move(owned);
    m_table.Insert(key, list);

    // The entry's lines up to its terminating "#" line, each trimmed.
    const std::string entry = listName + "_Cells";
    std::vector<std::string> lines;
    for (int n = 0;; ++n) {
        std::string line = txt::Trim(texts->GetLine(entry, n));
        if (!line.empty() && line[0] == '#')
            break;
        lines.push_back(std::move(line));
    }
    list->lineCount = static_cast<int32_t>(lines.size());

    // One reused cell without a parent and one set of counters for the whole list, so a
    // cell that names no category continues the one before it, as in a sheet.
    cmcCellObj cell;
    cmcCounters counters{};
    struct Found {
        int32_t line, column, value;
        std::string name;
    };
    std::vector<Found> found;
    for (size_t ln = 0; ln < lines.size(); ++ln) {
        std::string rest = lines[ln];
        int32_t column = 0;
        while (!rest.empty()) {
            rest = cell.ParseCell(rest, nullptr, &counters);
            if (cell.id == id)
                found.push_back(Found{static_cast<int32_t>(ln), column, cell.index,
                                      cell.altText ? *cell.altText : cell.Text()});
            ++column;
        }
        list->maxColumns = std::max(list->maxColumns, column);
    }

    list->choiceCount = static_cast<int32_t>(found.size());
    list->names.reserve(found.size());
    list->byValue.reserve(found.size());
    for (Found& f : found) {
        list->names.push_back(std::move(f.name));
        list->byValue.push_back(cmcFChoice{f.line, f.column, f.value, nullptr});
    }
    for (size_t k = 0; k < found.size(); ++k)
        list->byValue[k].name = &list->names[k];
    list->byPosition = list->byValue;

    std::stable_sort(list->byValue.begin(), list->byValue.end(),
                     [](const cmcFChoice& a, const cmcFChoice& b) { return a.value < b.value; });
    const int64_t lineCount = list->lineCount;
    auto place = [lineCount](const cmcFChoice& c) { return c.line + lineCount * c.column; };
    std::stable_sort(list->byPosition.begin(), list->byPosition.end(),
                     [&](const cmcFChoice& a, const cmcFChoice& b) { return place(a) < place(b); });
    return list;
}
