// The cell definition parser on arbitrary definition lines.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "cells/cmcCellObj.h"
#include "overlay/cmcGTex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ThrowingFatalBox fatal;
    plat::Get().fatalBox = &fatal;
    // Cell models refer to the overlay; a small store of its own gives them something.
    static cmcGTex models;
    static bool ready = false;
    if (!ready) {
        static const char* const lines[] = {"#CellModel_Base", "{Color=clWindow}{Font=1}",
                                            "#CellModel_Loop", "{$Loop}",
                                            "#End_Of_Ovl",     nullptr};
        models.UseLines(lines);
        g_GTex = &models;
        ready = true;
    }
    std::string rest(reinterpret_cast<const char*>(data), size);
    cmcCellObj parent;
    cmcCounters counters{};
    try {
        for (int i = 0; i < 64 && !rest.empty(); ++i) {
            cmcCellObj cell;
            const std::string next = cell.ParseCell(rest, &parent, &counters);
            if (next.size() >= rest.size())
                break;
            rest = next;
        }
    } catch (const FuzzFatal&) {
        // a definition error: the program ends with its message
    }
    return 0;
}
