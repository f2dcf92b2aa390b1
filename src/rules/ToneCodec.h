#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "cells/cmcCellCapsule.h"
#include "model/indModelType.h"

struct datTone;

// The receive or transmit tone of a channel (or of a tone pair): a CTCSS tone from the tone
// list, or a DTCS code typed as three octal digits with "I" (inverted) or "N" (normal).
// tones points at the receive setting followed by the transmit setting.
class ToneCodec {
public:
    static constexpr const char* kToneList = "GI_Sheet_Sel_Mch_CTone";
    static constexpr const char* kToneListExUser = "GI_Sheet_Sel_Mch_CTone_ExUser";
    static constexpr const char* kDtcsList = "GI_Sheet_Sel_Mch_Dtcs";
    static constexpr const char* kPolarityList = "GI_Sheet_Sel_Mch_DtcsInv";
    static constexpr const char* kCtcssItems = "GI_AppItem_Ctcss";
    static constexpr const char* kDtcsItems = "GI_AppItem_Dtcs";
    // Values of the tone list: 0 to 51 CTCSS tones, then these.
    static constexpr int32_t kNoTone = 52;
    static constexpr int32_t kDtcsItem = 53;
    // The model type whose transmit tone follows the receive tone and whose DTCS codes come
    // from a fixed list.
    static constexpr int kDigitalPmrModel = static_cast<int>(indModelType::Pmr446Digital);

    bool receive = true;
    int modelType = 0;

    int Run(cmcCellCapsule& capsule, datTone* tones, int& repaint, int& opened) const;

    // The items of an overlay entry: its lines split at ",", counted from 0.
    static std::vector<std::string> Items(const char* key);
    // Three octal digits and "i" or "N".
    static std::string DtcsText(const datTone& tone);
    // Same tone (the numbers that are not in use do not count).
    static bool Same(const datTone& a, const datTone& b);
};
