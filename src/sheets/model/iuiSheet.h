#pragma once
#include "sheets/cuiSheet.h"

// The sheet of the adjustment window: a plain sheet whose zero-width columns take no cursor.
class iuiSheet : public cuiSheet {
public:
    using cuiSheet::cuiSheet;

    void FillCells(const std::string& entry) override;
};
