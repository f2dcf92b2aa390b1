#pragma once

struct indRuleRequest;

// The cells that follow one of the generic patterns (a bit field, a byte or a record field
// edited by one codec), driven by the table of where each identifier's value lives.
class indGenericRules {
public:
    // Answers the request when its identifier is in the table; false when it is not, so
    // that the caller shows the cell as not yet handled.
    static bool Handle(indRuleRequest& r);
};
