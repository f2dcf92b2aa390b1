#include "ModelCodecFixture.h"

#include "cells/ICellPopups.h"

namespace {

const char* const kLines[] = {
    "#GI_AddCH",
    "ch",
    "#GI_AppItem_Ctcss",
    "67.0,69.3,71.9,74.4,77.0,79.7,82.5,85.4,88.5,91.5,94.8,97.4,100.0",
    "103.5,107.2,110.9",
    "#GI_AppItem_Dtcs",
    "023,025,026,754",
    // The tone list: tones 0 to 15, no tone, and the DTCS item.
    "#GI_Sheet_Sel_Mch_CTone_Cells",
    "{(%Flex0[0])}67.0",
    "{(%Flex0[1])}69.3",
    "{(%Flex0[2])}71.9",
    "{(%Flex0[12])}100.0",
    "{(%Flex0[52])}Off",
    "{(%FlexDtcs[53])}DTCS",
    "#",
    "#GI_Sheet_Sel_Mch_CTone_ExUser_Cells",
    "{(%Flex0[0])}67.0",
    "{(%Flex0[52])}Off",
    "{(%FlexDtcs[53])}DTCS",
    "#",
    "#GI_Sheet_Sel_Mch_Dtcs_Cells",
    "{(%Flex1[0])}D023",
    "{(%Flex1[1])}D025",
    "{(%Flex1[2])}D026",
    "{(%Flex1[3])}D754",
    "#",
    "#GI_Sheet_Sel_Mch_DtcsInv_Cells",
    "{(%Flex2[0])}Normal",
    "{(%Flex2[1])}Inverted",
    "#",
    "#GI_Sheet_Sel_ExtIOZoneSel_Cells",
    "{(%FlexZoneSel[0])}Bank 1",
    "{(%FlexZoneSel[1])}Bank 2",
    "{(%FlexZoneSel[8])}None",
    "#",
    "#GI_Sheet_Sel_ScanZoneSel_Cells",
    "{(%FlexZoneSel[0])}Bank 1",
    "{(%FlexZoneSel[1])}Bank 2",
    "#",
    "#GI_Sheet_Sel_ScanPrio1CH_Cells",
    "{(%Flex0[0])}Off",
    "{(%Flex0[1])}Selected",
    "{(%Flex0[5])}Fixed",
    "#",
    "#GI_Sheet_Sel_ScanPrio2CH_Cells",
    "{(%Flex0[0])}Off",
    "{(%Flex0[2])}Selected",
    "{(%Flex0[5])}Fixed",
    "#",
    "#GI_Sheet_Sel_ScanTXCH_Cells",
    "{(%Flex0[0])}Off",
    "{(%Flex0[5])}Fixed",
    "#",
    "#End_Of_Ovl",
    nullptr,
};

}  // namespace

const char* const* ModelCodecTest::Lines() const
{
    return kLines;
}
