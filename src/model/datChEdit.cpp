#include "model/datChEdit.h"

#include "common/cmcEeprom.h"
#include "model/datChBanks.h"
#include "model/datChKinds.h"
#include "model/datClipCh.h"

namespace {

bool ValidSlot(int32_t kind, int32_t p)
{
    return datIsChannelKind(kind) && p >= 0 && p < kDatChannelSlots;
}

}  // namespace

uint8_t* datChEdit::Bytes(cmcEeprom& work)
{
    return work.Data();
}

void datChEdit::InsertChannel(cmcEeprom& work, cmcEeprom& reference, int32_t kind, int32_t p,
                              int* resultFlags)
{
    if (!ValidSlot(kind, p))
        return;
    // A switch table entry naming slot 15 becomes 16, none: that channel drops off the end.
    MapReferences(work, [p](int32_t v) { return v >= p && v < 0xFF ? v + 1 : v; });

    datClipCh moving;
    moving.CopyFrom(work, kind, p, kDatChannelSlots - 1 - p);
    moving.PasteTo(work, kind, p + 1, kDatChannelSlots - 1 - p);
    datClipCh blank;
    blank.CopyFrom(reference, kind, p, 1);
    blank.PasteKeep(work, kind, p, 1);  // the flags slot p holds after the move
    if (resultFlags)
        *resultFlags |= kResultFlags;
}

void datChEdit::DeleteChannel(cmcEeprom& work, cmcEeprom& reference, int32_t kind, int32_t p,
                              int* resultFlags)
{
    if (!ValidSlot(kind, p))
        return;
    uint8_t* w = work.Data();
    // A reference to the deleted channel is reset, and a key function that used it falls
    // back to one that needs no channel.
    if (w[0x0AD2] == p) {
        w[0x0AD2] = 0;
        if (w[0x0AD0] >= 0x50 && w[0x0AD0] <= 0x5F)
            w[0x0AD0] &= 0x0F;
    }
    if (w[0x0AD4] == p) {
        w[0x0AD4] = 0;
        if (w[0x0AD1] >= 0x50 && w[0x0AD1] <= 0x5F)
            w[0x0AD1] = static_cast<uint8_t>((w[0x0AD1] & 0x0F) | 0x10);
    }
    if (w[0x0AD5] == p) {
        w[0x0AD5] = 0;
        if ((w[0x0AD1] & 0x0F) == 5) {
            w[0x0AD1] &= 0xF0;
            w[0x0ACC] &= 0x7F;
        }
    }
    if (w[0x0AD3] == p) {
        w[0x0AD3] = 0;
        if ((w[0x0AD0] & 0x0F) == 5)
            w[0x0AD0] &= 0xF0;
    }
    for (int32_t e = 0; e < kSwitchEntries; ++e)
        if (w[kSwitchTable + e] == p)
            w[kSwitchTable + e] = kNone;
    MapReferences(work, [p](int32_t v) { return v > p ? v - 1 : v; });

    datClipCh moving;
    moving.CopyFrom(work, kind, p + 1, kDatChannelSlots - 1 - p);
    moving.PasteTo(work, kind, p, kDatChannelSlots - 1 - p);
    datClipCh blank;
    blank.CopyFrom(reference, kind, kDatChannelSlots - 1, 1);
    blank.PasteKeep(work, kind, kDatChannelSlots - 1, 1);
    if (resultFlags)
        *resultFlags |= kResultFlags;
}

void datChEdit::InsertChannelInBank(cmcEeprom& work, cmcEeprom& reference, int32_t kind,
                                    int32_t bank, int32_t p)
{
    InsertChannel(work, reference, kind, p);
    if (bank >= 0 && bank < kDatBanks)
        datSetBankSize(work, bank, datBankSize(work, bank) + 1);
}

void datChEdit::DeleteChannelFromBank(cmcEeprom& work, cmcEeprom& reference, int32_t kind,
                                      int32_t bank, int32_t p)
{
    DeleteChannel(work, reference, kind, p);
    if (bank >= 0 && bank < kDatBanks && datBankSize(work, bank) > 0)
        datSetBankSize(work, bank, datBankSize(work, bank) - 1);
}

void datChEdit::CarryReferences(cmcEeprom& work, int32_t e, int32_t d, int32_t f)
{
    const int32_t n = d - e + 1;
    auto move = [&](int32_t r) {
        if (r >= e && r <= d)
            return r + f;
        if (f > 0 && r == d + 1)
            return r - n;
        if (f < 0 && r == e - 1)
            return r + n;
        return r;
    };
    MapReferences(work, move);
}

void datChEdit::InsertAlias(cmcEeprom& work, cmcEeprom& reference, int32_t p)
{
    // The list holds five entries without gaps: a sixth, or one past the end, has no place.
    const int32_t count = datStatusCount(work);
    if (p < 0 || p >= kAliasSlots || count >= kAliasSlots || p > count)
        return;
    datClipCh moving;
    moving.CopyFrom(work, kAliasKind, p, kAliasSlots - 1 - p);
    moving.PasteTo(work, kAliasKind, p + 1, kAliasSlots - 1 - p);
    datClipCh blank;
    blank.CopyFrom(reference, kAliasKind, p, 1);
    blank.PasteTo(work, kAliasKind, p, 1);
    datStatusIncrement(work);
}

void datChEdit::DeleteAlias(cmcEeprom& work, cmcEeprom& reference, int32_t p)
{
    if (p < 0 || p >= kAliasSlots || p >= datStatusCount(work))
        return;
    datClipCh moving;
    moving.CopyFrom(work, kAliasKind, p + 1, kAliasSlots - 1 - p);
    moving.PasteTo(work, kAliasKind, p, kAliasSlots - 1 - p);
    datClipCh blank;
    blank.CopyFrom(reference, kAliasKind, kAliasSlots - 1, 1);
    blank.PasteTo(work, kAliasKind, kAliasSlots - 1, 1);
    datStatusDecrement(work);
}
