#pragma once

struct indRuleRequest;

// The check cells, which collect the warnings and errors of whole sheets from the cells
// that decide them, and the marked items of the channel choice lists, which show the
// choices that conflict with a channel's digital settings.
class indCheckRules {
public:
    // Answers the request when its identifier is a check cell or FlexMark.
    static bool Handle(indRuleRequest& r);
};
