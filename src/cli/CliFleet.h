#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/cmcEeprom.h"

class ICloneUi;
namespace plat {
class LoopTimerHost;
}

// Writes one image into several radios, one after another: each radio is identified,
// written and read back to verify what it now holds. A line per radio and a summary go to
// standard output; a radio that fails does not stop the others.
class CliFleet {
public:
    // The exit status of a radio whose memory differs from the image after the write.
    static constexpr int kVerifyFailed = 18;

    struct Port {
        int number = 0;      // when device is empty
        std::string device;  // a device path
        std::string name;    // as the user gave it
    };
    struct Outcome {
        int model = 0;    // 0: not identified
        int result = 0;   // the link's result code, 0 when written
        int verify = -1;  // -1 not verified, 0 verified, 1 differs
        int32_t firstDifference = -1;
    };

    CliFleet(plat::LoopTimerHost& loop, ICloneUi* ui) : m_loop(loop), m_ui(ui) {}
    void SetHighSpeed(bool on) { m_high = on; }
    void SetPassword(const std::string& text)
    {
        m_password = true;
        m_passwordText = text;
    }

    // Writes image over ranges into every port. Returns 0 when every radio was written and
    // verified, else the result code of the first radio that failed.
    int Run(const std::vector<Port>& ports, const cmcEeprom& image, const int32_t* ranges);

    // One radio: identify, write, read back and compare over ranges.
    Outcome WriteOne(const Port& port, const cmcEeprom& image, const int32_t* ranges);

    // The line for one radio (index from 0), and the summary.
    static std::string Line(int index, int count, const Port& port, const Outcome& o);
    static std::string Summary(const std::vector<Port>& ports, const std::vector<Outcome>& outs);

private:
    plat::LoopTimerHost& m_loop;
    ICloneUi* m_ui;
    bool m_high = true;
    bool m_password = false;
    std::string m_passwordText;
};
