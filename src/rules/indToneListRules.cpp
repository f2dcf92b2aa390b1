#include "rules/indToneListRules.h"

#include <algorithm>

#include "cells/CodecProtocol.h"
#include "cells/FixedPointCodec.h"
#include "cells/cmcCellIds.h"
#include "model/datCh.h"
#include "rules/indRuleRequest.h"

namespace {

constexpr int32_t kTxKind = datKindNumber(datKind::TxCode);
constexpr int32_t kUserToneKind = datKindNumber(datKind::UserTone);
constexpr int32_t kTwoToneKind = 12;

constexpr int32_t kTonePeriods = 0x0AA6;
constexpr int32_t kNotoneTimes = 0x0AAF;
constexpr int32_t kLengths = 0x0AB8;

FixedPointCodec Tenths(int32_t lo, int32_t hi)
{
    FixedPointCodec codec;
    codec.storedDecimals = 1;
    codec.shownDecimals = 1;
    codec.min = lo / 10.0;
    codec.max = hi / 10.0;
    codec.step = 1;
    return codec;
}

FixedPointCodec Seconds(int stored, double lo, double hi, int32_t step)
{
    FixedPointCodec codec;
    codec.storedDecimals = stored;
    codec.shownDecimals = 3;
    codec.min = lo;
    codec.max = hi;
    codec.step = step;
    return codec;
}

// Runs a codec on a 16-bit value of a record part; true when it changed.
bool RunWord(const FixedPointCodec& codec, indRuleRequest& r, datCh& rec, int part, int off)
{
    int32_t v = rec.GetU16(part, off);
    const int32_t before = v;
    codec.Run(r.capsule, &v, r.repaint, r.opened);
    if (v == before)
        return false;
    rec.SetU16(part, off, v);
    return true;
}

bool TwoTone(indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    datCh rec(r.WorkImage());
    switch (r.id) {
        case CL_2T_RxFreq_1st:
        case CL_2T_RxFreq_2nd: {
            // Code 0 is not a code.
            if (r.index < datKindFirstIndex(kTwoToneKind) ||
                r.index > datKindLastIndex(kTwoToneKind)) {
                CodecProtocol::ShowDisabled(c);
                return true;
            }
            rec.Load(kTwoToneKind, r.index);
            const int off = r.id == CL_2T_RxFreq_1st ? 0 : 2;
            if (RunWord(Tenths(2500, 33000), r, rec, 0, off)) {
                const int32_t f = rec.GetU16(0, off);
                rec.SetU16(1, 2 * off, indToneListRules::TwoToneUpper(f));
                rec.SetU16(1, 2 * off + 2, indToneListRules::TwoToneLower(f));
                rec.Save();
            }
            return true;
        }
        case CL_2TTx_Freq_1st:
        case CL_2TTx_Freq_2nd: {
            if (r.index < datKindFirstIndex(kTxKind) || r.index > datKindLastIndex(kTxKind)) {
                CodecProtocol::ShowDisabled(c);
                return true;
            }
            rec.Load(kTxKind, r.index);
            if (r.id == CL_2TTx_Freq_2nd && (rec.part[1][0] & 0x0F) == 0x0F) {
                CodecProtocol::ShowDisabled(c, "----  ");
                return true;
            }
            const int off = r.id == CL_2TTx_Freq_1st ? 0 : 2;
            if (RunWord(Tenths(2500, 33000), r, rec, 0, off))
                rec.Save();
            return true;
        }
        default:
            return false;
    }
}

// A timing byte of a user tone: its address, or -1 when the tone does not own one.
int32_t TimingAddress(int32_t id, int32_t index)
{
    if (index == indToneListRules::kExtraTone)
        return id == CL_UTone_TonePeriod ? indToneListRules::kExtraPeriod : -1;
    if (index < 0 || index >= indToneListRules::kTimedTones)
        return -1;
    switch (id) {
        case CL_UTone_TonePeriod:
            return kTonePeriods + index;
        case CL_UTone_NotoneTimer:
            return kNotoneTimes + index;
        case CL_UTone_Length:
            return kLengths + index;
        default:
            return -1;
    }
}

bool UserTone(indRuleRequest& r)
{
    cmcCellCapsule& c = r.capsule;
    switch (r.id) {
        case CL_UTone_TonePeriod:
        case CL_UTone_NotoneTimer:
        case CL_UTone_Length: {
            const int32_t a = TimingAddress(r.id, r.index);
            if (a < 0) {
                CodecProtocol::ShowDisabled(c);
                return true;
            }
            const FixedPointCodec codec = r.id == CL_UTone_TonePeriod ? Seconds(3, 0, 0.255, 1)
                                          : r.id == CL_UTone_NotoneTimer
                                              ? Seconds(2, 0.02, 0.30, 2)
                                              : Seconds(2, 0.01, 2.55, 1);
            uint8_t* image = r.Image();
            int32_t v = image[a];
            const int32_t before = v;
            codec.Run(c, &v, r.repaint, r.opened);
            if (v != before)
                image[a] = static_cast<uint8_t>(v);
            return true;
        }
        case CL_UTone_Encode:
        case CL_UTone_Dec_Low:
        case CL_UTone_Dec_High: {
            if (r.index < 0 || r.index >= indToneListRules::kUserTones) {
                CodecProtocol::ShowDisabled(c);
                return true;
            }
            datCh rec(r.WorkImage());
            rec.Load(kUserToneKind, r.index);
            const FixedPointCodec codec = Tenths(4000, 30000);
            bool changed = false;
            if (r.id == CL_UTone_Encode) {
                changed = RunWord(codec, r, rec, 0, 0);
                if (changed) {
                    const int32_t f = rec.GetU16(0, 0);
                    rec.SetU16(1, 0, indToneListRules::UserToneLow(f));
                    rec.SetU16(1, 2, indToneListRules::UserToneHigh(f));
                    r.repaint |= cmcCellCapsule::kRepaintIndex;
                }
            } else {
                changed = RunWord(codec, r, rec, 1, r.id == CL_UTone_Dec_Low ? 0 : 2);
                if (changed)
                    r.repaint |= cmcCellCapsule::kRepaintIndex;
                if (rec.GetU16(1, 2) < rec.GetU16(1, 0))
                    c.flags |= cmcCellCapsule::kFlagWarning;
            }
            if (changed)
                rec.Save();
            return true;
        }
        default:
            return false;
    }
}

}  // namespace

int32_t indToneListRules::UserToneLow(int32_t f)
{
    return std::max<int32_t>((f * 97 + 50) / 100, 4000);
}

int32_t indToneListRules::UserToneHigh(int32_t f)
{
    return std::min<int32_t>((f * 103 + 50) / 100, 30000);
}

bool indToneListRules::Handle(indRuleRequest& r)
{
    return TwoTone(r) || UserTone(r);
}
