#pragma once
#include <cstdint>

#include "model/datChKinds.h"

class cmcEeprom;

// Opening and closing a slot in the 16-slot memory channel array and in the five-entry MDC
// alias list, keeping every stored channel reference naming the channel it named: the
// four channel bytes of the scan list record, the channel switch table, and (carried by
// the moving records themselves) the priority and special channels. The reference image
// supplies blank records.
class datChEdit {
public:
    // Channel bytes of the scan list record (block 13).
    static constexpr int32_t kScanRefs[4] = {0x0AD2, 0x0AD3, 0x0AD4, 0x0AD5};
    // The channel switch table (block 47): 16 channel numbers, 16 meaning none.
    static constexpr int32_t kSwitchTable = 0x1CA6;
    static constexpr int32_t kSwitchEntries = 16;
    static constexpr int32_t kNone = 16;
    // Result flags the primitives add to the caller's word.
    static constexpr int kResultFlags = 0x08 | 0x20;
    static constexpr int32_t kAliasKind = datKindNumber(datKind::MdcAlias);
    static constexpr int32_t kAliasSlots = 5;
    static constexpr int32_t kSpecialChannel = 0x0BC5;
    static constexpr int32_t kSpecialOnByte = 0x0BC6;  // bit 6 set: the special channel is on

    // Opens slot p of memory channel kind (1 to 4): channels p .. 14 move one slot down,
    // slot p gets the reference's blank record with the attribute flags that slot p has
    // after the move.
    static void InsertChannel(cmcEeprom& work, cmcEeprom& reference, int32_t kind, int32_t p,
                              int* resultFlags = nullptr);
    // Closes slot p: references to it are reset, channels p + 1 .. 15 move one slot up and
    // slot 15 gets the reference's blank record.
    static void DeleteChannel(cmcEeprom& work, cmcEeprom& reference, int32_t kind, int32_t p,
                              int* resultFlags = nullptr);
    // The main window's side of the insert and delete events: the primitive at the
    // position, and the bank grows or shrinks by one channel.
    static void InsertChannelInBank(cmcEeprom& work, cmcEeprom& reference, int32_t kind,
                                    int32_t bank, int32_t p);
    static void DeleteChannelFromBank(cmcEeprom& work, cmcEeprom& reference, int32_t kind,
                                      int32_t bank, int32_t p);

    // The channels e .. d move by f (-1 or +1) and their neighbour d + 1 (or e - 1) takes
    // the place they leave: every stored reference follows its channel.
    static void CarryReferences(cmcEeprom& work, int32_t e, int32_t d, int32_t f);

    // Applies a renumbering to every stored channel reference that is not carried by the
    // records: the scan list's channel bytes, the switch table entries below 16, and the
    // special channel while it is switched off.
    template <typename Fn>
    static void MapReferences(cmcEeprom& work, Fn fn);

    // The MDC alias list: an empty entry at p (the count grows), or entry p removed (the
    // count shrinks).
    static void InsertAlias(cmcEeprom& work, cmcEeprom& reference, int32_t p);
    static void DeleteAlias(cmcEeprom& work, cmcEeprom& reference, int32_t p);

private:
    static uint8_t* Bytes(cmcEeprom& work);
};

template <typename Fn>
void datChEdit::MapReferences(cmcEeprom& work, Fn fn)
{
    uint8_t* w = Bytes(work);
    for (int32_t a : kScanRefs)
        w[a] = static_cast<uint8_t>(fn(static_cast<int32_t>(w[a])));
    for (int32_t i = 0; i < kSwitchEntries; ++i) {
        uint8_t& v = w[kSwitchTable + i];
        if (v < kNone)
            v = static_cast<uint8_t>(fn(static_cast<int32_t>(v)));
    }
    // While the special channel is switched off no record carries it; while it is on, the
    // record that is the special channel writes its number where it lands.
    if (!(w[kSpecialOnByte] & 0x40) && w[kSpecialChannel] < kNone)
        w[kSpecialChannel] = static_cast<uint8_t>(fn(static_cast<int32_t>(w[kSpecialChannel])));
}
