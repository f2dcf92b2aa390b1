#include "cells/FlagLettersCodec.h"

#include "cells/ChoiceCodec.h"
#include "cells/CodecProtocol.h"
#include "cells/cmcCellIds.h"
#include "common/cmcEvMan.h"

std::string FlagLettersCodec::Letters(uint8_t flags)
{
    std::string out;
    if (flags & 0x01)
        out += 'A';
    if (flags & 0x02)
        out += 'B';
    if ((flags & 0x0C) == 0x04)
        out += 'E';
    return out;
}

int FlagLettersCodec::Run(cmcCellCapsule& capsule, uint8_t* value, int& /*repaint*/,
                          int& opened) const
{
    if (CodecProtocol::ForeignContext(capsule, Flex0))
        return 0;
    const uint8_t old = *value;
    int32_t chosen;
    if (CodecProtocol::ChoiceFor(capsule, Flex0, &chosen)) {
        uint8_t v = old;
        switch (chosen) {
            case 1:
                v |= 0x01;
                break;
            case 2:
                v |= 0x02;
                break;
            case 3:
                v = static_cast<uint8_t>((v | 0x04) & ~0x08);
                break;
            case 4:
                v = static_cast<uint8_t>((v | 0x08) & ~0x04);
                break;
            case 5:
                v ^= 0x10;
                break;
            default:
                break;
        }
        *value = v;
    }
    CodecProtocol::Show(capsule, Letters(*value));

    if (CodecProtocol::HandlesKeys(capsule) &&
        (capsule.key == cmcCellCapsule::kKeyEnter || capsule.key == cmcCellCapsule::kKeySpace ||
         capsule.key == cmcCellCapsule::kKeyBackspace))
        ChoiceCodec::OpenList(capsule, Flex0, 0, listName, opened);

    if (*value == old)
        return 0;
    if (g_EvMan != nullptr) {
        g_EvMan->Post(ev::kRefreshBankIcons);
        g_EvMan->Post(ev::kImageChanged);
    }
    return 1;
}
