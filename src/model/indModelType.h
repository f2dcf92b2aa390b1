#pragma once
#include <cstdint>

// The four radio models the program edits. The number is what the settings, the rules and
// the menus keep; the names are for the code that tells the models apart.
enum class indModelType : int32_t {
    Lmr = 0,
    Pmr = 1,
    DaloPmr = 2,  // PMR with the digital addressing (MSK)
    Pmr446Digital = 3,
};

inline indModelType indModelTypeOf(int32_t number)
{
    return static_cast<indModelType>(number);
}
