#pragma once
#include <cstdint>

#include "model/datChKinds.h"
#include "model/datTone.h"

// The decoded fields of one record (see datCh). All zero when value-initialised.
struct datChFields {
    static constexpr int kNameLength = 8;

    // --- every kind ---
    int32_t flags = 0;   // bit 0: in use
    int32_t status = 0;  // frequency codec state, not stored
    uint8_t part[kDatMaxParts][kDatMaxPartLength] = {};

    // --- memory channels (kinds 1 to 4), record A ---
    int32_t inhibit = 0;
    uint32_t freqR = 0;  // hertz; 0 = channel not in use
    int32_t txInhibit = 0;
    uint32_t freqT = 0;
    datTone tone[2] = {};  // receive, transmit (also the tone pair of kind 8)
    int32_t digSig = 0;    // digital signal selection, 2 bits
    int32_t flagA12 = 0;   // kept, not edited by the channel cells
    int32_t narrow = 0;
    int32_t scanList = 0;
    // record B
    int32_t pwrSave = 0;
    int32_t moni = 0;  // 4 bits spread over bytes 0 to 2
    int32_t scanListSel = 0;
    int32_t tot = 0;
    int32_t lockout = 0;  // 2 bits
    int32_t rfPower = 0;  // 2 bits
    int32_t log = 0;      // 4 bits
    int32_t sqlTight = 0;
    int32_t scanInc = 0;
    int32_t chMute = 0;
    int32_t sel = 0;  // 2 bits
    int32_t call = 0;
    int32_t ptt = 0;
    int32_t autoReset = 0;   // 2 bits for kinds 2 and 3, 1 bit for kinds 1 and 4
    int32_t sigTypeLog = 0;  // high bit * 2 + low bit
    int32_t scrambler = 0;   // 2 bits
    int32_t compander = 0;
    int32_t mskSig = 0;
    int32_t mskRpt = 0;
    int32_t mskSendStatus = 0;
    int32_t autoChScan = 0;
    int32_t sigTypeEmg = 0;  // high bit * 2 + low bit
    int32_t decodeSig = 0;
    int32_t mdcSystem = 0;  // 4 bits
    int32_t scrmCode = 0;
    // kinds 2 and 3 only; kinds 1 and 4 show fixed defaults and keep the bytes
    int32_t format = 0;    // 4 bits
    int32_t position = 0;  // 2 bits
    int32_t rptCode = 0;   // 7 bits
    int32_t rptL = 0;
    int32_t stnCode = 0;  // 7 bits
    int32_t stnL = 0;
    int32_t idCode = 0;  // 7 bits
    int32_t idL = 0;
    int32_t rxCNo = 0;  // 8 bits
    // kinds 1 and 4 only
    int32_t twoTone = 0;  // 7 bits
    int32_t rxCNo2 = 0;   // 10 bits
    // outside the record
    int32_t attr = 0;  // kAtr... bits
    int32_t scan = 0;
    uint8_t name[kNameLength] = {};  // edited by the name cell, never stored

    // --- kind 5: user-defined character pattern ---
    int32_t pattern = 0;
    // --- kind 16: call list address, four BCD digits (65535 when they are not digits) ---
    int32_t callAddress = 0;
};
