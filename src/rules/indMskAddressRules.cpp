#include "rules/indMskAddressRules.h"

#include "cells/CodecProtocol.h"
#include "cells/PaddedIntCodec.h"
#include "cells/cmcCellIds.h"
#include "model/datCh.h"
#include "platform/TextUtil.h"
#include "rules/indRuleRequest.h"

namespace {

constexpr int32_t kIdGroupKind = datKindNumber(datKind::MskIdGroup);
constexpr int32_t kCallListKind = datKindNumber(datKind::CallList);
// datDaloAdr's ranges: the killer address, ID group 0 (individual), ID groups 1 to 7
// (group), call list entries (any address).
constexpr int32_t kKillerRange = 5;
constexpr int32_t kFirstIdGroupRange = 6;
constexpr int32_t kFirstCallListRange = 14;

PaddedIntCodec Address()
{
    PaddedIntCodec codec;
    codec.width = 4;
    codec.min = 0;
    codec.max = datDaloAdr::kMaxAddress;
    return codec;
}

// Edits a 16-bit address of the image; the new value.
int32_t EditWord(indRuleRequest& r, int32_t a)
{
    uint8_t* image = r.Image();
    int32_t v = (image[a] << 8) | image[a + 1];
    const int32_t before = v;
    Address().Run(r.capsule, &v, r.repaint, r.opened);
    if (v != before) {
        image[a] = static_cast<uint8_t>(v >> 8);
        image[a + 1] = static_cast<uint8_t>(v);
    }
    return v;
}

void MarkError(indRuleRequest& r, bool error, bool left)
{
    if (!error)
        return;
    r.capsule.flags |= cmcCellCapsule::kFlagError;
    if (left)
        r.capsule.markPosition = cmcCellCapsule::kMarkLeft;
}

}  // namespace

bool indMskAddressRules::Handle(indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    datDaloAdr& adr = r.address;
    const int32_t b = adr.GetBoundary();
    switch (r.id) {
        case CL_Msk_AdrRange_Individual:
            if (r.index == 0)
                CodecProtocol::Show(c, "0000 (No Edit)");
            else if (r.index != 1)
                CodecProtocol::Show(c, "error");
            else if (b == 0)
                CodecProtocol::ShowDisabled(c);
            else
                CodecProtocol::Show(c, txt::Format("%04d (No Edit)", b - 1));
            return true;
        case CL_Msk_AdrRange_Group:
            if (r.index == 0) {
                int32_t v = b;
                Address().Run(c, &v, r.repaint, r.opened);
                if (v != b) {
                    adr.SetBoundary(v);
                    r.repaint |= cmcCellCapsule::kRepaintAllValues;
                }
            } else if (r.index == 1) {
                CodecProtocol::Show(c, "4095 (No Edit)");
            } else {
                CodecProtocol::Show(c, "error");
            }
            return true;
        case CL_Msk_AdrRange_Killer: {
            const int32_t v = EditWord(r, kKiller);
            MarkError(r, !adr.InRange(kKillerRange, v), false);
            return true;
        }
        case CL_Msk_Cfg_Status_FixBaseId:
        case CL_Msk_Cfg_Gps_FixBaseId: {
            const int32_t v =
                EditWord(r, r.id == CL_Msk_Cfg_Status_FixBaseId ? kStatusBaseId : kGpsBaseId);
            MarkError(r, v >= b, false);
            return true;
        }
        case CL_Msk_IdGroup_Adr: {
            if (r.index < 0 || r.index > datKindLastIndex(kIdGroupKind)) {
                CodecProtocol::ShowDisabled(c);
                return true;
            }
            datCh rec(r.WorkImage());
            rec.Load(kIdGroupKind, r.index);
            const int32_t old = rec.GetU16(0, 0);
            int32_t v = old & 0x0FFF;
            Address().Run(c, &v, r.repaint, r.opened);
            if (v != (old & 0x0FFF)) {
                rec.SetU16(0, 0, (old & 0xF000) | v);
                rec.Save();
            }
            MarkError(r, !adr.InRange(kFirstIdGroupRange + r.index, v), true);
            return true;
        }
        case CL_Msk_CallList_Adr: {
            if (r.index < 0 || r.index > datKindLastIndex(kCallListKind)) {
                CodecProtocol::ShowDisabled(c);
                return true;
            }
            datCh rec(r.WorkImage());
            rec.Load(kCallListKind, r.index);
            int32_t v = rec.callAddress;
            const int32_t before = v;
            Address().Run(c, &v, r.repaint, r.opened);
            if (v != before) {
                rec.callAddress = v;
                rec.Save();
            }
            MarkError(r, !adr.InRange(kFirstCallListRange + r.index, rec.callAddress), true);
            return true;
        }
        default:
            return false;
    }
}
