#include <gtest/gtest.h>

#include "cells/cmcCellIds.h"

namespace {

struct Known {
    int32_t number;
    int32_t enumerator;
    const char* name;
};

// Numbers the rules and overlays rely on, including the ends of the runs of the list and the
// odd spellings that must stay as they are.
const Known kKnownIds[] = {
    {0, CL_Null, "CL_Null"},
    {1, Flex0, "Flex0"},
    {15, FlexMdcAlias_ChNo, "FlexMdcAlias_ChNo"},
    {16, CL_Menu_File_New, "CL_Menu_File_New"},
    {32, CL_Menu_Clone_Info, "CL_Menu_Clone_Info"},
    {45, CL_Language_Text, "CL_Language_Text"},
    {49, CallSheet, "CallSheet"},
    {69, CL_Langage_Select, "CL_Langage_Select"},
    {88, CL_PMenu_Edit, "CL_PMenu_Edit"},
    {98, CL_PMenu_Help, "CL_PMenu_Help"},
    {112, CL_FBits, "CL_FBits"},
    {115, CL_Misc_QuarterPillar, "CL_Misc_QuarterPillar"},
    {116, CL_Mch_No, "CL_Mch_No"},
    {119, CL_Mch_FreqR, "CL_Mch_FreqR"},
    {172, CL_Mch_AutoResetPmr, "CL_Mch_AutoResetPmr"},
    {204, CL_Mch_Dig_CC_T, "CL_Mch_Dig_CC_T"},
    {224, CL_Msk_Msg_Status_Rriority, "CL_Msk_Msg_Status_Rriority"},
    {535, CL_Comm_RS232C_SPPED, "CL_Comm_RS232C_SPPED"},
    {634, CL_CEdit, "CL_CEdit"},
    {691, CL_2TTx_Freq_1st, "CL_2TTx_Freq_1st"},
    {694, CL_2T_2nd_Period, "CL_2T_2nd_Period"},
    {913, CL_Maker_mRSSISL, "CL_Maker_mRSSISL"},
    {914, CL_Model_MdcLmr, "CL_Model_MdcLmr"},
    {1063, CL_Mdc_General_Log_Action_Type, "CL_Mdc_General_Log_Action_Type"},
    {1064, CL_Check_MDC_Status, "CL_Check_MDC_Status"},
    {1117, CL_Adjust_Password, "CL_Adjust_Password"},
    {1186, CL_Adj_Pram_Rssi_Lev6, "CL_Adj_Pram_Rssi_Lev6"},
    {1200, CL_WinDA_T1_Dec, "CL_WinDA_T1_Dec"},
    {1226, CL_WinDA_RXLVA_Vt, "CL_WinDA_RXLVA_Vt"},
};

TEST(CellIds, KnownIdentifiersHaveTheirListNumbers)
{
    for (const Known& k : kKnownIds) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(k.enumerator, k.number);
        EXPECT_EQ(LookupId(k.name), k.number);
        EXPECT_EQ(IdName(k.number), k.name);
    }
}

TEST(CellIds, EveryNameRoundTripsAndOutsideNumbersHaveNoName)
{
    for (int32_t n = 0; n < kIdCount; ++n) {
        const std::string name = IdName(n);
        ASSERT_FALSE(name.empty()) << n;
        ASSERT_EQ(LookupId(name), n) << name;
    }
    for (int32_t n = 0; n < kCategoryCount; ++n)
        ASSERT_EQ(LookupCategory(CategoryName(n)), n);
    EXPECT_EQ(IdName(kNoId), "");
    EXPECT_EQ(IdName(-1), "");
    EXPECT_EQ(CategoryName(kNoCategory), "");
}

TEST(CellIds, CategoriesInListOrder)
{
    EXPECT_EQ(LookupCategory("CT_Null"), 0);
    EXPECT_EQ(LookupCategory("CT_PopupMenu"), CT_PopupMenu);
    EXPECT_EQ(CT_PopupMenu, 1);
    EXPECT_EQ(LookupCategory("CT_Mch"), 2);
    EXPECT_EQ(LookupCategory("CT_UserTone"), 12);
    EXPECT_EQ(LookupCategory("CT_MDC_Alias"), 22);
    EXPECT_EQ(LookupCategory("CT_ADJ"), 23);
}

TEST(CellIds, EmptyNameMeansNone)
{
    EXPECT_EQ(LookupCategory(""), kNoCategory);
    EXPECT_EQ(LookupId(""), kNoId);
}

TEST(CellIdsDeathTest, UnknownNamesAreFatal)
{
    EXPECT_DEATH(LookupCategory("CT_Bogus"), "Cannot use the specified category.\n'CT_Bogus'");
    EXPECT_DEATH(LookupId("CL_Mch_Freqr"), "Cannot use the specified cell.\n'CL_Mch_Freqr'");
    // Both kinds share one name table; a name of the other kind is still unknown.
    EXPECT_DEATH(
        {
            LookupId("CL_Null");
            LookupCategory("Flex0");
        },
        "Cannot use the specified category.\n'Flex0'");
    EXPECT_DEATH(
        {
            LookupCategory("CT_Null");
            LookupId("CT_Mch");
        },
        "Cannot use the specified cell.\n'CT_Mch'");
}

}  // namespace
