#pragma once
#include <string>
#include <vector>

#include "rules/indCompare.h"

class cmcEeprom;
class cmcGTex;
class indActiveCell;

// How two images differ in their memory channels, as the channel sheet shows them: the
// sheet repeats its channel row once per channel, so each cell of that row is drawn for
// every channel the radio stores, on each image in turn. The settings sheets' compare
// (indCompare) lays out each cell once and so leaves the channels to this.
class indChannelCompare {
public:
    // The channel sheet of a model type ("GI_Sheet_Mch_" + "Lmr", "Pmr", ...).
    static std::vector<indCompare::Difference> Run(indActiveCell& rules, cmcGTex& texts,
                                                   const cmcEeprom& a, const cmcEeprom& b,
                                                   const std::string& modelTypeName);
};
