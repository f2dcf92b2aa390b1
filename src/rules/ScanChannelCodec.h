#pragma once
#include <cstdint>
#include <string>

#include "cells/cmcCellCapsule.h"
#include "model/indMemMap.h"

// One of the three channels of a scan list (priority channel 1, priority channel 2, the
// transmit channel): its selection mode, and for mode 5 the fixed channel, counted over all
// banks and chosen from a bank's channel list.
class ScanChannelCodec {
public:
    static constexpr int kPriority1 = 0;
    static constexpr int kPriority2 = 1;
    static constexpr int kTransmit = 2;
    static constexpr int32_t kFixedChannel = 5;
    static constexpr const char* kBankList = "GI_Sheet_Sel_ScanZoneSel";
    static constexpr const char* kChannelList = "GI_Sheet_Sel_ScanCHSel";

    int which = kPriority1;
    indMemMap::ConstImage image;      // the working image: bank sizes
    std::string listParameter = "C";  // the channel list's kind; the bank follows ("C 2")
    int32_t bank = 0;  // the requesting sheet's bank: its list opens for a channel in no bank

    // mode: the 4-bit mode field; channel: the fixed channel; modeFlag (priority 2 only, may
    // be null): set when its mode is not 0.
    int Run(cmcCellCapsule& capsule, int32_t* mode, int32_t* channel, int32_t* modeFlag,
            int& repaint, int& opened) const;

    static const char* ModeList(int which);
};
