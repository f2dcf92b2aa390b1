// The radio's memory map of the generic settings: one row per identifier.
//
// Columns: identifier, origin (G = the radio's documented layout, which must not move; O =
// ours), a note on where the storage comes from, then the storage (parts), the codec and its
// parameters, the list, and the conditions.
//
// Placement of our own storage: only in bytes that a save keeps (the EEPROM header, and
// working slots the block map packs), never over a field used elsewhere, and never in bits
// that image preparation copies from the reference image or derives (0000-0003, 0008-000A,
// 0100-010B, 0140-0151, 08EA-08ED, 09B3 bit 2, 09CF, 09D0 bits 1-2, 09D1 bits 0 and 6, 09D2,
// 09D3 bit 7, 09D4, 09DE, 09E2, 09F0, 0A0E-0A0F, 0A11-0A12, 0A18-0A1A, 0BAE-0BAF, 0BC6 bit 7).
// Maker settings stay in the maker area of the header (0000-00FF), which only a maker-mode
// clone write sends to the radio; the adjustment bytes from 0040 on are left to the
// adjustment cells.
//
// Free bytes used by our rows: header 0004-0007, 000C-000F, 0014-001F, 0024-002F,
// 0038-003E, 0133-0134, 0136-0138; block 6 09B4-09BD, 09C0-09CD, 09D6-09DD, 09DF-09E1,
// 09E3-09EF, 09F1-09F2; block 18 0BB0-0BB5; block 20 0BB6-0BBF; block 41 0BC0-0BC2;
// block 48 0BC4, 0BC7-0BDB; block 19 121A-1224; header 010C-010F, 0118-011F, 0152-017E; block 41
// 0BC3; block 6 09F3-09FC, 0A13-0A17.

#include "rules/indMemMapTable.h"

#include <algorithm>

#include "cells/TextCodec.h"
#include "cells/cmcCellIds.h"

namespace {

constexpr mmOrigin G = mmOrigin::Given;
constexpr mmOrigin O = mmOrigin::Ours;

// Parts.
constexpr mmPart Bits(int addr, int bit, int width, int weight = 1)
{
    return mmPart{static_cast<uint16_t>(addr), static_cast<uint8_t>(bit),
                  static_cast<uint8_t>(width), static_cast<uint16_t>(weight)};
}
constexpr mmPart Bit(int addr, int bit, int weight = 1)
{
    return Bits(addr, bit, 1, weight);
}
constexpr mmPart Byte(int addr)
{
    return Bits(addr, 0, 8);
}
constexpr mmPart Word(int addr)
{
    return Bits(addr, 0, 16);
}
constexpr mmPart Long(int addr)
{
    return Bits(addr, 0, 32);
}
constexpr mmPart Bytes(int addr, int n)
{
    return Bits(addr, 0, 8 * n);
}

// A row under construction.
struct R : indMemMapRow {
    R(int32_t i, mmOrigin o, const char* n)
    {
        id = i;
        origin = o;
        note = n;
    }
    R& At(mmPart p)
    {
        parts[partCount++] = p;
        return *this;
    }
    R& Split(mmPart p0, mmPart p1, mmPart p2 = mmPart{})
    {
        pattern = mmPattern::Split;
        At(p0).At(p1);
        if (p2.width)
            At(p2);
        return *this;
    }
    // Level field plus a flag bit, listed as level + 100 when the flag is set.
    R& Combined(int addr, int levelBit, int levelWidth, int flagBit)
    {
        pattern = mmPattern::Combined;
        return At(Bit(addr, flagBit, 100)).At(Bits(addr, levelBit, levelWidth));
    }
    // Repeated storage.
    R& Rep(int strideBytes, int n, int first = 0)
    {
        stride = static_cast<uint16_t>(strideBytes);
        count = n;
        firstIndex = first;
        return *this;
    }
    R& Rec(int k, int part, int n, int first = 0)
    {
        kind = static_cast<uint8_t>(k);
        recordPart = static_cast<uint8_t>(part);
        count = n;
        firstIndex = first;
        return *this;
    }
    R& Choice(const char* l)
    {
        codec = mmCodec::Choice;
        list = l;
        return *this;
    }
    R& Alt(const char* l, uint8_t models)
    {
        listAlt = l;
        altModels = models;
        return *this;
    }
    R& Int(int lo, int hi, int offset = 0, int how = 0)
    {
        codec = mmCodec::Int;
        a = lo, b = hi, c = offset, d = how;
        return *this;
    }
    // Seconds in 1/units: byte seconds are Sec(u) on a byte.
    R& Sec(int units, int lo = 0, int hi = 255, int strip = 0)
    {
        codec = mmCodec::Seconds;
        a = units, b = lo, c = hi, d = strip;
        return *this;
    }
    // FixedPoint: bounds in stored units, stored and shown decimals, step.
    R& Fix(int lo, int hi, int storedDec, int shownDec, int step = 1)
    {
        codec = mmCodec::FixedPoint;
        a = lo, b = hi, c = storedDec * 10 + shownDec, d = step;
        return *this;
    }
    R& MinSec(int lo, int hi, int step)
    {
        codec = mmCodec::MinSec;
        a = lo, b = hi, c = step;
        return *this;
    }
    R& Padded(int lo, int hi, int width)
    {
        codec = mmCodec::PaddedInt;
        a = lo, b = hi, c = width;
        return *this;
    }
    R& Digit(bool fAllowed)
    {
        codec = mmCodec::Digit;
        a = fAllowed;
        return *this;
    }
    R& Hex(int n, bool letters)
    {
        codec = mmCodec::HexDigits;
        a = n, b = letters;
        return *this;
    }
    R& Text(int len, int variant)
    {
        pattern = mmPattern::Text;
        codec = mmCodec::TextCodec;
        a = len, b = variant;
        return *this;
    }
    R& Seg(int len)
    {
        pattern = mmPattern::Text;
        codec = mmCodec::SegText;
        a = len;
        return *this;
    }
    R& BitOf(int n)
    {
        codec = mmCodec::BitChoice;
        a = n;
        return *this;
    }
    R& Dtmf(int digits)
    {
        pattern = mmPattern::Text;
        codec = mmCodec::Dtmf;
        a = digits;
        return *this;
    }
    R& ToneOf(int which)
    {
        codec = mmCodec::Tone;
        a = which;
        return *this;
    }
    R& Label(const char* format)
    {
        codec = mmCodec::Label;
        list = format;
        return *this;
    }
    R& FiveTone(bool receive)
    {
        pattern = mmPattern::Text;
        codec = mmCodec::FiveTone;
        a = receive;
        return *this;
    }
    R& Flags(int first, int last)
    {
        codec = mmCodec::FlagBits;
        a = first, b = last;
        return *this;
    }
    R& CodeNo()
    {
        codec = mmCodec::CodeNumber;
        return *this;
    }
    R& Special()
    {
        pattern = mmPattern::Special;
        return *this;
    }
    R& Off()
    {
        pattern = mmPattern::Disabled;
        return *this;
    }
    R& If(uint16_t f)
    {
        flags |= f;
        return *this;
    }
    R& Zero(const char* key)
    {
        flags |= mmZeroText;
        zeroText = key;
        return *this;
    }
};

constexpr const char* kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr const char* kEnable = "GI_Sheet_Sel_Misc_Enable";
constexpr const char* kTimerOff = "GI_AppInd_TimerOff";
constexpr const char* kInfinite = "GI_AppInd_CounterInfinite";
constexpr int kSpace = TextCodec::kSpaceFilled;

// A byte of seconds (the byte SecondsCodec: 0 to 255 units).
R ByteSec(int32_t id, mmOrigin o, const char* n, int addr, int units)
{
    return R(id, o, n).At(Byte(addr)).Sec(units);
}
R OnOff(int32_t id, mmOrigin o, const char* n, int addr, int bit)
{
    return R(id, o, n).At(Bit(addr, bit)).Choice(kOnOff);
}

std::vector<indMemMapRow> Build()
{
    std::vector<indMemMapRow> t = {
        // --- set-mode values, header 0130 to 013F ---
        R(CL_SetM_Backlight, G, "bits 0-3 of 013E")
            .At(Bits(0x013E, 0, 4))
            .Choice("GI_Sheet_Sel_SetM_Backlight"),
        R(CL_SetM_LcdContrast, O, "set-mode area").At(Bits(0x0136, 4, 4)).Int(1, 8),
        OnOff(CL_SetM_BeepOn, G, "bit 7 of 0130", 0x0130, 7),
        R(CL_SetM_BeepLev, G, "bits 0-3 of 0130, + 100 when bit 6 is set")
            .Combined(0x0130, 0, 4, 6)
            .Choice("GI_Sheet_Sel_SetM_BeepLev"),
        R(CL_SetM_SqlLev, G, "byte 0131").At(Byte(0x0131)).Choice("GI_Sheet_Sel_SetM_SqlLev"),
        R(CL_SetM_AFMinLev, G, "byte 0132").At(Byte(0x0132)).Int(0, 255),
        R(CL_SetM_AudioFilt, O, "set-mode area")
            .At(Bits(0x0133, 4, 2))
            .Choice("GI_Sheet_Sel_SetM_AudioFilt"),
        R(CL_SetM_MicGain, O, "set-mode area").At(Bits(0x0133, 0, 4)).Int(1, 5),
        R(CL_SetM_VoxGain, O, "set-mode area").At(Bits(0x0134, 0, 4)).Int(1, 10),
        R(CL_SetM_VoxDelay, O, "set-mode area")
            .At(Bits(0x0134, 4, 4))
            .Choice("GI_Sheet_Sel_SetM_VoxDelay"),
        R(CL_SetM_VoxAFLev, O, "set-mode area").At(Bits(0x0136, 0, 4)).Int(1, 8),
        OnOff(CL_SetM_VoxOnOff, O, "set-mode area", 0x0133, 6),
        OnOff(CL_SetM_HornOut, O, "set-mode area", 0x0133, 7),
        OnOff(CL_SetM_BATVDisp, O, "set-mode area", 0x0138, 0),
        OnOff(CL_SetM_BERDisp, O, "set-mode area", 0x0138, 1),
        OnOff(CL_SetM_SigMoni, O, "set-mode area", 0x0138, 2),
        R(CL_SetM_Ringer, O, "set-mode area")
            .At(Bits(0x0137, 0, 2))
            .Choice("GI_Sheet_Sel_SetM_Ringer"),
        R(CL_SetM_Ringer2, O, "set-mode area")
            .At(Bits(0x0137, 2, 2))
            .Choice("GI_Sheet_Sel_SetM_Ringer"),
        R(CL_SetM_RingerTimer, G, "byte 0135").At(Byte(0x0135)).Int(0, 16),
        R(CL_SetM_RingerLev, O, "set-mode area").At(Bits(0x0137, 4, 4)).Int(1, 8),
        R(CL_SetM_CodeDisp, O, "set-mode area")
            .At(Bits(0x0138, 3, 2))
            .Choice("GI_Sheet_Sel_SetM_CodeDisp"),
        R(CL_SetM_Psave, O, "set-mode area")
            .At(Bits(0x0138, 5, 2))
            .Choice("GI_Sheet_Sel_SetM_Psave"),
        OnOff(CL_SetM_LoneWorker, O, "set-mode area", 0x0138, 7),
    };

    // --- which set-mode items the user may change: bits 0-14 of the array at 09BE ---
    {
        const int32_t ids[] = {
            CL_USetM_Backlight, CL_USetM_LcdContrast, CL_USetM_BeepOn,    CL_USetM_BeepLev,
            CL_USetM_SqlLev,    CL_USetM_AfMinLev,    CL_USetM_AudioFilt, CL_USetM_MicGain,
            CL_USetM_VoxGain,   CL_USetM_VoxDelay,    CL_USetM_VoxAFLev,  CL_USetM_VoxOnOff,
            CL_USetM_HornOut,   CL_USetM_BATVDisp,    CL_USetM_BERDisp,
        };
        int n = 0;
        for (int32_t id : ids)
            t.push_back(R(id, G, "2-byte bit array at 09BE; bit number in item order")
                            .At(Bytes(0x09BE, 2))
                            .BitOf(n++));
    }

    // --- set-mode item and indication texts: block 38, never packed ---
    {
        const int32_t items[] = {
            CL_TSetM_Backlight, CL_TSetM_LcdContrast, CL_TSetM_BeepOn,    CL_TSetM_BeepLev,
            CL_TSetM_SqlLev,    CL_TSetM_AFMinLev,    CL_TSetM_AudioFilt, CL_TSetM_MicGain,
            CL_TSetM_VoxGain,   CL_TSetM_VoxDelay,    CL_TSetM_VoxAFLev,  CL_TSetM_HornOut,
            CL_TSetM_BATVDisp,
        };
        int k = 0;
        for (int32_t id : items)
            t.push_back(R(id, G, "4-character texts at 1AC4 to 1B24, 8 bytes apart")
                            .At(Bytes(0x1AC4 + 8 * k++, 4))
                            .Seg(4));
        for (int i = 0; i < 9; ++i)
            t.push_back(R(CL_TSetI_OFF + i, G, "3-character texts at 1B44 to 1B84, 8 bytes apart")
                            .At(Bytes(0x1B44 + 8 * i, 3))
                            .Seg(3));
    }

    // --- digital messages and timers: blocks 36 and 38, never packed ---
    for (int i = 0; i < 13; ++i)
        t.push_back(R(CL_Dig_ProgMes_Busy + i, G, "8-character texts at 1A44 to 1AA4")
                        .At(Bytes(0x1A44 + 8 * i, 8))
                        .Seg(8));
    const std::vector<indMemMapRow> more = {
        R(CL_Dig_Msg_Status_Text_Rx, G, "kind 19 (block 35, never packed); field ours")
            .At(Bytes(0, 16))
            .Rec(19, 0, 32)
            .Seg(16),
        R(CL_Dig_Msg_Status_Text_Tx, G, "kind 19 (block 34, never packed); field ours")
            .At(Bytes(0, 16))
            .Rec(19, 1, 32)
            .Seg(16),
        R(CL_Dig_Msg_Status_Beep, G, "kind 19 (block 35, never packed); field ours")
            .At(Bit(16, 0))
            .Rec(19, 0, 32)
            .Choice(kOnOff),
        R(CL_Dig_Msg_Status_Selection, G, "kind 19 (block 35, never packed); field ours")
            .At(Bit(16, 1))
            .Rec(19, 0, 32)
            .Choice(kEnable),
        R(CL_Dig_Tim_TxWait, O, "block 19").At(Word(0x121A)).Sec(1000, 100, 1275).If(mmNeedEacc),
        R(CL_Dig_Tim_Chk, G, "16-bit 1A30").At(Word(0x1A30)).Sec(1000, 100, 1275).If(mmNeedEacc),
        R(CL_Dig_Tim_Free, O, "block 19").At(Word(0x121C)).Sec(1000, 0, 1275).If(mmNeedEacc),
        R(CL_Dig_Tim_Tac, O, "block 19").At(Word(0x121E)).Sec(1000, 0, 1275).If(mmNeedEacc),
        R(CL_Dig_Tim_Breakin, O, "block 19").At(Byte(0x1220)).Sec(10).If(mmNeedEacc),
        R(CL_Dig_Tim_Wakeup, O, "block 19").At(Byte(0x1221)).Int(1, 4).If(mmNeedEacc),
        R(CL_Dig_Tim_ND, O, "block 19").At(Byte(0x1222)).Int(0, 16).If(mmNeedEacc),
        R(CL_Dig_Tim_NR, O, "block 19").At(Byte(0x1223)).Int(1, 8).If(mmNeedEacc),
        R(CL_Dig_Tim_L0Level, G, "byte 1A38").At(Byte(0x1A38)).Int(-115, -100).If(mmNeedEacc),

        // --- common settings ---
        R(CL_Comm_UserPassword, G, "4 digits, one per nibble, at 09AE")
            .At(Word(0x09AE))
            .Hex(4, false),
        R(CL_Comm_DealerPasscode, G, "6 digits, one per nibble, at 09B0")
            .At(Bits(0x09B0, 0, 24))
            .Hex(6, false),
        OnOff(CL_Comm_PwrOnPassword, O, "block 6", 0x09B4, 0),
        R(CL_Comm_ClonePasswordStr, G, "16 bytes at 0A1C")
            .At(Bytes(0x0A1C, 16))
            .Text(16, TextCodec::kZeroFilledKeepSpaces),
        R(CL_Comm_IniSetModeAccess, O, "block 6").At(Bit(0x09B4, 1)).Choice(kEnable),
        R(CL_Comm_KeyChgModeAccess, O, "block 6").At(Bit(0x09B4, 2)).Choice(kEnable),
        R(CL_Comm_AllClearAccess, O, "block 6").At(Bit(0x09B4, 3)).Choice(kEnable),
        R(CL_Comm_SetModeAccess, O, "block 6").At(Bit(0x09B4, 4)).Choice(kEnable),
        OnOff(CL_Comm_EmerIn, O, "block 6", 0x09B4, 5),
        ByteSec(CL_Comm_AtResetTimer_A, O, "block 6", 0x09B5, 1).Zero(kTimerOff),
        ByteSec(CL_Comm_AtResetTimer_B, O, "block 6", 0x09B6, 1).Zero(kTimerOff),
        ByteSec(CL_Comm_InactiveTimer, O, "block 6", 0x09B7, 1).Zero(kTimerOff),
        OnOff(CL_Comm_Tot, G, "bit 7 of 1A41 (block 37, never packed)", 0x1A41, 7).If(mmNeedEacc),
        ByteSec(CL_Comm_Tot_Timer, O, "block 6", 0x09B8, 1),
        OnOff(CL_Comm_Tot_ID_Out, O, "block 6", 0x09B9, 0),
        OnOff(CL_Comm_Tot_Dtmf_ID_Out, O, "block 6", 0x09B9, 1),
        ByteSec(CL_Comm_Tot_PenaltyTimer, O, "block 6", 0x09BB, 1),
        OnOff(CL_Comm_Tot_Beep, O, "block 6", 0x09B9, 2),
        R(CL_Comm_Tot_Reset, O, "block 6").At(Byte(0x09BA)).Fix(0, 15, 0, 3).Zero(kTimerOff),
        R(CL_Comm_CloneComment1, G, "16 bytes at 0A2C").At(Bytes(0x0A2C, 16)).Text(16, kSpace),
        R(CL_Comm_CloneComment2, G, "the next 16 bytes, 0A3C")
            .At(Bytes(0x0A3C, 16))
            .Text(16, kSpace),
        OnOff(CL_Comm_LockoutAna, O, "block 6", 0x09B9, 3),
        OnOff(CL_Comm_LockoutDig, O, "block 6", 0x09B9, 4),
        ByteSec(CL_Comm_LockoutPenaltyTimer, O, "block 6", 0x09BC, 1),
        OnOff(CL_Comm_LockoutOverride, O, "block 6", 0x09B9, 5),
        OnOff(CL_Comm_Ctcss_ToneBurst, O, "block 6", 0x09B9, 6),
        OnOff(CL_Comm_Ctcss_ReverseBurst, O, "block 6", 0x09B9, 7),
        OnOff(CL_Comm_Ctcss_RxAfFilt, O, "block 6", 0x09BD, 0),
        OnOff(CL_Comm_Ctcss_ChMuteCont, O, "block 6", 0x09BD, 1),
        R(CL_Comm_RS232C_SPPED, O, "block 6")
            .At(Bits(0x09BD, 4, 2))
            .Choice("GI_Sheet_Sel_Comm_RS232C_Speed"),
        R(CL_Comm_RS232C_Mode, G, "bit 3 of 09FD times 4 + bits 4-5 of 09CE")
            .Split(Bit(0x09FD, 3, 4), Bits(0x09CE, 4, 2))
            .Choice("GI_Sheet_Sel_Comm_RS232C_Mode"),
        R(CL_Comm_Dig_Rs232c_Speed, O, "block 6")
            .At(Bits(0x09E6, 1, 2))
            .Choice("GI_Sheet_Sel_Comm_RS232C_Speed"),
        ByteSec(CL_Comm_EmerTim_On, O, "block 6", 0x09C0, 1),
        ByteSec(CL_Comm_EmerTim_Off, O, "block 6", 0x09C1, 1),
        ByteSec(CL_Comm_EmerTim_Start, O, "block 6", 0x09C2, 1),
        ByteSec(CL_Comm_EmerTim_Sairen, O, "block 6", 0x09C3, 1),
        R(CL_Comm_EmerTim_ReCycle, O, "block 6").At(Byte(0x09C5)).Int(0, 255).Zero(kInfinite),
        R(CL_Comm_Scrm_Type, O, "block 6")
            .At(Bits(0x09E0, 4, 2))
            .Choice("GI_Sheet_Sel_Comm_Scrm_Type"),
        OnOff(CL_Comm_Scrm_SyncCapture, O, "block 6", 0x09E0, 6),
        R(CL_Comm_Scrm_GroupCode, O, "block 6").At(Byte(0x09DC)).Int(1, 255),
        ByteSec(CL_Comm_Scrm_TStartTiming, O, "block 6", 0x09DD, 100),
        ByteSec(CL_Comm_PwrSave_Timer1, O, "block 6", 0x09CC, 1),
        ByteSec(CL_Comm_PwrSave_Timer2, O, "block 6", 0x09CD, 1),
        OnOff(CL_Comm_ManDown_ON, O, "block 6", 0x09BD, 2),
        ByteSec(CL_Comm_ManDown_Timer, O, "block 6", 0x09C6, 1),
        ByteSec(CL_Comm_ManDown_TS1, O, "block 6", 0x09C7, 1),
        ByteSec(CL_Comm_ManDown_TS2, O, "block 6", 0x09C8, 1),
        ByteSec(CL_Comm_ManDown_TS3, O, "block 6", 0x09C9, 1),
        ByteSec(CL_Comm_ManDown_Sairen, O, "block 6", 0x09CA, 1),
        R(CL_Comm_ManDown_ReCycle, O, "block 6").At(Byte(0x09CB)).Int(0, 255).Zero(kInfinite),
        ByteSec(CL_Comm_LowBatt1_Periods, O, "block 6", 0x09D6, 1),
        ByteSec(CL_Comm_LowBatt2_Periods, O, "block 6", 0x09D7, 1),
        OnOff(CL_Comm_LowBatt1_TX_End, O, "block 6", 0x09BD, 3),
        OnOff(CL_Comm_LowBatt2_TX_End, O, "block 6", 0x09BD, 6),
        OnOff(CL_Comm_LowBatt1, O, "block 6", 0x09DF, 0),
        OnOff(CL_Comm_LowBatt2, O, "block 6", 0x09DF, 1),
        R(CL_Comm_SmartRing_Beep, G, "bit 2 of 0A10 times 4 + bits 0-1 of 0A10")
            .Split(Bit(0x0A10, 2, 4), Bits(0x0A10, 0, 2))
            .Choice("GI_Sheet_Sel_SRing_Beep"),
        ByteSec(CL_Comm_SmartRing_BeepTimer, O, "block 6", 0x09D8, 1),
        OnOff(CL_Comm_AllSelect, O, "block 6", 0x09DF, 2),
        OnOff(CL_Comm_TRDataOut, O, "block 6", 0x09DF, 3),
        OnOff(CL_Comm_Wide, O, "block 6", 0x09DF, 4),
        OnOff(CL_Comm_FNarrow, O, "block 6", 0x09DF, 5),
        OnOff(CL_Comm_FNarrow_Change, O, "block 6", 0x09DF, 6),
        R(CL_Comm_Sql_Tight_Ofs, O, "block 6").At(Byte(0x09D9)).Int(0, 15),
        OnOff(CL_Comm_PTTSide, O, "block 6", 0x09E0, 0),
        OnOff(CL_Comm_PTTOver, O, "block 6", 0x09E0, 1),
        OnOff(CL_Comm_PTTwithRinger, O, "block 6", 0x09E0, 2),
        ByteSec(CL_Comm_Msk_DosTimer, O, "block 6", 0x09DA, 1),
        ByteSec(CL_Comm_Msk_CoastTimer, O, "block 6", 0x09DB, 1),
        R(CL_Comm_Msk_Mdc_SelfID, O, "block 6").At(Word(0x09E4)).Hex(4, true),
        R(CL_Comm_Strv_Stun_Type, O, "block 6")
            .At(Bits(0x09E1, 0, 2))
            .Choice("GI_Sheet_Sel_Comm_Stun_Type"),
        OnOff(CL_Comm_Strv_TRDataOut, O, "block 6", 0x09E1, 2),
        OnOff(CL_Comm_Strv_PSW_Inhibit, O, "block 6", 0x09E1, 3),
        OnOff(CL_Comm_Strv_LCD_OFF, O, "block 6", 0x09E1, 4),
        ByteSec(CL_Comm_Strv_LCD_OFF_Timer, O, "block 6", 0x09E3, 1),
        OnOff(CL_Comm_Strv_Text_ON, O, "block 6", 0x09E1, 5),
        OnOff(CL_Comm_Strv_Beep_ON, O, "block 6", 0x09E1, 6),
        OnOff(CL_Comm_Strv_DecAll, O, "block 6", 0x09E1, 7),
        OnOff(CL_Comm_Strv_RevAll, O, "block 6", 0x09E6, 0),

        // --- emergency, lone worker and expansion ---
        ByteSec(CL_Emer_LoneWorker_Timeout, O, "block 48", 0x0BCB, 1),
        ByteSec(CL_Emer_LoneWorker_PreAlarm, O, "block 48", 0x0BCC, 1),
        ByteSec(CL_Emer_LoneWorker_RepeatAlarm, O, "block 48", 0x0BCD, 1),
        ByteSec(CL_Emer_LoneWorker_Pttdelay, O, "block 48", 0x0BCE, 1),
        R(CL_Emer_Setting_MaxAlert, G, "bits 0-3 of 0BCA, + 100 when bit 6 is set")
            .Combined(0x0BCA, 0, 4, 6)
            .Choice("GI_Sheet_Sel_SetM_BeepLev"),
        OnOff(CL_Emer_Setting_Sql, O, "block 48", 0x0BCF, 0),
        R(CL_Emer_Setting_MicGain, O, "block 48").At(Bits(0x0BCF, 4, 4)).Int(1, 5),
        R(CL_Emer_Setting_RptCycle, O, "block 48").At(Byte(0x0BD0)).Int(0, 255).Zero(kInfinite),
        OnOff(CL_Emer_Setting_Silent, O, "block 48", 0x0BCF, 1),
        ByteSec(CL_Emer_Timer_Start, O, "block 48", 0x0BD1, 1),
        ByteSec(CL_Emer_Timer_TxTone, O, "block 48", 0x0BD2, 1),
        ByteSec(CL_Emer_Timer_AutoTx, O, "block 48", 0x0BD3, 1),
        ByteSec(CL_Emer_Timer_RxTone, O, "block 48", 0x0BD4, 1),
        ByteSec(CL_Emer_Timer_AutoRx, O, "block 48", 0x0BD5, 1),
        ByteSec(CL_Emer_Timer_Idle, O, "block 48", 0x0BD6, 1),
        OnOff(CL_Emer_Signal_CodeEna, O, "block 48", 0x0BCF, 2),
        R(CL_Emer_Signal_Code, O, "block 48").At(Byte(0x0BD7)).Int(1, 32),
        OnOff(CL_Emer_Signal_CodeLong, O, "block 48", 0x0BCF, 3),
        R(CL_Exp_UserCtcss, O, "block 48").At(Word(0x0BD8)).Fix(600, 3000, 1, 1, 1),
        ByteSec(CL_Exp_Emer_SwOnTimer, O, "block 48", 0x0BDA, 1),
        ByteSec(CL_Exp_Emer_SwOffTimer, O, "block 48", 0x0BDB, 1),
        R(CL_Exp_Emer_StartRepeat, O, "block 48").At(Byte(0x0BC4)).Int(0, 255).Zero(kInfinite),
        R(CL_Exp_Emer_Text, O, "block 20").At(Bytes(0x0BB6, 8)).Seg(8),
        R(CL_Exp_BeepFreq_Low, O, "block 18").At(Word(0x0BB0)).Int(400, 3000),
        R(CL_Exp_BeepFreq_High, O, "block 18").At(Word(0x0BB2)).Int(400, 3000),
        OnOff(CL_Exp_DtcsInv_Tx, O, "block 48", 0x0BC7, 0),
        OnOff(CL_Exp_DtcsInv_Rx, O, "block 48", 0x0BC7, 1),
        OnOff(CL_Exp_RxAf_Filter, O, "block 48", 0x0BC7, 2),
        ByteSec(CL_Exp_PSaveStartTimer_1, O, "block 48", 0x0BC8, 1),
        ByteSec(CL_Exp_PSaveStartTimer_2, O, "block 48", 0x0BC9, 1),
        OnOff(CL_Exp_RxExo_On, O, "block 48", 0x0BC7, 3),
        ByteSec(CL_Exp_RxExo_Delay, O, "block 18", 0x0BB4, 10),
        ByteSec(CL_Exp_ExPttDelay, O, "block 18", 0x0BB5, 10),
        OnOff(CL_Exp_ToneMuteExPtt, O, "block 48", 0x0BC7, 4),
        R(CL_Exp_Select_ExPttFtsw, G, "bit 1 of 09D5, the same bit as the EPTT port mode")
            .At(Bit(0x09D5, 1))
            .Choice(kEnable)
            .If(mmEvent13),
        OnOff(CL_Exp_DimIgsw, O, "block 48", 0x0BC7, 5),
        OnOff(CL_Exp_Ignition, O, "block 48", 0x0BC7, 6),
        ByteSec(CL_Exp_IgnitionTimer, O, "block 20", 0x0BBE, 1),
        OnOff(CL_Exp_ClShift, O, "block 48", 0x0BC7, 7),
        OnOff(CL_Exp_BattTypeChange, O, "block 20", 0x0BBF, 0),
        R(CL_Exp_BattType, O, "block 20")
            .At(Bits(0x0BBF, 1, 2))
            .Choice("GI_Sheet_Sel_Exp_BattType"),
        OnOff(CL_Exp_PttSw, O, "block 20", 0x0BBF, 3),

        // --- DTMF memories: kind 6, 24 digits two to a byte in bytes 0-11, count in 12 ---
        R(CL_Dtmf_Code, G, "kind 6 bytes 0-12").At(Bytes(0, 13)).Rec(6, 0, 3).Dtmf(24),
        R(CL_Dtmf_CodeID, G, "kind 6 bytes 0-12").At(Bytes(0, 13)).Rec(6, 0, 3).Dtmf(24),
        R(CL_Dtmf_CodeEmer, G, "kind 6 bytes 0-12").At(Bytes(0, 13)).Rec(6, 0, 3).Dtmf(24),
        R(CL_Dtmf_Text, O, "no room in the 14-byte record: shown off").Off(),
        ByteSec(CL_Dtmf_DtmfTimer, O, "block 41", 0x0BC0, 100),
        ByteSec(CL_Dtmf_FirstTimer, O, "block 41", 0x0BC1, 100),
        ByteSec(CL_Dtmf_MarkTimer, O, "block 41", 0x0BC2, 100),
        // A tone code is bits 7, 6, 5 and 0 of its first byte and the whole second byte.
        // The transmit tone follows the receive tone while the two are the same.
        R(CL_CTone_RX, G, "kind 8 bytes 0-1, a tone code (block 11, never packed)")
            .At(Bits(0, 5, 3))
            .At(Bit(0, 0))
            .At(Byte(1))
            .At(Bits(2, 5, 3))
            .At(Bit(2, 0))
            .At(Byte(3))
            .Rec(8, 0, 9)
            .ToneOf(0),
        R(CL_CTone_TX, G, "kind 8 bytes 2-3, a tone code (block 11, never packed)")
            .At(Bits(2, 5, 3))
            .At(Bit(2, 0))
            .At(Byte(3))
            .Rec(8, 0, 9)
            .ToneOf(1),

        // --- 2-tone and user tones with given bytes (their cells keep decode windows) ---
        R(CL_2T_NotoneTimer, G, "byte 0AAF").At(Byte(0x0AAF)).Fix(2, 30, 2, 3, 2),
        // The three timing arrays lie 9 bytes apart: only tones 0 to 8 own their entries.
        R(CL_UTone_TonePeriod, G, "byte 0AA6 + index, tones 0 to 8 (index 15: 0AC1)")
            .At(Byte(0x0AA6))
            .Rep(1, 9)
            .Special(),
        R(CL_UTone_NotoneTimer, G, "byte 0AAF + index, tones 0 to 8")
            .At(Byte(0x0AAF))
            .Rep(1, 9)
            .Special(),
        R(CL_UTone_Length, G, "byte 0AB8 + index, tones 0 to 8")
            .At(Byte(0x0AB8))
            .Rep(1, 9)
            .Special(),

        // --- the scan list: kind 7, the 10 bytes of block 13 at 0ACC. The record's layout is
        // ours (indScanListRules.h): 0ACC bit 7 talk-back, bit 6 transmit action, bit 5 cancel
        // talk-back, bit 4 cancel extra flag, bit 3 power save; 0ACD bits 7-4 scan type, bits
        // 3-0 display text; 0ACE bits 3-0 scan mode, bit 4 mode flag; 0ACF not used; 0AD0
        // priority channel 1 mode (bits 3-0) and 2 mode (bits 7-4); 0AD1 transmit channel
        // mode (bits 3-0) and cancel channel mode (bits 7-4); 0AD2 to 0AD5 the fixed channels
        // of priority 2, priority 1, cancel and transmit (mode 5), as the channel insert and
        // delete operations pair them. The scan mode is derived from the others. ---
        R(CL_ScanList_ScanMode, G, "kind 7 byte 2 bits 3-0, mode flag bit 4")
            .At(Bits(2, 0, 4))
            .At(Bit(2, 4))
            .Rec(7, 0, 1)
            .Special(),
        R(CL_ScanList_ScanType, G, "kind 7 byte 1 bits 7-4")
            .At(Bits(1, 4, 4))
            .Rec(7, 0, 1)
            .Special(),
        R(CL_ScanList_Prio1_CH, G, "kind 7 byte 4 bits 3-0, fixed channel byte 7")
            .At(Bits(4, 0, 4))
            .At(Byte(7))
            .Rec(7, 0, 1)
            .Special(),
        R(CL_ScanList_Prio2_CH, G, "kind 7 byte 4 bits 7-4, fixed channel byte 6")
            .At(Bits(4, 4, 4))
            .At(Byte(6))
            .Rec(7, 0, 1)
            .Special(),
        R(CL_ScanList_TX_CH, G, "kind 7 byte 5 bits 3-0, fixed channel byte 9")
            .At(Bits(5, 0, 4))
            .At(Byte(9))
            .Rec(7, 0, 1)
            .Special(),
        R(CL_ScanList_TX_TalkBack, G, "kind 7 byte 0 bit 7").At(Bit(0, 7)).Rec(7, 0, 1).Special(),
        R(CL_ScanList_TX_Action, G, "kind 7 byte 0 bit 6").At(Bit(0, 6)).Rec(7, 0, 1).Special(),
        R(CL_ScanList_Cancel_CH, G, "kind 7 byte 5 bits 7-4, byte 0 bits 5-4")
            .At(Bits(5, 4, 4))
            .At(Bits(0, 4, 2))
            .Rec(7, 0, 1)
            .Special(),
        R(CL_ScanList_Cancel_TalkBack, G, "kind 7 byte 0 bit 5")
            .At(Bit(0, 5))
            .Rec(7, 0, 1)
            .Special(),
        R(CL_ScanList_Text, O, "no room in the 10-byte record: shown off").Off(),
        R(CL_ScanList_DispText, G, "kind 7 byte 1 bits 3-0")
            .At(Bits(1, 0, 4))
            .Rec(7, 0, 1)
            .Special(),
        R(CL_ScanList_PwrSave, G, "kind 7 byte 0 bit 3").At(Bit(0, 3)).Rec(7, 0, 1).Special(),

        // --- 2-tone codes: receive tones of kind 12 (codes 1 to 10) in tenths of hertz at
        // bytes 0-1 and 2-3, their decode windows (upper and lower limit of each tone, 16 bits
        // each) in the record's part at 0A44 + 8 i; transmit tones of kind 10 at bytes 0-1
        // and 2-3 of its first part (the records the PMR models' 5-tone codes use) ---
        R(CL_2T_RxFreq_1st, G, "kind 12 bytes 0-1; window in part 1 bytes 0-3")
            .At(Word(0))
            .Rec(12, 0, 10, 1)
            .Special(),
        R(CL_2T_RxFreq_2nd, G, "kind 12 bytes 2-3; window in part 1 bytes 4-7")
            .At(Word(2))
            .Rec(12, 0, 10, 1)
            .Special(),
        R(CL_2TTx_Freq_1st, G, "kind 10 bytes 0-1").At(Word(0)).Rec(10, 0, 32).Special(),
        R(CL_2TTx_Freq_2nd, G, "kind 10 bytes 2-3; none when part 1 byte 0 bits 3-0 are F")
            .At(Word(2))
            .Rec(10, 0, 32)
            .Special(),
        R(CL_2T_1st_Period, O, "no room in the 2-tone records: shown off").Off(),
        R(CL_2T_2nd_Period, O, "no room in the 2-tone records: shown off").Off(),

        // --- user tones: kind 11, tones 0 to 14 (tone 15 has a period only) ---
        R(CL_UTone_Encode, G, "kind 11 part 0, 16 bits").At(Word(0)).Rec(11, 0, 15).Special(),
        R(CL_UTone_Dec_Low, G, "kind 11 part 1 bytes 0-1").At(Word(0)).Rec(11, 1, 15).Special(),
        R(CL_UTone_Dec_High, G, "kind 11 part 1 bytes 2-3").At(Word(2)).Rec(11, 1, 15).Special(),

        // --- MSK addresses: an ID group's address in bits 11-0 of bytes 0-1 of its record
        // (ours); a call list entry's address is its four BCD digits ---
        R(CL_Msk_IdGroup_Adr, G, "kind 15 bytes 0-1 bits 11-0; field ours (block 29, never packed)")
            .At(Word(0))
            .Rec(15, 0, 8)
            .Special(),
        R(CL_Msk_CallList_Adr, G, "kind 16 part 0 bytes 0-1, BCD (block 27, never packed)")
            .At(Bytes(0, 2))
            .Rec(16, 0, 32)
            .Special(),

        // --- common scan options with given storage ---
        R(CL_ScanComm_PwrOnScan, G, "bit 7 of 09D1 times 2 + bit 1 of 0A1A")
            .Split(Bit(0x09D1, 7, 2), Bit(0x0A1A, 1))
            .Choice("GI_Sheet_Sel_PwrOnScan"),

        // --- key and display ---
        R(CL_KDisp_Key_Conv_RightDn, G, "0861").At(Byte(0x0861)).Special(),
        R(CL_KDisp_Key_Conv_LeftUp, G, "0862").At(Byte(0x0862)).Special(),
        R(CL_KDisp_Key_Conv_LeftDn, G, "0863").At(Byte(0x0863)).Special(),
        R(CL_KDisp_Key_Conv_P0, G, "0864").At(Byte(0x0864)).Special(),
        R(CL_KDisp_Key_Conv_P1, G, "0865").At(Byte(0x0865)).Special(),
        R(CL_KDisp_Key_Conv_P2, G, "0866").At(Byte(0x0866)).Special(),
        R(CL_KDisp_Key_Conv_P3, G, "0867").At(Byte(0x0867)).Special(),
        R(CL_KDisp_Key_Conv_Opf1, G, "0860; bit 7 of 0A1B follows its function")
            .At(Byte(0x0860))
            .At(Bit(0x0A1B, 7))
            .Special(),
        R(CL_KDisp_Key_Conv_MicUp, G, "0864, the byte of P0").At(Byte(0x0864)).Special(),
        R(CL_KDisp_Key_Conv_MicDn, G, "0865, the byte of P1").At(Byte(0x0865)).Special(),
        R(CL_KDisp_Key_Conv_MicA, G, "0866, the byte of P2").At(Byte(0x0866)).Special(),
        R(CL_KDisp_Key_Conv_MicB, G, "0867, the byte of P3").At(Byte(0x0867)).Special(),
        R(CL_KDisp_Tenkey_Select, G, "bit 3 of 0A10 times 2 + bit 4 of 09D0")
            .Split(Bit(0x0A10, 3, 2), Bit(0x09D0, 4))
            .Choice("GI_Sheet_Sel_KDisp_Tenkey_Normal")
            .Alt("GI_Sheet_Sel_KDisp_Tenkey", 1 << 2),
        OnOff(CL_KDisp_HangAct_Moni, O, "block 6", 0x09E7, 0),
        OnOff(CL_KDisp_HangAct_Scan, O, "block 6", 0x09E7, 1),
        OnOff(CL_KDisp_HangAct_PrioA, O, "block 6", 0x09E7, 2),
        R(CL_KDisp_HangAct_ScanSuspend, G,
          "bit 4 of 09FD times 4 + bit 5 of 09FD times 2 + bit 4 of 09D5")
            .Split(Bit(0x09FD, 4, 4), Bit(0x09FD, 5, 2), Bit(0x09D5, 4))
            .Choice("GI_Sheet_Sel_HookOffSuspend"),
        R(CL_KDisp_OpeningText, O, "block 6").At(Bytes(0x09E8, 8)).Seg(8),
        OnOff(CL_KDisp_OpeningBeep, O, "block 6", 0x09E7, 3),
        R(CL_KDisp_RotarySel, G, "bit 4 of 09D3 times 4 + bit 3 of 09D3 times 2")
            .Split(Bit(0x09D3, 4, 4), Bit(0x09D3, 3, 2))
            .Choice("GI_Sheet_Sel_KDisp_Rotary"),
        R(CL_KDisp_ScrollTimer, G, "byte 12D8 (block 24, never packed)")
            .At(Byte(0x12D8))
            .Sec(10)
            .Zero(kTimerOff),
        R(CL_KDisp_RfPoSel, O, "block 6")
            .At(Bits(0x09E7, 4, 2))
            .Choice("GI_Sheet_Sel_KDisp_RfPoSel"),
        OnOff(CL_KDisp_MrCode, O, "block 6", 0x09F1, 0),
        OnOff(CL_KDisp_SmaKey, O, "block 6", 0x09F1, 1),
        R(CL_KDisp_PwrSW, O, "block 6").At(Bits(0x09F1, 2, 2)).Choice("GI_Sheet_Sel_KDisp_PwrSW"),
        R(CL_KDisp_MicFunc, G, "bit 4 of 0A1B").At(Bit(0x0A1B, 4)).Choice(kOnOff).If(mmEvent13),
        OnOff(CL_KDisp_ExtEmr, O, "block 6", 0x09F1, 4),
        R(CL_KDisp_LED_LP0, O, "block 6").At(Bits(0x09F2, 0, 2)).Choice("GI_Sheet_Sel_KDisp_LED"),
        R(CL_KDisp_LED_LP1, O, "block 6").At(Bits(0x09F2, 2, 2)).Choice("GI_Sheet_Sel_KDisp_LED"),
        R(CL_KDisp_LED_LP2, O, "block 6").At(Bits(0x09F2, 4, 2)).Choice("GI_Sheet_Sel_KDisp_LED"),
        OnOff(CL_KDisp_PrioA_SwOn, O, "block 6", 0x09F1, 5),
        OnOff(CL_KDisp_PrioA_ClearDown, O, "block 6", 0x09F1, 6),

        // --- external ports (their cells are the port rules) ---
        R(CL_ExtPort_PortMode_EPTT, G, "bit 1 of 09D5").At(Bit(0x09D5, 1)).Special(),
        R(CL_ExtPort_PortMode_SCI, G, "bit 7 of 09FD").At(Bit(0x09FD, 7)).Special(),
        R(CL_ExtPort_PortMode_AFO, G, "bit 6 of 09FD").At(Bit(0x09FD, 6)).Special(),
        R(CL_ExtPort_PortMode_IGSW, G, "bit 1 of 0148").At(Bit(0x0148, 1)).Special(),

        // --- MSK with given storage ---
        R(CL_Msk_AdrRange_Killer, G, "16-bit 126E (block 26, never packed)")
            .At(Word(0x126E))
            .Special(),
        R(CL_Msk_Cfg_Status_FixBaseId, G, "16-bit 12D0 (block 24, never packed)")
            .At(Word(0x12D0))
            .Special(),
        R(CL_Msk_Cfg_Gps_FixBaseId, G, "16-bit 12D2 (block 24, never packed)")
            .At(Word(0x12D2))
            .Special(),
        R(CL_Msk_Cfg_Gps_IntervalTimer, G, "byte 12DA (block 24, never packed)")
            .At(Byte(0x12DA))
            .MinSec(30, 3570, 30),

        // --- MSK configuration, timing and presets: the free end of the header, 0152-017F
        // (block 24, where the radio keeps the base IDs and the GPS timer, is never packed) ---
        R(CL_Msk_Cfg_Enc_PttCall, O, "header")
            .At(Bits(0x0154, 5, 2))
            .Choice("GI_Sheet_Sel_Msk_PttCall"),
        OnOff(CL_Msk_Cfg_Enc_PreEmphasis, O, "header", 0x0152, 0),
        R(CL_Msk_Cfg_Enc_SyncvWord, O, "header").At(Word(0x0156)).Hex(4, true),
        OnOff(CL_Msk_Cfg_Enc_PttSideTone, O, "header", 0x0152, 1),
        ByteSec(CL_Msk_Cfg_Dec_BeepRepeatTimer, O, "header", 0x0158, 1).Zero(kTimerOff),
        OnOff(CL_Msk_Cfg_Dec_MuteMskTone, O, "header", 0x0152, 2),
        ByteSec(CL_Msk_Cfg_Dec_DurationTimer, O, "header", 0x0159, 1),
        OnOff(CL_Msk_Cfg_Dec_ANI_Disp, O, "header", 0x0152, 3),
        ByteSec(CL_Msk_Cfg_Dec_ANI_Disp_Timer, O, "header", 0x015A, 1),
        OnOff(CL_Msk_Cfg_Status_Send_PrioA, O, "header", 0x0152, 4),
        OnOff(CL_Msk_Cfg_Status_Send_Base, O, "header", 0x0152, 5),
        OnOff(CL_Msk_Cfg_Status_Send_On, O, "header", 0x0152, 6),
        OnOff(CL_Msk_Cfg_Status_Send_Off, O, "header", 0x0152, 7),
        OnOff(CL_Msk_Cfg_Status_Send_Dim, O, "header", 0x0153, 0),
        OnOff(CL_Msk_Cfg_Gps_Enable, O, "header", 0x0153, 1),
        OnOff(CL_Msk_Cfg_Gps_Send_Base, O, "header", 0x0153, 2),
        OnOff(CL_Msk_Cfg_Gps_Auto, O, "header", 0x0153, 3),
        OnOff(CL_Msk_Cfg_Gps_TimeMarker, O, "header", 0x0153, 4),
        OnOff(CL_Msk_Cfg_Gps_Send_Call, O, "header", 0x0153, 5),
        OnOff(CL_Msk_Cfg_Gps_Send_Logoff, O, "header", 0x0153, 6),
        OnOff(CL_Msk_Cfg_Gps_Send_Status, O, "header", 0x0153, 7),
        OnOff(CL_Msk_Cfg_Gps_Send_Sdm, O, "header", 0x0154, 0),
        OnOff(CL_Msk_Cfg_Gps_Send_Ack, O, "header", 0x0154, 1),
        OnOff(CL_Msk_Cfg_Gps_Send_Emer, O, "header", 0x0154, 2),
        OnOff(CL_Msk_Cfg_Gps_Send_ManDown, O, "header", 0x0154, 3),
        R(CL_Msk_Cfg_Gps_Sentence, O, "header")
            .At(Bits(0x0155, 0, 3))
            .Choice("GI_Sheet_Sel_Msk_GpsSentence"),
        OnOff(CL_Msk_Cfg_Etc_PttEnableAtConnect, O, "header", 0x0154, 4),
        R(CL_Msk_Presl_Own_Id, O, "header").At(Word(0x015B)).Padded(0, 4095, 4),
        R(CL_Msk_Presl_Common, O, "header").At(Word(0x015D)).Padded(0, 4095, 4),
        R(CL_Msk_Presl_Sync, O, "header").At(Word(0x015F)).Hex(4, true),
        R(CL_Msk_Presl_Country, O, "header").At(Word(0x0161)).Padded(0, 4095, 4),
        R(CL_Msk_Presl_Call_Let, O, "header").At(Byte(0x0163)).Fix(1, 255, 2, 2),
        OnOff(CL_Msk_Presl_Ptt_Side, O, "header", 0x0155, 4),
        R(CL_Msk_TimingErr_NA, O, "header").At(Byte(0x0164)).Int(1, 8),
        R(CL_Msk_TimingErr_ND, O, "header").At(Byte(0x0165)).Int(1, 8),
        R(CL_Msk_TimingErr_NM, O, "header").At(Byte(0x0166)).Int(1, 8),
        R(CL_Msk_TimingErr_NR, O, "header").At(Byte(0x0167)).Int(1, 8),
        R(CL_Msk_TimingErr_TAC, O, "header").At(Byte(0x0168)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_TOF, O, "header").At(Byte(0x0169)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_TOI, O, "header").At(Byte(0x016A)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_TWF, O, "header").At(Byte(0x016B)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_TWI, O, "header").At(Byte(0x016C)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_TRV, O, "header").At(Byte(0x016D)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_TS1, O, "header").At(Byte(0x016E)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_TS2, O, "header").At(Byte(0x016F)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_TS3, O, "header").At(Byte(0x0170)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_TI, O, "header").At(Byte(0x0171)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_N1, O, "header").At(Byte(0x0172)).Int(1, 8),
        R(CL_Msk_TimingErr_N2, O, "header").At(Byte(0x0173)).Int(1, 8),
        R(CL_Msk_TimingErr_K, O, "header").At(Byte(0x0174)).Int(1, 8),
        R(CL_Msk_TimingErr_TT, O, "header").At(Byte(0x0175)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_dTT, O, "header").At(Byte(0x0176)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_TC, O, "header").At(Byte(0x0177)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_TF, O, "header").At(Byte(0x0178)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_TV, O, "header").At(Byte(0x0179)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_T3, O, "header").At(Byte(0x017A)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_BusyCheck, O, "header").At(Byte(0x017B)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_LetAck, O, "header").At(Byte(0x017C)).Fix(1, 255, 2, 2),
        R(CL_Msk_TimingErr_LetCall, O, "header").At(Byte(0x017D)).Fix(1, 255, 2, 2),

        // --- MSK status messages: kind 17 (blocks 31 and 30, never packed); fields ours,
        // clear of byte 8 bit 6 of the first part, which preparation takes from the reference ---
        R(CL_Msk_Msg_Status_Text_Rx, G, "kind 17 first part bytes 0-7; field ours")
            .At(Bytes(0, 8))
            .Rec(17, 0, 23)
            .Seg(8),
        R(CL_Msk_Msg_Status_Text_Tx, G, "kind 17 second part bytes 0-7; field ours")
            .At(Bytes(0, 8))
            .Rec(17, 1, 23)
            .Seg(8),
        R(CL_Msk_Msg_Status_Beep, G, "kind 17 first part byte 9 bit 0; field ours")
            .At(Bit(9, 0))
            .Rec(17, 0, 23)
            .Choice(kOnOff),
        R(CL_Msk_Msg_Status_Horn, G, "kind 17 first part byte 9 bit 1; field ours")
            .At(Bit(9, 1))
            .Rec(17, 0, 23)
            .Choice(kOnOff),
        R(CL_Msk_Msg_Status_Auto, G, "kind 17 first part byte 9 bit 2; field ours")
            .At(Bit(9, 2))
            .Rec(17, 0, 23)
            .Choice(kOnOff),
        R(CL_Msk_Msg_Status_SFunc, G, "kind 17 first part byte 9 bit 3; field ours")
            .At(Bit(9, 3))
            .Rec(17, 0, 23)
            .Choice(kOnOff),
        R(CL_Msk_Msg_Status_Rriority, G, "kind 17 first part byte 9 bit 4; field ours")
            .At(Bit(9, 4))
            .Rec(17, 0, 23)
            .Choice(kOnOff),
        R(CL_Msk_Msg_Status_Selection, G, "kind 17 second part byte 8 bits 0-1; field ours")
            .At(Bits(8, 0, 2))
            .Rec(17, 1, 23)
            .Choice("GI_Sheet_Sel_Msk_StatusSel"),

        // --- 5-tone receive codes: kind 9 (block 17, indexes 1 to 8, the PMR models); the
        // code and its group marks in bytes 0-4, options in bytes 5-8 (bit 3 of byte 6 is
        // taken from the reference image, so it stays unused) ---
        R(CL_5TRx_RxCode, O, "kind 9 bytes 0-4").At(Bytes(0, 5)).Rec(9, 0, 8, 1).FiveTone(true),
        R(CL_5TRx_Text, O, "no room in the 10-byte record: shown off").Off(),
        R(CL_5TRx_IdDec, O, "kind 9 byte 5").At(Bit(5, 0)).Rec(9, 0, 8, 1).Choice(kOnOff),
        R(CL_5TRx_Bell, O, "kind 9 byte 5").At(Bit(5, 1)).Rec(9, 0, 8, 1).Choice(kOnOff),
        R(CL_5TRx_LED, O, "kind 9 byte 5").At(Bit(5, 2)).Rec(9, 0, 8, 1).Choice(kOnOff),
        R(CL_5TRx_EmerCancel, O, "kind 9 byte 5").At(Bit(5, 3)).Rec(9, 0, 8, 1).Choice(kOnOff),
        R(CL_5TRx_Abc, O, "kind 9 byte 7").At(Bits(7, 0, 6)).Rec(9, 0, 8, 1).CodeNo(),
        R(CL_5TRx_Exo, O, "kind 9 byte 5").At(Bit(5, 4)).Rec(9, 0, 8, 1).Choice(kOnOff),
        R(CL_5TRx_Beep, O, "kind 9 byte 5").At(Bit(5, 5)).Rec(9, 0, 8, 1).Choice(kOnOff),
        R(CL_5TRx_AutoTx, O, "kind 9 byte 5").At(Bit(5, 6)).Rec(9, 0, 8, 1).Choice(kOnOff),
        R(CL_5TRx_Aud, O, "kind 9 byte 5").At(Bit(5, 7)).Rec(9, 0, 8, 1).Choice(kOnOff),
        R(CL_5TRx_Stun, O, "kind 9 byte 6").At(Bit(6, 0)).Rec(9, 0, 8, 1).Choice(kOnOff),
        R(CL_5TRx_Scan, O, "kind 9 byte 6").At(Bit(6, 1)).Rec(9, 0, 8, 1).Choice(kOnOff),
        R(CL_5TRx_Sfunc, O, "kind 9 byte 6").At(Bit(6, 2)).Rec(9, 0, 8, 1).Choice(kOnOff),
        R(CL_5TRx_CompareDigit, O, "kind 9 byte 8, digits 1-7")
            .At(Bits(8, 0, 7))
            .Rec(9, 0, 8, 1)
            .Flags(1, 7),
        ByteSec(CL_5TRx_LinkATimer, O, "block 6", 0x09F3, 10),
        ByteSec(CL_5TRx_IdDecodeTimer, O, "block 6", 0x09F4, 10),
        ByteSec(CL_5TRx_ExoTimer, O, "block 6", 0x09F5, 1),
        ByteSec(CL_5TRx_BeepRepeatTimer, O, "block 6", 0x09F6, 1).Zero(kTimerOff),
        ByteSec(CL_5TRx_AutoTxTimer, O, "block 6", 0x09F7, 1),
        R(CL_5TRx_CompareTone, O, "block 6")
            .At(Bits(0x09F8, 0, 2))
            .Choice("GI_Sheet_Sel_5T_CompareTone"),

        // --- 5-tone transmit codes: kind 10 (blocks 15 and 16, 32 codes) ---
        R(CL_5TTx_TxCode, O, "kind 10 first part").At(Bytes(0, 4)).Rec(10, 0, 32).FiveTone(false),
        R(CL_5TTx_InputDigit, O, "kind 10 second part byte 0")
            .At(Bits(0, 4, 3))
            .Rec(10, 1, 32)
            .Int(0, 7),
        R(CL_5TTx_Text, O, "no room in the 6-byte record: shown off").Off(),
        R(CL_5TTx_Update, O, "kind 10 second part byte 1")
            .At(Bit(1, 0))
            .Rec(10, 1, 32)
            .Choice(kOnOff),
        R(CL_5TTx_AbcDec, O, "kind 10 second part byte 1")
            .At(Bit(1, 1))
            .Rec(10, 1, 32)
            .Choice(kOnOff),
        R(CL_5TTx_AbcAud, O, "kind 10 second part byte 1")
            .At(Bit(1, 2))
            .Rec(10, 1, 32)
            .Choice(kOnOff),
        R(CL_5TTx_Sel, O, "kind 10 second part byte 1")
            .At(Bit(1, 3))
            .Rec(10, 1, 32)
            .Choice(kEnable),
        ByteSec(CL_5TTx_LongToneTimer, O, "block 6", 0x09F9, 10),
        ByteSec(CL_5TTx_LinkRTimer, O, "block 6", 0x09FA, 10),
        ByteSec(CL_5TTx_Link1Timer, O, "block 6", 0x09FB, 10),
        ByteSec(CL_5TTx_Link2Timer, O, "block 6", 0x09FC, 10),
        ByteSec(CL_5TTx_LeadOutDelayTimer, O, "block 6", 0x0A13, 100),
        ByteSec(CL_5TTx_AbcDecTimer, O, "block 6", 0x0A14, 10),
        R(CL_5TTx_DispDigit, O, "block 6, digits 1-7").At(Bits(0x0A15, 0, 7)).Flags(1, 7),
        R(CL_5TTx_SpTone_Group, O, "block 6").At(Bits(0x0A16, 4, 4)).Digit(true),
        R(CL_5TTx_SpTone_Repeat, O, "block 6").At(Bits(0x0A16, 0, 4)).Digit(true),
        R(CL_5TTx_SpTone_Link2, O, "block 6").At(Bits(0x0A17, 4, 4)).Digit(true),
        OnOff(CL_5TTx_PTTCallIna, O, "block 6", 0x0A17, 0),

        // --- common scan timers and options: the free header bytes 0118-011F ---
        ByteSec(CL_ScanComm_StopTimer, O, "header", 0x0118, 10),
        ByteSec(CL_ScanComm_StopTimerB, O, "header", 0x0119, 10),
        ByteSec(CL_ScanComm_ResumeTimer, O, "header", 0x011A, 10),
        ByteSec(CL_ScanComm_TalkBackTimer, O, "header", 0x011B, 1),
        ByteSec(CL_ScanComm_ScanTimer_Fast, O, "header", 0x011C, 1000),
        ByteSec(CL_ScanComm_ScanTimer_Slow, O, "header", 0x011D, 100),
        OnOff(CL_ScanComm_AutoChCall_PmrOnly, O, "header", 0x011E, 0),
        OnOff(CL_ScanComm_BacklitatStopScan, O, "header", 0x011E, 1),
        OnOff(CL_ScanComm_NuisanceDelete, O, "header", 0x011E, 2),
        OnOff(CL_ScanComm_ModeDependentScan, O, "header", 0x011E, 3),
        R(CL_ScanComm_MonitorKeyAction, O, "header")
            .At(Bits(0x011E, 4, 2))
            .Choice("GI_Sheet_Sel_ScanComm_MoniKey"),
        OnOff(CL_ScanComm_TalkBackTimerBeep, O, "header", 0x011E, 6),
        R(CL_ScanComm_ModeType_Sel, O, "header")
            .At(Bits(0x011F, 0, 2))
            .Choice("GI_Sheet_Sel_ScanComm_ModeType"),

        // --- MSK ID groups (kind 15) and call lists (kind 16): blocks 29, 27 and 28, never
        // packed; fields ours, clear of the bits preparation takes from the reference ---
        R(CL_Msk_IdGroup_Text, O, "no room in the 8-byte record: shown off").Off(),
        R(CL_Msk_IdGroup_Alert, G, "kind 15 byte 6 bits 0-1; field ours")
            .At(Bits(6, 0, 2))
            .Rec(15, 0, 8)
            .Choice("GI_Sheet_Sel_Msk_Alert"),
        R(CL_Msk_IdGroup_Bell, G, "kind 15 byte 4 bit 0; field ours")
            .At(Bit(4, 0))
            .Rec(15, 0, 8)
            .Choice(kOnOff),
        R(CL_Msk_IdGroup_SFunc, G, "kind 15 byte 4 bit 1; field ours")
            .At(Bit(4, 1))
            .Rec(15, 0, 8)
            .Choice(kOnOff),
        R(CL_Msk_CallList_Digit, G, "kind 16 second part byte 0 bits 0-2; field ours")
            .At(Bits(0, 0, 3))
            .Rec(16, 1, 32)
            .Int(1, 4),
        R(CL_Msk_CallList_Text, O, "no room in the 6-byte record: shown off").Off(),
        R(CL_Msk_CallList_Update, G, "kind 16 second part byte 0 bit 3; field ours")
            .At(Bit(0, 3))
            .Rec(16, 1, 32)
            .Choice(kOnOff),
        R(CL_Msk_CallList_Sel, G, "kind 16 second part byte 0 bit 4; field ours")
            .At(Bit(0, 4))
            .Rec(16, 1, 32)
            .Choice(kEnable),

        // --- MDC aliases: kind 20 (block 43, never packed), alias rows use the alias 1 cells ---
        R(CL_Mdc_Alias1_ID, G, "kind 20 bytes 0-1; field ours")
            .At(Word(0))
            .Rec(20, 0, 5)
            .Hex(4, true),
        R(CL_Mdc_Alias1_Text, G, "kind 20 bytes 2-9; field ours")
            .At(Bytes(2, 8))
            .Rec(20, 0, 5)
            .Seg(8),
        R(CL_Mdc_Alias1_Strip, G, "kind 20 byte 10 bit 0; field ours")
            .At(Bit(10, 0))
            .Rec(20, 0, 5)
            .Choice(kOnOff),
        R(CL_Mdc_Alias1_Beep_Type, G, "kind 20 byte 10 bits 1-2; field ours")
            .At(Bits(10, 1, 2))
            .Rec(20, 0, 5)
            .Choice("GI_Sheet_Sel_Mdc_BeepType"),
        OnOff(CL_Exp_EpttFtsw_C, O, "block 6", 0x0A17, 1),
        OnOff(CL_Exp_EpttFtsw_S, O, "block 6", 0x0A17, 2),
        R(CL_Emer_Signal_2TDec, O, "block 41").At(Byte(0x0BC3)).Int(0, 10),
        R(CL_Emer_Signal_5TDec, O, "block 19").At(Byte(0x1224)).Int(0, 8),

        // --- 2-tone receive code options: kind 12 (block 17, codes 1 to 10, the LMR models);
        // the tone frequencies are the 2-tone rules' (bytes 0-3); byte 4, bits 7, 6 and 3 of
        // byte 6, bit 6 of byte 7 and bit 7 of byte 8 come from the reference image ---
        R(CL_2T_Bell, O, "kind 12 byte 5").At(Bit(5, 0)).Rec(12, 0, 10, 1).Choice(kOnOff),
        R(CL_2T_LED, O, "kind 12 byte 5").At(Bit(5, 1)).Rec(12, 0, 10, 1).Choice(kOnOff),
        R(CL_2T_ANS, O, "kind 12 byte 5").At(Bit(5, 2)).Rec(12, 0, 10, 1).Choice(kOnOff),
        R(CL_2T_EXO, O, "kind 12 byte 5").At(Bit(5, 3)).Rec(12, 0, 10, 1).Choice(kOnOff),
        R(CL_2T_Beep, O, "kind 12 byte 5").At(Bit(5, 4)).Rec(12, 0, 10, 1).Choice(kOnOff),
        R(CL_2T_AutoTx, O, "kind 12 byte 5").At(Bit(5, 5)).Rec(12, 0, 10, 1).Choice(kOnOff),
        R(CL_2T_Stun, O, "kind 12 byte 5").At(Bit(5, 6)).Rec(12, 0, 10, 1).Choice(kOnOff),
        R(CL_2T_Scan, O, "kind 12 byte 5").At(Bit(5, 7)).Rec(12, 0, 10, 1).Choice(kOnOff),
        R(CL_2T_Sfunc, O, "kind 12 byte 6").At(Bit(6, 0)).Rec(12, 0, 10, 1).Choice(kOnOff),
        R(CL_2T_GroupCall, O, "kind 12 byte 8").At(Bit(8, 0)).Rec(12, 0, 10, 1).Choice(kOnOff),
        R(CL_2T_Code_Type, O, "kind 12 byte 7")
            .At(Bits(7, 0, 2))
            .Rec(12, 0, 10, 1)
            .Choice("GI_Sheet_Sel_2T_CodeType"),
        R(CL_2T_Text, O, "no room in the 10-byte record: shown off").Off(),
        ByteSec(CL_2T_GroupTimer, O, "header", 0x010C, 1),
        ByteSec(CL_2T_ExoTimer, O, "header", 0x010D, 1),
        ByteSec(CL_2T_BeepRepeatTimer, O, "header", 0x010E, 1).Zero(kTimerOff),
        ByteSec(CL_2T_AutoTxTimer, O, "header", 0x010F, 1),
        R(CL_2T_CompareTone, O, "header")
            .At(Bits(0x017E, 0, 2))
            .Choice("GI_Sheet_Sel_5T_CompareTone"),

        // --- maker settings, header 0000 to 00FF, maker mode only ---
        R(CL_Maker_SqlDelay_Op, O, "maker area").At(Byte(0x0004)).Int(0, 255).If(mmMaker),
        R(CL_Maker_SqlDelay_ResetTimer, O, "maker area").At(Byte(0x0005)).Sec(100).If(mmMaker),
        R(CL_Maker_Sql_SigDetTimer, O, "maker area").At(Byte(0x0006)).Sec(1000).If(mmMaker),
        R(CL_Maker_Sql_NoiseDetTimer, O, "maker area").At(Byte(0x0007)).Sec(1000).If(mmMaker),
        R(CL_Maker_Sql_SigDetTimerDR, O, "maker area").At(Byte(0x000C)).Sec(1000).If(mmMaker),
        R(CL_Maker_Sql_NoiseDetTimerDR, O, "maker area").At(Byte(0x000D)).Sec(1000).If(mmMaker),
        R(CL_Maker_Sql_FlickerChkTimer, O, "maker area").At(Byte(0x000E)).Sec(1000).If(mmMaker),
    };
    t.insert(t.end(), more.begin(), more.end());
    for (int i = 0; i < 7; ++i)
        t.push_back(R(CL_Maker_Sql_Level_A + i, O, "maker area")
                        .At(Byte(0x0014 + i))
                        .Int(0, 255)
                        .If(mmMaker));
    const std::vector<indMemMapRow> maker = {
        R(CL_Maker_CtcssTone_Burst, O, "maker area").At(Byte(0x001B)).Sec(100).If(mmMaker),
        R(CL_Maker_CtcssDec_Attack, O, "maker area").At(Byte(0x001C)).Sec(1000).If(mmMaker),
        R(CL_Maker_CtcssDec_Release, O, "maker area").At(Byte(0x001D)).Sec(1000).If(mmMaker),
        R(CL_Maker_CtcssDec_PS, O, "maker area").At(Byte(0x001E)).Sec(1000).If(mmMaker),
        R(CL_Maker_CtcssDec_Delay, O, "maker area").At(Byte(0x001F)).Sec(1000).If(mmMaker),
        R(CL_Maker_CtcssDec_Attack2, O, "maker area").At(Byte(0x0024)).Sec(1000).If(mmMaker),
        R(CL_Maker_CtcssDec_Release2, O, "maker area").At(Byte(0x0025)).Sec(1000).If(mmMaker),
        R(CL_Maker_Dtcs_TxPolar, O, "maker area")
            .At(Bit(0x000F, 0))
            .Choice("GI_Sheet_Sel_Maker_Polarity")
            .If(mmMaker),
        R(CL_Maker_Dtcs_RxPolar, O, "maker area")
            .At(Bit(0x000F, 1))
            .Choice("GI_Sheet_Sel_Maker_Polarity")
            .If(mmMaker),
        R(CL_Maker_Dtcs_Decode, G, "byte 0023, stored as value - 11")
            .At(Byte(0x0023))
            .Int(1, 12, 11)
            .If(mmMaker),
        R(CL_Maker_PwrOffTimer, O, "maker area").At(Byte(0x0026)).Sec(10).If(mmMaker),
        R(CL_Maker_PwrOffTimer2, O, "maker area").At(Byte(0x0027)).Sec(10).If(mmMaker),
        R(CL_Maker_ON_Timer1, O, "maker area").At(Byte(0x0028)).Sec(100).If(mmMaker),
        R(CL_Maker_ON_Timer2, O, "maker area").At(Byte(0x0029)).Sec(100).If(mmMaker),
        R(CL_Maker_ON_Timer3, O, "maker area").At(Byte(0x002A)).Sec(100).If(mmMaker),
        R(CL_Maker_MchPitch, O, "maker area")
            .At(Bits(0x000F, 2, 2))
            .Choice("GI_Sheet_Sel_Maker_MchPitch")
            .If(mmMaker),
        R(CL_Maker_IfFreq, G, "32-bit at 0010, 6 stored decimals")
            .At(Long(0x0010))
            .Fix(-99975000, 99975000, 6, 4, 25000)
            .If(mmMaker | mmNoStepping),
        R(CL_Maker_Pll_Type, O, "maker area")
            .At(Bits(0x000F, 4, 2))
            .Choice("GI_Sheet_Sel_Maker_PllType")
            .If(mmMaker),
        R(CL_Maker_Pll_Reference, O, "maker area").At(Byte(0x002B)).Int(0, 255).If(mmMaker),
        R(CL_Maker_Pll_TxFastTimer, O, "maker area").At(Byte(0x002C)).Sec(1000).If(mmMaker),
        R(CL_Maker_Pll_RxFastTimer, O, "maker area").At(Byte(0x002D)).Sec(1000).If(mmMaker),
        R(CL_Maker_MuteTimer_Tx, O, "maker area").At(Byte(0x002E)).Sec(1000).If(mmMaker),
        R(CL_Maker_MuteTimer_Rx, O, "maker area").At(Byte(0x002F)).Sec(1000).If(mmMaker),
        R(CL_Maker_SetModeAccess, G, "bit 3 of 000B, the set-mode access bit")
            .At(Bit(0x000B, 3))
            .Choice(kEnable)
            .If(mmMaker),
        R(CL_Maker_ExtModeAccess, G, "bit 4 of 000B, the extended-mode access bit")
            .At(Bit(0x000B, 4))
            .Choice(kEnable)
            .If(mmMaker | mmEvent25),
        R(CL_Maker_RollStart_RX, O, "maker area").At(Byte(0x0038)).Int(0, 255).If(mmMaker),
        R(CL_Maker_RollTiming_RX, O, "maker area").At(Byte(0x0039)).Int(0, 255).If(mmMaker),
        R(CL_Maker_RollTiming_TX, O, "maker area").At(Byte(0x003A)).Int(0, 255).If(mmMaker),
        R(CL_Maker_Digital_TxPolar, O, "maker area")
            .At(Bit(0x000F, 6))
            .Choice("GI_Sheet_Sel_Maker_Polarity")
            .If(mmMaker),
        R(CL_Maker_Digital_RxPolar, O, "maker area")
            .At(Bit(0x000F, 7))
            .Choice("GI_Sheet_Sel_Maker_Polarity")
            .If(mmMaker),
        R(CL_Maker_Digital_Let, O, "maker area").At(Byte(0x003B)).Sec(1000).If(mmMaker),
        R(CL_Maker_Digital_Tack, O, "maker area").At(Byte(0x003C)).Sec(1000).If(mmMaker),
        // The battery thresholds have their own rules (ranges that follow their neighbours).
        R(CL_Maker_Liion_Normal_Low1, G, "byte 0030").At(Byte(0x0030)).Special(),
        R(CL_Maker_Liion_Normal_Low2, G, "byte 0031").At(Byte(0x0031)).Special(),
        R(CL_Maker_Liion_Normal_Low3, G, "byte 0032").At(Byte(0x0032)).Special(),
        R(CL_Maker_Liion_Low_Low1, G, "byte 0033").At(Byte(0x0033)).Special(),
        R(CL_Maker_Liion_Low_Low2, G, "byte 0034").At(Byte(0x0034)).Special(),
        R(CL_Maker_Liion_Low_Low3, G, "byte 0035").At(Byte(0x0035)).Special(),
        R(CL_Maker_Liion_Dry_Low1, G, "byte 0036").At(Byte(0x0036)).Special(),
        R(CL_Maker_Liion_Dry_Low2, G, "byte 0037").At(Byte(0x0037)).Special(),
        R(CL_Maker_NiMH_Low1, G, "byte 0020").At(Byte(0x0020)).Special(),
        R(CL_Maker_NiMH_Low2, G, "byte 0021").At(Byte(0x0021)).Special(),
        R(CL_Maker_NiMH_Low3, G, "byte 0022").At(Byte(0x0022)).Special(),
        R(CL_Maker_Stone_2tone, O, "maker area").At(Byte(0x003D)).Int(0, 255).If(mmMaker),
        R(CL_Maker_Stone_5tone, O, "maker area").At(Byte(0x003E)).Int(0, 255).If(mmMaker),

        // --- memory channel fields (kind = model type + 1; record A at 0780 + 14 i, record B
        // at 08EE + 12 i); the channel cells have their own rules ---
        R(CL_Mch_Inh, G, "A0 bit 7").At(Bit(0, 7)).Rec(1, 0, 16).Special(),
        R(CL_Mch_Inh_Pmr, G, "A0 bit 7").At(Bit(0, 7)).Rec(1, 0, 16).Special(),
        R(CL_Mch_FreqR, G, "A0 bits 6-0 and A1-A3")
            .At(Bits(0, 0, 7))
            .At(Bytes(1, 3))
            .Rec(1, 0, 16)
            .Special(),
        R(CL_Mch_FreqR_Pmr, G, "A0 bits 6-0 and A1-A3")
            .At(Bits(0, 0, 7))
            .At(Bytes(1, 3))
            .Rec(1, 0, 16)
            .Special(),
        R(CL_Mch_TxInh, G, "A4 bit 7").At(Bit(4, 7)).Rec(1, 0, 16).Special(),
        R(CL_Mch_TxInh_Pmr, G, "A4 bit 7").At(Bit(4, 7)).Rec(1, 0, 16).Special(),
        R(CL_Mch_FreqT, G, "A4 bits 6-0 and A5-A7")
            .At(Bits(4, 0, 7))
            .At(Bytes(5, 3))
            .Rec(1, 0, 16)
            .Special(),
        R(CL_Mch_FreqT_Pmr, G, "A4 bits 6-0 and A5-A7")
            .At(Bits(4, 0, 7))
            .At(Bytes(5, 3))
            .Rec(1, 0, 16)
            .Special(),
        R(CL_Mch_CTone_R, G, "A8-A9, a tone code").At(Bytes(8, 2)).Rec(1, 0, 16).Special(),
        R(CL_Mch_CTone_R_Pmr, G, "A8-A9, a tone code").At(Bytes(8, 2)).Rec(1, 0, 16).Special(),
        R(CL_Mch_CTone_T, G, "A10-A11, a tone code").At(Bytes(10, 2)).Rec(1, 0, 16).Special(),
        R(CL_Mch_CTone_T_Pmr, G, "A10-A11, a tone code").At(Bytes(10, 2)).Rec(1, 0, 16).Special(),
        R(CL_Mch_Nar, G, "A12 bit 6").At(Bit(12, 6)).Rec(1, 0, 16).Special(),
        R(CL_Mch_Nar_Pmr, G, "A12 bit 6").At(Bit(12, 6)).Rec(1, 0, 16).Special(),
        R(CL_Mch_Scan_List, G, "A13").At(Byte(13)).Rec(1, 0, 16).Special(),
        R(CL_Mch_Scan_List_Pmr, G, "A13").At(Byte(13)).Rec(1, 0, 16).Special(),
        R(CL_Mch_PwrSave, G, "B0 bit 7").At(Bit(0, 7)).Rec(1, 1, 16).Special(),
        R(CL_Mch_PwrSave_Pmr, G, "B0 bit 7").At(Bit(0, 7)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Scan_ListSel, G, "B0 bit 5").At(Bit(0, 5)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Scan_ListSel_Pmr, G, "B0 bit 5").At(Bit(0, 5)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Tot, G, "B0 bit 4").At(Bit(0, 4)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Tot_Pmr, G, "B0 bit 4").At(Bit(0, 4)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Lockout, G, "B0 bits 3-2").At(Bits(0, 2, 2)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Lockout_Pmr, G, "B0 bits 3-2").At(Bits(0, 2, 2)).Rec(1, 1, 16).Special(),
        R(CL_Mch_RfPo, G, "B0 bits 1-0").At(Bits(0, 0, 2)).Rec(1, 1, 16).Special(),
        R(CL_Mch_RfPo_Pmr, G, "B0 bits 1-0").At(Bits(0, 0, 2)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Log, G, "B1 bits 7-4").At(Bits(1, 4, 4)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Log_Pmr, G, "B1 bits 7-4").At(Bits(1, 4, 4)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Sql_Tight, G, "B1 bit 2").At(Bit(1, 2)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Sql_Tight_Pmr, G, "B1 bit 2").At(Bit(1, 2)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Scan_Inc, G, "B1 bit 1").At(Bit(1, 1)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Scan_Inc_Pmr, G, "B1 bit 1").At(Bit(1, 1)).Rec(1, 1, 16).Special(),
        R(CL_Mch_CH_Mute, G, "B1 bit 0").At(Bit(1, 0)).Rec(1, 1, 16).Special(),
        R(CL_Mch_CH_Mute_Pmr, G, "B1 bit 0").At(Bit(1, 0)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Scrm_On, G, "B3 bits 6-5").At(Bits(3, 5, 2)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Scrm_On_Pmr, G, "B3 bits 6-5").At(Bits(3, 5, 2)).Rec(1, 1, 16).Special(),
        R(CL_Mch_AutoChScan, G, "B3 bit 0").At(Bit(3, 0)).Rec(1, 1, 16).Special(),
        R(CL_Mch_AutoChScan_Pmr, G, "B3 bit 0").At(Bit(3, 0)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Mdc_System, G, "B4 bits 3-0").At(Bits(4, 0, 4)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Mdc_System_Pmr, G, "B4 bits 3-0").At(Bits(4, 0, 4)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Scrm_Code, G, "B5").At(Byte(5)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Scrm_Code_Pmr, G, "B5").At(Byte(5)).Rec(1, 1, 16).Special(),
        R(CL_Mch_AutoReset, G, "B2 bit 1 (kinds 1 and 4)").At(Bit(2, 1)).Rec(1, 1, 16).Special(),
        R(CL_Mch_AutoResetPmr, G, "B2 bits 1-0 (kinds 2 and 3)")
            .At(Bits(2, 0, 2))
            .Rec(1, 1, 16)
            .Special(),
        R(CL_Mch_Dig_Sig, G, "A12 bits 1-0").At(Bits(12, 0, 2)).Rec(1, 0, 16).Special(),
        R(CL_Mch_Moni_Pmr, G, "B0 bit 6, B1 bit 3, B2 bits 5-4")
            .At(Bit(0, 6))
            .At(Bit(1, 3))
            .At(Bits(2, 4, 2))
            .Rec(1, 1, 16)
            .Special(),
        R(CL_Mch_Sel_Pmr, G, "B2 bits 7-6").At(Bits(2, 6, 2)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Call_Pmr, G, "B2 bit 3").At(Bit(2, 3)).Rec(1, 1, 16).Special(),
        R(CL_Mch_PTT_Pmr, G, "B2 bit 2").At(Bit(2, 2)).Rec(1, 1, 16).Special(),
        R(CL_Mch_SigType_Log_Lmr, G, "B3 bit 7 (low), B4 bit 5 (high)")
            .At(Bit(3, 7))
            .At(Bit(4, 5))
            .Rec(1, 1, 16)
            .Special(),
        R(CL_Mch_Log_Msk, G, "B3 bit 7").At(Bit(3, 7)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Compander, G, "B3 bit 4").At(Bit(3, 4)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Msk_Sig, G, "B3 bit 3").At(Bit(3, 3)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Msk_Rpt, G, "B3 bit 2").At(Bit(3, 2)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Msk_SendStatus, G, "B3 bit 1").At(Bit(3, 1)).Rec(1, 1, 16).Special(),
        R(CL_Mch_SigType_Emg_Lmr, G, "B4 bits 7-6").At(Bits(4, 6, 2)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Mdc_On, G, "B4 bit 5").At(Bit(4, 5)).Rec(1, 1, 16).Special(),
        R(CL_Mch_SigType_Dec_Lmr, G, "B4 bit 4").At(Bit(4, 4)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Form_Pmr, G, "B6 bits 3-0").At(Bits(6, 0, 4)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Pos_Pmr, G, "B6 bits 7-6").At(Bits(6, 6, 2)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Rpt_C_Pmr, G, "B7 bits 6-0").At(Bits(7, 0, 7)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Rpt_L_Pmr, G, "B7 bit 7").At(Bit(7, 7)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Stn_C_Pmr, G, "B8 bits 6-0").At(Bits(8, 0, 7)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Stn_L_Pmr, G, "B8 bit 7").At(Bit(8, 7)).Rec(1, 1, 16).Special(),
        R(CL_Mch_2Tone, G, "B8 bits 6-0 (kinds 1 and 4)").At(Bits(8, 0, 7)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Id_C_Pmr, G, "B9 bits 6-0").At(Bits(9, 0, 7)).Rec(1, 1, 16).Special(),
        R(CL_Mch_Id_L_Pmr, G, "B9 bit 7").At(Bit(9, 7)).Rec(1, 1, 16).Special(),
        R(CL_Mch_RxCNo_Pmr, G, "B10 (kinds 2 and 3)").At(Byte(10)).Rec(1, 1, 16).Special(),
        R(CL_Mch_RxCNo2, G, "B10-B11 bits 15-6 (kinds 1 and 4)")
            .At(Byte(10))
            .At(Bits(11, 6, 2))
            .Rec(1, 1, 16)
            .Special(),
        R(CL_Mch_Atr, G, "0145 and 0146 priority channels, 0BC5 special channel, 0BC6 bit 6")
            .At(Byte(0x0145))
            .At(Byte(0x0146))
            .At(Byte(0x0BC5))
            .At(Bit(0x0BC6, 6))
            .Rep(0, 16)
            .Special(),
        R(CL_Mch_Atr_Pmr, G, "as the attribute cell")
            .At(Byte(0x0145))
            .At(Byte(0x0146))
            .At(Byte(0x0BC5))
            .At(Bit(0x0BC6, 6))
            .Rep(0, 16)
            .Special(),

        // --- port entries: 1CB6 + 2 p (byte 0 bit 7 input, bit 6 active high; byte 1 the
        // function), key function of port p at 1CD2 + p (block 47, never packed) ---
        R(CL_ExtPort_InOut_1, G, "port 0 function").At(Byte(0x1CB7)).At(Byte(0x1CD2)).Special(),
        R(CL_ExtPort_InOut_1_Dir, G, "port 0 direction").At(Bit(0x1CB6, 7)).Special(),
        R(CL_ExtPort_InOut_1_Logic, G, "port 0 logic").At(Bit(0x1CB6, 6)).Special(),
        R(CL_ExtPort_InOut_2, G, "port 1 function").At(Byte(0x1CB9)).At(Byte(0x1CD3)).Special(),
        R(CL_ExtPort_InOut_2_Dir, G, "port 1 direction").At(Bit(0x1CB8, 7)).Special(),
        R(CL_ExtPort_InOut_2_Logic, G, "port 1 logic").At(Bit(0x1CB8, 6)).Special(),
        R(CL_ExtPort_InOut_3, G, "port 2 function").At(Byte(0x1CBB)).At(Byte(0x1CD4)).Special(),
        R(CL_ExtPort_InOut_3_Dir, G, "port 2 direction").At(Bit(0x1CBA, 7)).Special(),
        R(CL_ExtPort_InOut_3_Logic, G, "port 2 logic").At(Bit(0x1CBA, 6)).Special(),
        R(CL_ExtPort_InOut_4, G, "port 3 function").At(Byte(0x1CBD)).At(Byte(0x1CD5)).Special(),
        R(CL_ExtPort_InOut_4_Dir, G, "port 3 direction").At(Bit(0x1CBC, 7)).Special(),
        R(CL_ExtPort_InOut_4_Logic, G, "port 3 logic").At(Bit(0x1CBC, 6)).Special(),
        R(CL_ExtPort_In_1, G, "port 4 function").At(Byte(0x1CBF)).At(Byte(0x1CD6)).Special(),
        R(CL_ExtPort_In_1_Dir, G, "port 4 direction").At(Bit(0x1CBE, 7)).Special(),
        R(CL_ExtPort_In_1_Logic, G, "port 4 logic").At(Bit(0x1CBE, 6)).Special(),
        R(CL_ExtPort_Out_1, G, "port 5 function").At(Byte(0x1CC1)).At(Byte(0x1CD7)).Special(),
        R(CL_ExtPort_Out_1_Dir, G, "port 5 direction").At(Bit(0x1CC0, 7)).Special(),
        R(CL_ExtPort_Out_1_Logic, G, "port 5 logic").At(Bit(0x1CC0, 6)).Special(),
        R(CL_Msk_AdrRange_Group, G, "boundary at 126A (block 26, never packed)")
            .At(Word(0x126A))
            .Special(),
        R(CL_CEdit, G, "kind 5: 2 bytes at 1196 + 2 i (block 8, never packed)")
            .At(Bytes(0, 2))
            .Rec(5, 0, 16)
            .Special(),

        // --- MDC systems: 26-byte entries from 1B8F (block 42, never packed) ---
        R(CL_Mdc_General_Rx_Sync_Threshold, G, "byte 1B93 + 26 n")
            .At(Byte(0x1B93))
            .Rep(26, 5)
            .Int(29, 40),

        // --- MDC systems: 26-byte entries from 1B8F + 26 n (block 42, never packed); the
        // sync threshold's place is the radio's, the other general fields ours ---
        R(CL_Mdc_General_Mdc_On, G, "entry byte 0 bit 0; field ours")
            .At(Bit(0x1B8F, 0))
            .Rep(26, 5)
            .Choice(kOnOff),
        R(CL_Mdc_General_Mute_MSK, G, "entry byte 0 bit 1; field ours")
            .At(Bit(0x1B8F, 1))
            .Rep(26, 5)
            .Choice(kOnOff),
        R(CL_Mdc_General_Tones_Req, G, "entry byte 0 bit 2; field ours")
            .At(Bit(0x1B8F, 2))
            .Rep(26, 5)
            .Choice(kOnOff),
        R(CL_Mdc_General_Log_Enabled, G, "entry byte 0 bit 3; field ours")
            .At(Bit(0x1B8F, 3))
            .Rep(26, 5)
            .Choice(kOnOff),
        R(CL_Mdc_General_Auto_Reset, G, "entry byte 0 bit 4; field ours")
            .At(Bit(0x1B8F, 4))
            .Rep(26, 5)
            .Choice(kOnOff),
        R(CL_Mdc_General_Mute_Type, G, "entry byte 0 bits 5-6; field ours")
            .At(Bits(0x1B8F, 5, 2))
            .Rep(26, 5)
            .Choice("GI_Sheet_Sel_Mdc_MuteType"),
        R(CL_Mdc_General_Self_Id, G, "entry bytes 1-2; field ours")
            .At(Word(0x1B90))
            .Rep(26, 5)
            .Hex(4, true),
        R(CL_Mdc_General_Initial_Tx_Delay, G, "entry byte 3; field ours")
            .At(Byte(0x1B92))
            .Rep(26, 5)
            .Sec(100),
        R(CL_Mdc_General_Group_Id, G, "entry bytes 5-6; field ours")
            .At(Word(0x1B94))
            .Rep(26, 5)
            .Hex(4, true),
        R(CL_Mdc_General_10key_Timeout, G, "entry byte 7; field ours")
            .At(Byte(0x1B96))
            .Rep(26, 5)
            .Sec(1),
        R(CL_Mdc_General_Menu_Timeout, G, "entry byte 8; field ours")
            .At(Byte(0x1B97))
            .Rep(26, 5)
            .Sec(1),
        R(CL_Mdc_General_Tx_Sync_Retry, G, "entry byte 9; field ours")
            .At(Byte(0x1B98))
            .Rep(26, 5)
            .Int(0, 15),
        R(CL_Mdc_General_DOS_Time, G, "entry byte 10; field ours")
            .At(Byte(0x1B99))
            .Rep(26, 5)
            .Sec(1),
        R(CL_Mdc_General_Coast_Time, G, "entry byte 11; field ours")
            .At(Byte(0x1B9A))
            .Rep(26, 5)
            .Sec(1),
        R(CL_Mdc_General_Log_Action_Type, G, "entry byte 12 bits 0-1; field ours")
            .At(Bits(0x1B9B, 0, 2))
            .Rep(26, 5)
            .Choice("GI_Sheet_Sel_Mdc_LogAction"),
        // Row labels: "Sys 2" and the like, on a scratch text.
        R(CL_Mdc_System_List_Text, O, "no storage: row label").Label("Sys %d"),
        R(CL_Mdc_General_Text, O, "no storage: row label").Label("Gen %d"),
        R(CL_Mdc_PttId_Text, O, "no storage: row label").Label("PTT %d"),
        R(CL_Mdc_RadioChk_Text, O, "no storage: row label").Label("RdoC %d"),
        R(CL_Mdc_Emg_Text, O, "no storage: row label").Label("Emg %d"),
        R(CL_Mdc_Stun_Text, O, "no storage: row label").Label("STUN %d"),
    };
    t.insert(t.end(), maker.begin(), maker.end());
    return t;
}

}  // namespace

const std::vector<indMemMapRow>& indMemMapTable::Rows()
{
    static const std::vector<indMemMapRow> rows = [] {
        auto t = Build();
        std::stable_sort(t.begin(), t.end(),
                         [](const indMemMapRow& x, const indMemMapRow& y) { return x.id < y.id; });
        return t;
    }();
    return rows;
}

const indMemMapRow* indMemMapTable::Find(int32_t id)
{
    const auto& rows = Rows();
    auto it = std::lower_bound(rows.begin(), rows.end(), id,
                               [](const indMemMapRow& r, int32_t v) { return r.id < v; });
    return it != rows.end() && it->id == id ? &*it : nullptr;
}
