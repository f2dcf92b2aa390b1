#pragma once
#include <cstdint>

struct indRuleRequest;

// The cells of a memory channel row and of an MDC alias row: the receive frequency that
// creates a channel when the user starts typing on the new row, the alias name that creates
// an alias the same way, and every field of the channel record with its list, its grey and
// disabled presentations and the warnings and errors of the digital-signalling model.
class indChannelRules {
public:
    // Answers the request when its identifier is a channel or alias cell of this class.
    static bool Handle(indRuleRequest& r);

    // Keys that create a channel or an alias on the new row.
    static bool CreatesRow(int32_t key);

    // Choice lists of the channel cells.
    static constexpr const char* kOnOff = "GI_Sheet_Sel_Misc_OnOff2";
    static constexpr const char* kAtrList = "GI_Sheet_Sel_Mch_Atr";
    static constexpr const char* kAtrListExSmt = "GI_Sheet_Sel_Mch_Atr_ExSmt";
    static constexpr const char* kOverflow = "GI_AppMess_ChErr_Overflow";
};
