#pragma once
#include <string>

// A sheet reference as tree nodes and "CallSheet" cells carry it: an optional kind in
// square brackets, the sheet's entry name, and an optional parameter after the first comma,
// as in "[St_ChBank]GI_Sheet_Mch_Lmr,Bank 1".
struct SheetReference {
    std::string kind;
    std::string entry;
    std::string parameter;
    bool hasParameter = false;

    static SheetReference Split(const std::string& reference);
};
