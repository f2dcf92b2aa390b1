#include "sheets/model/iuiSheet.h"

#include "sheets/model/iuiSh_Mch.h"

void iuiSheet::FillCells(const std::string& entry)
{
    cuiSheet::FillCells(entry);
    iuiSh_Mch::UnselectHiddenColumns(*this);
}
