#pragma once
#include <string>
#include <vector>

#include "rules/indCompare.h"

class cmcEeprom;
class cmcGTex;
class indActiveCell;

// How two images differ on a memory channel sheet, channel by channel: each of channels 0
// to 15 is drawn through the rules as its row on the sheet shows it, in the bank each image
// keeps it in, and the cells whose texts differ are listed like indCompare's (the row is
// the channel, the column the sheet's header caption). A channel only one image holds
// shows as blank in the other.
class indChannelCompare {
public:
    static constexpr int kChannels = 16;

    // The memory channel sheet of a model type: "GI_Sheet_Mch_" and the type's name.
    static std::string SheetOf(int modelType);
    // rowCaption formats the row caption from the channel's number as the sheet shows it.
    // The rules read the host's working image, which holds each image in turn and is given
    // back unchanged.
    static std::vector<indCompare::Difference> Run(indActiveCell& rules, cmcGTex& texts,
                                                   const cmcEeprom& a, const cmcEeprom& b,
                                                   const std::string& entry,
                                                   const std::string& rowCaption);
};
