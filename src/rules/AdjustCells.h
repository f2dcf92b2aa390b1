#pragma once
#include <cstdint>

struct indRuleRequest;

// The cells of the maker's adjustment sheet and of the A/D readings window: alignment
// bytes that go to the radio as soon as they change, their bars, the channel the radio is
// adjusted on, the automatic adjustments, the stored adjustment parameters and the last
// A/D readings.
namespace AdjustCells {

// An alignment item: its working image byte and the adjustment command that sets it on
// the radio (-1: a stored value the radio is not told about).
struct Item {
    int32_t id;
    int32_t byte;
    int command;
};
// The item of a value cell, or null.
const Item* ItemOf(int32_t id);
// The A/D channel a window cell shows (-1: none).
int ChannelOf(int32_t id);
// The cell's rule; false when the identifier is not one of these cells.
bool Handle(indRuleRequest& r);

}  // namespace AdjustCells
