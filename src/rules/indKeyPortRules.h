#pragma once
#include <cstdint>
#include <string>

struct indRuleRequest;

// Functions assigned to keys and to the external ports, and the port modes that take
// ports away.
//
// Keys: one function code per key (0860 Opf1, 0861 to 0867; the microphone keys are the
// bytes of P0 to P3). Codes 48 to 53 drive option outputs 1 to 3, whose active levels are
// bits 5 to 7 of 09D4; code 73 is the scrambler, its option port in bits 1-0 of 09FD.
//
// Ports: six 2-byte entries at 1CB6 (byte 0: bit 7 input, bit 6 active high; byte 1: the
// function, 0 = none), the key function of an input port with function 9 at 1CD2 + p.
// Port 4 is an input only, port 5 an output only. A port mode that is on takes its ports.
class indKeyPortRules {
public:
    static constexpr int32_t kPorts = 0x1CB6;
    static constexpr int32_t kPortKeys = 0x1CD2;
    static constexpr int32_t kPortCount = 6;
    static constexpr int32_t kFixedInput = 4;
    static constexpr int32_t kFixedOutput = 5;
    static constexpr int32_t kKeyFunction = 9;  // an input port that acts as a key
    static constexpr int32_t kOptionLevels = 0x09D4;
    static constexpr int32_t kScramblerPort = 0x09FD;
    static constexpr int32_t kMicSwitch = 0x0A1B;
    static constexpr int32_t kScrambler = 73;
    static constexpr int32_t kExternalEmergency = 69;

    // Answers the request when it is a key, port or port mode cell.
    static bool Handle(indRuleRequest& r);

    // The key list of a model type (Opf1 has its own with the external emergency).
    static const char* KeyList(int modelType, bool opf1 = false);
    static const char* InputList(int modelType);
    static const char* OutputList(int modelType);
    // The option output (1 to 3) a key function drives, 0 for none.
    static int OptionOutput(const uint8_t* image, int32_t code);
    // A key function's text: its name, the scrambler's port, the output's level.
    static std::string KeyText(const uint8_t* image, const std::string& list, int32_t code);
    // The port that a cell belongs to (0 to 5), and which of its cells it is (0 function,
    // 1 direction, 2 logic); -1 for cells that are not port cells.
    static int PortOf(int32_t id, int* which);
    // Steps input port p's function through its list, skipping functions another input
    // port already has (none and the key function are never taken). Gives up after one
    // full cycle, so a list without a free function leaves the value; true on a step.
    static bool StepPortFunction(const uint8_t* image, int p, const std::string& list,
                                 int32_t* value, int delta);
    // The function assigned to a key or to a port's function cell: its name in the list
    // and its code key ("key:", "in:" or "out:" and the code). False for other cells.
    static bool AssignedFunction(const uint8_t* image, int modelType, int32_t id, std::string* name,
                                 std::string* codeKey);
    // Whether port p is taken by its port mode.
    static bool PortAbsent(const uint8_t* image, int p);
};
