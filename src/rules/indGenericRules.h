#pragma once
#include <cstdint>

class cmcCellCapsule;
class FlagBitsCodec;
struct indMemMapRow;
struct indRuleRequest;

// The cells that follow one of the generic patterns (a bit field, a byte or a record field
// edited by one codec), driven by the table of where each identifier's value lives
// (indMemMap).
class indGenericRules {
public:
    // Answers the request when its identifier is in the table; false when it is not, so
    // that the caller shows the cell as not yet handled.
    static bool Handle(indRuleRequest& r);
    // Answers the request for one row of the table, whatever identifier the request has.
    static bool Run(const indMemMapRow& row, indRuleRequest& r);

    // Runs the flag-bits codec on a field of w flags kept in bits w-1..0 of *field (flag 0
    // in the top bit), handing it to the codec aligned as the flag-bits window numbers its
    // flags. Only the field's bits change; 1 on a change.
    static int RunFlagBits(const FlagBitsCodec& codec, cmcCellCapsule& capsule, int32_t* field,
                           int& repaint, int& opened);
};
