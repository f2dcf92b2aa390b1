#include "rules/indCheckRules.h"

#include <iterator>

#include "cells/cmcCellObj.h"
#include "model/datChBanks.h"
#include "rules/indActiveCell.h"
#include "rules/indRuleRequest.h"

namespace {

constexpr uint8_t kBoth = cmcCellCapsule::kFlagWarning | cmcCellCapsule::kFlagError;

// The warning and error bits of a cell, as the cell itself decides them: a warning stays a
// warning and an error an error.
uint8_t Flags(indRuleRequest& r, int32_t category, int32_t id, int32_t index)
{
    indActiveCell rules(r.host);
    return rules.EvaluateFlags(category, id, index) & kBoth;
}

uint8_t ChannelChecks(indRuleRequest& r)
{
    const int mt = r.ModelType();
    static constexpr int32_t kDalo[] = {CL_Mch_Moni_Pmr, CL_Mch_RxCNo_Pmr, CL_Mch_Sel_Pmr,
                                        CL_Mch_Call_Pmr, CL_Mch_PTT_Pmr,   CL_Mch_CH_Mute_Pmr};
    static constexpr int32_t kPmr[] = {CL_Mch_RxCNo_Pmr, CL_Mch_Mdc_System_Pmr};
    const int32_t* first = nullptr;
    const int32_t* last = nullptr;
    if (mt == 2) {
        first = std::begin(kDalo);
        last = std::end(kDalo);
    } else if (mt == 1) {
        first = std::begin(kPmr);
        last = std::end(kPmr);
    }
    if (first == nullptr)
        return 0;
    const int32_t bank = r.capsule.bank;
    if (bank < 0 || bank >= kDatBanks)
        return 0;
    indMemMap::ConstImage image = r.WorkImage();
    const int32_t from = datChannelsBefore(image, bank);
    const int32_t to = from + datBankSize(image, bank);
    uint8_t flags = 0;
    for (int32_t c = from; c < to && c < 16; ++c)
        for (const int32_t* id = first; id != last; ++id)
            flags |= Flags(r, CT_Mch_Check, *id, c);
    return flags;
}

uint8_t Collect(indRuleRequest& r, int32_t category, int32_t id, int32_t from, int32_t to)
{
    uint8_t flags = 0;
    for (int32_t i = from; i <= to; ++i)
        flags |= Flags(r, category, id, i);
    return flags;
}

// FlexMark: an item of a choice list opened from a memory channel cell, marked when the
// choice conflicts with the channel's MSK signalling (digital-signalling model only).
void MarkItem(indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    c.text = r.Cell().Text();
    if (r.ModelType() != 2 || !c.context || !c.context->cell)
        return;
    const cmcCellObj& opener = *c.context->cell;
    if (opener.category != CT_Mch && opener.category != CT_Mch_Check)
        return;
    datCh ch(r.WorkImage());
    ch.Load(r.ChannelKind(), opener.index);
    if (!ch.mskSig)
        return;
    const int32_t item = r.index;
    switch (opener.id) {
        case CL_Mch_CH_Mute:
        case CL_Mch_CH_Mute_Pmr:
            if (item == 0)
                c.flags |= cmcCellCapsule::kFlagWarning;
            break;
        case CL_Mch_Moni_Pmr:
            if (item != 6 && item != 7)
                c.flags |= cmcCellCapsule::kFlagWarning;
            break;
        case CL_Mch_Sel_Pmr:
            if (item != 1)
                c.flags |= cmcCellCapsule::kFlagError;
            break;
        case CL_Mch_Call_Pmr:
        case CL_Mch_PTT_Pmr:
            if (item != 0)
                c.flags |= cmcCellCapsule::kFlagError;
            break;
        default:
            break;
    }
}

}  // namespace

bool indCheckRules::Handle(indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    const bool dalo = r.ModelType() == 2;
    uint8_t flags = 0;
    switch (r.id) {
        case FlexMark:
            MarkItem(r);
            return true;
        case CL_Check_Mch:
            flags = ChannelChecks(r);
            break;
        case CL_Check_User_Tone_Encode:
            flags = Collect(r, CT_UserTone, CL_UTone_Dec_Low, 0, 14) |
                    Collect(r, CT_UserTone, CL_UTone_Dec_High, 0, 14);
            flags &= cmcCellCapsule::kFlagWarning;
            break;
        case CL_Check_Msk_IdRange:
            if (dalo)
                flags = Flags(r, CT_MSK_AdrRange, CL_Msk_AdrRange_Killer, 0) &
                        cmcCellCapsule::kFlagError;
            break;
        case CL_Check_Msk_OwnIdGroup:
            if (dalo)
                flags = Collect(r, CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 0, 7) &
                        cmcCellCapsule::kFlagError;
            break;
        case CL_Check_Msk_Config:
            if (dalo)
                flags = (Flags(r, CT_MSK_Cfg, CL_Msk_Cfg_Status_FixBaseId, 0) |
                         Flags(r, CT_MSK_Cfg, CL_Msk_Cfg_Gps_FixBaseId, 0)) &
                        cmcCellCapsule::kFlagError;
            break;
        case CL_Check_Common_Mdc_SelfID:
            flags = Flags(r, CT_Null, CL_Comm_Msk_Mdc_SelfID, 0) & cmcCellCapsule::kFlagWarning;
            break;
        case CL_Check_Mdc_SelfID:
            flags =
                Collect(r, CT_Null, CL_Mdc_General_Self_Id, 0, 4) & cmcCellCapsule::kFlagWarning;
            break;
        default:
            return false;
    }
    c.flags |= flags;
    return true;
}
