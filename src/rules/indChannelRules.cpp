#include "rules/indChannelRules.h"

#include <algorithm>
#include <vector>

#include "cells/ChoiceCodec.h"
#include "cells/CodecProtocol.h"
#include "cells/FlagBitsCodec.h"
#include "cells/FlagLettersCodec.h"
#include "cells/IntCodec.h"
#include "cells/NumberedChoiceCodec.h"
#include "cells/TypedChoiceCodec.h"
#include "common/EventIds.h"
#include "common/cmcEvMan.h"
#include "model/datChBanks.h"
#include "model/datChKinds.h"
#include "overlay/OverlayBox.h"
#include "rules/FrequencyCodec.h"
#include "rules/ToneCodec.h"
#include "rules/indCapacity.h"
#include "rules/indGenericRules.h"
#include "rules/indMemMapTable.h"
#include "rules/indRuleRequest.h"

namespace {

constexpr int32_t kAliasKind = datKindNumber(datKind::MdcAlias);
constexpr int32_t kAliasSlots = 5;
constexpr int32_t kChannelSlots = 16;
constexpr int32_t kScanListByte = 0x0A1A;  // bit 2: scan lists are in use
constexpr uint8_t kScanListMask = 0x04;
constexpr uint8_t kCentred = 0x01 | 0x04;  // horizontally and vertically

bool Drawing(const indRuleRequest& r)
{
    return r.capsule.canvas != nullptr;
}

void Grey(indRuleRequest& r)
{
    if (Drawing(r))
        r.capsule.canvas->SetFontColor(CodecProtocol::kDisabledColor);
}

void Align(indRuleRequest& r, uint8_t h)
{
    cmcCellObj& cell = r.Cell();
    cell.layout = static_cast<uint8_t>((cell.layout & ~cmcCellObj::kHAlignMask) | h);
}

// A cell that its channel's digital settings switch off: a grey dash text, centred, while
// drawing; otherwise nothing at all, so that no key reaches the field.
void Disabled(indRuleRequest& r, const char* text = "----")
{
    if (!Drawing(r)) {
        r.capsule.text.clear();
        return;
    }
    CodecProtocol::ShowDisabled(r.capsule, text);
    cmcCellObj& cell = r.Cell();
    cell.layout = static_cast<uint8_t>(
        (cell.layout & ~(cmcCellObj::kHAlignMask | cmcCellObj::kVAlignMask)) | kCentred);
}

// Saves the record when a codec changed one of its fields.
int Saved(indRuleRequest& r, int changed)
{
    if (changed)
        r.record.Save();
    return changed;
}

int Choice(indRuleRequest& r, const char* list, int32_t& field, int32_t listId = Flex0)
{
    ChoiceCodec codec;
    codec.listName = list;
    codec.listId = listId;
    int32_t v = field;
    const int changed = codec.Run(r.capsule, &v, r.repaint, r.opened) != 0 && v != field;
    if (changed)
        field = v;
    return Saved(r, changed);
}

int Typed(indRuleRequest& r, const char* list, int32_t listId, int32_t& field)
{
    TypedChoiceCodec codec;
    codec.listName = list;
    codec.listId = listId;
    codec.matchKind = TypedChoiceCodec::kMatchNumber;
    int32_t v = field;
    const int changed = codec.Run(r.capsule, &v, r.repaint, r.opened) != 0 && v != field;
    if (changed)
        field = v;
    return Saved(r, changed);
}

int FlagBits(indRuleRequest& r, int first, int last, int labelKind, int32_t& field)
{
    FlagBitsCodec codec;
    codec.firstBit = first;
    codec.lastBit = last;
    codec.labelKind = labelKind;
    return Saved(r, indGenericRules::RunFlagBits(codec, r.capsule, &field, r.repaint, r.opened));
}

// Lists that come in an LMR and a PMR form.
const char* ByModel(bool pmr, const char* pmrList, const char* lmrList)
{
    return pmr ? pmrList : lmrList;
}

void MarkWarning(indRuleRequest& r, bool on)
{
    if (on)
        r.capsule.flags |= cmcCellCapsule::kFlagWarning;
}

void MarkError(indRuleRequest& r, bool on)
{
    if (on)
        r.capsule.flags |= cmcCellCapsule::kFlagError;
}

// A change of a setting that the digital-signalling checks look at shows every value again.
void AllValuesOnChange(indRuleRequest& r, int changed)
{
    if (changed)
        r.repaint |= cmcCellCapsule::kRepaintAllValues;
}

void ShowOverflow()
{
    OverlayBox(indChannelRules::kOverflow, plat::BoxIcon::Error, plat::BoxButtons::Ok);
}

// The receive frequency: on the new row of the bank a typed digit first creates the channel,
// at the bank's end, then the frequency codec takes the key.
void ReceiveFrequency(indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    const int32_t kind = r.ChannelKind();
    bool created = false;
    if (r.outside && indChannelRules::CreatesRow(c.key)) {
        if (!r.UserEvent())
            return;
        cmcEeprom& work = r.WorkImage();
        const int32_t total = datTotalChannels(work);
        if (total < kChannelSlots && indCapacity::Fits(work, kind, 1)) {
            // Whatever row of the bank's end the user typed on, the channel goes right after
            // the bank's last channel: an empty bank's rows must never reach into the next bank.
            const int32_t at = r.bankFirst + r.bankSize;
            if (g_EvMan)
                g_EvMan->Send(ev::kInsertChannel, r.bank, at);
            if (datTotalChannels(work) == total) {
                ShowOverflow();  // nobody made room
                return;
            }
            r.index = at;
            c.jumpIndex = at;
            r.record.Load(kind, at);
            r.record.SetInUse(false);  // the codec brings it into use
            r.outside = false;
            r.bankSize = datBankSize(work, r.bank);
            r.bankLast = r.bankFirst + r.bankSize - 1;
            created = true;
        } else {
            ShowOverflow();
            return;
        }
    }
    if (r.outside && !created) {
        c.text.clear();
        return;
    }
    FrequencyCodec codec;
    codec.receive = true;
    const int changed = codec.Run(c, &r.record, r.repaint, r.opened);
    if (changed) {
        r.record.digSig = r.ModelType() == 3 ? 3 : 0;
        r.record.Save();
    }
}

void TransmitFrequency(indRuleRequest& r)
{
    FrequencyCodec codec;
    codec.receive = false;
    Saved(r, codec.Run(r.capsule, &r.record, r.repaint, r.opened));
    if (r.record.txInhibit)
        Grey(r);
}

void Attributes(indRuleRequest& r)
{
    r.record.Reload();
    FlagLettersCodec codec;
    codec.listName =
        r.ModelType() == 3 ? indChannelRules::kAtrListExSmt : indChannelRules::kAtrList;
    auto v = static_cast<uint8_t>(r.record.attr);
    const int changed = codec.Run(r.capsule, &v, r.repaint, r.opened) != 0 &&
                        v != static_cast<uint8_t>(r.record.attr);
    if (changed) {
        r.record.attr = v;
        r.record.Save();
        r.repaint |= cmcCellCapsule::kRepaintId;  // priority and special move between channels
    }
}

void Tone(indRuleRequest& r)
{
    const int mt = r.ModelType();
    ToneCodec codec;
    codec.receive = mt == 1 ? r.id == CL_Mch_CTone_R_Pmr : r.id == CL_Mch_CTone_R;
    codec.modelType = mt;
    Saved(r, codec.Run(r.capsule, r.record.tone, r.repaint, r.opened));
    if (r.record.digSig == 3)
        Grey(r);
}

// The MSK repeater field: 255 while the repeater flag is set, otherwise the repeater code.
void MskRepeater(indRuleRequest& r)
{
    if (r.mskOff) {
        Disabled(r);
        return;
    }
    Align(r, 2);
    NumberedChoiceCodec codec;
    codec.listA = "GI_Sheet_Sel_Mch_Msk_Rpt_1st_Pmr";
    codec.listB = "GI_Sheet_Sel_Mch_Msk_Rpt_2nd";
    codec.idA = Flex0;
    codec.idB = Flex1;
    codec.offAllowed = true;
    datCh& ch = r.record;
    int32_t v = ch.mskRpt ? 255 : ch.rptCode;
    const int32_t before = v;
    if (codec.Run(r.capsule, &v, r.repaint, r.opened) && v != before) {
        if (v == 255) {
            ch.mskRpt = 1;
        } else {
            ch.mskRpt = 0;
            ch.rptCode = v & 0x7F;
        }
        ch.Save();
    }
}

// The MSK receive code numbers: flags 1 to 7 on bits 6 to 0 of the code number field; bit 7
// is not theirs.
void MskReceiveCodes(indRuleRequest& r)
{
    if (r.mskOff) {
        Disabled(r);
        return;
    }
    FlagBitsCodec codec;
    codec.firstBit = 1;
    codec.lastBit = 7;
    int32_t field = r.record.rxCNo & 0x7F;
    if (indGenericRules::RunFlagBits(codec, r.capsule, &field, r.repaint, r.opened)) {
        r.record.rxCNo = (r.record.rxCNo & 0x80) | (field & 0x7F);
        r.record.Save();
    }
}

void AliasName(indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    cmcEeprom& work = r.WorkImage();
    // A name starts with any character the display can show, not only with the keys that
    // start a frequency.
    const bool creates = indChannelRules::CreatesRow(c.key) || (c.key > ' ' && c.key < 127);
    if (r.outside && creates) {
        if (!r.UserEvent())
            return;
        const int32_t count = datStatusCount(work);
        if (count < kAliasSlots && indCapacity::Fits(work, kAliasKind, 1)) {
            // New aliases join the end of the list, so that no gap opens before them.
            const int32_t at = count;
            if (g_EvMan)
                g_EvMan->Send(ev::kInsertMdcAlias, 0, at);
            if (datStatusCount(work) == count) {
                ShowOverflow();
                return;
            }
            r.index = at;
            c.jumpIndex = at;
            r.record.Load(kAliasKind, at);
            r.outside = false;
        } else {
            ShowOverflow();
            return;
        }
    }
    if (r.outside) {
        c.text.clear();
        return;
    }
    const indMemMapRow* row = indMemMapTable::Find(CL_Mdc_Alias1_Text);
    if (!row)
        return;
    std::vector<uint8_t> before(work.Data(), work.Data() + work.GetSize());
    const int32_t index = c.cell->index;
    c.cell->index = r.index;  // the alias the row became
    indGenericRules::Run(*row, r);
    c.cell->index = index;
    if (!std::equal(before.begin(), before.end(), work.Data()) && g_EvMan)
        g_EvMan->Post(ev::kRedrawAll);
}

}  // namespace

bool indChannelRules::CreatesRow(int32_t key)
{
    return key == cmcCellCapsule::kKeySpace || key == cmcCellCapsule::kKeyBackspace || key == '.' ||
           key == cmcCellCapsule::kKeyEnter || CodecProtocol::IsDigitKey(key);
}

bool indChannelRules::Handle(indRuleRequest& r)
{
    if (r.id == CL_Mdc_Alias1_Text) {
        AliasName(r);
        return true;
    }
    if (r.category != CT_Mch && r.category != CT_Mch_Check)
        return false;
    datCh& ch = r.record;
    const int mt = r.ModelType();
    const bool pmrOnly = mt == 1 || mt == 2;  // busy lockout, auto reset, log
    const bool pmrSig = mt != 0;              // the signalling types
    int changed = 0;
    switch (r.id) {
        case CL_Mch_FreqR:
        case CL_Mch_FreqR_Pmr:
            ReceiveFrequency(r);
            return true;
        case CL_Mch_FreqT:
        case CL_Mch_FreqT_Pmr:
            TransmitFrequency(r);
            return true;
        case CL_Mch_Atr:
        case CL_Mch_Atr_Pmr:
            Attributes(r);
            return true;
        case CL_Mch_Inh:
        case CL_Mch_Inh_Pmr:
            Choice(r, "GI_Sheet_Sel_Mch_ChInh", ch.inhibit);
            return true;
        case CL_Mch_TxInh:
        case CL_Mch_TxInh_Pmr:
            Choice(r, "GI_Sheet_Sel_Mch_CH_TxInh", ch.txInhibit);
            return true;
        case CL_Mch_Nar:
        case CL_Mch_Nar_Pmr:
            Choice(r, "GI_Sheet_Sel_Mch_Nar", ch.narrow);
            return true;
        case CL_Mch_Sql_Tight:
        case CL_Mch_Sql_Tight_Pmr:
            Choice(r, kOnOff, ch.sqlTight);
            return true;
        case CL_Mch_CTone_R:
        case CL_Mch_CTone_T:
        case CL_Mch_CTone_R_Pmr:
        case CL_Mch_CTone_T_Pmr:
            Tone(r);
            return true;
        case CL_Mch_Compander:
            Choice(r, kOnOff, ch.compander);
            return true;
        case CL_Mch_PwrSave:
        case CL_Mch_PwrSave_Pmr:
            Choice(r, kOnOff, ch.pwrSave);
            return true;
        case CL_Mch_Tot:
        case CL_Mch_Tot_Pmr:
            Choice(r, kOnOff, ch.tot);
            return true;
        case CL_Mch_Text:
        case CL_Mch_Text_Pmr:
            // The radio keeps no channel names: nothing to show, nothing to type into.
            Disabled(r);
            return true;
        case CL_Mch_RfPo:
        case CL_Mch_RfPo_Pmr:
            Choice(r, "GI_Sheet_Sel_Mch_RfPwr", ch.rfPower);
            return true;
        case CL_Mch_Lockout:
        case CL_Mch_Lockout_Pmr:
            Choice(r,
                   ByModel(pmrOnly, "GI_Sheet_Sel_Mch_Lockout_Pmr", "GI_Sheet_Sel_Mch_Lockout_Lmr"),
                   ch.lockout);
            return true;
        case CL_Mch_Scan:
        case CL_Mch_Scan_Pmr:
            FlagBits(r, 1, 1, 3, ch.scan);
            return true;
        case CL_Mch_Scan_OnOff:
        case CL_Mch_Scan_OnOff_Pmr:
            Choice(r, kOnOff, ch.scan);
            return true;
        case CL_Mch_Scan_Inc:
        case CL_Mch_Scan_Inc_Pmr:
            Choice(r, "GI_Sheet_Sel_Mch_ScanInc", ch.scanInc);
            return true;
        case CL_Mch_Scan_List:
        case CL_Mch_Scan_List_Pmr:
        case CL_Mch_Scan_ListSel:
        case CL_Mch_Scan_ListSel_Pmr: {
            const bool list = r.id == CL_Mch_Scan_List || r.id == CL_Mch_Scan_List_Pmr;
            if ((r.Image()[kScanListByte] & kScanListMask) == 0) {
                r.capsule.text = list ? "----" : "---";
                Grey(r);
                return true;
            }
            if (list)
                Choice(r, "GI_Sheet_Sel_Mch_Scan_List", ch.scanList);
            else
                Choice(r, "GI_Sheet_Sel_Mch_Scan_ListSel", ch.scanListSel);
            return true;
        }
        case CL_Mch_AutoChScan:
        case CL_Mch_AutoChScan_Pmr:
            Choice(r, kOnOff, ch.autoChScan);
            return true;
        case CL_Mch_AutoReset:
        case CL_Mch_AutoResetPmr:
            Choice(r,
                   ByModel(pmrOnly, "GI_Sheet_Sel_Mch_AutoReset_Pmr",
                           "GI_Sheet_Sel_Mch_AutoReset_Lmr"),
                   ch.autoReset);
            return true;
        case CL_Mch_2Tone:
            Typed(r, "GI_Sheet_Sel_Mch_2Tone", Flex0, ch.twoTone);
            return true;
        case CL_Mch_Log:
        case CL_Mch_Log_Pmr:
            Choice(r, ByModel(pmrOnly, "GI_Sheet_Sel_Mch_Log_Pmr", "GI_Sheet_Sel_Mch_Log_Lmr"),
                   ch.log);
            return true;
        case CL_Mch_Log_Msk:
        case CL_Mch_Log_Msk_Pmr:
        case CL_Mch_Mdc_On: {
            // The low and the high bit of the log signalling type.
            const int shift = r.id == CL_Mch_Mdc_On ? 1 : 0;
            int32_t bit = (ch.sigTypeLog >> shift) & 1;
            ChoiceCodec codec;
            codec.listName = kOnOff;
            const int32_t before = bit;
            if (codec.Run(r.capsule, &bit, r.repaint, r.opened) && bit != before) {
                ch.sigTypeLog = (ch.sigTypeLog & ~(1 << shift)) | ((bit & 1) << shift);
                ch.Save();
            }
            if (r.id != CL_Mch_Mdc_On && ch.mdcSystem != 0)
                Grey(r);
            return true;
        }
        case CL_Mch_SigType_Log_Lmr:
        case CL_Mch_SigType_Log_Pmr:
            Choice(r,
                   ByModel(pmrSig, "GI_Sheet_Sel_Mch_SigType_Pmr", "GI_Sheet_Sel_Mch_SigType_Lmr"),
                   ch.sigTypeLog);
            return true;
        case CL_Mch_SigType_Emg_Lmr:
        case CL_Mch_SigType_Emg_Pmr:
            Choice(r,
                   ByModel(pmrSig, "GI_Sheet_Sel_Mch_SigType_Emg_Pmr",
                           "GI_Sheet_Sel_Mch_SigType_Emg_Lmr"),
                   ch.sigTypeEmg);
            return true;
        case CL_Mch_SigType_Dec_Lmr:
        case CL_Mch_SigType_Dec_Pmr: {
            ChoiceCodec codec;
            codec.listName = ByModel(pmrSig, "GI_Sheet_Sel_Mch_SigType_Dec_Pmr",
                                     "GI_Sheet_Sel_Mch_SigType_Dec_Lmr");
            int32_t v = ch.decodeSig * 2;
            const int32_t before = v;
            if (codec.Run(r.capsule, &v, r.repaint, r.opened) && v != before) {
                ch.decodeSig = (v >> 1) & 1;
                ch.Save();
            }
            return true;
        }
        case CL_Mch_Mdc_System:
        case CL_Mch_Mdc_System_Pmr:
            Typed(r, "GI_Sheet_Sel_Mch_Mdc_System_List", Flex0, ch.mdcSystem);
            if (ch.sigTypeLog < 2 && ch.sigTypeEmg < 2 && ch.decodeSig == 0)
                Grey(r);
            return true;
        case CL_Mch_Scrm_On:
        case CL_Mch_Scrm_On_Pmr:
            Choice(r, "GI_Sheet_Sel_Mch_ScramOn", ch.scrambler);
            return true;
        case CL_Mch_Scrm_Code:
        case CL_Mch_Scrm_Code_Pmr: {
            IntCodec codec;
            codec.min = 1;
            codec.max = 255;
            int32_t v = ch.scrmCode;
            const int32_t before = v;
            if (codec.Run(r.capsule, &v, r.repaint, r.opened) && v != before) {
                ch.scrmCode = v;
                ch.Save();
            }
            return true;
        }
        case CL_Mch_RxCNo2:
            FlagBits(r, 1, 10, 2, ch.rxCNo2);
            if (ch.decodeSig)
                Grey(r);
            return true;
        case CL_Mch_Dig_Sig:
            r.capsule.text = ChoiceCodec::NameOf("GI_Sheet_Sel_Mch_Dig_Signal", Flex0, ch.digSig);
            return true;
        case CL_Mch_CH_Mute:
        case CL_Mch_CH_Mute_Pmr:
            changed = Choice(r, "GI_Sheet_Sel_Mch_ChMute", ch.chMute, FlexMark);
            MarkWarning(r, r.mskOn && ch.chMute == 0);
            AllValuesOnChange(r, changed);
            return true;
        case CL_Mch_Moni_Pmr:
            changed = Choice(r, "GI_Sheet_Sel_Mch_Moni", ch.moni, FlexMark);
            MarkWarning(r, r.mskOn && ch.moni != 6 && ch.moni != 7);
            AllValuesOnChange(r, changed);
            return true;
        case CL_Mch_Sel_Pmr:
            changed = Choice(r, "GI_Sheet_Sel_Mch_Sel", ch.sel, FlexMark);
            MarkError(r, r.mskOn && ch.sel != 1);
            AllValuesOnChange(r, changed);
            return true;
        case CL_Mch_Call_Pmr:
            changed = Choice(r, "GI_Sheet_Sel_Mch_Call", ch.call, FlexMark);
            MarkError(r, r.mskOn && ch.call != 0);
            AllValuesOnChange(r, changed);
            return true;
        case CL_Mch_PTT_Pmr:
            changed = Choice(r, "GI_Sheet_Sel_Mch_Ptt", ch.ptt, FlexMark);
            MarkError(r, r.mskOn && ch.ptt != 0);
            AllValuesOnChange(r, changed);
            return true;
        case CL_Mch_Msk_Sig:
            AllValuesOnChange(r, Choice(r, "GI_Sheet_Sel_Mch_Msk_Signal_Pmr", ch.mskSig));
            return true;
        case CL_Mch_Msk_SendStatus:
            AllValuesOnChange(r,
                              Choice(r, "GI_Sheet_Sel_Mch_SendStatus", ch.mskSendStatus, FlexMark));
            if (r.mskOff)
                Grey(r);
            return true;
        case CL_Mch_Form_Pmr:
            if (r.mskOn && !r.mskRepeater) {
                Disabled(r);
                return true;
            }
            Align(r, 0);
            Choice(r, "GI_Sheet_Sel_Mch_Form", ch.format);
            return true;
        case CL_Mch_Rpt_C_Pmr:
            if (r.mskOn && !r.mskRepeater) {
                Disabled(r);
                return true;
            }
            Align(r, 2);
            Typed(r, "GI_Sheet_Sel_RxC_AbcCode", Flex1, ch.rptCode);
            return true;
        case CL_Mch_Rpt_L_Pmr:
            if (r.mskOn && !r.mskRepeater) {
                Disabled(r, "-");
                return true;
            }
            Choice(r, "GI_Sheet_Sel_Mch_LTone", ch.rptL);
            return true;
        case CL_Mch_Stn_C_Pmr:
        case CL_Mch_Id_C_Pmr:
            if (r.mskOn) {
                Disabled(r);
                return true;
            }
            Align(r, 2);
            Typed(r, "GI_Sheet_Sel_RxC_AbcCode", Flex1,
                  r.id == CL_Mch_Stn_C_Pmr ? ch.stnCode : ch.idCode);
            return true;
        case CL_Mch_Stn_L_Pmr:
        case CL_Mch_Id_L_Pmr:
            if (r.mskOn) {
                Disabled(r, "-");
                return true;
            }
            Choice(r, "GI_Sheet_Sel_Mch_LTone", r.id == CL_Mch_Stn_L_Pmr ? ch.stnL : ch.idL);
            return true;
        case CL_Mch_Pos_Pmr:
            if (r.mskOn) {
                Disabled(r);
                return true;
            }
            Choice(r, "GI_Sheet_Sel_Mch_Pos", ch.position);
            return true;
        case CL_Mch_RxCNo_Pmr:
            if (r.mskOn) {
                Disabled(r);
                return true;
            }
            FlagBits(r, 1, 8, 0, ch.rxCNo);
            return true;
        case CL_Mch_Msk_Rpt:
            MskRepeater(r);
            return true;
        case CL_Mch_Msk_Stn:
            if (r.mskOff) {
                Disabled(r);
                return true;
            }
            Align(r, 2);
            Typed(r, "GI_Sheet_Sel_Mch_Msk_ID", Flex0, ch.stnCode);
            return true;
        case CL_Mch_Msk_RxCNo:
            MskReceiveCodes(r);
            return true;
        default:
            return false;
    }
}
