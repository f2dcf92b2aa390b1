#pragma once
#include <cstdint>
#include <string>
#include <vector>

class cmcEeprom;
class cmcGTex;
class indActiveCell;

// How two images differ, setting by setting, as the sheets show them: every value cell of
// the settings sheets is drawn through the rules once on each image, and the cells whose
// texts differ are listed with the sheet's title, the row's and the column's caption.
class indCompare {
public:
    struct Difference {
        std::string sheet;
        std::string row;
        std::string column;
        std::string valueA;
        std::string valueB;
        // Where the setting stands, so that a caller can open the sheet at its cell: the
        // sheet's entry and the cell's category, identifier and index.
        std::string entry;
        int32_t category = 0;
        int32_t id = 0;
        int32_t index = 0;
    };

    // Every setting of the settings sheets, then every memory channel of the model type's
    // channel sheet (indChannelCompare); a setting that two sheets show is listed once, on
    // the first.
    static std::vector<Difference> Everything(indActiveCell& rules, cmcGTex& texts,
                                              const cmcEeprom& a, const cmcEeprom& b,
                                              const std::string& modelTypeName);
    // The sheets compared: every sheet of "GI_CellWidthRegList".
    static std::vector<std::string> SettingsSheets(cmcGTex& texts);
    // Compares a and b on the given sheets. The rules read the host's working image, which
    // holds each image in turn and is given back unchanged.
    static std::vector<Difference> Run(indActiveCell& rules, cmcGTex& texts, const cmcEeprom& a,
                                       const cmcEeprom& b, const std::vector<std::string>& sheets);
};
