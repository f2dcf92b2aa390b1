// The scan list, 2-tone and user tone, MSK address, key and port cells through the whole
// frame of a cell request, as a sheet sends them.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "RulesFixture.h"
#include "cells/cmcFCache.h"
#include "clonefile/cmcClnFile.h"
#include "common/EventIds.h"
#include "model/datChEdit.h"
#include "model/indBlockMap.h"
#include "platform/TextUtil.h"
#include "rules/indKeyPortRules.h"
#include "rules/indMemMapStorage.h"
#include "rules/indScanListRules.h"
#include "support/CellPopupsRecorder.h"

namespace {

class ListRules : public RulesTest {
protected:
    void SetUp() override
    {
        RulesTest::SetUp();
        cacheGlobal.Set(&host->cache);
    }

    uint8_t* Img() { return host->work.Data(); }
    int Word(int32_t a) { return (Img()[a] << 8) | Img()[a + 1]; }

    cmcCellCapsule Draw(int32_t cat, int32_t id, int32_t index)
    {
        cmcCellCapsule c = Request(cat, id, index);
        c.sheet = nullptr;
        c.grid = c.owner = nullptr;
        Run(c, 0);
        return c;
    }
    cmcCellCapsule Typed(int32_t cat, int32_t id, int32_t index, const std::string& text)
    {
        cmcCellCapsule c = Request(cat, id, index);
        c.inputMode = cmcCellCapsule::kInputText;
        c.inputText = text;
        Run(c);
        return c;
    }
    // A choice from a list whose items have the identifier listId.
    cmcCellCapsule Chosen(int32_t cat, int32_t id, int32_t index, int32_t value,
                          int32_t listId = Flex0)
    {
        itemCell.id = listId;
        itemCell.index = value;
        item.Reset();
        item.cell = &itemCell;
        cmcCellCapsule c = Request(cat, id, index, cmcCellCapsule::kKeyEnter);
        c.context = &item;
        c.inputMode = cmcCellCapsule::kInputChoice;
        Run(c);
        return c;
    }

    qvtest::ScopedGlobal<cmcFCache> cacheGlobal{g_FCache};
    CellPopupsRecorder popups;
    qvtest::ScopedGlobal<ICellPopups> popupsGlobal{g_CellPopups, &popups};
    cmcCellObj itemCell;
    cmcCellCapsule item;
};

// --- scan list ---

using Fields = indScanListRules::Fields;

TEST(ScanListRecord, TheDerivedScanModeFollowsTheListsSettings)
{
    // Priority scan: transmit channel 1, priority channel 1 mode 1, cancel channel 1.
    auto priority = [](int tb, int ctb, int prio2) {
        Fields f;
        f.scanType = 2;
        f.txMode = 1;
        f.prio1Mode = 1;
        f.cancelMode = 1;
        f.talkBack = tb;
        f.cancelTalkBack = ctb;
        f.prio2Mode = prio2;
        return f;
    };
    struct Case {
        const char* what;
        Fields f;
        int mode;
        int flag;
    } cases[] = {
        {"talk-back both ways, no priority 2", priority(1, 1, 0), 2, 0},
        {"talk-back both ways, priority 2 mode 2", priority(1, 1, 2), 2, 1},
        {"priority 2 mode 1", priority(1, 1, 1), 0, 0},
        {"no talk-back", priority(0, 0, 0), 3, 0},
        {"no talk-back, priority 2 mode 2", priority(0, 0, 2), 3, 1},
        {"talk-back one way only", priority(1, 0, 0), 0, 0},
        {"cancel by the extra flag",
         [&] {
             Fields f = priority(0, 0, 0);
             f.cancelMode = 2;
             f.cancelExtra = 1;
             return f;
         }(),
         3, 0},
        {"transmit action set",
         [&] {
             Fields f = priority(1, 1, 0);
             f.txAction = 1;
             return f;
         }(),
         0, 0},
        {"normal scan",
         [] {
             Fields f;
             f.scanType = 1;
             return f;
         }(),
         1, 0},
        {"normal scan with a transmit channel",
         [] {
             Fields f;
             f.scanType = 1;
             f.txMode = 2;
             return f;
         }(),
         0, 0},
        {"scan type 0", priority(1, 1, 2), 0, 0},
    };
    cases[10].f.scanType = 0;
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.f.scanMode = 7;
        c.f.modeFlag = 1;
        c.f.DeriveScanMode();
        EXPECT_EQ(c.f.scanMode, c.mode);
        EXPECT_EQ(c.f.modeFlag, c.flag);
    }
}

TEST_F(ListRules, TheScanModeByteAfterEachChoice)
{
    // The mode byte is 0ACE: scan mode in bits 3-0, mode flag in bit 4.
    const struct {
        int32_t id;
        int32_t value;
        int32_t listId;
        uint8_t modeByte;
    } steps[] = {
        {CL_ScanList_ScanType, 1, Flex0, 0x01},     // normal scan
        {CL_ScanList_ScanType, 2, Flex0, 0x00},     // priority scan, nothing chosen yet
        {CL_ScanList_TX_CH, 1, Flex0, 0x00},        // transmit: selected channel
        {CL_ScanList_Prio1_CH, 1, Flex0, 0x00},     // priority 1: selected channel
        {CL_ScanList_Cancel_CH, 1, Flex0, 0x03},    // cancel: selected channel -> mode 3
        {CL_ScanList_TX_TalkBack, 1, Flex0, 0x00},  // talk-back one way only
        {CL_ScanList_Cancel_CH, 17, Flex0, 0x02},   // cancel with talk-back -> mode 2
        {CL_ScanList_Prio2_CH, 2, Flex0, 0x12},     // priority 2 mode 2 -> flag
        {CL_ScanList_Prio2_CH, 1, Flex0, 0x00},     // priority 2 mode 1 -> 0
        {CL_ScanList_Prio2_CH, 0, Flex0, 0x02},
        {CL_ScanList_TX_Action, 1, Flex0, 0x00},  // the transmit action wins
        {CL_ScanList_TX_Action, 0, Flex0, 0x02},
        {CL_ScanList_ScanType, 0, Flex0, 0x00},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(IdName(s.id) + " = " + std::to_string(s.value));
        Chosen(CT_Scan, s.id, 0, s.value, s.listId);
        EXPECT_EQ(Img()[0x0ACE], s.modeByte);
    }
    // The mode itself can be chosen, flag times 128 plus mode.
    Chosen(CT_Scan, CL_ScanList_ScanMode, 0, 131);
    EXPECT_EQ(Img()[0x0ACE], 0x13);
    EXPECT_EQ(Draw(CT_Scan, CL_ScanList_ScanMode, 0).text,
              host->cache.NameOf("GI_Sheet_Sel_ScanMode", Flex0, 131));
}

TEST_F(ListRules, TheScanListLayoutPairsEachFixedChannelWithItsMode)
{
    Banks({8});
    Chosen(CT_Scan, CL_ScanList_ScanType, 0, 2);
    // Priority channel 1 on fixed channel 3, the transmit channel on fixed channel 6.
    Chosen(CT_Scan, CL_ScanList_Prio1_CH, 0, 5);
    Chosen(CT_Scan, CL_ScanList_Prio1_CH, 0, 3, FlexCHSel);
    Chosen(CT_Scan, CL_ScanList_TX_CH, 0, 5);
    Chosen(CT_Scan, CL_ScanList_TX_CH, 0, 6, FlexCHSel);
    Chosen(CT_Scan, CL_ScanList_TX_TalkBack, 0, 1);
    EXPECT_EQ(Img()[0x0AD0] & 0x0F, 5);
    EXPECT_EQ(Img()[0x0AD3], 3);
    EXPECT_EQ(Img()[0x0AD1] & 0x0F, 5);
    EXPECT_EQ(Img()[0x0AD5], 6);
    EXPECT_EQ(Img()[0x0ACC] & 0x80, 0x80);  // talk-back
    EXPECT_EQ(Draw(CT_Scan, CL_ScanList_Prio1_CH, 0).text, "4" + texts.GetText("GI_AddCH"));

    // Deleting a fixed channel resets the mode that selected it (and the transmit
    // talk-back with the transmit channel).
    datChEdit::DeleteChannel(host->work, host->reference, 1, 6);
    EXPECT_EQ(Img()[0x0AD1] & 0x0F, 0);
    EXPECT_EQ(Img()[0x0ACC] & 0x80, 0);
    EXPECT_EQ(Draw(CT_Scan, CL_ScanList_TX_TalkBack, 0).text, "----");
    datChEdit::DeleteChannel(host->work, host->reference, 1, 3);
    EXPECT_EQ(Draw(CT_Scan, CL_ScanList_Prio1_CH, 0).text,
              host->cache.NameOf("GI_Sheet_Sel_ScanPrio1CH", Flex0, 0));
}

TEST_F(ListRules, ScanCellsSwitchOffWithTheScanType)
{
    for (int32_t id :
         {CL_ScanList_DispText, CL_ScanList_TX_CH, CL_ScanList_TX_Action, CL_ScanList_Cancel_CH,
          CL_ScanList_PwrSave, CL_ScanList_Prio1_CH, CL_ScanList_Text}) {
        EXPECT_EQ(Draw(CT_Scan, id, 0).text, "----") << IdName(id);
        Typed(CT_Scan, id, 0, "1");
    }
    EXPECT_EQ(Img()[0x0ACC] | Img()[0x0ACD] | Img()[0x0AD0] | Img()[0x0AD1], 0);
    Chosen(CT_Scan, CL_ScanList_ScanType, 0, 1);
    EXPECT_NE(Draw(CT_Scan, CL_ScanList_TX_CH, 0).text, "----");
    EXPECT_EQ(Draw(CT_Scan, CL_ScanList_Prio1_CH, 0).text, "----");  // priority scans only
    EXPECT_EQ(Draw(CT_Scan, CL_ScanList_Text, 0).text, "----");      // no room for a name
}

// --- 2-tone and user tones ---

TEST_F(ListRules, ATwoToneReceiveToneStoresItsWindow)
{
    Typed(CT_2Tone_Code, CL_2T_RxFreq_1st, 1, "1000.0");
    EXPECT_EQ(Word(0x0B40 + 10), 10000);
    EXPECT_EQ(Word(0x0A44 + 8), 10200);     // upper limit
    EXPECT_EQ(Word(0x0A44 + 8 + 2), 9800);  // lower limit
    Typed(CT_2Tone_Code, CL_2T_RxFreq_2nd, 1, "2000.0");
    EXPECT_EQ(Word(0x0B40 + 12), 20000);
    EXPECT_EQ(Word(0x0A44 + 12), 20400);
    EXPECT_EQ(Word(0x0A44 + 14), 19600);
    EXPECT_EQ(Draw(CT_2Tone_Code, CL_2T_RxFreq_1st, 1).text, "1000.0");
    EXPECT_EQ(Draw(CT_2Tone_Code, CL_2T_RxFreq_1st, 0).text, "----");
    // A transmit code without a second tone.
    Typed(CT_TX_Code, CL_2TTx_Freq_2nd, 4, "1500.0");
    EXPECT_EQ(Word(0x086A + 16 + 2), 15000);
    Img()[0x0B00 + 8] = 0x0F;
    EXPECT_EQ(Draw(CT_TX_Code, CL_2TTx_Freq_2nd, 4).text, "----  ");
}

TEST_F(ListRules, AUserToneStoresItsWindowAndCrossedLimitsWarn)
{
    Typed(CT_UserTone, CL_UTone_Encode, 2, "400.0");
    EXPECT_EQ(Word(0x0A4C + 4), 4000);
    EXPECT_EQ(Word(0x0A6A + 8), 4000);  // 3880 raised to the lowest limit
    EXPECT_EQ(Word(0x0A6A + 10), 4120);
    EXPECT_EQ(Draw(CT_UserTone, CL_UTone_Dec_High, 2).text, "412.0");
    Typed(CT_UserTone, CL_UTone_Encode, 3, "3000.0");
    EXPECT_EQ(Word(0x0A6A + 12), 29100);
    EXPECT_EQ(Word(0x0A6A + 14), 30000);  // 3090.0 limited

    EXPECT_EQ(Draw(CT_UserTone, CL_UTone_Dec_Low, 2).flags & cmcCellCapsule::kFlagWarning, 0);
    Typed(CT_UserTone, CL_UTone_Dec_Low, 2, "500.0");
    Typed(CT_UserTone, CL_UTone_Dec_High, 2, "450.0");
    for (int32_t id : {CL_UTone_Dec_Low, CL_UTone_Dec_High}) {
        EXPECT_NE(Draw(CT_UserTone, id, 2).flags & cmcCellCapsule::kFlagWarning, 0) << IdName(id);
        EXPECT_NE(rules->EvaluateFlags(CT_UserTone, id, 2) & cmcCellCapsule::kFlagWarning, 0);
    }
    EXPECT_EQ(Draw(CT_UserTone, CL_UTone_Encode, 2).flags & cmcCellCapsule::kFlagWarning, 0);
    // The user tone check cell collects the warning.
    EXPECT_NE(Draw(CT_Null, CL_Check_User_Tone_Encode, 0).flags & cmcCellCapsule::kFlagWarning, 0);
}

TEST_F(ListRules, UserToneEntriesThatOverlapAnotherTonesStayOff)
{
    // Tone 9's period would be tone 0's no-tone time, and so on: tones 9 to 14 have no
    // timing entries of their own, tone 15 has its period only and no frequency.
    for (int32_t index : {9, 12, 14}) {
        for (int32_t id : {CL_UTone_TonePeriod, CL_UTone_NotoneTimer, CL_UTone_Length}) {
            SCOPED_TRACE(IdName(id) + " " + std::to_string(index));
            std::vector<uint8_t> before(Img(), Img() + indMemMap::kImageSize);
            EXPECT_EQ(Draw(CT_UserTone, id, index).text, "----");
            Typed(CT_UserTone, id, index, "0.1");
            cmcCellCapsule step = Request(CT_UserTone, id, index, cmcCellCapsule::kKeySpace);
            Run(step);
            EXPECT_TRUE(std::equal(before.begin(), before.end(), Img()));
        }
    }
    for (int32_t id : {CL_UTone_Encode, CL_UTone_Dec_Low, CL_UTone_NotoneTimer, CL_UTone_Length})
        EXPECT_EQ(Draw(CT_UserTone, id, 15).text, "----") << IdName(id);
    Typed(CT_UserTone, CL_UTone_TonePeriod, 15, "0.2");
    EXPECT_EQ(Img()[0x0AC1], 200);
    Typed(CT_UserTone, CL_UTone_TonePeriod, 8, "0.25");
    Typed(CT_UserTone, CL_UTone_NotoneTimer, 0, "0.3");
    Typed(CT_UserTone, CL_UTone_Length, 8, "2.55");
    EXPECT_EQ(Img()[0x0AAE], 250);
    EXPECT_EQ(Img()[0x0AAF], 30);
    EXPECT_EQ(Img()[0x0AC0], 255);
}

// --- MSK addresses ---

TEST_F(ListRules, AddressesOnTheWrongSideOfTheBoundaryShowErrors)
{
    Typed(CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 0, "100");
    EXPECT_EQ(Word(0x126A), 100);
    EXPECT_EQ(Draw(CT_MSK_AdrRange, CL_Msk_AdrRange_Individual, 0).text, "0000 (No Edit)");
    EXPECT_EQ(Draw(CT_MSK_AdrRange, CL_Msk_AdrRange_Individual, 1).text, "0099 (No Edit)");
    EXPECT_EQ(Draw(CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 0).text, "0100");
    EXPECT_EQ(Draw(CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 1).text, "4095 (No Edit)");
    EXPECT_EQ(Draw(CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 2).text, "error");

    const struct {
        int32_t cat, id, index;
        const char* typed;
        bool error;
        bool left;
    } cases[] = {
        {CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 0, "150", true, true},
        {CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 0, "99", false, false},
        {CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 1, "50", true, true},
        {CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 7, "100", false, false},
        {CT_MSK_CallList, CL_Msk_CallList_Adr, 3, "4095", false, false},
        {CT_MSK_AdrRange, CL_Msk_AdrRange_Killer, 0, "100", true, false},
        {CT_MSK_AdrRange, CL_Msk_AdrRange_Killer, 0, "99", false, false},
        {CT_MSK_Cfg, CL_Msk_Cfg_Status_FixBaseId, 0, "100", true, false},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_FixBaseId, 0, "12", false, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(IdName(k.id) + " " + k.typed);
        Typed(k.cat, k.id, k.index, k.typed);
        const cmcCellCapsule c = Draw(k.cat, k.id, k.index);
        EXPECT_EQ(c.text, txt::Format("%04d", std::atoi(k.typed)));
        EXPECT_EQ((c.flags & cmcCellCapsule::kFlagError) != 0, k.error);
        EXPECT_EQ(c.markPosition == cmcCellCapsule::kMarkLeft, k.left);
    }
    EXPECT_EQ(Word(0x122A + 8), 50);       // ID group 1, bytes 0-1 of its record
    EXPECT_EQ(Word(0x0FC6 + 12), 0x4095);  // call 3: four BCD digits
    Typed(CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 0, "0");
    EXPECT_EQ(Draw(CT_MSK_AdrRange, CL_Msk_AdrRange_Individual, 1).text, "----");
}

// --- keys and ports ---

TEST_F(ListRules, AKeyFunctionWithAnOptionOutputAsksForItsLevel)
{
    const std::string list = "GI_Sheet_Sel_Keys_Conv_Lmr";
    Chosen(CT_Null, CL_KDisp_Key_Conv_P1, 0, 49);  // option output 2
    EXPECT_EQ(Img()[0x0865], 49);
    ASSERT_FALSE(popups.Requests().empty());
    EXPECT_EQ(popups.Last().listName, "GI_Sheet_Sel_KDisp_KeyOpt_HL");
    EXPECT_EQ(popups.Last().listId, FlexKeyOpt);
    const cmcCellCapsule c = Chosen(CT_Null, CL_KDisp_Key_Conv_P1, 0, 1, FlexKeyOpt);
    EXPECT_EQ(Img()[0x09D4], 0x40);
    EXPECT_EQ(c.text, host->cache.NameOf(list, Flex0, 49) + " /H");
    // The microphone key B is the byte of P3, P1 is microphone down.
    EXPECT_EQ(Draw(CT_Null, CL_KDisp_Key_Conv_MicDn, 0).text, c.text);

    // The scrambler asks for its port, then for that output's level.
    Chosen(CT_Null, CL_KDisp_Key_Conv_P2, 0, indKeyPortRules::kScrambler);
    EXPECT_EQ(popups.Last().listName, "GI_Sheet_Sel_KDisp_ScrmOpt_Port");
    Chosen(CT_Null, CL_KDisp_Key_Conv_P2, 0, 1, FlexScrmPort);
    EXPECT_EQ(Img()[0x09FD] & 0x03, 1);
    EXPECT_EQ(popups.Last().listName, "GI_Sheet_Sel_KDisp_KeyOpt_HL");
    EXPECT_EQ(Draw(CT_Null, CL_KDisp_Key_Conv_P2, 0).text,
              host->cache.NameOf(list, Flex0, 73) + " OPT2 /H");

    // The option key's function decides bit 7 of 0A1B.
    Chosen(CT_Null, CL_KDisp_Key_Conv_Opf1, 0, indKeyPortRules::kExternalEmergency);
    EXPECT_EQ(Img()[0x0A1B] & 0x80, 0);
    Chosen(CT_Null, CL_KDisp_Key_Conv_Opf1, 0, 1);
    EXPECT_EQ(Img()[0x0A1B] & 0x80, 0x80);
}

TEST_F(ListRules, ThePortModesTakeTheirPorts)
{
    Chosen(CT_Null, CL_ExtPort_InOut_2_Dir, 0, 1);  // port 1 an input
    Chosen(CT_Null, CL_ExtPort_InOut_2, 0, 3);
    Chosen(CT_Null, CL_ExtPort_InOut_3, 0, 2);  // port 2 an output
    EXPECT_EQ(Img()[0x1CB9], 3);
    EXPECT_EQ(Img()[0x1CBB], 2);
    EXPECT_NE(Draw(CT_Null, CL_ExtPort_InOut_2, 0).text, "----");
    Chosen(CT_Null, CL_ExtPort_PortMode_SCI, 0, 1);
    EXPECT_EQ(Img()[0x09FD] & 0x80, 0x80);
    EXPECT_EQ(Img()[0x1CB9], 0);
    EXPECT_EQ(Img()[0x1CBB], 0);
    for (int32_t id : {CL_ExtPort_InOut_2, CL_ExtPort_InOut_2_Dir, CL_ExtPort_InOut_3_Logic})
        EXPECT_EQ(Draw(CT_Null, id, 0).text, "----") << IdName(id);
    events->Tick();
    events->Tick();
    EXPECT_GE(host->Count(ev::kRedrawAll), 1);
    // The horn mode has no bit: it shows its first choice and stores nothing.
    std::vector<uint8_t> before(Img(), Img() + indMemMap::kImageSize);
    const cmcCellCapsule h = Chosen(CT_Null, CL_ExtPort_PortMode_HORN, 0, 1);
    EXPECT_EQ(h.text, host->cache.NameOf("GI_Sheet_Sel_PortMode_HORN", Flex0, 0));
    EXPECT_TRUE(std::equal(before.begin(), before.end(), Img()));
}

TEST_F(ListRules, AnInputPortsKeyFunctionShowsTheKeyAndLevel)
{
    Chosen(CT_Null, CL_ExtPort_InOut_1_Dir, 0, 1);
    Chosen(CT_Null, CL_ExtPort_InOut_1, 0, indKeyPortRules::kKeyFunction);
    ASSERT_FALSE(popups.Requests().empty());
    EXPECT_EQ(popups.Last().listName, "GI_Sheet_Sel_Keys_Conv_Lmr");
    Chosen(CT_Null, CL_ExtPort_InOut_1, 0, 3);  // the key list's choice: scan
    EXPECT_EQ(Img()[0x1CB7], indKeyPortRules::kKeyFunction);
    EXPECT_EQ(Img()[0x1CD2], 3);
    Chosen(CT_Null, CL_ExtPort_InOut_1_Logic, 0, 1);
    EXPECT_EQ(Draw(CT_Null, CL_ExtPort_InOut_1, 0).text,
              "Key : " + host->cache.NameOf("GI_Sheet_Sel_Keys_Conv_Lmr", Flex0, 3) + " /H");
    // Stepping skips functions that another input port has.
    Chosen(CT_Null, CL_ExtPort_InOut_2_Dir, 0, 1);
    Chosen(CT_Null, CL_ExtPort_InOut_2, 0, 1);
    Chosen(CT_Null, CL_ExtPort_InOut_3_Dir, 0, 1);
    Chosen(CT_Null, CL_ExtPort_InOut_3, 0, 0);
    cmcCellCapsule c = Request(CT_Null, CL_ExtPort_InOut_3, 0, cmcCellCapsule::kKeySpace);
    Run(c);
    EXPECT_EQ(Img()[0x1CBB], 2);  // 1 belongs to port 1
}

TEST_F(ListRules, FixedPortsShowWhatIsStoredAndDrawingChangesNothing)
{
    host->Saved();
    // The input-only port holds output bits: shown as stored, not rewritten by drawing.
    for (int32_t id : {CL_ExtPort_In_1, CL_ExtPort_In_1_Dir, CL_ExtPort_In_1_Logic,
                       CL_ExtPort_Out_1_Dir, CL_ExtPort_Out_1_Logic}) {
        Draw(CT_Null, id, 0);
        cmcCellCapsule c = Request(CT_Null, id, 0);  // a sheet's repaint of the cell
        Run(c);
    }
    EXPECT_EQ(Draw(CT_Null, CL_ExtPort_In_1_Dir, 0).text, "Output");
    EXPECT_EQ(Draw(CT_Null, CL_ExtPort_In_1_Logic, 0).text, "Low");
    EXPECT_EQ(Img()[0x1CBE], 0);
    EXPECT_FALSE(host->modified);
    // An edit of the port writes its direction.
    Chosen(CT_Null, CL_ExtPort_In_1_Logic, 0, 1);
    EXPECT_EQ(Img()[0x1CBE], 0xC0);
    EXPECT_EQ(Draw(CT_Null, CL_ExtPort_In_1_Dir, 0).text, "Input");
    EXPECT_TRUE(host->modified);
}

TEST(PortStepping, AListWithoutAFreeFunctionStopsAfterOneCycle)
{
    // An input list whose every function another input port already has.
    char dir[] = "/tmp/qv_ports_XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/T.OVL";
    std::ofstream(path) << "test\n#CellModel_Basic\n<-\n"
                           "#GI_Sheet_Sel_ExtPort_In_Lmr_Style\n(FixedCols=0)(FixedRows=0)\n"
                           "#GI_Sheet_Sel_ExtPort_In_Lmr_BasicCell\n{($Basic)SWH}\n"
                           "#GI_Sheet_Sel_ExtPort_In_Lmr_Cells\n{(%Flex0[1])}A\n{(%Flex0[2])}B\n"
                           "#End_Of_Ovl\n";
    cmcGTex texts;
    texts.Open(path);
    cmcFCache cache(&texts);
    qvtest::ScopedGlobal<cmcFCache> global{g_FCache, &cache};
    uint8_t image[indMemMap::kImageSize] = {};
    for (int p = 0; p < 4; ++p)
        image[indKeyPortRules::kPorts + 2 * p] = 0x80;
    image[indKeyPortRules::kPorts + 3] = 1;
    image[indKeyPortRules::kPorts + 5] = 2;
    int32_t v = 7;  // not in the list either
    EXPECT_FALSE(indKeyPortRules::StepPortFunction(image, 0, "GI_Sheet_Sel_ExtPort_In_Lmr", &v, 1));
    EXPECT_EQ(v, 7);
    unlink(path.c_str());
    rmdir(dir);
}

// --- the lists these cells choose from ---

TEST_F(ListRules, EveryListTheseCellsOpenIsInTheShippedOverlay)
{
    std::vector<std::string> lists = {
        "GI_Sheet_Sel_ScanMode",
        "GI_Sheet_Sel_ScanType",
        "GI_Sheet_Sel_ScanList_Text",
        "GI_Sheet_Sel_ScanTXAct",
        "GI_Sheet_Sel_ScanCancelCH",
        "GI_Sheet_Sel_Misc_OnOff",
        "GI_Sheet_Sel_Misc_OnOff2",
        "GI_Sheet_Sel_ScanPrio1CH",
        "GI_Sheet_Sel_ScanPrio2CH",
        "GI_Sheet_Sel_ScanTXCH",
        "GI_Sheet_Sel_ScanZoneSel",
        "GI_Sheet_Sel_KDisp_KeyOpt_HL",
        "GI_Sheet_Sel_KDisp_ScrmOpt_Port",
        "GI_Sheet_Sel_InOutput_Port_Dir",
        "GI_Sheet_Sel_InOutput_Port_Logic",
        "GI_Sheet_Sel_PortMode_EPTT",
        "GI_Sheet_Sel_PortMode_SCI",
        "GI_Sheet_Sel_PortMode_AFO",
        "GI_Sheet_Sel_PortMode_IGSW",
        "GI_Sheet_Sel_PortMode_HORN",
    };
    for (int t = 0; t < 4; ++t)
        for (const char* l : {indKeyPortRules::KeyList(t), indKeyPortRules::KeyList(t, true),
                              indKeyPortRules::InputList(t), indKeyPortRules::OutputList(t)})
            lists.emplace_back(l);
    for (const std::string& l : lists)
        for (const char* part : {"_Cells", "_Style", "_BasicCell"})
            EXPECT_TRUE(texts.HasKey(l + part)) << l + part;
    // Every key list holds the codes the rules give a meaning to.
    for (int t = 0; t < 4; ++t) {
        const std::string keys = indKeyPortRules::KeyList(t);
        for (int32_t code : {0, 48, 49, 50, 51, 52, 53, indKeyPortRules::kScrambler})
            EXPECT_NE(host->cache.NameOf(keys, Flex0, code), "error") << keys << " " << code;
        EXPECT_NE(host->cache.NameOf(indKeyPortRules::KeyList(t, true), Flex0,
                                     indKeyPortRules::kExternalEmergency),
                  "error");
        EXPECT_NE(
            host->cache.NameOf(indKeyPortRules::InputList(t), Flex0, indKeyPortRules::kKeyFunction),
            "error");
    }
}

// --- edit, save, reopen ---

TEST_F(ListRules, EveryCellKindKeepsItsEditThroughASave)
{
    struct Edit {
        int32_t cat, id, index;
        const char* typed;  // or a choice of `value`
        int32_t value;
        bool kept;  // false: a slot the block map never packs
    };
    const Edit edits[] = {
        {CT_Scan, CL_ScanList_ScanType, 0, nullptr, 2, true},
        {CT_Scan, CL_ScanList_TX_CH, 0, nullptr, 2, true},
        {CT_Scan, CL_ScanList_Prio1_CH, 0, nullptr, 1, true},
        {CT_Scan, CL_ScanList_Prio2_CH, 0, nullptr, 2, true},
        {CT_Scan, CL_ScanList_Cancel_CH, 0, nullptr, 17, true},
        {CT_Scan, CL_ScanList_TX_TalkBack, 0, nullptr, 1, true},
        {CT_Scan, CL_ScanList_Cancel_TalkBack, 0, nullptr, 1, true},
        {CT_Scan, CL_ScanList_DispText, 0, nullptr, 2, true},
        {CT_Scan, CL_ScanList_PwrSave, 0, nullptr, 1, true},
        {CT_Scan, CL_ScanList_TX_Action, 0, nullptr, 1, true},
        {CT_Scan, CL_ScanList_ScanMode, 0, nullptr, 3, true},
        {CT_2Tone_Code, CL_2T_RxFreq_1st, 10, "1234.5", 0, true},
        {CT_2Tone_Code, CL_2T_RxFreq_2nd, 1, "2500.0", 0, true},
        {CT_TX_Code, CL_2TTx_Freq_1st, 31, "700.0", 0, true},
        {CT_TX_Code, CL_2TTx_Freq_2nd, 0, "800.0", 0, true},
        {CT_UserTone, CL_UTone_Encode, 14, "1000.0", 0, true},
        {CT_UserTone, CL_UTone_Dec_Low, 0, "600.0", 0, true},
        {CT_UserTone, CL_UTone_Dec_High, 0, "2000.0", 0, true},
        {CT_UserTone, CL_UTone_TonePeriod, 15, "0.1", 0, true},
        {CT_UserTone, CL_UTone_NotoneTimer, 8, "0.1", 0, true},
        {CT_UserTone, CL_UTone_Length, 4, "1.5", 0, true},
        {CT_Null, CL_KDisp_Key_Conv_Opf1, 0, nullptr, 69, true},
        {CT_Null, CL_KDisp_Key_Conv_LeftDn, 0, nullptr, 3, true},
        {CT_Null, CL_KDisp_Key_Conv_MicB, 0, nullptr, 50, true},
        {CT_Null, CL_ExtPort_PortMode_EPTT, 0, nullptr, 1, true},
        {CT_Null, CL_ExtPort_PortMode_SCI, 0, nullptr, 1, true},
        {CT_Null, CL_ExtPort_PortMode_AFO, 0, nullptr, 1, true},
        {CT_Null, CL_ExtPort_PortMode_IGSW, 0, nullptr, 1, true},
        {CT_Null, CL_ExtPort_InOut_1, 0, nullptr, 2, false},
        {CT_Null, CL_ExtPort_InOut_4_Dir, 0, nullptr, 1, false},
        {CT_Null, CL_ExtPort_Out_1_Logic, 0, nullptr, 1, false},
        {CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 0, "200", 0, false},
        {CT_MSK_AdrRange, CL_Msk_AdrRange_Killer, 0, "12", 0, false},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_FixBaseId, 0, "13", 0, false},
        {CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 2, "300", 0, false},
        {CT_MSK_CallList, CL_Msk_CallList_Adr, 31, "4000", 0, false},
    };
    char path[] = "/tmp/qv_lists_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    const int32_t ranges[] = {0x0000, 0x077F, 1, 0};
    for (const Edit& e : edits) {
        SCOPED_TRACE(IdName(e.id));
        host->work.Fill(0);
        if (e.cat == CT_Scan && e.id != CL_ScanList_ScanType && e.id != CL_ScanList_ScanMode) {
            Img()[0x0ACD] = 0x20;  // a priority scan list with a cancel channel
            Img()[0x0AD1] = 0x11;  // and a transmit channel
        }
        indBlockMap::Pack(host->work);
        const std::vector<uint8_t> saved(Img(), Img() + indMemMap::kImageSize);
        const std::string old = Draw(e.cat, e.id, e.index).text;
        if (e.typed)
            Typed(e.cat, e.id, e.index, e.typed);
        else
            Chosen(e.cat, e.id, e.index, e.value);
        const std::string shown = Draw(e.cat, e.id, e.index).text;
        EXPECT_NE(shown, old);
        const auto unkept = indMemMapStorage::UnkeptEdits(saved.data(), Img());
        EXPECT_EQ(std::count(unkept.begin(), unkept.end(), e.id), e.kept ? 0 : 1);

        indBlockMap::Pack(host->work);
        cmcClnFile out;
        out.AttachImage(&host->work);
        out.SetModelCode(0x3285);
        ASSERT_EQ(out.Write(path, ranges), kClnOk);
        host->work.Fill(0);
        cmcClnFile in;
        in.AttachImage(&host->work);
        in.SetModelCode(0x3285);
        in.SetMapRevCheck([](void*, int) { return true; }, nullptr);
        ASSERT_EQ(in.Read(path, ranges), kClnOk);
        indBlockMap::Unpack(host->work);
        EXPECT_EQ(Draw(e.cat, e.id, e.index).text, e.kept ? shown : old);
    }
    unlink(path);
}

}  // namespace
