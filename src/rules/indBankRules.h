#pragma once
#include <cstdint>

#include "model/indMemMap.h"

struct indRuleRequest;

// The cells of the banks: bank sizes that grow and shrink a bank with the channel insert and
// delete primitives, bank mode, the bank flags, the channel counters, row numbers, the
// quarter pillar, and whole banks carried up and down.
class indBankRules {
public:
    // Answers the request when its identifier is a bank or counter cell.
    static bool Handle(indRuleRequest& r);
    // Carry up or carry down on a bank row (commands CL_PMenu_CarryUp, CL_PMenu_CarryDown).
    static void CarryBanks(indRuleRequest& r);

    // Bank mode on: bank 0 keeps the channels up to the last one in use (at most 15), bank 1
    // gets one channel, the other slots stay free for any bank. Off: bank 0 holds all 16.
    // The total never exceeds the 16 stored channels, so the mode survives a save.
    static void SetBankMode(indMemMap::Image image, int32_t modelType, bool on);

    static constexpr const char* kNotBlank = "GI_AppMess_ChErr_NotBlank";
    static constexpr const char* kNoChannel = "GI_AppMess_ChErr_NoCh";
    static constexpr const char* kBankModeList = "GI_Sheet_Sel_Bank_SelBankFree";
};
