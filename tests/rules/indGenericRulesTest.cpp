// The generic settings through the whole frame of a cell request, as a sheet sends them.

#include <gtest/gtest.h>

#include "RulesFixture.h"
#include "common/EventIds.h"

namespace {

TEST_F(RulesTest, ATypedSettingReachesItsBitsThroughTheFrame)
{
    cmcCellCapsule c = Request(CT_Null, CL_SetM_AFMinLev, 0);
    c.inputMode = cmcCellCapsule::kInputText;
    c.inputText = "77";
    c.key = 0;
    Run(c);
    EXPECT_EQ(host->work.GetByte(0x0132), 77);
    EXPECT_EQ(c.text, "77");
    EXPECT_TRUE(host->modified);
}

TEST_F(RulesTest, TheLmrEmergencyDtmfRowEditsItsOwnMemory)
{
    host->modelType = 0;
    cmcCellCapsule c = Request(CT_DTMF, CL_Dtmf_Code, 1);
    c.inputMode = cmcCellCapsule::kInputText;
    c.inputText = "9*";
    c.key = 0;
    Run(c);
    // Memory 1: bytes 0AE4.., digits two to a byte, the count in byte 12.
    EXPECT_EQ(host->work.GetByte(0x0AE4), 0x9E);
    EXPECT_EQ(host->work.GetByte(0x0AE4 + 12), 2);
    EXPECT_EQ(host->work.GetByte(0x0AD6 + 12), 0);
}

TEST_F(RulesTest, TheMicrophoneSwitchRedrawsEveryCell)
{
    // The choice codecs step through the program's list cache.
    qvtest::ScopedGlobal<cmcFCache> cache{g_FCache, &host->cache};
    cmcCellCapsule c = Request(CT_Null, CL_KDisp_MicFunc, 0, cmcCellCapsule::kKeySpace);
    Run(c);
    EXPECT_EQ(host->work.GetByte(0x0A1B), 0x10);
    events->Tick();
    events->Tick();
    EXPECT_EQ(host->Count(ev::kRedrawAll), 1);
}

TEST_F(RulesTest, TheDigitalTimersWaitForExtendedAccess)
{
    cmcCellCapsule c = Request(CT_Null, CL_Dig_Tim_Chk, 0, '5');
    Run(c);
    EXPECT_EQ(c.text, "");
    EXPECT_EQ(c.jump, 0);
    host->work.SetByte(0x000B, 0x10);
    cmcCellCapsule d = Request(CT_Null, CL_Dig_Tim_Chk, 0);
    Run(d, 0);
    EXPECT_NE(d.text, "");
}

}  // namespace
