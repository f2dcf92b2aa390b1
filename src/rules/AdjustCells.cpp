#include "rules/AdjustCells.h"

#include <cmath>
#include <cstdio>

#include "cells/AdjustCodec.h"
#include "cells/cmcCellIds.h"
#include "common/cmcEeprom.h"
#include "model/datCh.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "rules/indAdjust.h"
#include "rules/indRuleRequest.h"

namespace AdjustCells {

namespace {

// Commands 1, 85 and 153 are the link's own mode frames: no item uses them.
constexpr Item kItems[] = {
    {CL_Adjust_Pow_Hi, 0x0058, 8},
    {CL_Adjust_Pow_L2, 0x0059, 9},
    {CL_Adjust_Pow_L1, 0x005A, 10},
    {CL_Adjust_BALN, 0x005E, 11},
    {CL_Adjust_BALM, 0x005F, 12},
    {CL_Adjust_BALW, 0x0060, 13},
    {CL_Adjust_ModRatio, 0x0069, 14},
    {CL_Adjust_ModN, 0x0062, 15},
    {CL_Adjust_ModM, 0x0066, 16},
    {CL_Adjust_ModW, 0x0070, 17},
    {CL_Adjust_Ctcs, 0x0056, 18},
    {CL_Adjust_Sql, 0x0057, 21},
    {CL_Adjust_Ref, indAdjust::kRefByte, indAdjust::kCmdRef},
    {CL_Adjust_BpfT1, indAdjust::kBpf1Byte, indAdjust::kCmdBpf1},
    {CL_Adjust_BpfT2, indAdjust::kBpf2Byte, indAdjust::kCmdBpf2},
    {CL_Adjust_RxLva, indAdjust::kItemAByte, indAdjust::kCmdItemA},
    {CL_Adjust_TxLva, indAdjust::kItemBByte, indAdjust::kCmdItemB},
    {CL_Adjust_LvRx, indAdjust::kTargetAByte, -1},
    {CL_Adjust_LvTx, indAdjust::kTargetBByte, -1},
    {CL_Adjust_Smeter, 0x005B, 22},
};

std::string Text(const char* key)
{
    return g_GTex ? g_GTex->GetLine(key, 0) : std::string();
}

void ValueCell(indRuleRequest& r, const Item& item)
{
    cmcCellCapsule& c = r.capsule;
    cmcEeprom& work = r.WorkImage();
    AdjustCodec codec;
    int32_t value = work.GetByte(item.byte);
    int repaint = 0;
    if (codec.Run(c, &value, repaint, r.opened) == 0 || !r.UserEvent())
        return;
    work.SetByte(item.byte, static_cast<uint8_t>(value));
    r.repaint |= cmcCellCapsule::kRepaintAllValues;
    indAdjust* adjust = r.host.Adjust();
    if (!adjust || item.command < 0)
        return;
    uint8_t* radio = adjust->Snapshot().Data() + item.byte;
    if (*radio != value)
        adjust->AdjustCommand(item.command, value, radio, false);
}

void SweepCell(indRuleRequest& r, int which)
{
    cmcCellCapsule& c = r.capsule;
    indAdjust* adjust = r.host.Adjust();
    if (!adjust)
        return;
    const bool bisection = which >= 3;
    if (adjust->Running())
        c.text = Text("GI_AppInd_Sweep_Running");
    else if (bisection && adjust->BisectionOf(which - 3).outOfRange)
        c.text = Text("GI_AppInd_Sweep_Error");
    else
        c.text = Text("GI_AppInd_Sweep_Start");
    if (!r.UserEvent() || c.key != cmcCellCapsule::kKeyEnter)
        return;
    switch (which) {
        case 0:
            adjust->StartSweepBoth();
            break;
        case 1:
            adjust->StartSweep1();
            break;
        case 2:
            adjust->StartSweep2();
            break;
        case 3:
            adjust->StartBisectionA();
            break;
        default:
            adjust->StartBisectionB();
            break;
    }
    r.repaint |= cmcCellCapsule::kRepaintAllValues;
}

// The S-meter catch: prompts for the S1 and then the S3 signal; Enter catches the level.
void CatchCell(indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    indAdjust* adjust = r.host.Adjust();
    if (!adjust)
        return;
    // Enter first, so that the cell shows the step it led to.
    if (r.UserEvent() && c.key == cmcCellCapsule::kKeyEnter) {
        adjust->CatchEnter();
        r.repaint |= cmcCellCapsule::kRepaintAllValues;
    }
    if (adjust->Catching())
        c.text = Text("GI_AppInd_Sweep_Running");
    else if (adjust->CatchStep() == indAdjust::kCatchS1)
        c.text = "RSSI S1 Level";
    else if (adjust->CatchStep() == indAdjust::kCatchS3)
        c.text = "RSSI S3 Level";
    else
        c.text = Text("GI_AppInd_Catch_Start");
}

// The memory channel record of adjustment channel ch (1-based).
datCh ChannelRecord(indRuleRequest& r, int ch)
{
    datCh rec(r.WorkImage());
    rec.Load(r.ChannelKind(), ch - 1);
    return rec;
}

bool Used(indRuleRequest& r, int ch)
{
    const datCh rec = ChannelRecord(r, ch);
    return rec.part[0][0] || rec.part[0][1] || rec.part[0][2] || rec.part[0][3];
}

void ChannelCell(indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    indAdjust* adjust = r.host.Adjust();
    const int current = adjust ? adjust->ChannelNumber() : 1;
    c.text = txt::Format("%2d", current);
    if (!adjust || !r.UserEvent())
        return;
    const int step = c.key == cmcCellCapsule::kKeyRightEdge  ? 1
                     : c.key == cmcCellCapsule::kKeyLeftEdge ? -1
                                                             : 0;
    if (step == 0)
        return;
    const int limit = adjust->ChannelLimit();
    int ch = current;
    for (int i = 0; i < limit; ++i) {
        ch = (ch - 1 + step + limit) % limit + 1;
        if (Used(r, ch))
            break;
    }
    if (ch == current || !Used(r, ch))
        return;
    if (adjust->AdjustCommand(indAdjust::kCmdChannel, ch, nullptr, false)) {
        adjust->SetChannelNumber(ch);
        c.text = txt::Format("%2d", ch);
        r.repaint |= cmcCellCapsule::kRepaintAllValues;
    }
}

std::string Mhz(uint32_t hz)
{
    return txt::Format("%d.%05d", static_cast<int>(hz / 1000000),
                       static_cast<int>(hz % 1000000 / 10));
}

void AdCell(indRuleRequest& r, int32_t id)
{
    indAdjust* adjust = r.host.Adjust();
    if (!adjust)
        return;
    // The window shows these cells: the readings are on display.
    adjust->readingsDisplay = true;
    const int ch = ChannelOf(id);
    const int reading = adjust->Reading(ch);
    const int kind = (id - CL_WinAD_VIN_Dec - (id > CL_WinAD_SMTR_Dec ? 1 : 0)) % 3;
    std::string& text = r.capsule.text;
    if (kind == 0) {
        text = txt::Format("%3d", reading);
    } else if (kind == 1) {
        text = txt::Format("%2X", reading);
    } else if (id == CL_WinAD_VIN_Vt) {
        text = txt::Format("%3.2fV", reading * 10.0 / 255);
    } else if (id == CL_WinDA_BAL_Vt) {
        text = txt::Format("%3.2f%%", reading * 100.0 / 255);
    } else if (id == CL_WinAD_TEMPS_Vt) {
        // A thermistor against a fixed resistor; 0 and 255 mean an open or shorted input.
        if (reading == 0 || reading == 255)
            return;
        const double v = reading * 5.0 / 255;
        const double q = (500000 - 100000 * v) / v / 47000;
        text = txt::Format("%3.2f'C", 1 / (std::log(q) / 4000 + 1 / 298.15) - 273.15);
    } else {
        text = txt::Format("%3.2fV", reading * 5.0 / 255);
    }
}

// The stored adjustment parameters. Each has a byte of its own: the items' bytes, the
// seven-band slope tables from 0080 on, then the temperature slopes, the tone deviation
// corrections and the two S-meter levels from 00B0 on (clear of the level targets at
// 00AE and 00AF).
int32_t ParamByte(int32_t id)
{
    static const int32_t items[] = {
        0x0058,
        0x0059,
        0x005A,  // transmit power high, low 2, low 1
        0x005E,
        0x005F,
        0x0060,  // balance narrow, middle, wide
        0x0062,
        0x0066,
        0x0070,  // deviation narrow, middle, wide
        0x0056,
        0x0057,
        0x00AD,  // CTCSS, squelch, reference
        0x0063,
        0x0054,
        0x0055,  // band-pass correction, filter 1, filter 2
        indAdjust::kItemAByte,
        indAdjust::kItemBByte,  // receive and transmit level
    };
    constexpr int32_t kItems = static_cast<int32_t>(sizeof items / sizeof items[0]);
    constexpr int32_t kBands = 6 * 7;
    const int32_t k = id - CL_Adj_Pram_RfPow_Hi;
    if (k < kItems)
        return items[k];
    if (k < kItems + kBands)
        return 0x0080 + (k - kItems);
    if (id == CL_Adj_Pram_Rssi_Lev1)
        return indAdjust::kRssiLev1Byte;
    if (id == CL_Adj_Pram_Rssi_Lev6)
        return indAdjust::kRssiLev6Byte;
    // Temperature slopes and tone corrections (Base_Freq, between them, has its own cell).
    return 0x00B0 + (k - kItems - kBands);
}

}  // namespace

const Item* ItemOf(int32_t id)
{
    for (const Item& item : kItems)
        if (item.id == id)
            return &item;
    return nullptr;
}

int ChannelOf(int32_t id)
{
    static const int channels[] = {0, 1, 2, 3, 8, 9, 10, 11, 12, 13, 14, 15, 5};
    if (id >= CL_WinAD_VIN_Dec && id < CL_WinAD_SMTR_Dec)
        return channels[(id - CL_WinAD_VIN_Dec) / 3];
    if (id > CL_WinAD_SMTR_Dec && id <= CL_WinDA_RXLVA_Vt)
        return channels[4 + (id - CL_WinDA_T1_Dec) / 3];
    return -1;
}

bool Handle(indRuleRequest& r)
{
    const int32_t id = r.id;
    if (id < CL_Adjust_ChNo || id > CL_WinDA_RXLVA_Vt || id == CL_Adjust_Password)
        return false;
    cmcCellCapsule& c = r.capsule;
    if (const Item* item = ItemOf(id)) {
        ValueCell(r, *item);
        return true;
    }
    if (id == CL_Adjust_Smeter_Bar) {
        CatchCell(r);
        return true;
    }
    if (const Item* item = ItemOf(id - 1)) {
        const int value = r.WorkImage().GetByte(item->byte);
        c.text = id == CL_Adjust_LvRx_Bar || id == CL_Adjust_LvTx_Bar
                     ? txt::Format("%3.2fV", value * 5.0 / 255)
                     : AdjustCodec::Bar(value, 0, 255);
        return true;
    }
    switch (id) {
        case CL_Adjust_ChNo:
            ChannelCell(r);
            return true;
        case CL_Adjust_ChNoFreq:
        case CL_Adjust_ChRfPow: {
            const datCh rec =
                ChannelRecord(r, r.host.Adjust() ? r.host.Adjust()->ChannelNumber() : 1);
            if (id == CL_Adjust_ChNoFreq) {
                c.text = "RX=" + Mhz(rec.freqR) + ", TX=" + Mhz(rec.freqT);
            } else {
                static const char* const power[] = {"High", "Low1", "Low2", "Low2"};
                c.text = txt::Format("RF Power=%s, Mode=%s", power[rec.rfPower & 3],
                                     rec.narrow ? "Narrow" : "Wide");
            }
            return true;
        }
        case CL_Adjust_BpfAll:
            return true;
        case CL_Adjust_BpfAll_Sweep:
            SweepCell(r, 0);
            return true;
        case CL_Adjust_BpfT1_Sweep:
            SweepCell(r, 1);
            return true;
        case CL_Adjust_BpfT2_Sweep:
            SweepCell(r, 2);
            return true;
        case CL_Adjust_RxLva_Sweep:
            SweepCell(r, 3);
            return true;
        case CL_Adjust_TxLva_Sweep:
            SweepCell(r, 4);
            return true;
        default:
            break;
    }
    if (id == CL_Adj_Pram_Base_Freq) {
        const int value = r.WorkImage().GetByte(0x0050) * 256 + r.WorkImage().GetByte(0x0051);
        c.text = txt::Format("%d.%03d", value / 10, 100 * (value % 10));
        return true;
    }
    if (id >= CL_Adj_Pram_RfPow_Hi && id <= CL_Adj_Pram_Rssi_Lev6) {
        c.text = txt::Format("%3d", r.WorkImage().GetByte(ParamByte(id)));
        return true;
    }
    if (ChannelOf(id) >= 0) {
        AdCell(r, id);
        return true;
    }
    return false;
}

}  // namespace AdjustCells
