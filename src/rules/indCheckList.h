#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "rules/indCompare.h"

class cmcGTex;
class indActiveCell;

// The checks a clone write runs before the port opens: the check cells of the warning check
// list and one per bank, and for each that finds something the cells of its sheet that
// carry the mark, so that the dealer is told where to look, not only which sheet.
class indCheckList {
public:
    // A check cell definition ("{(%CL_Check_Common:[St_Common]GI_Sheet_Common)}") and the
    // bank it looks at (-1: none).
    struct Check {
        std::string definition;
        int bank = -1;
    };
    // Where a check found something: sheet title, row and column caption and the value as
    // the sheet shows them; entry holds the check's sheet reference and category, id and
    // index the cell's (0 when only the sheet is known).
    struct Finding {
        bool error = false;
        indCompare::Difference where;
    };

    // The checks of "GI_WarningCheckList" and the channel check of each bank of the model
    // type ("Lmr", "Pmr", ...), in the order the main window counts them.
    static std::vector<Check> Checks(cmcGTex& texts, const std::string& modelTypeName);
    // Runs the checks on the working image of the rules' host: errors first, then warnings.
    static std::vector<Finding> Run(indActiveCell& rules, cmcGTex& texts,
                                    const std::vector<Check>& checks);
    // The cells of a check's sheet whose marks include flag; the sheet alone when no cell
    // shows it (the check looks at something the sheet does not lay out cell by cell).
    static std::vector<indCompare::Difference> Locate(indActiveCell& rules, cmcGTex& texts,
                                                      const std::string& reference, int bank,
                                                      uint8_t flag);
};
