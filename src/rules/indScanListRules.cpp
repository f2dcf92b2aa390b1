#include "rules/indScanListRules.h"

#include "cells/ChoiceCodec.h"
#include "cells/CodecProtocol.h"
#include "cells/cmcCellIds.h"
#include "model/datCh.h"
#include "rules/ScanChannelCodec.h"
#include "rules/indRuleRequest.h"

namespace {

constexpr int32_t kScanKind = datKindNumber(datKind::Scan);

void Put(uint8_t& byte, int low, int width, int32_t value)
{
    const uint8_t mask = static_cast<uint8_t>(((1 << width) - 1) << low);
    byte = static_cast<uint8_t>((byte & ~mask) | ((value << low) & mask));
}

int32_t Get(uint8_t byte, int low, int width)
{
    return (byte >> low) & ((1 << width) - 1);
}

}  // namespace

indScanListRules::Fields indScanListRules::Fields::Decode(const uint8_t* b)
{
    Fields f;
    f.talkBack = Get(b[0], 7, 1);
    f.txAction = Get(b[0], 6, 1);
    f.cancelTalkBack = Get(b[0], 5, 1);
    f.cancelExtra = Get(b[0], 4, 1);
    f.pwrSave = Get(b[0], 3, 1);
    f.scanType = Get(b[1], 4, 4);
    f.dispText = Get(b[1], 0, 4);
    f.scanMode = Get(b[2], 0, 4);
    f.modeFlag = Get(b[2], 4, 1);
    f.prio1Mode = Get(b[4], 0, 4);
    f.prio2Mode = Get(b[4], 4, 4);
    f.txMode = Get(b[5], 0, 4);
    f.cancelMode = Get(b[5], 4, 4);
    f.prio2Channel = b[6];
    f.prio1Channel = b[7];
    f.cancelChannel = b[8];
    f.txChannel = b[9];
    return f;
}

void indScanListRules::Fields::Encode(uint8_t* b) const
{
    Put(b[0], 7, 1, talkBack);
    Put(b[0], 6, 1, txAction);
    Put(b[0], 5, 1, cancelTalkBack);
    Put(b[0], 4, 1, cancelExtra);
    Put(b[0], 3, 1, pwrSave);
    Put(b[1], 4, 4, scanType);
    Put(b[1], 0, 4, dispText);
    Put(b[2], 0, 4, scanMode);
    Put(b[2], 4, 1, modeFlag);
    Put(b[4], 0, 4, prio1Mode);
    Put(b[4], 4, 4, prio2Mode);
    Put(b[5], 0, 4, txMode);
    Put(b[5], 4, 4, cancelMode);
    b[6] = static_cast<uint8_t>(prio2Channel);
    b[7] = static_cast<uint8_t>(prio1Channel);
    b[8] = static_cast<uint8_t>(cancelChannel);
    b[9] = static_cast<uint8_t>(txChannel);
}

void indScanListRules::Fields::DeriveScanMode()
{
    scanMode = 0;
    modeFlag = 0;
    if (scanType == 0 || txAction != 0)
        return;
    if (scanType == 1 && txMode == 0 && cancelMode == 0 && cancelTalkBack == 0) {
        scanMode = 1;
        return;
    }
    const bool cancelQualifies = cancelMode == 1 || cancelExtra != 0;
    if (scanType != 2 || txMode != 1 || prio1Mode != 1 || !cancelQualifies)
        return;
    if (prio2Mode != 0 && prio2Mode != 2)
        return;
    if (talkBack != 0 && cancelTalkBack != 0)
        scanMode = 2;
    else if (talkBack == 0 && cancelTalkBack == 0)
        scanMode = 3;
    else
        return;
    modeFlag = prio2Mode == 2 ? 1 : 0;
}

bool indScanListRules::Handle(indRuleRequest& r)
{
    if (r.id < CL_ScanList_ScanMode || r.id > CL_ScanList_PwrSave)
        return false;
    cmcCellCapsule& c = r.capsule;
    datCh rec(r.WorkImage());
    rec.Load(kScanKind, 0);
    Fields f = Fields::Decode(rec.part[0]);
    const Fields before = f;

    auto choice = [&](const char* list, int32_t* value) {
        ChoiceCodec codec;
        codec.listName = list;
        return codec.Run(c, value, r.repaint, r.opened);
    };
    bool derive = true;
    bool shown = true;  // the cell's condition holds
    const bool typed = f.scanType != 0;
    switch (r.id) {
        case CL_ScanList_ScanMode: {
            int32_t v = f.modeFlag * 128 + f.scanMode;
            if (choice("GI_Sheet_Sel_ScanMode", &v)) {
                f.scanMode = v & 0x0F;
                f.modeFlag = (v >> 7) & 1;
            }
            derive = false;
            break;
        }
        case CL_ScanList_ScanType:
            choice("GI_Sheet_Sel_ScanType", &f.scanType);
            break;
        case CL_ScanList_Text:
            // The record has no room for a name.
            CodecProtocol::ShowDisabled(c);
            return true;
        case CL_ScanList_DispText:
            shown = typed;
            if (shown)
                choice("GI_Sheet_Sel_ScanList_Text", &f.dispText);
            derive = false;
            break;
        case CL_ScanList_Prio1_CH:
        case CL_ScanList_Prio2_CH:
        case CL_ScanList_TX_CH: {
            shown = r.id == CL_ScanList_TX_CH ? typed : f.scanType == 2;
            if (!shown)
                break;
            ScanChannelCodec codec;
            codec.image = r.WorkImage();
            codec.bank = r.bank;
            if (r.id == CL_ScanList_Prio1_CH) {
                codec.which = ScanChannelCodec::kPriority1;
                codec.Run(c, &f.prio1Mode, &f.prio1Channel, nullptr, r.repaint, r.opened);
            } else if (r.id == CL_ScanList_Prio2_CH) {
                codec.which = ScanChannelCodec::kPriority2;
                codec.Run(c, &f.prio2Mode, &f.prio2Channel, &f.modeFlag, r.repaint, r.opened);
            } else {
                codec.which = ScanChannelCodec::kTransmit;
                codec.Run(c, &f.txMode, &f.txChannel, nullptr, r.repaint, r.opened);
            }
            break;
        }
        case CL_ScanList_TX_TalkBack:
            shown = typed && f.txMode != 0;
            if (shown)
                choice("GI_Sheet_Sel_Misc_OnOff", &f.talkBack);
            break;
        case CL_ScanList_TX_Action:
            shown = typed;
            if (shown)
                choice("GI_Sheet_Sel_ScanTXAct", &f.txAction);
            break;
        case CL_ScanList_Cancel_CH: {
            shown = typed;
            if (!shown)
                break;
            int32_t v = f.cancelExtra * 32 + f.cancelTalkBack * 16 + f.cancelMode;
            if (choice("GI_Sheet_Sel_ScanCancelCH", &v)) {
                f.cancelExtra = (v >> 5) & 1;
                f.cancelTalkBack = (v >> 4) & 1;
                f.cancelMode = v & 0x0F;
            }
            break;
        }
        case CL_ScanList_Cancel_TalkBack:
            shown = typed && f.cancelMode != 0;
            if (shown)
                choice("GI_Sheet_Sel_Misc_OnOff", &f.cancelTalkBack);
            derive = false;
            break;
        case CL_ScanList_PwrSave:
            shown = typed;
            if (shown)
                choice("GI_Sheet_Sel_Misc_OnOff2", &f.pwrSave);
            derive = false;
            break;
        default:
            return false;
    }
    if (!shown) {
        CodecProtocol::ShowDisabled(c);
        return true;
    }
    const auto same = [](const Fields& a, const Fields& b) {
        uint8_t x[10] = {}, y[10] = {};
        a.Encode(x);
        b.Encode(y);
        for (int k = 0; k < 10; ++k)
            if (x[k] != y[k])
                return false;
        return true;
    };
    if (same(f, before))
        return true;
    if (derive)
        f.DeriveScanMode();
    f.Encode(rec.part[0]);
    rec.Save();
    // The other cells of the list switch on and off with this one.
    r.repaint |= cmcCellCapsule::kRepaintAllValues;
    return true;
}
