#pragma once
#include <cstdint>

struct indRuleRequest;

// The digital (MSK) address ranges and the addresses tested against them. One stored
// boundary B (126A, datDaloAdr) splits the addresses: individual addresses are 0 to B - 1,
// group addresses B to 4095. An ID group's address is bits 11-0 of bytes 0-1 of its
// 8-byte record (kind 15).
class indMskAddressRules {
public:
    static constexpr int32_t kKiller = 0x126E;
    static constexpr int32_t kStatusBaseId = 0x12D0;
    static constexpr int32_t kGpsBaseId = 0x12D2;

    // Answers the request when it is an address range or address cell.
    static bool Handle(indRuleRequest& r);
};
