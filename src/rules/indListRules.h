#pragma once

struct indRuleRequest;

// The cells whose handling goes beyond one codec on one value: scan list, 2-tone and user
// tone lists, digital address ranges, key and port assignments.
class indListRules {
public:
    // Answers the request when one of these rules knows its identifier.
    static bool Handle(indRuleRequest& r);
};
