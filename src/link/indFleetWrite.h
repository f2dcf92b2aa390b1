#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/cmcEeprom.h"
#include "link/dst_CDrv_Result.h"

class cmcTask;
class ICloneUi;
class indCloneMan;

// Writes one image into several radios, one after another, on timer tasks: each radio is
// identified, written and read back to verify what it now holds. A radio that fails does
// not stop the others. The command line runs it to its end; the window shows its outcomes
// as they come.
class indFleetWrite {
public:
    // The exit status of a radio whose memory differs from the image after the write, and of
    // one that wants a clone password that was not given.
    static constexpr int kVerifyFailed = 20;
    static constexpr int kPasswordMissing = 1;

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
        // Written, and not found to differ (unverified only when verification is off).
        bool Good() const { return result == 0 && verify != 1; }
    };
    // What the caller's identification check learnt of a radio it accepted.
    struct Radio {
        int model = 0;
        int32_t readEnd = 0;         // the last address a read of it takes
        bool wantsPassword = false;  // for a write
    };
    // The caller's checks: the identification check rejects a radio by setting the result
    // code and fills the radio for one it accepts; the read check is the clone read's.
    using IdentifyCheck = std::function<void(dst_CDrv_Result* result, Radio& radio)>;
    using ReadCheck = std::function<void(dst_CDrv_Result* result)>;
    // After each radio (its index), and once more with -1 when all are done.
    using Progress = std::function<void(int index)>;

    explicit indFleetWrite(ICloneUi* ui);
    ~indFleetWrite();
    indFleetWrite(const indFleetWrite&) = delete;
    indFleetWrite& operator=(const indFleetWrite&) = delete;

    void SetChecks(IdentifyCheck identify, ReadCheck read);
    // Makes the image and range list to write once a radio was identified (it may depend on
    // the radio); without it every radio gets the image given to Start.
    using Prepare = std::function<void(cmcEeprom& image, std::vector<int32_t>& ranges)>;
    void SetPrepare(Prepare prepare) { m_prepare = std::move(prepare); }
    void SetHighSpeed(bool on) { m_high = on; }
    // Reads each radio back after its write and compares (on unless turned off).
    void SetVerify(bool on) { m_verify = on; }
    // The size of the images the radios' reads fill (0: that of the image to write).
    void SetImageSize(int32_t size) { m_imageSize = size; }
    void SetPassword(const std::string& text);
    // The short waits of each radio's driver (tests give the manual clock's).
    void SetWaiter(std::function<void(uint32_t ms)> waiter) { m_waiter = std::move(waiter); }

    // Starts on the first port; false when running already or there is no port.
    bool Start(const std::vector<Port>& ports, const cmcEeprom& image, const int32_t* ranges,
               Progress progress);
    // The same with the prepare step making each radio's image.
    bool Start(const std::vector<Port>& ports, Progress progress);
    bool Running() const { return m_running; }
    const std::vector<Port>& Ports() const { return m_ports; }
    const std::vector<Outcome>& Outcomes() const { return m_outcomes; }
    // 0 when every radio was written and verified, else the code of the first that failed.
    int Status() const;

private:
    enum class Stage { Idle, Identify, Write, Verify };
    static void OnTask(void* context, cmcTask* task);
    static void OnDone(void* context, dst_CDrv_Result* result);
    static void OnIdentify(void* context, dst_CDrv_Result* result);
    static void OnRead(void* context, dst_CDrv_Result* result);
    void Step();
    void Done(dst_CDrv_Result* result);
    void Finish();

    ICloneUi* m_ui;
    IdentifyCheck m_identify;
    ReadCheck m_read;
    Prepare m_prepare;
    bool m_high = true;
    bool m_verify = true;
    int32_t m_imageSize = 0;
    bool m_password = false;
    std::string m_passwordText;
    std::function<void(uint32_t)> m_waiter;

    std::vector<Port> m_ports;
    std::vector<Outcome> m_outcomes;
    cmcEeprom m_image;
    std::vector<int32_t> m_ranges;
    Progress m_progress;
    size_t m_index = 0;
    bool m_running = false;
    Stage m_stage = Stage::Idle;
    bool m_stepDue = false;  // the next operation starts on the task's next tick
    Radio m_radio;
    std::unique_ptr<indCloneMan> m_man;
    cmcTask* m_task = nullptr;
};
