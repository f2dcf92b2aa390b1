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
    std::string listParameter = "C";  // the channel list's kind; the bank follows ("C 2")

    int Run(cmcCellCapsule& capsule, int32_t* channel, int& repaint, int& opened) const;

    // "%d-%d%s" of the bank + 1, the position in it + 1 and the "GI_AddCH" text; empty when
    // the channel does not exist.
    static std::string ChannelText(indMemMap::ConstImage image, int32_t channel);
    // Channels that a reference can name: those with storage, 0 to 15.
    static int32_t ExistingChannels(indMemMap::ConstImage image);
    // The channel a choice from a bank's channel list names: the bank's first channel plus
    // the picked position. The list names its bank in the picked row's request.
    static int32_t ChosenChannel(indMemMap::ConstImage image, const cmcCellCapsule& choice,
                                 int32_t position);
    // "C 2": the channel list of bank 2.
    static std::string ListParameter(const std::string& kind, int32_t bank);
};
