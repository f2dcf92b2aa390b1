#pragma once
#include <cstdint>

#include "common/cmcBuff.h"
#include "common/cmcEeprom.h"

// The result of one link operation, handed to the completion callback. It lives from the
// start of the operation until the callback returns.
struct dst_CDrv_Result {
    int32_t operation = 0;  // 1 info, 2 read, 3 write, others: a derived driver's
    int32_t result = 2;     // see cmcCloneDrv::Result
    int32_t modelCode = 0;
    int32_t subCode = 0;
    cmcBuff info;      // the identification answer after the two codes
    cmcEeprom image;   // filled by a read; the data of a write
    cmcBuff received;  // one bit per address stored by a read, least significant bit first
};
