#pragma once
#include <cstdint>

class datCh;
struct indRuleRequest;

// The scan list cells (record kind 7, the 10 bytes of block 13 at 0ACC). The scan mode
// byte is derived from the list's other settings after each change of one of them.
//
// The record's bytes (bit 0 = least significant):
//   0ACC  bit 7 transmit talk-back, bit 6 transmit action, bit 5 cancel talk-back,
//         bit 4 cancel extra flag, bit 3 power save, bits 2-0 not used (kept)
//   0ACD  bits 7-4 scan type, bits 3-0 display text selection
//   0ACE  bits 3-0 scan mode, bit 4 mode flag, bits 7-5 not used (kept)
//   0ACF  not used (kept)
//   0AD0  bits 3-0 priority channel 1 mode, bits 7-4 priority channel 2 mode
//   0AD1  bits 3-0 transmit channel mode, bits 7-4 cancel channel mode
//   0AD2  priority channel 2's fixed channel     0AD3  priority channel 1's fixed channel
//   0AD4  cancel channel's fixed channel         0AD5  transmit channel's fixed channel
// A channel mode of 5 selects the fixed channel (a channel number over all banks). These
// are the pairs the channel insert and delete operations keep together; the scan list
// name has no room in the record.
class indScanListRules {
public:
    struct Fields {
        int32_t scanMode = 0;  // 4 bits
        int32_t modeFlag = 0;
        int32_t scanType = 0;  // 4 bits
        int32_t dispText = 0;  // 4 bits
        int32_t prio1Mode = 0;
        int32_t prio2Mode = 0;
        int32_t txMode = 0;
        int32_t talkBack = 0;
        int32_t txAction = 0;
        int32_t cancelMode = 0;
        int32_t cancelExtra = 0;
        int32_t cancelTalkBack = 0;
        int32_t pwrSave = 0;
        int32_t prio1Channel = 0;
        int32_t prio2Channel = 0;
        int32_t txChannel = 0;
        int32_t cancelChannel = 0;

        static Fields Decode(const uint8_t* b);
        // Writes the fields over the record's bytes; bits not used are kept.
        void Encode(uint8_t* b) const;
        // Sets the scan mode and its flag from the other settings.
        void DeriveScanMode();
    };

    // Answers the request when it is a scan list cell.
    static bool Handle(indRuleRequest& r);
};
