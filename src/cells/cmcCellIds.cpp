#include "cells/cmcCellIds.h"

#include <iterator>

#include "cells/cmcHash.h"
#include "platform/Fatal.h"
#include "platform/TextUtil.h"

namespace {

#define QV_CELL_NAME(name, number) #name,
const char* const kCategoryNames[kCategoryCount] = {QV_CELL_CATEGORIES(QV_CELL_NAME)};

const char* const kIdNames[kIdCount] = {QV_CELL_IDS(QV_CELL_NAME)};
#undef QV_CELL_NAME

// Every number is its entry's place in the list, so the name tables index by number.
#define QV_CELL_NUMBER(name, number) number,
constexpr int32_t kCategoryNumbers[] = {QV_CELL_CATEGORIES(QV_CELL_NUMBER)};
constexpr int32_t kIdNumbers[] = {QV_CELL_IDS(QV_CELL_NUMBER)};
#undef QV_CELL_NUMBER

template <size_t N>
constexpr bool Sequential(const int32_t (&numbers)[N])
{
    for (size_t i = 0; i < N; ++i) {
        if (numbers[i] != static_cast<int32_t>(i))
            return false;
    }
    return true;
}
static_assert(Sequential(kCategoryNumbers) && std::size(kCategoryNumbers) == kCategoryCount);
static_assert(Sequential(kIdNumbers) && std::size(kIdNumbers) == kIdCount);

// Both kinds of name share one table; each half is filled the first time it is needed.
struct NameTable {
    cmcHash hash{1031};
    bool categories = false;
    bool ids = false;
};

NameTable& Names()
{
    static NameTable table;
    return table;
}

}  // namespace

int32_t LookupCategory(std::string_view name)
{
    if (name.empty())
        return kNoCategory;
    NameTable& t = Names();
    if (!t.categories) {
        t.categories = true;
        for (int32_t i = 0; i < kCategoryCount; ++i)
            t.hash.Insert(kCategoryNames[i], i);
    }
    const int32_t* v = t.hash.Lookup(name);
    // The table is shared with the identifiers, so an identifier name is no category.
    if (!v || *v >= kCategoryCount || name != kCategoryNames[*v])
        plat::FatalError(
            txt::Format("Cannot use the specified category.\n'%s'", std::string(name).c_str()));
    return *v;
}

int32_t LookupId(std::string_view name)
{
    if (name.empty())
        return kNoId;
    NameTable& t = Names();
    if (!t.ids) {
        t.ids = true;
        for (int32_t i = 0; i < kIdCount; ++i)
            t.hash.Insert(kIdNames[i], i);
    }
    const int32_t* v = t.hash.Lookup(name);
    if (!v || name != kIdNames[*v])
        plat::FatalError(
            txt::Format("Cannot use the specified cell.\n'%s'", std::string(name).c_str()));
    return *v;
}

std::string CategoryName(int32_t category)
{
    if (category < 0 || category >= kCategoryCount)
        return {};
    return kCategoryNames[category];
}

std::string IdName(int32_t id)
{
    if (id < 0 || id >= kIdCount)
        return {};
    return kIdNames[id];
}
