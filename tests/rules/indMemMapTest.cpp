// The memory map of the generic settings: where each documented setting lives (checked
// from the radio's documented layout, not from the table), no two settings on the same
// bits, our own storage only where a save keeps it, every editable setting edited, saved
// and reopened, and every list the settings choose from in the shipped overlay.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cells/FlagBitsCodec.h"
#include "cells/cmcCellIds.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcFCache.h"
#include "clonefile/cmcClnFile.h"
#include "common/EventIds.h"
#include "common/cmcEeprom.h"
#include "common/cmcEvMan.h"
#include "model/datCh.h"
#include "model/datClipCh.h"
#include "model/indBlockMap.h"
#include "overlay/cmcGTex.h"
#include "rules/indGenericRules.h"
#include "rules/indMemMapStorage.h"
#include "rules/indMemMapTable.h"
#include "rules/indRuleRequest.h"
#include "rules/indRulesHost.h"
#include "support/CellPopupsRecorder.h"
#include "support/ScopedGlobal.h"

namespace {

constexpr int32_t kSize = 0x1D00;

class Host : public indRulesHost {
public:
    Host()
    {
        work.SetSize(kSize);
        ref.SetSize(kSize);
    }
    cmcEeprom& WorkImage() override { return work; }
    cmcEeprom& ReferenceImage() override { return ref; }
    int ModelType() const override { return model; }
    bool MakerMode() const override { return maker; }
    bool ExtendedMode() const override { return false; }
    bool FactoryMode() const override { return false; }
    cmcFCache& Cache() override { return *g_FCache; }
    ICellPopups* Popups() override { return g_CellPopups; }
    datClipCh* Clipboard() override { return &clip; }
    void StartWarningRecheck() override {}
    void CheckModified() override {}
    void PackWorkImage() override { indBlockMap::Pack(work); }
    int HelpContextOf(int32_t) override { return 0; }
    void ShowHelp(int) override {}
    bool RunCommand(int32_t, int32_t) override { return false; }

    cmcEeprom work;
    cmcEeprom ref;
    datClipCh clip;
    int model = 0;
    bool maker = true;
};

class MemMap : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_texts.Open(std::string(QV_BIN_DIR) + "/TM5150QE.OVL");
        ASSERT_TRUE(m_texts.HasKey("GI_Sheet_Sel_Misc_OnOff_Cells"));
        m_cache = std::make_unique<cmcFCache>(&m_texts);
        m_cacheGlobal.Set(m_cache.get());
        m_grid = reinterpret_cast<cuiGrid*>(&m_gridTag);
    }

    uint8_t* Img() { return m_host.work.Data(); }
    void SetEacc(bool on)
    {
        Img()[0x000B] = static_cast<uint8_t>(on ? (Img()[0x000B] | 0x10) : (Img()[0x000B] & ~0x10));
    }

    // Runs the generic rules on a capsule for (id, index); the capsule's answer.
    cmcCellCapsule Run(int32_t id, int32_t index, cmcCellCapsule c, bool* handled = nullptr)
    {
        m_cell.id = id;
        m_cell.index = index;
        c.cell = &m_cell;
        indRuleRequest r(c, c.grid ? 1 : 0, m_host);
        r.id = id;
        r.index = index;
        const bool h = indGenericRules::Handle(r);
        if (handled)
            *handled = h;
        return c;
    }
    cmcCellCapsule Draw(int32_t id, int32_t index = 0) { return Run(id, index, cmcCellCapsule{}); }
    cmcCellCapsule Key(int32_t id, int32_t index, int32_t key)
    {
        cmcCellCapsule c;
        c.grid = c.owner = m_grid;
        c.key = key;
        return Run(id, index, c);
    }
    cmcCellCapsule Typed(int32_t id, int32_t index, const std::string& text)
    {
        cmcCellCapsule c;
        c.grid = c.owner = m_grid;
        c.inputMode = cmcCellCapsule::kInputText;
        c.inputText = text;
        return Run(id, index, c);
    }
    cmcCellCapsule Chosen(int32_t id, int32_t index, int32_t value)
    {
        m_itemCell.id = Flex0;
        m_itemCell.index = value;
        m_item.Reset();
        m_item.cell = &m_itemCell;
        cmcCellCapsule c;
        c.grid = c.owner = m_grid;
        c.key = cmcCellCapsule::kKeyEnter;
        c.context = &m_item;
        c.inputMode = cmcCellCapsule::kInputChoice;
        return Run(id, index, c);
    }

    cmcGTex m_texts;
    std::unique_ptr<cmcFCache> m_cache;
    CellPopupsRecorder m_popups;
    qvtest::ScopedGlobal<cmcGTex> m_textsGlobal{g_GTex, &m_texts};
    qvtest::ScopedGlobal<cmcFCache> m_cacheGlobal{g_FCache};
    qvtest::ScopedGlobal<ICellPopups> m_popupsGlobal{g_CellPopups, &m_popups};
    Host m_host;
    cmcCellObj m_cell;
    cmcCellObj m_itemCell;
    cmcCellCapsule m_item;
    int m_gridTag = 0;
    cuiGrid* m_grid = nullptr;
};

// --- the documented storage, as the radio's layout states it ---

struct Bits {
    int32_t addr;
    uint8_t mask;
    uint8_t value;
};

struct Documented {
    const char* what;
    int32_t id;
    int32_t index;
    const char* typed;  // typed text, or nullptr for a choice of `choice`
    int32_t choice;
    std::vector<Bits> expect;  // every bit the edit may change, with its new value
};

const Documented kDocumented[] = {
    {"backlight: bits 0-3 of 013E", CL_SetM_Backlight, 0, nullptr, 3, {{0x013E, 0x0F, 0x03}}},
    {"beep on: bit 7 of 0130", CL_SetM_BeepOn, 0, nullptr, 1, {{0x0130, 0x80, 0x80}}},
    {"beep level 105: level 5 in bits 0-3 of 0130, flag bit 6",
     CL_SetM_BeepLev,
     0,
     nullptr,
     105,
     {{0x0130, 0x4F, 0x45}}},
    {"beep level 7: no flag", CL_SetM_BeepLev, 0, nullptr, 7, {{0x0130, 0x4F, 0x07}}},
    {"squelch level: byte 0131", CL_SetM_SqlLev, 0, nullptr, 7, {{0x0131, 0xFF, 0x07}}},
    {"AF minimum level: byte 0132", CL_SetM_AFMinLev, 0, "200", 0, {{0x0132, 0xFF, 200}}},
    {"ringer timer: byte 0135", CL_SetM_RingerTimer, 0, "16", 0, {{0x0135, 0xFF, 16}}},
    {"scroll timer: byte 12D8 in tenths", CL_KDisp_ScrollTimer, 0, "2.5", 0, {{0x12D8, 0xFF, 25}}},
    {"GPS interval: byte 12DA in 30 s steps",
     CL_Msk_Cfg_Gps_IntervalTimer,
     0,
     "1:00",
     0,
     {{0x12DA, 0xFF, 2}}},
    {"check timer: 16-bit 1A30 in ms",
     CL_Dig_Tim_Chk,
     0,
     "0.5",
     0,
     {{0x1A30, 0xFF, 0x01}, {0x1A31, 0xFF, 0xF4}}},
    {"L0 level: byte 1A38, signed", CL_Dig_Tim_L0Level, 0, "-110", 0, {{0x1A38, 0xFF, 0x92}}},
    {"DTCS decode: byte 0023 = value - 11",
     CL_Maker_Dtcs_Decode,
     0,
     "12",
     0,
     {{0x0023, 0xFF, 0x01}}},
    {"IF frequency: 32-bit 0010 in millionths",
     CL_Maker_IfFreq,
     0,
     "1.025",
     0,
     {{0x0010, 0xFF, 0x00}, {0x0011, 0xFF, 0x0F}, {0x0012, 0xFF, 0xA3}, {0x0013, 0xFF, 0xE8}}},
    {"MDC sync threshold of system 2: byte 1B93 + 52",
     CL_Mdc_General_Rx_Sync_Threshold,
     2,
     "35",
     0,
     {{0x1B93 + 52, 0xFF, 35}}},
    {"maximum alert 103: bits 0-3 of 0BCA, flag bit 6",
     CL_Emer_Setting_MaxAlert,
     0,
     nullptr,
     103,
     {{0x0BCA, 0x4F, 0x43}}},
    {"hook-off suspend 5 = 09FD bit 4 (4) + bit 5 (2) + 09D5 bit 4 (1)",
     CL_KDisp_HangAct_ScanSuspend,
     0,
     nullptr,
     5,
     {{0x09FD, 0x30, 0x10}, {0x09D5, 0x10, 0x10}}},
    {"hook-off suspend 2",
     CL_KDisp_HangAct_ScanSuspend,
     0,
     nullptr,
     2,
     {{0x09FD, 0x30, 0x20}, {0x09D5, 0x10, 0x00}}},
    {"power-on scan 3 = 09D1 bit 7 (2) + 0A1A bit 1",
     CL_ScanComm_PwrOnScan,
     0,
     nullptr,
     3,
     {{0x09D1, 0x80, 0x80}, {0x0A1A, 0x02, 0x02}}},
    {"RS-232C mode 6 = 09FD bit 3 (4) + 09CE bits 4-5",
     CL_Comm_RS232C_Mode,
     0,
     nullptr,
     6,
     {{0x09FD, 0x08, 0x08}, {0x09CE, 0x30, 0x20}}},
    {"ten-key 2 = 0A10 bit 3 (2) + 09D0 bit 4",
     CL_KDisp_Tenkey_Select,
     0,
     nullptr,
     2,
     {{0x0A10, 0x08, 0x08}, {0x09D0, 0x10, 0x00}}},
    {"ten-key 1",
     CL_KDisp_Tenkey_Select,
     0,
     nullptr,
     1,
     {{0x0A10, 0x08, 0x00}, {0x09D0, 0x10, 0x10}}},
    {"smart ring beep 5 = 0A10 bit 2 (4) + bits 0-1",
     CL_Comm_SmartRing_Beep,
     0,
     nullptr,
     5,
     {{0x0A10, 0x07, 0x05}}},
    {"rotary 6 = 09D3 bit 4 (4) + bit 3 (2)",
     CL_KDisp_RotarySel,
     0,
     nullptr,
     6,
     {{0x09D3, 0x18, 0x18}}},
    {"rotary 2", CL_KDisp_RotarySel, 0, nullptr, 2, {{0x09D3, 0x18, 0x08}}},
    {"set-mode access: bit 3 of 000B",
     CL_Maker_SetModeAccess,
     0,
     nullptr,
     1,
     {{0x000B, 0x08, 0x08}}},
    {"time-out timer: bit 7 of 1A41", CL_Comm_Tot, 0, nullptr, 1, {{0x1A41, 0x80, 0x80}}},
    {"user password: 4 digits in nibbles at 09AE",
     CL_Comm_UserPassword,
     0,
     "1234",
     0,
     {{0x09AE, 0xFF, 0x12}, {0x09AF, 0xFF, 0x34}}},
    {"dealer passcode: 6 digits in nibbles at 09B0",
     CL_Comm_DealerPasscode,
     0,
     "123456",
     0,
     {{0x09B0, 0xFF, 0x12}, {0x09B1, 0xFF, 0x34}, {0x09B2, 0xFF, 0x56}}},
    {"clone password text at 0A1C",
     CL_Comm_ClonePasswordStr,
     0,
     "AB",
     0,
     {{0x0A1C, 0xFF, 'A'}, {0x0A1D, 0xFF, 'B'}}},
    {"clone comment 1 at 0A2C, space-filled",
     CL_Comm_CloneComment1,
     0,
     "HI",
     0,
     {{0x0A2C, 0xFF, 'H'},
      {0x0A2D, 0xFF, 'I'},
      {0x0A2E, 0xFF, ' '},
      {0x0A3B, 0xFF, ' '},
      {0x0A2F, 0xFF, ' '},
      {0x0A30, 0xFF, ' '},
      {0x0A31, 0xFF, ' '},
      {0x0A32, 0xFF, ' '},
      {0x0A33, 0xFF, ' '},
      {0x0A34, 0xFF, ' '},
      {0x0A35, 0xFF, ' '},
      {0x0A36, 0xFF, ' '},
      {0x0A37, 0xFF, ' '},
      {0x0A38, 0xFF, ' '},
      {0x0A39, 0xFF, ' '},
      {0x0A3A, 0xFF, ' '}}},
    {"DTMF memory 1: digits two to a byte from 0AE4, count in byte 12",
     CL_Dtmf_Code,
     1,
     "123",
     0,
     {{0x0AE4, 0xFF, 0x12}, {0x0AE5, 0xFF, 0x30}, {0x0AF0, 0xFF, 0x03}}},
    {"EPTT/foot switch select: bit 1 of 09D5",
     CL_Exp_Select_ExPttFtsw,
     0,
     nullptr,
     1,
     {{0x09D5, 0x02, 0x02}}},
};

TEST_F(MemMap, DocumentedStorageIsWhereTheRadioKeepsIt)
{
    for (const auto& d : kDocumented) {
        SCOPED_TRACE(d.what);
        m_host.work.Fill(0);
        SetEacc(true);
        std::vector<uint8_t> before(Img(), Img() + kSize);
        if (d.typed)
            Typed(d.id, d.index, d.typed);
        else
            Chosen(d.id, d.index, d.choice);
        std::map<int32_t, uint8_t> allowed;
        for (const auto& b : d.expect) {
            EXPECT_EQ(Img()[b.addr] & b.mask, b.value) << std::hex << b.addr;
            allowed[b.addr] |= b.mask;
        }
        for (int32_t a = 0; a < kSize; ++a)
            EXPECT_EQ((before[a] ^ Img()[a]) & ~allowed[a] & 0xFF, 0)
                << "stray change at " << std::hex << a;
    }
}

TEST_F(MemMap, ExtendedAccessBitIsBit4Of000BAndRebuildsTheTree)
{
    cmcEvMan events;
    qvtest::ScopedGlobal<cmcEvMan> global{g_EvMan, &events};
    int rebuilds = 0;
    events.Subscribe(
        [](void* context, const cmcEvent& e) {
            if (e.id == ev::kTreeRebuilt)
                ++*static_cast<int*>(context);
        },
        &rebuilds);
    Chosen(CL_Maker_ExtModeAccess, 0, 1);
    EXPECT_EQ(Img()[0x000B], 0x10);
    EXPECT_EQ(rebuilds, 1);
    Chosen(CL_Maker_ExtModeAccess, 0, 1);  // no change, no rebuild
    EXPECT_EQ(rebuilds, 1);
}

TEST_F(MemMap, DocumentedTextSlots)
{
    // 13 digital messages of 8 characters at 1A44, 1A4C, ... 1AA4, in list order.
    for (int i = 0; i < 13; ++i) {
        m_host.work.Fill(0);
        Typed(CL_Dig_ProgMes_Busy + i, 0, "8");
        EXPECT_NE(Img()[0x1A44 + 8 * i], 0) << i;
    }
    // Set-mode item texts: 4 characters in the 13 slots 1AC4 .. 1B24; indications: 3
    // characters in the 9 slots 1B44 .. 1B84. No two cells share a slot.
    auto slotsOf = [&](int32_t firstId, int ids, int32_t base, int slots, int len) -> size_t {
        std::set<int32_t> used;
        for (int32_t id = firstId; id < firstId + ids; ++id) {
            m_host.work.Fill(0);
            bool handled = false;
            cmcCellCapsule c;
            c.grid = c.owner = m_grid;
            c.inputMode = cmcCellCapsule::kInputText;
            c.inputText = "8888";
            Run(id, 0, c, &handled);
            if (!handled)
                continue;
            int32_t slot = -1;
            for (int32_t a = 0; a < kSize; ++a)
                if (Img()[a]) {
                    EXPECT_GE(a, base) << id;
                    EXPECT_LT((a - base) % 8, len) << id;
                    slot = (a - base) / 8;
                }
            EXPECT_GE(slot, 0) << id;
            EXPECT_LT(slot, slots) << id;
            EXPECT_TRUE(used.insert(slot).second) << id;
        }
        return used.size();
    };
    EXPECT_EQ(slotsOf(CL_TSetM_Backlight, 21, 0x1AC4, 13, 4), 13u);
    EXPECT_EQ(slotsOf(CL_TSetI_OFF, 9, 0x1B44, 9, 3), 9u);
}

TEST_F(MemMap, UserSetModeBitsAreDistinctBitsOf09BE)
{
    std::set<std::pair<int32_t, int>> bits;
    for (int32_t id = CL_USetM_Backlight; id <= CL_USetM_LoneWorker; ++id) {
        bool handled = false;
        m_host.work.Fill(0);
        Run(id, 0, cmcCellCapsule{}, &handled);
        if (!handled)
            continue;
        Chosen(id, 0, 1);
        int n = 0;
        for (int32_t a = 0; a < kSize; ++a)
            for (int b = 0; b < 8; ++b)
                if (Img()[a] >> b & 1) {
                    ++n;
                    EXPECT_TRUE(a == 0x09BE || a == 0x09BF) << id;
                    EXPECT_FALSE(a == 0x09BF && b == 0) << "bit number 15 is beyond the array";
                    EXPECT_TRUE(bits.insert({a, b}).second) << id;
                }
        EXPECT_EQ(n, 1) << id;
    }
    EXPECT_GE(bits.size(), 13u);
}

// Storage of the cells that special rules edit: the table's storage for them is what the
// radio's layout says (channel 2: record A at 0780 + 28 = 079C, record B at 08EE + 24 = 0906).
struct Placed {
    int32_t id;
    int32_t index;
    std::vector<std::pair<int32_t, uint8_t>> bits;
};

const Placed kPlaced[] = {
    {CL_Mch_Inh, 2, {{0x079C, 0x80}}},
    {CL_Mch_FreqR_Pmr, 2, {{0x079C, 0x7F}, {0x079D, 0xFF}, {0x079E, 0xFF}, {0x079F, 0xFF}}},
    {CL_Mch_TxInh, 2, {{0x07A0, 0x80}}},
    {CL_Mch_FreqT, 2, {{0x07A0, 0x7F}, {0x07A1, 0xFF}, {0x07A2, 0xFF}, {0x07A3, 0xFF}}},
    {CL_Mch_CTone_R, 2, {{0x07A4, 0xFF}, {0x07A5, 0xFF}}},
    {CL_Mch_CTone_T_Pmr, 2, {{0x07A6, 0xFF}, {0x07A7, 0xFF}}},
    {CL_Mch_Dig_Sig, 2, {{0x07A8, 0x03}}},
    {CL_Mch_Nar, 2, {{0x07A8, 0x40}}},
    {CL_Mch_Scan_List, 2, {{0x07A9, 0xFF}}},
    {CL_Mch_PwrSave, 2, {{0x0906, 0x80}}},
    {CL_Mch_Moni_Pmr, 2, {{0x0906, 0x40}, {0x0907, 0x08}, {0x0908, 0x30}}},
    {CL_Mch_Scan_ListSel, 2, {{0x0906, 0x20}}},
    {CL_Mch_Tot, 2, {{0x0906, 0x10}}},
    {CL_Mch_Lockout_Pmr, 2, {{0x0906, 0x0C}}},
    {CL_Mch_RfPo, 2, {{0x0906, 0x03}}},
    {CL_Mch_Log, 2, {{0x0907, 0xF0}}},
    {CL_Mch_Sql_Tight, 2, {{0x0907, 0x04}}},
    {CL_Mch_Scan_Inc, 2, {{0x0907, 0x02}}},
    {CL_Mch_CH_Mute_Pmr, 2, {{0x0907, 0x01}}},
    {CL_Mch_Sel_Pmr, 2, {{0x0908, 0xC0}}},
    {CL_Mch_Call_Pmr, 2, {{0x0908, 0x08}}},
    {CL_Mch_PTT_Pmr, 2, {{0x0908, 0x04}}},
    {CL_Mch_AutoReset, 2, {{0x0908, 0x02}}},
    {CL_Mch_AutoResetPmr, 2, {{0x0908, 0x03}}},
    {CL_Mch_SigType_Log_Lmr, 2, {{0x0909, 0x80}, {0x090A, 0x20}}},
    {CL_Mch_Log_Msk, 2, {{0x0909, 0x80}}},
    {CL_Mch_Scrm_On, 2, {{0x0909, 0x60}}},
    {CL_Mch_Compander, 2, {{0x0909, 0x10}}},
    {CL_Mch_Msk_Sig, 2, {{0x0909, 0x08}}},
    {CL_Mch_Msk_Rpt, 2, {{0x0909, 0x04}}},
    {CL_Mch_Msk_SendStatus, 2, {{0x0909, 0x02}}},
    {CL_Mch_AutoChScan, 2, {{0x0909, 0x01}}},
    {CL_Mch_SigType_Emg_Lmr, 2, {{0x090A, 0xC0}}},
    {CL_Mch_Mdc_On, 2, {{0x090A, 0x20}}},
    {CL_Mch_SigType_Dec_Lmr, 2, {{0x090A, 0x10}}},
    {CL_Mch_Mdc_System_Pmr, 2, {{0x090A, 0x0F}}},
    {CL_Mch_Scrm_Code, 2, {{0x090B, 0xFF}}},
    {CL_Mch_Form_Pmr, 2, {{0x090C, 0x0F}}},
    {CL_Mch_Pos_Pmr, 2, {{0x090C, 0xC0}}},
    {CL_Mch_Rpt_C_Pmr, 2, {{0x090D, 0x7F}}},
    {CL_Mch_Rpt_L_Pmr, 2, {{0x090D, 0x80}}},
    {CL_Mch_Stn_C_Pmr, 2, {{0x090E, 0x7F}}},
    {CL_Mch_Stn_L_Pmr, 2, {{0x090E, 0x80}}},
    {CL_Mch_2Tone, 2, {{0x090E, 0x7F}}},
    {CL_Mch_Id_C_Pmr, 2, {{0x090F, 0x7F}}},
    {CL_Mch_Id_L_Pmr, 2, {{0x090F, 0x80}}},
    {CL_Mch_RxCNo_Pmr, 2, {{0x0910, 0xFF}}},
    {CL_Mch_RxCNo2, 2, {{0x0910, 0xFF}, {0x0911, 0xC0}}},
    {CL_Mch_Atr, 2, {{0x0145, 0xFF}, {0x0146, 0xFF}, {0x0BC5, 0xFF}, {0x0BC6, 0x40}}},
    {CL_KDisp_Key_Conv_Opf1, 0, {{0x0860, 0xFF}, {0x0A1B, 0x80}}},
    {CL_KDisp_Key_Conv_RightDn, 0, {{0x0861, 0xFF}}},
    {CL_KDisp_Key_Conv_LeftUp, 0, {{0x0862, 0xFF}}},
    {CL_KDisp_Key_Conv_LeftDn, 0, {{0x0863, 0xFF}}},
    {CL_KDisp_Key_Conv_P0, 0, {{0x0864, 0xFF}}},
    {CL_KDisp_Key_Conv_P3, 0, {{0x0867, 0xFF}}},
    {CL_KDisp_Key_Conv_MicUp, 0, {{0x0864, 0xFF}}},
    {CL_KDisp_Key_Conv_MicB, 0, {{0x0867, 0xFF}}},
    {CL_ExtPort_PortMode_EPTT, 0, {{0x09D5, 0x02}}},
    {CL_ExtPort_PortMode_SCI, 0, {{0x09FD, 0x80}}},
    {CL_ExtPort_PortMode_AFO, 0, {{0x09FD, 0x40}}},
    {CL_ExtPort_PortMode_IGSW, 0, {{0x0148, 0x02}}},
    {CL_ExtPort_InOut_1, 0, {{0x1CB7, 0xFF}, {0x1CD2, 0xFF}}},
    {CL_ExtPort_InOut_4_Dir, 0, {{0x1CBC, 0x80}}},
    {CL_ExtPort_In_1_Logic, 0, {{0x1CBE, 0x40}}},
    {CL_ExtPort_Out_1, 0, {{0x1CC1, 0xFF}, {0x1CD7, 0xFF}}},
    {CL_Msk_AdrRange_Killer, 0, {{0x126E, 0xFF}, {0x126F, 0xFF}}},
    {CL_Msk_AdrRange_Group, 0, {{0x126A, 0xFF}, {0x126B, 0xFF}}},
    {CL_Msk_Cfg_Status_FixBaseId, 0, {{0x12D0, 0xFF}, {0x12D1, 0xFF}}},
    {CL_Msk_Cfg_Gps_FixBaseId, 0, {{0x12D2, 0xFF}, {0x12D3, 0xFF}}},
    {CL_UTone_TonePeriod, 3, {{0x0AA9, 0xFF}}},
    {CL_UTone_NotoneTimer, 3, {{0x0AB2, 0xFF}}},
    {CL_UTone_Length, 3, {{0x0ABB, 0xFF}}},
    {CL_CEdit, 3, {{0x119C, 0xFF}, {0x119D, 0xFF}}},
    {CL_CTone_TX, 1, {{0x11FC, 0xE0}, {0x11FC, 0x01}, {0x11FD, 0xFF}}},
    {CL_CTone_RX,
     1,
     {{0x11FA, 0xE0},
      {0x11FA, 0x01},
      {0x11FB, 0xFF},
      {0x11FC, 0xE0},
      {0x11FC, 0x01},
      {0x11FD, 0xFF}}},
    {CL_Maker_Liion_Normal_Low1, 0, {{0x0030, 0xFF}}},
    {CL_Maker_Liion_Dry_Low2, 0, {{0x0037, 0xFF}}},
    {CL_Maker_NiMH_Low1, 0, {{0x0020, 0xFF}}},
    {CL_Maker_NiMH_Low3, 0, {{0x0022, 0xFF}}},
};

TEST_F(MemMap, StorageOfTheSpeciallyRuledCellsIsTheRadiosLayout)
{
    for (const auto& p : kPlaced) {
        const indMemMapRow* row = indMemMapTable::Find(p.id);
        ASSERT_NE(row, nullptr) << IdName(p.id);
        EXPECT_EQ(row->origin, mmOrigin::Given) << IdName(p.id);
        auto got = indMemMapStorage::Footprint(*row, p.index);
        auto want = p.bits;
        std::sort(got.begin(), got.end());
        std::sort(want.begin(), want.end());
        EXPECT_EQ(got, want) << IdName(p.id);
    }
}

// --- conditions ---

TEST_F(MemMap, MakerCellsAreEmptyAndDeafOutsideMakerMode)
{
    m_host.maker = false;
    Img()[0x0023] = 5;
    EXPECT_EQ(Draw(CL_Maker_Dtcs_Decode).text, "");
    Typed(CL_Maker_Dtcs_Decode, 0, "12");
    EXPECT_EQ(Img()[0x0023], 5);
    m_host.maker = true;
    EXPECT_EQ(Draw(CL_Maker_Dtcs_Decode).text, "16");
}

TEST_F(MemMap, DigitalTimersAndTimeOutActOnlyWithExtendedAccess)
{
    Img()[0x1A38] = 0x92;
    SetEacc(false);
    EXPECT_EQ(Draw(CL_Dig_Tim_L0Level).text, "");
    Chosen(CL_Comm_Tot, 0, 1);
    EXPECT_EQ(Img()[0x1A41], 0);
    SetEacc(true);
    EXPECT_EQ(Draw(CL_Dig_Tim_L0Level).text, "-110");
}

TEST_F(MemMap, ZeroShowsTheOverlayTextWhenNoKeyIsHandled)
{
    EXPECT_EQ(Draw(CL_Comm_Tot_Reset).text, m_texts.GetText("GI_AppInd_TimerOff"));
    EXPECT_EQ(Draw(CL_Emer_Setting_RptCycle).text, m_texts.GetText("GI_AppInd_CounterInfinite"));
    Img()[0x0BD0] = 3;
    EXPECT_EQ(Draw(CL_Emer_Setting_RptCycle).text, "3");
}

TEST_F(MemMap, TenKeyListFollowsTheModelType)
{
    m_host.model = 2;
    Chosen(CL_KDisp_Tenkey_Select, 0, 3);
    EXPECT_EQ(Draw(CL_KDisp_Tenkey_Select).text,
              m_cache->NameOf("GI_Sheet_Sel_KDisp_Tenkey", Flex0, 3));
    m_host.model = 0;
    EXPECT_EQ(Draw(CL_KDisp_Tenkey_Select).text,
              m_cache->NameOf("GI_Sheet_Sel_KDisp_Tenkey_Normal", Flex0, 3));
}

TEST_F(MemMap, MdcRowLabelsShowTheIndexAndIgnoreTyping)
{
    EXPECT_EQ(Draw(CL_Mdc_System_List_Text, 3).text, "Sys 3");
    EXPECT_EQ(Typed(CL_Mdc_Stun_Text, 2, "XYZ").text, "STUN 2");
    EXPECT_EQ(Draw(CL_Mdc_RadioChk_Text, 0).text, "RdoC 0");
}

TEST_F(MemMap, IdentifiersOutsideTheTableAndSpecialRowsAreLeftToOthers)
{
    bool handled = true;
    Run(CL_Mch_FreqR, 0, cmcCellCapsule{}, &handled);
    EXPECT_FALSE(handled);
    Run(CL_KDisp_Key_Conv_P0, 0, cmcCellCapsule{}, &handled);
    EXPECT_FALSE(handled);
}

// --- no two rows on the same bits ---

// Rows the radio's layout puts on the same bits on purpose.
const std::set<std::pair<int32_t, int32_t>> kSharedBits = {
    // The three DTMF code cells edit one memory (the row decides which cell a sheet shows).
    {CL_Dtmf_Code, CL_Dtmf_CodeID},
    {CL_Dtmf_Code, CL_Dtmf_CodeEmer},
    {CL_Dtmf_CodeID, CL_Dtmf_CodeEmer},
    // The microphone keys are the bytes of keys P0 to P3.
    {CL_KDisp_Key_Conv_P0, CL_KDisp_Key_Conv_MicUp},
    {CL_KDisp_Key_Conv_P1, CL_KDisp_Key_Conv_MicDn},
    {CL_KDisp_Key_Conv_P2, CL_KDisp_Key_Conv_MicA},
    {CL_KDisp_Key_Conv_P3, CL_KDisp_Key_Conv_MicB},
    // The EPTT port mode bit is also the external PTT / foot switch selection.
    {CL_ExtPort_PortMode_EPTT, CL_Exp_Select_ExPttFtsw},
    // The transmit tone of a tone pair follows the receive tone while they are the same.
    {CL_CTone_RX, CL_CTone_TX},
    // Memory channel fields: the plain and "_Pmr" cells are one field for different model
    // types (see SameFieldOtherModel); these pairs are one field read in two ways.
    {CL_Mch_AutoReset, CL_Mch_AutoResetPmr},
    {CL_Mch_SigType_Log_Lmr, CL_Mch_Log_Msk},
    {CL_Mch_SigType_Log_Lmr, CL_Mch_Mdc_On},
    {CL_Mch_2Tone, CL_Mch_Stn_C_Pmr},  // kinds 1 and 4 against kinds 2 and 3
    {CL_Mch_RxCNo_Pmr, CL_Mch_RxCNo2},
    // The 2-tone no-tone timer is the first user tone's no-tone byte.
    {CL_2T_NotoneTimer, CL_UTone_NotoneTimer},
    // Record kind 10 holds the 2-tone transmit codes of the LMR models and the 5-tone
    // transmit codes of the PMR models.
    {CL_5TTx_TxCode, CL_2TTx_Freq_1st},
    {CL_5TTx_TxCode, CL_2TTx_Freq_2nd},
    // The cancel channel's list value carries the cancel talk-back.
    {CL_ScanList_Cancel_CH, CL_ScanList_Cancel_TalkBack},
};

// A channel cell and its "_Pmr" twin edit the same field under different model types.
bool SameFieldOtherModel(int32_t a, int32_t b)
{
    std::string x = IdName(a), y = IdName(b);
    if (x.size() > y.size())
        std::swap(x, y);
    return y == x + "_Pmr" || y == x + "Pmr";
}

TEST_F(MemMap, NoTwoRowsShareBitsExceptTheDocumentedOnes)
{
    std::map<std::pair<int32_t, int>, int32_t> owner;
    std::set<std::pair<int32_t, int32_t>> reported;
    for (const auto& row : indMemMapTable::Rows()) {
        for (int32_t i = row.firstIndex; i < row.firstIndex + row.count; ++i)
            for (const auto& [addr, mask] : indMemMapStorage::Footprint(row, i))
                for (int b = 0; b < 8; ++b) {
                    if (!(mask >> b & 1))
                        continue;
                    auto [it, fresh] = owner.emplace(std::make_pair(addr, b), row.id);
                    if (fresh || it->second == row.id)
                        continue;
                    const auto key = std::minmax(it->second, row.id);
                    if (!reported.insert({key.first, key.second}).second)
                        continue;
                    const auto* ra = indMemMapTable::Find(key.first);
                    const auto* rb = indMemMapTable::Find(key.second);
                    // Block 17 holds the 5-tone codes (kind 9) of the PMR models and the
                    // 2-tone codes (kind 12) of the others.
                    const bool otherModels =
                        ra && rb &&
                        ((ra->kind == 9 && rb->kind == 12) || (ra->kind == 12 && rb->kind == 9));
                    EXPECT_TRUE(otherModels || kSharedBits.count({key.first, key.second}) ||
                                kSharedBits.count({key.second, key.first}) ||
                                SameFieldOtherModel(key.first, key.second))
                        << IdName(it->second) << " and " << IdName(row.id) << " share bit " << b
                        << " of " << std::hex << addr;
                }
    }
}

TEST_F(MemMap, OneRowPerIdentifierInOrder)
{
    const auto& rows = indMemMapTable::Rows();
    for (size_t k = 1; k < rows.size(); ++k)
        EXPECT_LT(rows[k - 1].id, rows[k].id) << IdName(rows[k].id);
}

// --- where our own storage may go ---

bool PreparationTouches(int32_t addr, uint8_t mask, int kind = 0)
{
    // Bytes and bits that image preparation copies from the reference image or derives, and
    // the header fields that pack writes.
    struct Span {
        int32_t first, last;
        uint8_t mask;
    };
    static const Span spans[] = {
        {0x0000, 0x0003, 0xFF},
        {0x0008, 0x000A, 0xFF},
        {0x0020, 0x0022, 0xFF},
        {0x0030, 0x0037, 0xFF},
        {0x0100, 0x010B, 0xFF},
        // written by pack: data addresses and the directory header
        {0x0110, 0x0117, 0xFF},
        {0x0120, 0x0127, 0xFF},
        {0x0140, 0x0151, 0xFF},
        {0x08EA, 0x08EC, 0xFF},
        {0x08ED, 0x08ED, 0xC0},
        {0x09B3, 0x09B3, 0x04},
        {0x09CF, 0x09CF, 0x23},
        {0x09D0, 0x09D0, 0x06},
        {0x09D1, 0x09D1, 0x41},
        {0x09D2, 0x09D2, 0xE0},
        {0x09D3, 0x09D3, 0x80},
        {0x09D4, 0x09D4, 0xEE},
        {0x09DE, 0x09DE, 0xFF},
        {0x09E2, 0x09E2, 0xFF},
        {0x09F0, 0x09F0, 0xFF},
        {0x09FE, 0x0A0F, 0xFF},
        {0x0A11, 0x0A12, 0xFF},
        {0x0A18, 0x0A19, 0xFF},
        {0x0A1A, 0x0A1A, 0xF8},
        {0x0BAE, 0x0BAF, 0xFF},
        {0x0BC6, 0x0BC6, 0x80},
        {0x0BDC, 0x0DC5, 0xFF},
    };
    for (const auto& s : spans)
        if (addr >= s.first && addr <= s.last && (mask & s.mask))
            return true;
    // Record bits: the eleven block-17 records (0B40 + 10 i): byte 4, bits 7, 6 and 3 of byte
    // 6, bit 6 of byte 7, bit 7 of byte 8; bit 4 of 0B01 + 2 i; the ID groups (122A + 8 i):
    // bytes 2 and 3, bits 7-3 of bytes 4 and 5, bit 7 of byte 6; bits 7 and 6 of
    // 1278 + 2 i + 1; bit 6 of 1400 + 12 i + 8.
    auto in = [&](int32_t base, int stride, int count, int offset, uint8_t m) {
        const int32_t rel = addr - base - offset;
        return rel >= 0 && rel % stride == 0 && rel / stride < count && (mask & m);
    };
    // The LMR-only steps (model type 0: block 17 byte 4 and the bits of bytes 6 to 8; model
    // types 0 and 3: bit 4 of 0B01 + 2 i) do not touch the PMR 5-tone codes (kinds 9, 10).
    const bool pmrCodes = kind == 9 || kind == 10;
    if (in(0x0B40, 10, 11, 6, 0x08))
        return true;
    if (!pmrCodes &&
        (in(0x0B40, 10, 11, 4, 0xFF) || in(0x0B40, 10, 11, 6, 0xC0) ||
         in(0x0B40, 10, 11, 7, 0x40) || in(0x0B40, 10, 11, 8, 0x80) || in(0x0B00, 2, 32, 1, 0x10)))
        return true;
    return in(0x122A, 8, 8, 2, 0xFF) || in(0x122A, 8, 8, 3, 0xFF) || in(0x122A, 8, 8, 4, 0xF8) ||
           in(0x122A, 8, 8, 5, 0xF8) || in(0x122A, 8, 8, 6, 0x80) || in(0x1278, 2, 32, 1, 0xC0) ||
           in(0x1400, 12, 24, 8, 0x40);
}

TEST_F(MemMap, OurStorageIsKeptBySavesAndUntouchedByPreparation)
{
    for (const auto& row : indMemMapTable::Rows()) {
        if (row.pattern == mmPattern::Disabled || row.pattern == mmPattern::Special)
            continue;
        SCOPED_TRACE(IdName(row.id));
        // Fields we placed inside the radio's own records keep clear of preparation too.
        if (row.origin != mmOrigin::Ours) {
            for (int32_t i = row.firstIndex; i < row.firstIndex + row.count; ++i)
                for (const auto& [addr, mask] : indMemMapStorage::Footprint(row, i))
                    EXPECT_TRUE(!PreparationTouches(addr, mask, row.kind) || row.kind == 0)
                        << std::hex << addr;
            continue;
        }
        EXPECT_TRUE(indMemMapStorage::RowSurvivesSave(row));
        for (int32_t i = row.firstIndex; i < row.firstIndex + row.count; ++i)
            for (const auto& [addr, mask] : indMemMapStorage::Footprint(row, i)) {
                EXPECT_FALSE(PreparationTouches(addr, mask, row.kind)) << std::hex << addr;
                // Maker settings in the maker area of the header, and only they.
                EXPECT_EQ(addr < 0x0100, (row.flags & mmMaker) != 0) << std::hex << addr;
                // The adjustment bytes from 0040 on belong to the adjustment cells.
                EXPECT_FALSE(addr >= 0x0040 && addr < 0x0100) << std::hex << addr;
            }
    }
}

TEST_F(MemMap, RecordFieldsAreBitsTheRecordCarries)
{
    // Preparation resets records "keeping their fields": the bits the record's decoder does
    // not know come from the reference image, so a setting there would be undone.
    for (const auto& row : indMemMapTable::Rows()) {
        if (row.kind == 0 || row.pattern == mmPattern::Special)
            continue;
        for (int p = 0; p < row.partCount; ++p)
            for (int k = 0; k < indMemMapStorage::PartBytes(row.parts[p]); ++k) {
                const uint8_t mask = indMemMapStorage::PartMask(row.parts[p], k);
                const uint8_t known =
                    datCh::KnownBits(row.kind, row.recordPart, row.parts[p].addr + k);
                EXPECT_EQ(mask & ~known & 0xFF, 0)
                    << IdName(row.id) << " byte " << row.parts[p].addr + k;
            }
    }
}

// --- every editable row: typed, saved, reopened ---

bool Editable(const indMemMapRow& row)
{
    return row.pattern != mmPattern::Special && row.pattern != mmPattern::Disabled &&
           row.partCount > 0;
}

TEST_F(MemMap, EveryEditableRowChangesOnlyItsBitsAndSurvivesSaveAndReopen)
{
    char path[] = "/tmp/qv_memmap_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    const int32_t ranges[] = {0x0000, 0x077F, 1, 0};
    int edited = 0;
    for (const auto& row : indMemMapTable::Rows()) {
        if (!Editable(row))
            continue;
        SCOPED_TRACE(IdName(row.id));
        const int32_t index = row.firstIndex + row.count - 1;  // the last index, the furthest
        m_host.work.Fill(0);
        SetEacc(true);
        indBlockMap::Pack(m_host.work);
        std::vector<uint8_t> saved(Img(), Img() + kSize);
        const std::string old = Draw(row.id, index).text;

        // A new valid value: typed for texts and digits, a step for the rest.
        switch (row.codec) {
            case mmCodec::TextCodec:
            case mmCodec::SegText:
            case mmCodec::Dtmf:
            case mmCodec::FiveTone:
                Typed(row.id, index, "12");
                break;
            case mmCodec::Digit:
            case mmCodec::CodeNumber:
                Typed(row.id, index, "7");
                break;
            case mmCodec::HexDigits:
                Typed(row.id, index, "1");
                break;
            default:
                if (row.flags & mmNoStepping)
                    Typed(row.id, index, "1.025");
                else
                    Key(row.id, index, cmcCellCapsule::kKeySpace);
        }
        const std::string shown = Draw(row.id, index).text;
        EXPECT_NE(shown, old);

        // Only the row's bits changed.
        std::map<int32_t, uint8_t> own;
        for (const auto& [addr, mask] : indMemMapStorage::Footprint(row, index))
            own[addr] |= mask;
        bool any = false;
        for (int32_t a = 0; a < kSize; ++a) {
            const uint8_t diff = saved[a] ^ Img()[a];
            any = any || diff;
            EXPECT_EQ(diff & ~own[a] & 0xFF, 0) << "stray change at " << std::hex << a;
        }
        EXPECT_TRUE(any);

        // Save to a clone file and open it again.
        const bool kept = indMemMapStorage::RowSurvivesSave(row);
        const auto unkept = indMemMapStorage::UnkeptEdits(saved.data(), Img());
        EXPECT_EQ(std::count(unkept.begin(), unkept.end(), row.id), kept ? 0 : 1);
        indBlockMap::Pack(m_host.work);
        cmcClnFile out;
        out.AttachImage(&m_host.work);
        out.SetModelCode(0x3285);
        ASSERT_EQ(out.Write(path, ranges), kClnOk);
        m_host.work.Fill(0);
        cmcClnFile in;
        in.AttachImage(&m_host.work);
        in.SetModelCode(0x3285);
        in.SetMapRevCheck([](void*, int) { return true; }, nullptr);
        ASSERT_EQ(in.Read(path, ranges), kClnOk);
        indBlockMap::Unpack(m_host.work);
        if (row.flags & mmNeedEacc)
            SetEacc(true);
        // Settings in slots the block map never packs are lost by design; the edit path
        // names them (UnkeptEdits) so that a save or write can ask first.
        EXPECT_EQ(Draw(row.id, index).text, kept ? shown : old);
        ++edited;
    }
    unlink(path);
    EXPECT_GT(edited, 150);
}

// --- the lists ---

TEST_F(MemMap, EveryListAndTextARowNamesIsInTheShippedOverlay)
{
    for (const auto& row : indMemMapTable::Rows()) {
        for (const char* l : {row.list, row.listAlt}) {
            if (!l || row.codec != mmCodec::Choice)
                continue;
            EXPECT_TRUE(m_texts.HasKey(std::string(l) + "_Cells")) << l;
            EXPECT_TRUE(m_texts.HasKey(std::string(l) + "_Style")) << l;
            EXPECT_TRUE(m_texts.HasKey(std::string(l) + "_BasicCell")) << l;
        }
        if (row.zeroText) {
            EXPECT_TRUE(m_texts.HasKey(row.zeroText)) << row.zeroText;
        }
    }
}

TEST_F(MemMap, ListsHoldTheValuesTheirStorageDefines)
{
    const struct {
        const char* list;
        std::vector<int32_t> values;
    } cases[] = {
        {"GI_Sheet_Sel_Misc_OnOff", {0, 1}},
        {"GI_Sheet_Sel_Misc_Enable", {0, 1}},
        {"GI_Sheet_Sel_UserSetEnable", {0, 1}},
        // level + 100 when the flag is set
        {"GI_Sheet_Sel_SetM_BeepLev", {1, 5, 9, 101, 105, 109}},
        {"GI_Sheet_Sel_HookOffSuspend", {0, 1, 2, 3, 4, 5, 6, 7}},
        {"GI_Sheet_Sel_PwrOnScan", {0, 1, 2, 3}},
        {"GI_Sheet_Sel_Comm_RS232C_Mode", {0, 1, 2, 3, 4, 5, 6, 7}},
        {"GI_Sheet_Sel_KDisp_Tenkey", {0, 1, 2, 3}},
        {"GI_Sheet_Sel_KDisp_Tenkey_Normal", {0, 1, 2, 3}},
        {"GI_Sheet_Sel_SRing_Beep", {0, 1, 2, 3, 4, 5, 6, 7}},
        {"GI_Sheet_Sel_KDisp_Rotary", {0, 2, 4, 6}},
    };
    for (const auto& c : cases)
        for (int32_t v : c.values)
            EXPECT_NE(m_cache->NameOf(c.list, Flex0, v), "error") << c.list << " " << v;
    // The rotary selection has no odd values: bit 0 of its value has no storage.
    for (int32_t v : {1, 3, 5, 7})
        EXPECT_EQ(m_cache->NameOf("GI_Sheet_Sel_KDisp_Rotary", Flex0, v), "error");
}

// --- flag fields narrower than the window's bit order ---

TEST_F(MemMap, FlagFieldsAreHandedToTheWindowAligned)
{
    FlagBitsCodec one;
    one.firstBit = one.lastBit = 1;
    FlagBitsCodec ten;
    ten.firstBit = 1;
    ten.lastBit = 10;
    int repaint = 1, opened = 0;

    // A single scan flag kept in bit 0.
    int32_t scan = 1;
    cmcCellCapsule c;
    indGenericRules::RunFlagBits(one, c, &scan, repaint, opened);
    EXPECT_EQ(c.text.substr(0, 1), "1");
    cmcCellCapsule k;
    k.grid = k.owner = m_grid;
    k.key = '1';
    EXPECT_EQ(indGenericRules::RunFlagBits(one, k, &scan, repaint, opened), 1);
    EXPECT_EQ(scan, 0);

    // A 10-bit code-number field kept in bits 9..0, flag 0 in bit 9; the bits above stay.
    int32_t code = 0x200 | 0x7000;
    cmcCellCapsule d;
    indGenericRules::RunFlagBits(ten, d, &code, repaint, opened);
    EXPECT_EQ(d.text.substr(0, 2), "1_");
    k.key = '2';
    EXPECT_EQ(indGenericRules::RunFlagBits(ten, k, &code, repaint, opened), 1);
    EXPECT_EQ(code, 0x7000 | 0x300);
    k.key = cmcCellCapsule::kKeySpace;  // some flags are set: all are cleared
    indGenericRules::RunFlagBits(ten, k, &code, repaint, opened);
    EXPECT_EQ(code, 0x7000);
}

}  // namespace
