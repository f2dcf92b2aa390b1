#pragma once
#include <cstdint>
#include <string>

#include "common/cmcEeprom.h"
#include "link/indCloneMan.h"
#include "link/indFleetWrite.h"

class ICloneUi;
namespace plat {
class LoopTimerHost;
}

// One radio on one port, as the command line talks to it: each operation runs the loop
// until the link has finished and returns the result code (0 on success). The checks are
// those the program's main window installs with the clone manager.
class CliRadio {
public:
    static constexpr int32_t kImageSize = 0x1D00;
    static constexpr int32_t kEepromEnd = 0x077F;

    CliRadio(plat::LoopTimerHost& loop, ICloneUi* ui);

    void SetPort(int number, const std::string& device) { m_man.SetPort(number, device); }
    void SetHighSpeed(bool on) { m_man.SetHighSpeed(on); }
    // The clone password, sent with every later read and write.
    void SetPassword(const std::string& text);

    int Identify();
    bool Identified() const { return m_identified; }
    int Model() const { return m_model; }
    // Where a clone read of this radio ends, from its information block.
    int32_t ReadEnd() const;
    // A radio locked with a clone password wants it for a read (unless bit 4 lifts the lock
    // for reading) and for every write.
    bool WantsPassword(bool write) const;

    int Read(const int32_t* ranges, cmcEeprom& image);
    int Write(const cmcEeprom& image, const int32_t* ranges);

    // The checks as the fleet write takes them.
    static void Accept(dst_CDrv_Result* r, indFleetWrite::Radio& radio);
    static void CheckRead(dst_CDrv_Result* r) { ReadCheck(nullptr, r); }

private:
    static void IdentificationCheck(void* context, dst_CDrv_Result* r);
    static void ReadCheck(void* context, dst_CDrv_Result* r);
    static void OnDone(void* context, dst_CDrv_Result* r);
    int Run();

    plat::LoopTimerHost& m_loop;
    indCloneMan m_man;
    bool m_identified = false;
    int m_model = 0;
    uint8_t m_info[80] = {};
    bool m_finished = false;
    int m_result = -1;
    cmcEeprom m_received;
};
