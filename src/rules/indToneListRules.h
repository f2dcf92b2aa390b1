#pragma once
#include <cstdint>

struct indRuleRequest;

// The tone frequencies of the 2-tone codes and the user tones, whose decode windows follow
// them, and the user tones' timing entries.
//
// 2-tone receive codes (record kind 12, codes 1 to 10): the first and second tone in
// tenths of hertz at bytes 0-1 and 2-3 of the 10-byte record; their decode windows in the
// record's 8-byte part at 0A44 + 8 i: upper and lower limit of the first tone, then of the
// second, 16 bits each. 2-tone transmit codes (record kind 10): the tones at bytes 0-1 and
// 2-3 of the 4-byte part; a low nibble F in the first byte of the 2-byte part means the
// code has no second tone.
//
// User tones (record kind 11, tones 0 to 14): the frequency at 0A4C + 2 i, the low and high
// decode limits at 0A6A + 4 i; the tone period, no-tone time and length at 0AA6, 0AAF and
// 0AB8 + i. The three timing arrays are 9 bytes apart, so only tones 0 to 8 own their
// entries; tone 15 has its period at 0AC1 and nothing else.
class indToneListRules {
public:
    static constexpr int32_t kUserTones = 15;  // tones with a frequency: 0 to 14
    static constexpr int32_t kTimedTones = 9;  // tones that own their timing entries
    static constexpr int32_t kExtraTone = 15;  // the tone with a period only
    static constexpr int32_t kExtraPeriod = 0x0AC1;

    // Answers the request when it is a 2-tone or user tone cell.
    static bool Handle(indRuleRequest& r);

    // The decode windows, in tenths of hertz.
    static int32_t TwoToneUpper(int32_t f) { return (f * 102 + 50) / 100; }
    static int32_t TwoToneLower(int32_t f) { return (f * 98 + 50) / 100; }
    static int32_t UserToneLow(int32_t f);
    static int32_t UserToneHigh(int32_t f);
};
