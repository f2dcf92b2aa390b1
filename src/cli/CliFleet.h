#pragma once
#include <string>
#include <vector>

#include "common/cmcEeprom.h"
#include "link/indFleetWrite.h"

class ICloneUi;
class indDocument;
namespace plat {
class LoopTimerHost;
}

// The command line's fleet write: runs indFleetWrite to its end and prints a line per
// radio as it finishes, then a summary, on standard output.
class CliFleet {
public:
    using Port = indFleetWrite::Port;
    using Outcome = indFleetWrite::Outcome;
    static constexpr int kVerifyFailed = indFleetWrite::kVerifyFailed;

    CliFleet(plat::LoopTimerHost& loop, ICloneUi* ui) : m_loop(loop), m_ui(ui) {}
    void SetHighSpeed(bool on) { m_high = on; }
    void SetVerify(bool on) { m_verify = on; }
    void SetPassword(const std::string& text)
    {
        m_password = true;
        m_passwordText = text;
    }

    // Writes the document's image, as a clone write sends it, into every port, with the
    // document's checks. Returns 0 when every radio was written (and verified), else the
    // result code of the first radio that failed.
    int Run(const std::vector<Port>& ports, indDocument& doc);

    // The line for one radio (index from 0), and the summary.
    static std::string Line(int index, int count, const Port& port, const Outcome& o);
    static std::string Summary(const std::vector<Port>& ports, const std::vector<Outcome>& outs);

private:
    plat::LoopTimerHost& m_loop;
    ICloneUi* m_ui;
    bool m_high = true;
    bool m_verify = true;
    bool m_password = false;
    std::string m_passwordText;
};
