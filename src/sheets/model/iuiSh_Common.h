#pragma once
#include "sheets/cuiSheet.h"

// The sheet of the common settings: rows that only some model types, option bits or the
// maker mode show, chosen by row directives. Model type, modes and the option bits come
// from the model host of the sheets.
class iuiSh_Common : public cuiSheet {
public:
    using cuiSheet::cuiSheet;

    // Option bits of byte 000B of the working image.
    static constexpr int kOptionAddress = 0x000B;
    static constexpr uint8_t kSaccMask = 0x08;
    static constexpr uint8_t kEaccMask = 0x10;

    void ApplyRowDirective(std::string_view group) override;

    // Whether the lines after a directive are kept; false for a directive it does not know.
    static bool KnownCondition(std::string_view group, bool* keep);
};
