#include "cells/FlagBitsCodec.h"

#include "cells/CodecProtocol.h"
#include "cells/ICellPopups.h"
#include "cells/cmcCellIds.h"
#include "cells/cmcCellObj.h"
#include "platform/TextUtil.h"

namespace {

// The window's answer: an unsigned 32-bit number in decimal. Bits of the number outside the
// field (set when the stored value has bits above the field) can put it above the largest
// signed number, so it is read in full rather than saturated, which would set every flag.
uint32_t WindowValue(const std::string& text)
{
    uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        v = (v * 10 + static_cast<uint64_t>(c - '0')) & 0xFFFFFFFFu;
    }
    return static_cast<uint32_t>(v);
}

}  // namespace

int FlagBitsCodec::Width() const
{
    const int w = lastBit - firstBit + 1;
    return w < 1 ? 1 : (w > 25 ? 25 : w);
}

int FlagBitsCodec::Shift() const
{
    return Width() > 8 ? 25 - Width() : 18;
}

uint32_t FlagBitsCodec::ShiftedMask() const
{
    const int w = Width();
    return ((1u << w) - 1u) << (26 - w);
}

uint32_t FlagBitsCodec::ValueMask() const
{
    return ShiftedMask() >> Shift();
}

int FlagBitsCodec::Run(cmcCellCapsule& capsule, int32_t* value, int& /*repaint*/, int& opened) const
{
    const int w = Width();
    const int shift = Shift();
    const uint32_t mask = ShiftedMask();
    const uint32_t old = static_cast<uint32_t>(*value);
    uint32_t flags = (old << shift) & mask;
    auto flagBit = [](int k) { return 1u << (25 - k); };
    int changed = 0;

    if (capsule.context != nullptr) {
        // The window answers with the whole shifted value in decimal, as a choice.
        if (capsule.inputMode != cmcCellCapsule::kInputChoice || capsule.context->cell == nullptr ||
            capsule.context->cell->id != Flex0)
            return 0;
        flags = WindowValue(txt::Trim(capsule.inputText)) & mask;
        changed = 1;
    } else if (CodecProtocol::HandlesKeys(capsule)) {
        const int32_t k = capsule.key;
        int toggle = -1;
        if (k >= '0' && k <= '9' && k - '0' >= firstBit && k - '0' <= lastBit)
            toggle = k - '0' - firstBit;
        else if (k == '0')
            toggle = 10 - firstBit;
        else if (k == 'z' || k == 'Z')
            toggle = 11 - firstBit;
        if (toggle >= 0 && toggle < w) {
            flags ^= flagBit(toggle);
            changed = 1;
        } else if (k == cmcCellCapsule::kKeySpace) {
            flags = flags == 0 ? mask : 0;
            changed = 1;
        } else if (k == cmcCellCapsule::kKeyBackspace) {
            flags ^= mask;
            changed = 1;
        } else if (k == cmcCellCapsule::kKeyEnter && g_CellPopups != nullptr) {
            g_CellPopups->OpenFlagBits(capsule, CodecProtocol::Texts(),
                                       static_cast<uint32_t>(static_cast<uint64_t>(old) << shift),
                                       firstBit, lastBit, labelKind, displayKind, entryName);
            opened = cmcCellCapsule::kResultPopup;
        }
    }

    if (changed) {
        const uint32_t valueMask = ValueMask();
        *value = static_cast<int32_t>((old & ~valueMask) | ((flags >> shift) & valueMask));
    }

    std::string shown;
    for (int k = 0; k < w; ++k) {
        const int position = firstBit + k;
        if ((flags & flagBit(k)) == 0)
            shown += '_';
        else if (position == 10)
            shown += '0';
        else if (position == 11)
            shown += 'Z';
        else
            shown += static_cast<char>(position + 48);
    }
    shown += '\n';
    capsule.text = shown;
    capsule.selStart = 0;
    capsule.selLength = 1;
    return changed;
}
