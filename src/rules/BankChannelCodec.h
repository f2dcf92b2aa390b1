#pragma once
#include <cstdint>
#include <string>

#include "cells/cmcCellCapsule.h"
#include "model/indMemMap.h"

// A reference to a memory channel, counted over all banks from 0, or 16 for none. It is
// shown as bank and position ("2-3" and the channel suffix) and chosen from the bank list,
// then from that bank's channel list.
class BankChannelCodec {
public:
    static constexpr const char* kBankList = "GI_Sheet_Sel_ExtIOZoneSel";
    static constexpr const char* kChannelList = "GI_Sheet_Sel_ScanCHSel";
    static constexpr int32_t kNone = 16;

    indMemMap::ConstImage image;      // the working image: bank sizes
    std::string listParameter = "C";  // the channel list's kind: the recorded bank's channels

    int Run(cmcCellCapsule& capsule, int32_t* channel, int& repaint, int& opened) const;

    // "%d-%d%s" of the bank + 1, the position in it + 1 and the "GI_AddCH" text; empty when
    // the channel does not exist.
    static std::string ChannelText(indMemMap::ConstImage image, int32_t channel);
    // Channels that a reference can name: those with storage, 0 to 15.
    static int32_t ExistingChannels(indMemMap::ConstImage image);
};
