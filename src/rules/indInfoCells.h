#pragma once
#include <cstdint>
#include <string>

#include "cells/cmcCellIds.h"

struct indCloneInfo;
struct indRuleRequest;

// The cells that show the clone information of the radio identified last, the maker's
// battery thresholds with their voltage bands, and the maker and adjustment passwords kept
// by the settings store.
class indInfoCells {
public:
    // Answers the request when the cell is one of these; false otherwise.
    static bool Handle(indRuleRequest& r);

    // A battery threshold: its image byte and the range its neighbours leave it (min above
    // max when they are out of order).
    struct Range {
        int32_t address = 0;
        int32_t min = 0;
        int32_t max = 0;
    };
    static bool BatteryRange(int32_t id, const uint8_t* image, Range* out);
    // The voltage band a display cell shows ("[9.84V] - [7.88V]"); empty for other cells.
    static std::string BandText(int32_t id, const uint8_t* image);
    // The text of a clone information cell; empty for other cells.
    static std::string InfoText(int32_t id, const indCloneInfo& info);
    // The fitted option units, one overlay text per line, each followed by a line break.
    static std::string OptionText(const indCloneInfo& info);

private:
    static void Battery(indRuleRequest& r, const Range& range);
    static void Password(indRuleRequest& r, bool maker);
    static void CloneInfo(indRuleRequest& r);
};
