#include "rules/indBankRules.h"

#include <algorithm>

#include "cells/ChoiceCodec.h"
#include "cells/CodecProtocol.h"
#include "cells/IntCodec.h"
#include "common/EventIds.h"
#include "common/cmcEeprom.h"
#include "common/cmcEvMan.h"
#include "model/datChBanks.h"
#include "model/datChEdit.h"
#include "model/datClipCh.h"
#include "overlay/OverlayBox.h"
#include "overlay/cmcGTex.h"
#include "platform/TextUtil.h"
#include "rules/indCapacity.h"
#include "rules/indRuleRequest.h"

namespace {

constexpr int32_t kSlots = 16;  // memory channels the image stores
constexpr const char* kOnOff = "GI_Sheet_Sel_Misc_OnOff2";
constexpr const char* kBankName = "Free";

void ErrorBox(const char* key)
{
    OverlayBox(key, plat::BoxIcon::Error, plat::BoxButtons::Ok);
}

// Channels counted over the banks, never more than the 16 that have storage.
int32_t StoredTotal(indMemMap::ConstImage image)
{
    return std::min(datTotalChannels(image), kSlots);
}

// Room for more channels: the free slots that also fit into the packed EEPROM.
int32_t ChannelsLeft(indRuleRequest& r)
{
    const int32_t free = std::max(0, kSlots - datTotalChannels(r.WorkImage()));
    return indCapacity::LargestFit(r.WorkImage(), r.ChannelKind(), free);
}

void ShowNumber(indRuleRequest& r, int32_t n)
{
    r.capsule.text = txt::Format("%d", n);
}

// Empty channels at the end of bank b: not in use and neither priority nor special channel,
// counted from the bank's last channel down to its own first one.
int32_t EmptyAtEnd(indRuleRequest& r, int32_t first, int32_t size)
{
    datCh ch(r.WorkImage());
    int32_t empty = 0;
    for (int32_t c = first + size - 1; c >= first; --c) {
        ch.Load(r.ChannelKind(), c);
        if (ch.InUse() ||
            (ch.attr & (datCh::kAtrPrio1 | datCh::kAtrPrio2 | datCh::kAtrSpecial)) != 0)
            break;
        ++empty;
    }
    return empty;
}

void BankSize(indRuleRequest& r)
{
    const int32_t b = r.index;
    if (b < 0 || b >= kDatBanks) {
        CodecProtocol::ShowDisabled(r.capsule);
        return;
    }
    cmcEeprom& work = r.WorkImage();
    cmcEeprom& reference = r.host.ReferenceImage();
    const int32_t kind = r.ChannelKind();
    const int32_t size = datBankSize(work, b);
    const int32_t first = datChannelsBefore(work, b);
    const int32_t free = std::max(0, kSlots - datTotalChannels(work));
    const int32_t extra = indCapacity::LargestFit(work, kind, free);
    const int32_t empty = EmptyAtEnd(r, first, size);

    IntCodec codec;
    codec.min = std::max(0, size - empty);
    codec.max = size + extra;
    codec.saturate = true;
    int32_t n = size;
    if (codec.Run(r.capsule, &n, r.repaint, r.opened) == 0 || n == size)
        return;
    n = std::max(0, n);
    const int32_t grow = n - size;
    const int32_t shrink = size - n;
    int32_t by = 0;
    if (grow >= 1) {
        by = grow;
        if (grow > free) {
            ErrorBox("GI_AppMess_ChErr_Overflow");
            by = extra;
        }
        for (int32_t i = 0; i < by; ++i)
            datChEdit::InsertChannel(work, reference, kind, first + size + i);
        datSetBankSize(work, b, size + by);
    } else if (shrink >= 1) {
        by = shrink;
        if (shrink > empty) {
            ErrorBox(size >= shrink ? indBankRules::kNotBlank : indBankRules::kNoChannel);
            by = empty;
        }
        for (int32_t i = 0; i < by; ++i)
            datChEdit::DeleteChannel(work, reference, kind, first + size - 1 - i);
        datSetBankSize(work, b, size - by);
    }
    r.repaint |= cmcCellCapsule::kRepaintId;
    r.host.PackWorkImage();
}

void BankMode(indRuleRequest& r)
{
    int32_t on = r.banksEnabled ? 1 : 0;
    ChoiceCodec codec;
    codec.listName = indBankRules::kBankModeList;
    const int32_t before = on;
    if (codec.Run(r.capsule, &on, r.repaint, r.opened) == 0 || on == before)
        return;
    indBankRules::SetBankMode(r.WorkImage(), r.ModelType(), on != 0);
    r.host.PackWorkImage();
    if (g_EvMan)
        g_EvMan->Send(ev::kTreeRebuilt);
    r.repaint |= cmcCellCapsule::kRepaintAllValues;
}

void BankFlag(indRuleRequest& r)
{
    const int32_t b = r.index;
    if (b < 0 || b >= kDatBanks) {
        CodecProtocol::ShowDisabled(r.capsule);
        return;
    }
    int32_t on = datBankFlag(r.WorkImage(), b) ? 1 : 0;
    const int32_t before = on;
    ChoiceCodec codec;
    codec.listName = kOnOff;
    if (codec.Run(r.capsule, &on, r.repaint, r.opened) && on != before) {
        datSetBankFlag(r.WorkImage(), b, on != 0);
        if (g_EvMan)
            g_EvMan->Post(ev::kRefreshBankIcons);
    }
}

void QuarterPillar(indRuleRequest& r)
{
    const cmcCellCapsule& c = r.capsule;
    if (!c.canvas || !c.rect)
        return;
    const cmcRect& rc = *c.rect;
    const int32_t top = rc.bottom - 3 * (rc.bottom - rc.top) / 10;
    const cmcCanvas::Point p[4] = {
        {rc.left, top}, {rc.right, top}, {rc.right, rc.bottom}, {rc.left, rc.bottom}};
    c.canvas->SetBrushColor(ColorRgb(128, 128, 128));
    c.canvas->SetPenColor(ColorRgb(128, 128, 128));
    c.canvas->Polygon(p, 4);
}

// Swaps banks b and b + 1: sizes, flags and their channel blocks, with every stored
// reference following its channel.
void SwapBanks(indRuleRequest& r, int32_t b)
{
    cmcEeprom& work = r.WorkImage();
    const int32_t kind = r.ChannelKind();
    const int32_t first = datChannelsBefore(work, b);
    const int32_t sa = datBankSize(work, b);
    const int32_t sb = datBankSize(work, b + 1);
    const bool fa = datBankFlag(work, b);
    const bool fb = datBankFlag(work, b + 1);
    // Only the stored channels move; counts past them have no records.
    const int32_t na = std::clamp(kSlots - first, 0, sa);
    const int32_t nb = std::clamp(kSlots - first - sa, 0, sb);
    datClipCh upper;
    datClipCh lower;
    upper.CopyFrom(work, kind, first, na);
    lower.CopyFrom(work, kind, first + sa, nb);
    datChEdit::MapReferences(work, [&](int32_t v) {
        if (v >= first && v < first + sa)
            return v + sb;
        if (v >= first + sa && v < first + sa + sb)
            return v - sa;
        return v;
    });
    datSetBankSize(work, b, sb);
    datSetBankSize(work, b + 1, sa);
    datSetBankFlag(work, b, fb);
    datSetBankFlag(work, b + 1, fa);
    // Records keep their own priority flags and take the bank flag of where they land,
    // which is already the flag of the bank they belong to.
    lower.PasteTo(work, kind, first, nb);
    upper.PasteTo(work, kind, first + sb, na);
}

}  // namespace

void indBankRules::SetBankMode(indMemMap::Image image, int32_t modelType, bool on)
{
    for (int32_t b = 0; b < kDatBanks; ++b)
        datSetBankSize(image, b, 0);
    if (!on) {
        datSetBankSize(image, 0, kSlots);
        return;
    }
    datCh ch(image);
    int32_t lastUsed = -1;
    for (int32_t c = 0; c < kSlots; ++c) {
        ch.Load(datCountKind(modelType), c);
        if (ch.InUse())
            lastUsed = c;
    }
    // Bank 1 needs a channel for the mode to be on; the slots after it stay free for any bank.
    datSetBankSize(image, 0, std::clamp(lastUsed + 1, 1, kSlots - 1));
    datSetBankSize(image, 1, 1);
}

void indBankRules::CarryBanks(indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    const int32_t d = c.command == CL_PMenu_CarryUp ? -1 : 1;
    int32_t lo = r.index;
    int32_t hi = r.index;
    if (c.selectionFlags & cmcCellCapsule::kSelRange) {
        lo = std::min(c.rangeFirst, c.rangeLast);
        hi = std::max(c.rangeFirst, c.rangeLast);
    }
    if (lo < 0 || hi >= kDatBanks)
        return;
    if (d < 0) {
        if (lo <= 0)
            return;
        for (int32_t b = lo; b <= hi; ++b)
            SwapBanks(r, b - 1);
        --lo;
    } else {
        if (hi >= kDatBanks - 1)
            return;
        for (int32_t b = hi; b >= lo; --b)
            SwapBanks(r, b);
        ++hi;
    }
    if (g_EvMan) {
        g_EvMan->Post(ev::kRefreshBankIcons);
        g_EvMan->PostText(ev::kRefreshBankNames, lo, hi, kBankName);
    }
    r.repaint |= cmcCellCapsule::kRepaintAllValues;
}

bool indBankRules::Handle(indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    indMemMap::ConstImage image = r.WorkImage();
    const int mt = r.ModelType();
    switch (r.id) {
        case CL_Mch_Bank:
            BankSize(r);
            return true;
        case CL_Bank_SelBankFree:
            BankMode(r);
            return true;
        case CL_Bank_SmarTrunk:
            c.text = "Non";
            return true;
        case CL_Bank_UsedQty:
            if (r.banksEnabled)
                ShowNumber(r, datUsedChannelsInBank(image, r.index, mt));
            else
                c.text = "---";
            return true;
        case CL_Bank_UsedTotal:
            ShowNumber(r, datUsedChannels16(image, mt));
            return true;
        case CL_Bank_UsedLeft:
            ShowNumber(r, kSlots - datUsedChannels16(image, mt));
            return true;
        case CL_Mch_Bank_Total:
            ShowNumber(r, StoredTotal(image));
            return true;
        case CL_Mch_Bank_Left:
            ShowNumber(r, ChannelsLeft(r));
            return true;
        case CL_Mch_UsedCHs:
            ShowNumber(r, datUsedChannelsInBank(image, r.index, mt));
            return true;
        case CL_Mch_UsedCHs_Total:
            ShowNumber(r, datUsedChannels16(image, mt));
            return true;
        case CL_Mch_UsedCHs_Left:
            ShowNumber(r, std::max(0, ChannelsLeft(r) + StoredTotal(image) -
                                          datUsedChannels16(image, mt)));
            return true;
        case CL_Mch_SmarTrunk:
            BankFlag(r);
            return true;
        case CL_Mch_BankText:
            // The radio keeps no bank names: nothing to show, nothing to type into.
            CodecProtocol::ShowDisabled(c);
            if (!c.canvas)
                c.text.clear();
            return true;
        case CL_Mch_No:
        case CL_Mch_No_Pmr:
            if (r.outside)
                c.text = g_GTex ? g_GTex->GetText("GI_NewChTitle") : std::string();
            else
                ShowNumber(r, r.index + 1);
            return true;
        case CL_Misc_ChNo_0Base:
            ShowNumber(r, r.index);
            return true;
        case CL_Misc_ChNo_1Base:
            ShowNumber(r, r.index + 1);
            return true;
        case CL_Misc_QuarterPillar:
            QuarterPillar(r);
            return true;
        case CL_Dtmf_ChNo:
            if (r.index == 0)
                c.text = "Autodial";
            else if (mt == 0 && r.index == 1)
                c.text = "Emergency";
            else if (mt == 0 && r.index == 2)
                c.text = "Log/ID";
            else
                ShowNumber(r, r.index + 1);
            return true;
        default:
            return false;
    }
}
