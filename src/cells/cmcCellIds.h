#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "cells/cmcCellIdList.h"

// Cell categories and identifiers. A cell definition names them; the number of a name is its
// place in the fixed lists of cmcCellIdList.h, which the cell rules and sheets act on. The lists
// are kept in their published order, names exactly as the overlays write them (odd spellings
// included), so every enumerator is also the name an overlay uses.

#define QV_CELL_ENUMERATOR(name, number) name = number,
enum CellCategory : int32_t { QV_CELL_CATEGORIES(QV_CELL_ENUMERATOR) };

// Number of categories; as a category number it means "no category".
constexpr int32_t kCategoryCount = 24;
constexpr int32_t kNoCategory = kCategoryCount;

enum CellId : int32_t { QV_CELL_IDS(QV_CELL_ENUMERATOR) };
#undef QV_CELL_ENUMERATOR

// Number of identifiers; as an identifier number it means "no identifier".
constexpr int32_t kIdCount = 1228;
constexpr int32_t kNoId = kIdCount;

static_assert(CT_ADJ == kCategoryCount - 1);
static_assert(CL_Menu_Clone_Safety == kIdCount - 1);

// Name to number. An empty name means none (kNoCategory / kNoId); a name that is not in the
// list is an error of the overlay and ends the program.
int32_t LookupCategory(std::string_view name);
int32_t LookupId(std::string_view name);

// Number to name; an empty string outside the list.
std::string CategoryName(int32_t category);
std::string IdName(int32_t id);
